#include "transform/transform_controls.h"

#include <commctrl.h>

#include "transform/pending_transform.h"

namespace {

void DrawLabel(HDC dc, int x, int y, const wchar_t* text)
{
    TextOutW(dc, x, y, text, int(wcslen(text)));
}

}  // namespace

void ShowTransformControls(const EditAreaState& state, bool rotation)
{
    ShowWindow(state.showGridBox, SW_HIDE);
    ShowWindow(state.applyButton, SW_SHOW);
    ShowWindow(state.cancelButton, SW_SHOW);
    ShowWindow(state.angleBar, rotation ? SW_SHOW : SW_HIDE);
    ShowWindow(state.widthBar, rotation ? SW_HIDE : SW_SHOW);
    ShowWindow(state.heightBar, rotation ? SW_HIDE : SW_SHOW);
}

void HideTransformControls(const EditAreaState& state)
{
    for (HWND control : {state.applyButton, state.cancelButton, state.angleBar, state.widthBar, state.heightBar})
        ShowWindow(control, SW_HIDE);
    ShowWindow(state.showGridBox, SW_SHOW);
}

void SetBarRange(HWND bar, int minimum, int maximum, int position)
{
    // The range ends one at a time: TBM_SETRANGE packs them into 16 bits each.
    SendMessageW(bar, TBM_SETRANGEMIN, FALSE, minimum);
    SendMessageW(bar, TBM_SETRANGEMAX, FALSE, maximum);
    SendMessageW(bar, TBM_SETPOS, TRUE, position);
}

int BarPosition(HWND bar)
{
    return int(SendMessageW(bar, TBM_GETPOS, 0, 0));
}

void DrawTransformLabels(const EditAreaState& state, HDC dc)
{
    const PendingTransform* pending = state.transform;
    if (!pending)
        return;
    if (pending->rotation) {
        DrawLabel(dc, 13, 18, L"Rotation Angle :");
        return;
    }
    DrawLabel(dc, 13, 8, pending->vector ? L"Width Scale (%) :" : L"Width (Pixels) :");
    DrawLabel(dc, 13, 28, pending->vector ? L"Height Scale (%) :" : L"Height (Pixels) :");
}

void RedrawStrip(const EditAreaState& state)
{
    RedrawWindow(state.strip, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}
