#include "tools/tool_dispatch.h"

#include "cursors.h"
#include "tools/tool_table.h"

ToolHandlers HandlersForTool(int tool)
{
    switch (tool) {
    case kRectSelectTool:
        return kRectSelectHandlers;
    case kMoveTool:
        return kMoveHandlers;
    case kMagicWandTool:
        return kMagicWandHandlers;
    case kPenTool:
        return kPenHandlers;
    case kEraserTool:
        return kEraserHandlers;
    case kPaintBucketTool:
        return kPaintBucketHandlers;
    case kGradientTool:
        return kGradientHandlers;
    case kBlurTool:
        return kBlurHandlers;
    case kHollowTextTool:
    case kFilledTextTool:
        return kTextHandlers;
    case kEllipseTool:
    case kFilledEllipseTool:
    case kRectangleTool:
    case kFilledRectangleTool:
        return kDraggedShapeHandlers;
    case kPolygonTool:
    case kFilledPolygonTool:
        return kPolygonHandlers;
    case kCustomShapeTool:
    case kFilledCustomShapeTool:
        return kCustomShapeHandlers;
    case kLineTool:
        return kLineHandlers;
    case kColorPickerTool:
        return kColorPickerHandlers;
    case kZoomInTool:
        return kZoomInHandlers;
    case kZoomOutTool:
        return kZoomOutHandlers;
    default:
        return {};  // not a tool: nothing happens
    }
}

namespace {

int CurrentTool(const EditAreaState& state)
{
    return state.context ? state.context->currentTool : -1;
}

ToolInput InputFromMessage(const EditAreaState& state, int x, int y, WPARAM keys)
{
    return {MapPointToPixel(state.view, x, y), (keys & MK_LBUTTON) != 0, (keys & MK_CONTROL) != 0,
            (keys & MK_SHIFT) != 0};
}

// A lost capture brings no message of its own with a position: take the pointer as it is now.
ToolInput InputAtPointer(const EditAreaState& state)
{
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(state.canvas, &point);
    return {MapPointToPixel(state.view, point.x, point.y), false, GetKeyState(VK_CONTROL) < 0,
            GetKeyState(VK_SHIFT) < 0};
}

// Presses outside the image, and presses of a tool that cannot act here, are ignored.
bool PressCounts(const EditAreaState& state, const ToolInput& input)
{
    return state.image && input.pixel.inside && ToolCanAct(CurrentCursorSituation(state, true));
}

void BeginDrag(EditAreaState& state, int tool, const PixelHit& pixel)
{
    SetCapture(state.canvas);
    state.dragging = true;
    state.dragTool = tool;
    state.anchor = {pixel.x, pixel.y};
}

// The tool that started the drag ends it, even if the toolbox changed meanwhile.
void EndDrag(EditAreaState& state, const ToolInput& input)
{
    const ToolHandlers handlers = HandlersForTool(state.dragTool);
    // Cleared first: releasing the capture below reports a capture change, and whatever the
    // up handler does must not end the drag a second time.
    state.dragging = false;
    if (handlers.up)
        handlers.up(state, input);
    if (GetCapture() == state.canvas)
        ReleaseCapture();
}

bool MultiClickInProgress(const EditAreaState& state)
{
    return state.dragging && HandlersForTool(state.dragTool).gesture == ToolGesture::kMultiClick;
}

void Press(EditAreaState& state, const ToolHandlers& handlers, const ToolInput& input)
{
    if (handlers.gesture == ToolGesture::kDrag ||
        (handlers.gesture == ToolGesture::kMultiClick && !state.dragging))
        BeginDrag(state, CurrentTool(state), input.pixel);
    if (handlers.down)
        handlers.down(state, input);
}

}  // namespace

void ToolButtonDown(EditAreaState& state, int x, int y, WPARAM keys)
{
    const ToolInput input = InputFromMessage(state, x, y, keys);
    if (!PressCounts(state, input))
        return;
    // Further presses of a clicked shape belong to it, whatever the toolbox shows now.
    if (MultiClickInProgress(state)) {
        const ToolHandlers handlers = HandlersForTool(state.dragTool);
        if (handlers.down)
            handlers.down(state, input);
        return;
    }
    Press(state, HandlersForTool(CurrentTool(state)), input);
}

void ToolDoubleClick(EditAreaState& state, int x, int y, WPARAM keys)
{
    const ToolInput input = InputFromMessage(state, x, y, keys);
    // The double click ends a clicked shape wherever the pointer is.
    if (MultiClickInProgress(state)) {
        EndDrag(state, input);
        return;
    }
    if (!PressCounts(state, input))
        return;
    const ToolHandlers handlers = HandlersForTool(CurrentTool(state));
    // Without a clicked shape in progress a double click of its tool does nothing.
    if (handlers.gesture == ToolGesture::kMultiClick)
        return;
    if (handlers.doubleClick)
        handlers.doubleClick(state, input);
    else
        Press(state, handlers, input);
}

void ToolMouseMove(EditAreaState& state, int x, int y, WPARAM keys)
{
    if (!state.dragging)
        return;
    const ToolHandlers handlers = HandlersForTool(state.dragTool);
    if (handlers.move)
        handlers.move(state, InputFromMessage(state, x, y, keys));
}

void ToolButtonUp(EditAreaState& state, int x, int y, WPARAM keys)
{
    // Without a drag there is nothing to end: click tools act on the press, and a drag whose
    // capture was taken away has already ended.
    if (state.dragging && !MultiClickInProgress(state))
        EndDrag(state, InputFromMessage(state, x, y, keys));
}

void ToolCaptureChanged(EditAreaState& state, HWND newOwner)
{
    // Another window took the capture (a message box, a menu, an alt-tab): the button-up will
    // not come here, so the drag ends now, exactly as a button-up would end it.
    if (state.dragging && newOwner != state.canvas)
        EndDrag(state, InputAtPointer(state));
}
