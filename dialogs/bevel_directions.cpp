// The bevel's light direction: a 3 x 3 square of buttons around a disabled centre; the
// chosen one shows an arrow from its side toward the opposite side.
#include <windows.h>
#include <commctrl.h>

#include "dialogs/dialog_hooks.h"
#include "resources/fxdialogs/fxdialogs_resources.h"

namespace {

constexpr int kDirectionWord = 6;
constexpr int kArrowSize = 17;

struct DirectionButton {
    int id;
    int direction;  // 1 top, clockwise; 0 the centre
};

constexpr DirectionButton kButtons[] = {
    {IDC_BEVEL_TOP_LEFT, 8},    {IDC_BEVEL_TOP, 1},    {IDC_BEVEL_TOP_RIGHT, 2},
    {IDC_BEVEL_LEFT, 7},        {IDC_BEVEL_CENTER, 0}, {IDC_BEVEL_RIGHT, 3},
    {IDC_BEVEL_BOTTOM_LEFT, 6}, {IDC_BEVEL_BOTTOM, 5}, {IDC_BEVEL_BOTTOM_RIGHT, 4},
};

const DirectionButton* ButtonOf(int id)
{
    for (const DirectionButton& button : kButtons)
        if (button.id == id)
            return &button;
    return nullptr;
}

void RedrawButtons(const DialogState& state)
{
    for (const DirectionButton& button : kButtons)
        Redraw(GetDlgItem(state.dialog, button.id));
}

void ChooseDirection(DialogState& state, int direction)
{
    state.words[kDirectionWord] = direction;
    RedrawButtons(state);
}

LRESULT CALLBACK NoEraseButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_ERASEBKGND)
        return 1;
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void OpenBevelDialog(DialogState& state)
{
    for (const DirectionButton& button : kButtons)
        SetWindowSubclass(GetDlgItem(state.dialog, button.id), NoEraseButtonProc, 1, 0);
    ChooseDirection(state, state.words[kDirectionWord]);
}

bool BevelCommand(DialogState& state, int id, int code)
{
    const DirectionButton* button = ButtonOf(id);
    if (!button || code != BN_CLICKED)
        return false;
    if (button->direction != 0) {
        ChooseDirection(state, button->direction);
        UpdatePreview(state);
    }
    return true;
}

bool DrawBevelDirection(DialogState& state, const DRAWITEMSTRUCT& item)
{
    const DirectionButton* button = ButtonOf(int(item.CtlID));
    if (!button)
        return false;
    FillRect(item.hDC, &item.rcItem, HBRUSH(GetStockObject(WHITE_BRUSH)));
    FrameRect(item.hDC, &item.rcItem, HBRUSH(GetStockObject(BLACK_BRUSH)));
    if (button->direction == 0 || button->direction != state.words[kDirectionWord])
        return true;
    HICON arrow = HICON(LoadImageW(DialogModule(), MAKEINTRESOURCEW(IDI_ARROW_FIRST + button->direction - 1),
                                   IMAGE_ICON, kArrowSize, kArrowSize, LR_SHARED));
    const int left = (item.rcItem.left + item.rcItem.right - kArrowSize) / 2;
    const int top = (item.rcItem.top + item.rcItem.bottom - kArrowSize) / 2;
    if (arrow)
        DrawIconEx(item.hDC, left, top, arrow, kArrowSize, kArrowSize, 0, nullptr, DI_NORMAL);
    return true;
}
