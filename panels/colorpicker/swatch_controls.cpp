// The panel's child controls: the channel sliders and number boxes, the gradient check box
// and radios, and the blend sliders.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "common/messages.h"
#include "swatch_ids.h"
#include "swatch_state.h"

namespace {

struct ControlPlace {
    int id;
    int x, y, width, height;
};

constexpr int kChannelSliderX = 60, kChannelBoxX = 160, kChannelTop = 10, kChannelPitch = 20;

constexpr ControlPlace kButtons[] = {
    {IDC_USE_GRADIENT, 10, 125, 12, 12}, {IDC_LINEAR, 20, 145, 12, 12},
    {IDC_RADIAL, 20, 165, 12, 12},       {IDC_BELL_BLEND, 10, 193, 12, 12},
    {IDC_FACTOR_BLEND, 10, 254, 12, 12},
};
constexpr ControlPlace kBlendSliders[] = {
    {IDC_BLEND_FOCUS, 95, 213, 100, 20},  {IDC_BLEND_SCALE, 95, 233, 100, 20},
    {IDC_BLEND_FACTOR, 95, 273, 100, 20}, {IDC_BLEND_POSITION, 95, 293, 100, 20},
};

DWORD ButtonStyle(int id)
{
    switch (id) {
    case IDC_USE_GRADIENT: return BS_AUTOCHECKBOX | WS_GROUP;
    case IDC_LINEAR:
    case IDC_BELL_BLEND: return BS_AUTORADIOBUTTON | WS_GROUP;  // first of its group
    default: return BS_AUTORADIOBUTTON;
    }
}

HWND MakeControl(const SwatchState& state, const wchar_t* className, DWORD style,
                 const ControlPlace& place)
{
    return CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, place.x, place.y,
                           place.width, place.height, state.window,
                           reinterpret_cast<HMENU>(INT_PTR(place.id)), SwatchInstance(), nullptr);
}

// A slider that gets the keyboard focus hands it on to a number box: the panel's
// controls never hold the keys the main window's accelerators need.
LRESULT CALLBACK SliderProc(HWND slider, UINT message, WPARAM wParam, LPARAM lParam,
                            UINT_PTR, DWORD_PTR box)
{
    const LRESULT result = DefSubclassProc(slider, message, wParam, lParam);
    if (message == WM_SETFOCUS)
        SetFocus(reinterpret_cast<HWND>(box));
    return result;
}

void OnBoxWheel(HWND box, int wheelDelta)
{
    wchar_t text[8] = {};
    GetWindowTextW(box, text, 8);
    int value = 0;
    ReadBoxNumber(text, &value);
    // Written as the user's own change, so the new number is applied like typed digits.
    SetWindowTextW(box, std::to_wstring(WheelAdjusted(value, wheelDelta)).c_str());
}

LRESULT CALLBACK BoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                         DWORD_PTR)
{
    if (message == WM_MOUSEWHEEL) {
        OnBoxWheel(box, GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

HWND MakeSlider(const SwatchState& state, const ControlPlace& place, int top, int position,
                DWORD extraStyle)
{
    HWND slider = MakeControl(state, TRACKBAR_CLASSW,
                              TBS_HORZ | TBS_NOTICKS | WS_TABSTOP | extraStyle, place);
    if (!slider)
        return nullptr;
    SendMessageW(slider, TBM_SETRANGE, FALSE, MAKELPARAM(0, top));
    SendMessageW(slider, TBM_SETPOS, TRUE, position);
    return slider;
}

bool MakeChannelControls(SwatchState* state)
{
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (int channel = 0; channel < kChannelCount; ++channel) {
        const int y = kChannelTop + kChannelPitch * channel;
        const int value = ChannelOf(state->components, channel);
        HWND slider = MakeSlider(*state, {IDC_RED_SLIDER + channel, kChannelSliderX, y, 100, 20},
                                 255, value, channel == 0 ? WS_GROUP : 0);
        HWND box = MakeControl(*state, L"EDIT", WS_BORDER | ES_NUMBER | ES_CENTER,
                               {IDC_RED_BOX + channel, kChannelBoxX, y, 30, 17});
        if (!slider || !box)
            return false;
        SendMessageW(box, WM_SETFONT, WPARAM(font), FALSE);
        SendMessageW(box, EM_SETLIMITTEXT, 3, 0);
        SetWindowTextW(box, std::to_wstring(value).c_str());
        SetWindowSubclass(slider, SliderProc, 1, DWORD_PTR(box));
        SetWindowSubclass(box, BoxProc, 1, 0);
    }
    return true;
}

bool MakeGradientControls(SwatchState* state)
{
    for (const ControlPlace& place : kButtons)
        if (!MakeControl(*state, L"BUTTON", ButtonStyle(place.id) | WS_TABSTOP, place))
            return false;
    CheckDlgButton(state->window, IDC_LINEAR, BST_CHECKED);
    CheckDlgButton(state->window, IDC_BELL_BLEND, BST_CHECKED);
    const int starts[] = {0, 100, 0, 0};
    HWND focusBox = BoxOfChannel(*state, 0);
    for (int i = 0; i < 4; ++i) {
        HWND slider = MakeSlider(*state, kBlendSliders[i], 100, starts[i],
                                 TBS_TOOLTIPS | (i == 0 ? WS_GROUP : 0));
        if (!slider)
            return false;
        SetWindowSubclass(slider, SliderProc, 1, DWORD_PTR(focusBox));
    }
    return true;
}

void WriteBox(SwatchState* state, int channel)
{
    state->writingBoxes = true;
    SetWindowTextW(BoxOfChannel(*state, channel),
                   std::to_wstring(ChannelOf(state->components, channel)).c_str());
    state->writingBoxes = false;
}

void WriteSlider(const SwatchState& state, int channel)
{
    Components components = state.components;
    SendMessageW(SliderOfChannel(state, channel), TBM_SETPOS, TRUE, ChannelOf(components, channel));
}

}  // namespace

bool CreatePanelControls(SwatchState* state)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    return MakeChannelControls(state) && MakeGradientControls(state);
}

HWND SliderOfChannel(const SwatchState& state, int channel)
{
    return GetDlgItem(state.window, IDC_RED_SLIDER + channel);
}

HWND BoxOfChannel(const SwatchState& state, int channel)
{
    return GetDlgItem(state.window, IDC_RED_BOX + channel);
}

int ChannelOfSlider(int id)
{
    return id >= IDC_RED_SLIDER && id <= IDC_ALPHA_SLIDER ? id - IDC_RED_SLIDER : -1;
}

void WriteChannelControls(SwatchState* state, ChangeSource source, int channel)
{
    if (source == kFromSlider) {
        WriteBox(state, channel);
        return;
    }
    if (source == kFromBox) {
        WriteSlider(*state, channel);
        return;
    }
    for (int each = 0; each < kChannelCount; ++each) {
        WriteBox(state, each);
        WriteSlider(*state, each);
    }
}

void EnableForDepth(const SwatchState& state, bool alpha, bool gradient)
{
    EnableWindow(SliderOfChannel(state, 3), alpha);
    EnableWindow(BoxOfChannel(state, 3), alpha);
    EnableWindow(GetDlgItem(state.window, IDC_USE_GRADIENT), gradient);
}
