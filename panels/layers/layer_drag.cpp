// The mouse on the list: picking, selecting with Ctrl, the visibility square, dragging a
// row to a new place, and the context menu.
#include <windows.h>

#include "common/document_ops.h"
#include "common/messages.h"
#include "layer_geometry.h"
#include "layer_state.h"
#include "layerpane_ids.h"

namespace {

int LayerCount(const LayerPanelState& state)
{
    return state.image ? state.image->layerCount : 0;
}

int LayerUnder(LayerPanelState* state, int y)
{
    ShownImage(state);
    return LayerAtPointer(LayerCount(*state), state->scrollPos, y);
}

bool IsRaster(const LayerPanelState& state, int layer)
{
    const Layer* found = LayerAt(state.image, layer);
    return found && found->type == kRasterLayer;
}

// A left click on a row makes it current; a hidden layer is shown, since it is about to
// be drawn on.
void PickLayer(LayerPanelState* state, int layer)
{
    if (layer != state->current) {
        SetCurrentLayer(state, layer);
        if (!VisibilityBit(state->image->visibleLayers, layer)) {
            state->image->visibleLayers = SetVisibilityBit(state->image->visibleLayers, layer, true);
            RecompositeImage(state->image);
            ReportChange(state, kLayersChangedImage, true, true);
        }
        ReportChange(state, kLayersChangedLayer, IsRaster(*state, layer), true);
    }
    state->selected = 1u << (state->current % 32);
    state->armed = true;
}

void EndDrag(LayerPanelState* state)
{
    state->dragging = false;
    state->armed = false;
    SetCursor(state->normalCursor);
}

void FollowPointer(LayerPanelState* state, int x, int y)
{
    state->dragging = true;
    state->pointerX = x;
    state->pointerY = y;
    SetCursor(state->dragCursor);
    if (GetCapture() != state->list)
        SetCapture(state->list);
    if (y > state->listHeight && state->scrollPos < state->maxScrollPos)
        SetScrollPosition(state, state->scrollPos + 1);
    if (y < 0 && state->scrollPos > 0)
        SetScrollPosition(state, state->scrollPos - 1);
    RedrawList(state);
}

void EnableItem(HMENU popup, UINT command, bool enabled)
{
    EnableMenuItem(popup, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void ShowContextMenu(LayerPanelState* state, int x, int y)
{
    HMENU popup = state->menu ? GetSubMenu(state->menu, 0) : nullptr;
    if (!popup)
        return;
    for (UINT command = IDM_CREATE_RASTER_LAYER; command <= IDM_MERGE_ALL; command++)
        EnableItem(popup, command, CommandAllowed(*state, command));
    POINT screen{x, y};
    ClientToScreen(state->list, &screen);
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, state->list,
                   nullptr);
}

}  // namespace

void OnListLeftDown(LayerPanelState* state, int x, int y, WPARAM keys)
{
    if (!state->inputEnabled)
        return;
    const int layer = LayerUnder(state, y);
    state->armed = false;
    if (layer == kNoLayer)
        return;
    if (keys & MK_CONTROL)
        state->selected ^= 1u << (layer % 32);
    else if (OnVisibilitySquare(x, y))
        ToggleVisibility(state, layer);
    else
        PickLayer(state, layer);
    RedrawList(state);
}

void OnListMouseMove(LayerPanelState* state, int x, int y, WPARAM keys)
{
    if (!state->inputEnabled)
        return;
    SetFocus(state->context->mainWindow);  // the main window keeps the keyboard
    if ((keys & MK_LBUTTON) && state->armed && state->image)
        FollowPointer(state, x, y);
    else
        SetCursor(state->normalCursor);
}

void OnListLeftUp(LayerPanelState* state, int, int y)
{
    if (!state->inputEnabled || !state->dragging) {
        state->armed = false;
        return;
    }
    EndDrag(state);  // before the release, whose capture notice must not end a drag twice
    ReleaseCapture();
    ShownImage(state);
    const int target = DropPosition(LayerCount(*state), state->scrollPos, state->current, y);
    if (target != state->current)
        MoveCurrentLayer(state, target);
    RedrawList(state);
}

// Another window took the mouse (a message box, a task switch): the drag ends where it
// is, without a drop.
void OnListCaptureLost(LayerPanelState* state, HWND newOwner)
{
    if (newOwner == state->list || !state->dragging)
        return;
    EndDrag(state);
    RedrawList(state);
}

void OnListRightDown(LayerPanelState* state, int x, int y)
{
    if (!state->inputEnabled)
        return;
    const int layer = LayerUnder(state, y);
    if (layer != kNoLayer && !((state->selected >> (layer % 32)) & 1u)) {
        SetCurrentLayer(state, layer);
        ReportChange(state, kLayersChangedLayer, false, true);
        RedrawList(state);
    }
    ShowContextMenu(state, x, y);
}
