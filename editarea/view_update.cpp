#include "view_update.h"

#include "selection_view.h"

namespace {

void ApplyBarStyles(EditAreaState& state, int flags)
{
    LONG style = GetWindowLongW(state.canvas, GWL_STYLE);
    style &= ~(WS_HSCROLL | WS_VSCROLL);
    if (flags & kHorizontalBar)
        style |= WS_HSCROLL;
    if (flags & kVerticalBar)
        style |= WS_VSCROLL;
    state.updatingScrollBars = true;
    SetWindowLongW(state.canvas, GWL_STYLE, style);
    SetWindowPos(state.canvas, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    state.updatingScrollBars = false;
}

void SetBarInfo(HWND canvas, int bar, int extent, int page, int offset)
{
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = extent - 1;
    info.nPage = static_cast<UINT>(page);
    info.nPos = -offset;
    SetScrollInfo(canvas, bar, &info, TRUE);
}

void ReadClientSize(EditAreaState& state)
{
    RECT client{};
    GetClientRect(state.canvas, &client);
    state.view.clientWidth = client.right;
    state.view.clientHeight = client.bottom;
}

}  // namespace

void RedrawCanvas(const EditAreaState& state)
{
    if (state.canvas)
        RedrawWindow(state.canvas, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void RedrawCanvasPixels(const EditAreaState& state, int left, int top, int right, int bottom)
{
    if (!state.canvas || left >= right || top >= bottom)
        return;
    const CanvasPoint origin = ImageOrigin(state.view);
    const int zoom = state.view.zoom;
    const RECT screen{origin.x + left * zoom, origin.y + top * zoom, origin.x + right * zoom, origin.y + bottom * zoom};
    RedrawWindow(state.canvas, &screen, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void UpdateScrollBars(EditAreaState& state)
{
    if (!state.canvas)
        return;
    RECT window{};
    GetWindowRect(state.canvas, &window);
    const int sw = state.view.imageWidth * state.view.zoom;
    const int sh = state.view.imageHeight * state.view.zoom;
    const int flags = ScrollBarsNeeded(sw, sh, window.right - window.left, window.bottom - window.top,
                                       GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL));
    state.view.scrollFlags = flags;
    ApplyBarStyles(state, flags);
    ReadClientSize(state);
}

void UpdateScrollInfo(EditAreaState& state)
{
    CanvasView& view = state.view;
    if (view.scrollFlags & kHorizontalBar)
        SetBarInfo(state.canvas, SB_HORZ, view.imageWidth * view.zoom, view.clientWidth, view.scrollX);
    if (view.scrollFlags & kVerticalBar)
        SetBarInfo(state.canvas, SB_VERT, view.imageHeight * view.zoom, view.clientHeight, view.scrollY);
    UpdateDrawnExtent(view);
}

void RefitScrollBars(EditAreaState& state)
{
    UpdateScrollBars(state);
    state.view.scrollX = 0;
    state.view.scrollY = 0;
    UpdateScrollInfo(state);
}

void FitImageToCanvas(EditAreaState& state)
{
    CanvasView& view = state.view;
    view.imageWidth = state.image ? state.image->width : 0;
    view.imageHeight = state.image ? state.image->height : 0;
    view.zoom = FitZoom(state.frameWidth - kCanvasWidthInset, state.frameHeight - kCanvasHeightInset,
                        view.imageWidth, view.imageHeight);
    RefitScrollBars(state);
    RebuildSelectionView(state);
}

void ScrollCanvas(EditAreaState& state, int bar, int code, int thumbPosition)
{
    CanvasView& view = state.view;
    const bool horizontal = bar == SB_HORZ;
    int& offset = horizontal ? view.scrollX : view.scrollY;
    const int client = horizontal ? view.clientWidth : view.clientHeight;
    const int extent = (horizontal ? view.imageWidth : view.imageHeight) * view.zoom;
    switch (code) {
    case SB_LINEUP:
        offset = ScrollLineTowardStart(offset);
        break;
    case SB_LINEDOWN:
        offset = ScrollLineTowardEnd(offset, client, extent);
        break;
    case SB_THUMBTRACK:
        offset = -thumbPosition;
        break;
    default:
        return;
    }
    UpdateScrollInfo(state);
    RedrawCanvas(state);
}

void ZoomAtPixel(EditAreaState& state, ZoomDirection direction, bool doubleClick, int px, int py)
{
    CanvasView& view = state.view;
    const int zoom = ZoomAfterClick(view.zoom, direction, doubleClick);
    if (zoom != view.zoom) {
        view.zoom = zoom;
        UpdateScrollBars(state);
        view.scrollX = (view.scrollFlags & kHorizontalBar)
                           ? CenteredOffset(view.clientWidth, zoom, view.imageWidth, px) : 0;
        view.scrollY = (view.scrollFlags & kVerticalBar)
                           ? CenteredOffset(view.clientHeight, zoom, view.imageHeight, py) : 0;
        UpdateScrollInfo(state);
        RebuildDisplayRegion(state);
        RedrawCanvas(state);
    }
}
