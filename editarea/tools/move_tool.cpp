// The move tool: drags the selected pixels of a raster layer, or a whole vector layer.
#include "common/messages.h"
#include "painting/layer_change.h"
#include "selection/selection_edits.h"
#include "tools/tool_table.h"

namespace {

void MoveDown(EditAreaState& state, const ToolInput&)
{
    if (state.context && state.image)
        RecordUndoEntry(state);
}

void MoveStep(EditAreaState& state, const ToolInput& input)
{
    const int dx = input.pixel.x - state.anchor.x;
    const int dy = input.pixel.y - state.anchor.y;
    if (dx == 0 && dy == 0)
        return;
    if (state.layer && state.layer->type == kRasterLayer)
        MoveSelectedContent(state, dx, dy);
    state.anchor = {input.pixel.x, input.pixel.y};
}

void MoveUp(EditAreaState& state, const ToolInput&)
{
    if (!state.context || !state.image)
        return;
    if (state.context->document)
        state.context->document->modified = 1;
    SendMessageW(state.parent, kEditAreaChanged, 0, 0);
}

}  // namespace

const ToolHandlers kMoveHandlers = {ToolGesture::kDrag, MoveDown, MoveStep, MoveUp, nullptr};
