// The color picker panel "Color Palette": the window, its messages and the exports.
#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include <cwchar>
#include <string>

#include "common/messages.h"
#include "core/pyx.h"
#include "swatch.h"
#include "swatch_ids.h"
#include "swatch_state.h"

namespace {

constexpr wchar_t kClassName[] = L"Color Palette";

// The library serves one color picker per process.
SwatchState gSwatch;

void OnMouseMove(SwatchState* state, int x, int y, WPARAM keys)
{
    SetFocus(state->parent);  // the main window keeps the keyboard for its accelerators
    if ((keys & MK_LBUTTON) && SpotAt(x, y) == kPreviewSquare)
        MovePreviewPoint(state, x, y);
}

void OnLeftButtonUp(SwatchState* state, int x, int y)
{
    switch (SpotAt(x, y)) {
    case kPrimarySwatch: SelectSwatch(state, true); return;
    case kSecondarySwatch: SelectSwatch(state, false); return;
    case kPaletteStrip: PickFromStrip(state, x, y); return;
    case kSwapButton: SwapSwatches(state); return;
    case kPreviewSquare: MovePreviewPoint(state, x, y); return;
    case kNoSpot: return;
    }
}

bool OnSetCursor(const SwatchState& state, HWND over, int hitTest)
{
    if (over != state.window || hitTest != HTCLIENT)
        return false;
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(state.window, &point);
    const PanelSpot spot = SpotAt(point.x, point.y);
    HCURSOR cursor = spot == kPaletteStrip   ? state.paletteCursor
                     : spot == kPreviewSquare ? state.previewCursor
                                              : nullptr;
    SetCursor(cursor ? cursor : LoadCursorW(nullptr, IDC_ARROW));
    return true;
}

void OnSlider(SwatchState* state, HWND slider, int code)
{
    // Only dragging the thumb and letting go of it change a value.
    if (code != TB_THUMBTRACK && code != TB_ENDTRACK)
        return;
    const int id = GetDlgCtrlID(slider);
    const int position = int(SendMessageW(slider, TBM_GETPOS, 0, 0));
    const int channel = ChannelOfSlider(id);
    if (channel < 0) {
        OnBlendSlider(state, id, position);
        return;
    }
    ChannelOf(state->components, channel) = position;
    ApplyComponents(state, kFromSlider, channel);
}

void OnCommand(SwatchState* state, int id, int code)
{
    if (id >= IDC_RED_BOX && id <= IDC_ALPHA_BOX) {
        if (code == EN_CHANGE && !state->writingBoxes)
            PostMessageW(state->window, kColorBoxRedChanged + (id - IDC_RED_BOX), 0, 0);
        return;
    }
    if (code == BN_CLICKED)
        OnGradientControl(state, id);
}

void RewriteBox(SwatchState* state, HWND box, int value)
{
    state->writingBoxes = true;
    SetWindowTextW(box, std::to_wstring(value).c_str());
    SendMessageW(box, EM_SETSEL, 4, 4);  // the caret stays at the end, where typing goes on
    state->writingBoxes = false;
}

void OnBoxChanged(SwatchState* state, int channel)
{
    HWND box = BoxOfChannel(*state, channel);
    wchar_t text[8] = {};
    GetWindowTextW(box, text, 8);
    int& component = ChannelOf(state->components, channel);
    int value = 0;
    if (!ReadBoxNumber(text, &value)) {
        RewriteBox(state, box, component);  // an empty box shows the number it had
        return;
    }
    if (std::wcstol(text, nullptr, 10) > 255)
        RewriteBox(state, box, value);
    component = value;
    ApplyComponents(state, kFromBox, channel);
}

void PaintTo(SwatchState* state, HDC target)
{
    UpdateLinearAngle(state);
    RenderPanel(*state);
    PresentBackBuffer(state->buffer, target);
}

void OnPaint(SwatchState* state)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(state->window, &paint);
    PaintTo(state, dc);
    EndPaint(state->window, &paint);
}

