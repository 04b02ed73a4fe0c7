// The move tool: drags the selected pixels of a raster layer, or a whole vector layer.
#include "common/messages.h"
#include "common/selection/selection_ops.h"
#include "painting/layer_change.h"
#include "selection/selection_edits.h"
#include "selection_view.h"
#include "shapes/vector_render.h"
#include "tools/tool_table.h"

namespace {

void MoveDown(EditAreaState& state, const ToolInput&)
{
    if (state.context && state.image)
        RecordUndoEntry(state);
}

bool IsVectorLayer(const Layer* layer)
{
    return layer && (layer->type == kFilledVectorLayer || layer->type == kOutlinedVectorLayer);
}

// The outline moves and the shape is drawn again from it: parts moved off the image are kept
// in the outline and come back.
void MoveVectorLayer(EditAreaState& state, int dx, int dy)
{
    Layer* layer = state.layer;
    if (!layer->path || !layer->bitmap)
        return;
    Gdiplus::Matrix shift(1, 0, 0, 1, float(dx), float(dy));
    layer->path->Transform(&shift);
    RenderVectorLayer(layer, state.image->width, state.image->height, state.image->bitsPerPixel);
    ShowLayerChange(state);
}

void MoveStep(EditAreaState& state, const ToolInput& input)
{
    const int dx = input.pixel.x - state.anchor.x;
    const int dy = input.pixel.y - state.anchor.y;
    if (dx == 0 && dy == 0)
        return;
    if (state.layer && state.layer->type == kRasterLayer)
        MoveSelectedContent(state, dx, dy);
    else if (IsVectorLayer(state.layer))
        MoveVectorLayer(state, dx, dy);
    state.anchor = {input.pixel.x, input.pixel.y};
}

void MoveUp(EditAreaState& state, const ToolInput&)
{
    if (!state.context || !state.image)
        return;
    if (state.context->document)
        state.context->document->modified = 1;
    SendMessageW(state.parent, kEditAreaChanged, 0, 0);
    // A vector layer is selected whole again, as it now is.
    if (IsVectorLayer(state.layer)) {
        ResetSelection(state.context);
        RebuildSelectionView(state);
    }
}

}  // namespace

const ToolHandlers kMoveHandlers = {ToolGesture::kDrag, MoveDown, MoveStep, MoveUp, nullptr};
