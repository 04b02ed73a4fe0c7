#include "cursors.h"

#include "panels/toolbox/toolrack.h"
#include "shapes/shape_finish.h"

void LoadToolCursors(EditAreaState& state)
{
    for (int i = 0; i < kCursorCount; i++)
        state.cursors[i] = LoadCursorW(state.instance, MAKEINTRESOURCEW(kCursorIds[i]));
    state.arrow = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    state.shownCursor = state.arrow;
}

void ReleaseToolCursors(EditAreaState& state)
{
    // Cursors loaded from resources are shared by the system; forgetting them is enough.
    for (HCURSOR& cursor : state.cursors)
        cursor = nullptr;
    state.arrow = nullptr;
    state.shownCursor = nullptr;
}

void ShowCursorById(EditAreaState& state, int id)
{
    HCURSOR cursor = state.arrow;
    for (int i = 0; i < kCursorCount; i++)
        if (kCursorIds[i] == id && state.cursors[i])
            cursor = state.cursors[i];
    state.shownCursor = cursor;
    SetCursor(cursor);
}

CursorSituation CurrentCursorSituation(const EditAreaState& state, bool overImage)
{
    CursorSituation situation;
    situation.tool = state.context ? state.context->currentTool : 0;
    situation.overImage = overImage && state.image;
    situation.transformPending = state.transformPending;
    situation.rasterLayer = state.layer && state.layer->type == kRasterLayer;
    situation.bitsPerPixel = state.image ? state.image->bitsPerPixel : 32;
    situation.layerCount = state.image ? state.image->layerCount : 0;
    // Without a shared options record the switches are taken as on, the stricter reading.
    situation.vectorLayerOption = true;
    if (state.context && state.context->toolOptions)
        situation.vectorLayerOption = ShapeOptionsOf(*state.context->toolOptions, situation.tool).vectorLayer;
    situation.zoom = state.view.zoom;
    situation.ctrl = state.ctrlHeld;
    situation.shift = state.shiftHeld;
    return situation;
}
