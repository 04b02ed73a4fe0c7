// The strip under the mouse: choosing a card, dragging it to a new place, the context menu
// and the scroll bar.
#include <windows.h>

#include <algorithm>

#include "common/document_ops.h"
#include "common/messages.h"
#include "imagelist_state.h"

namespace {

void SetScrollPosition(ImageListState* state, int position)
{
    state->scrollPos = std::clamp(position, 0, state->maxScrollPos);
    SetScrollPos(state->listWindow, SB_HORZ, state->scrollPos, TRUE);
}

void GiveFocusToMainWindow(ImageListState* state)
{
    if (state->context->mainWindow)
        SetFocus(state->context->mainWindow);
}

// A drag moves the pointer past either end of the strip: one card per move message.
void FollowDragPastEdges(ImageListState* state, int x)
{
    if (x > state->listWidth && state->scrollPos < state->maxScrollPos)
        SetScrollPosition(state, state->scrollPos + 1);
    else if (x < 0 && state->scrollPos > 0)
        SetScrollPosition(state, state->scrollPos - 1);
}

void ContinueDrag(ImageListState* state, int x)
{
    state->pressX = -1;
    state->pointerX = x;
    state->dragging = true;
    SetCursor(state->dragCursor);
    if (GetCapture() != state->listWindow)
        SetCapture(state->listWindow);
    FollowDragPastEdges(state, x);
    Redraw(state);
}

void EndDrag(ImageListState* state)
{
    state->dragging = false;
    state->armed = false;
    if (GetCapture() == state->listWindow)
        ReleaseCapture();
    SetCursor(state->normalCursor);
}

void EnableMenuPositions(HMENU menu, const std::array<bool, kMenuPositions>& enabled)
{
    for (int position = 0; position < kMenuPositions; ++position)
        EnableMenuItem(menu, UINT(position),
                       MF_BYPOSITION | (enabled[position] ? MF_ENABLED : MF_GRAYED));
}

CardFacts FactsOf(const Image* image)
{
    if (!image)
        return {};
    return {int(image->displayRate), image->width,    image->height,
            image->hotspotX,         image->hotspotY, image->bitsPerPixel};
}

void ShowContextMenu(ImageListState* state, int x)
{
    POINT point{x, 0};
    GetCursorPos(&point);
    TrackPopupMenu(state->menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, point.x, point.y,
                   0, state->listWindow, nullptr);
}

}  // namespace

void ChooseImage(ImageListState* state, int index)
{
    index = std::clamp(index, 0, std::max(0, state->imageCount - 1));
    if (index == state->current)
        return;
    state->current = index;
    // The layer index belongs to the old Image; the selection reset that follows reads it.
    state->context->currentLayer = 0;
    state->context->currentImage = index;
    PostMessageW(state->context->mainWindow, kImageListCurrentChanged, 0, 0);
    Redraw(state);
}

void CancelDrag(ImageListState* state)
{
    if (!state->dragging && !state->armed)
        return;
    EndDrag(state);
    Redraw(state);
}

void OnStripLeftDown(ImageListState* state, int x)
{
    if (!state->inputEnabled)
        return;
    state->pointerX = x;
    state->dragging = false;
    const int index = HitTest(x, state->scrollPos, state->layout);
    if (index > state->imageCount - 1) {
        state->armed = false;
        return;
    }
    state->pressX = x;
    state->armed = true;
    ChooseImage(state, index);
}

void OnStripMouseMove(ImageListState* state, int x, WPARAM keys)
{
    if (!state->inputEnabled)
        return;
    GiveFocusToMainWindow(state);
    if (x == state->pressX)
        return;
    const bool leftAlone = (keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == MK_LBUTTON;
    if (!leftAlone || !state->armed) {
        SetCursor(state->normalCursor);
        state->dragging = false;
        return;
    }
    ContinueDrag(state, x);
}

void OnStripLeftUp(ImageListState* state, int x)
{
    if (!state->inputEnabled)
        return;
    state->armed = false;
    if (!state->dragging)
        return;
    state->pointerX = x;
    state->dropTarget = DropTarget(x, state->scrollPos, state->current, state->imageCount, state->layout);
    EndDrag(state);
    if (state->dropTarget != state->current)
        MoveCurrentImage(state, state->dropTarget);
    Redraw(state);
}

// Another window took the mouse: the drag ends where it began, nothing is moved.
void OnStripCaptureLost(ImageListState* state, HWND newCapture)
{
    if (newCapture == state->listWindow || !state->dragging)
        return;
    state->dragging = false;
    state->armed = false;
    SetCursor(state->normalCursor);
    Redraw(state);
}

void OnStripRightDown(ImageListState* state, int x)
{
    if (!state->inputEnabled || !state->menu)
        return;
    CancelDrag(state);
    state->pointerX = x;
    const int index = HitTest(x, state->scrollPos, state->layout);
    const bool onCard = index <= state->imageCount - 1;
    if (onCard)
        ChooseImage(state, index);
    const Image* current = ImageAt(state->context->document, state->current);
    EnableMenuPositions(state->menu, ContextMenuEnabling(onCard, state->imageCount, FactsOf(current)));
    ShowContextMenu(state, x);
}

void OnStripScroll(ImageListState* state, int request)
{
    switch (request) {
    case SB_LINELEFT:
    case SB_PAGELEFT: SetScrollPosition(state, state->scrollPos - 1); break;
    case SB_LINERIGHT:
    case SB_PAGERIGHT: SetScrollPosition(state, state->scrollPos + 1); break;
    case SB_THUMBTRACK: {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(state->listWindow, SB_HORZ, &info);
        SetScrollPosition(state, info.nTrackPos);
        break;
    }
    default: return;
    }
    Redraw(state);
}