void OnColorsChanged(SwatchState* state, UINT message, WPARAM wParam, LPARAM lParam)
{
    state->colors = LoadPanelColors();
    RebuildFaceBrush(state);
    for (HWND child = GetWindow(state->window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, message, wParam, lParam);  // the common controls recolor too
    RedrawWindow(state->window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

LRESULT OnControlColor(const SwatchState& state, HDC dc)
{
    SetBkMode(dc, TRANSPARENT);
    SetBkColor(dc, state.colors.face);
    return reinterpret_cast<LRESULT>(state.faceBrush);
}

LRESULT CALLBACK SwatchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    SwatchState* state = &gSwatch;
    if (message == WM_NCCREATE)
        state->window = window;
    if (state->window != window)
        return DefWindowProcW(window, message, wParam, lParam);
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_MOUSEMOVE: OnMouseMove(state, x, y, wParam); return 0;
    case WM_LBUTTONUP: OnLeftButtonUp(state, x, y); return 0;
    case WM_SETCURSOR:
        if (OnSetCursor(*state, reinterpret_cast<HWND>(wParam), LOWORD(lParam)))
            return TRUE;
        break;
    case WM_HSCROLL: OnSlider(state, reinterpret_cast<HWND>(lParam), LOWORD(wParam)); return 0;
    case WM_COMMAND: OnCommand(state, LOWORD(wParam), HIWORD(wParam)); return 0;
    case kColorBoxRedChanged:
    case kColorBoxGreenChanged:
    case kColorBoxBlueChanged:
    case kColorBoxAlphaChanged: OnBoxChanged(state, int(message - kColorBoxRedChanged)); return 0;
    case kColorPickerDepth: SetDepth(state, int(wParam)); return 0;
    case kColorPickerGradient: SetUseGradient(state, wParam != 0); return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: return OnControlColor(*state, reinterpret_cast<HDC>(wParam));
    case WM_PAINT: OnPaint(state); return 0;
    case WM_PRINTCLIENT: PaintTo(state, reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED: OnColorsChanged(state, message, wParam, lParam); return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterSwatchClass()
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = SwatchProc;
    windowClass.hInstance = SwatchInstance();
    windowClass.hCursor = nullptr;  // chosen by position on every WM_SETCURSOR
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void InitSwatchState(HWND parent, AppContext* context)
{
    gSwatch = {};
    gSwatch.parent = parent;
    gSwatch.context = context;
    gSwatch.primary = 0xFF000000u;
    gSwatch.secondary = 0xFFFFFFFFu;
    gSwatch.primarySelected = true;
    gSwatch.components = {0, 0, 0, 255};
    gSwatch.bitsPerPixel = 32;
    gSwatch.gradientKind = kLinearGradient;
    gSwatch.blendKind = kBellBlend;
    gSwatch.blendScale = 100;
    gSwatch.linearAngle = 360;
    gSwatch.previewPoint = {kPreviewCenterX, kPreviewCenterY};
    for (COLORREF& custom : gSwatch.customColors)
        custom = RGB(255, 255, 255);
    ReadPalettes(&gSwatch);
    WriteBrushSettings(gSwatch);
}

void DestroyPanel()
{
    if (gSwatch.window)
        DestroyWindow(gSwatch.window);  // its controls go with it
    ReleasePanelDrawing(&gSwatch);
    gSwatch = {};
}

}  // namespace

void RedrawPanel(const SwatchState& state)
{
    if (state.window)
        InvalidateRect(state.window, nullptr, FALSE);
}

HINSTANCE SwatchInstance()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&SwatchInstance), &module);
    return module;
}

SWATCH_API HWND CreateCPWindow(HWND parent, int x, int y, AppContext* context)
{
    if (!parent || !context)
        return nullptr;
    DestroyPanel();
    if (!RegisterSwatchClass())
        return nullptr;
    InitSwatchState(parent, context);
    LoadPanelDrawing(&gSwatch);
    HWND window = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                  x, y, kPanelWidth, kPanelHeight, parent, nullptr,
                                  SwatchInstance(), nullptr);
    if (!window || !CreatePanelControls(&gSwatch)) {
        DestroyPanel();
        return nullptr;
    }
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return window;
}

SWATCH_API void DestroyCPWindow() { DestroyPanel(); }

SWATCH_API void SetSelColor(uint32_t color)
{
    if (gSwatch.window)
        SetPickedColor(&gSwatch, color);
}
