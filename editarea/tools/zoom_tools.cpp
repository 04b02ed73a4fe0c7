// Zoom In and Zoom Out: a click steps the zoom by one, a double click goes to the limit; the
// view centers on the clicked pixel.
#include "cursors.h"
#include "tools/tool_table.h"
#include "view_update.h"

namespace {

void Zoom(EditAreaState& state, ZoomDirection direction, bool doubleClick, const PixelHit& pixel)
{
    ZoomAtPixel(state, direction, doubleClick, pixel.x, pixel.y);
    const int limit = direction == ZoomDirection::kIn ? kMaxZoom : kMinZoom;
    if (state.view.zoom == limit)
        ShowCursorById(state, kZoomLimitCursor);
}

void ZoomInClick(EditAreaState& state, const ToolInput& input)
{
    Zoom(state, ZoomDirection::kIn, false, input.pixel);
}

void ZoomInDoubleClick(EditAreaState& state, const ToolInput& input)
{
    Zoom(state, ZoomDirection::kIn, true, input.pixel);
}

void ZoomOutClick(EditAreaState& state, const ToolInput& input)
{
    Zoom(state, ZoomDirection::kOut, false, input.pixel);
}

void ZoomOutDoubleClick(EditAreaState& state, const ToolInput& input)
{
    Zoom(state, ZoomDirection::kOut, true, input.pixel);
}

}  // namespace

const ToolHandlers kZoomInHandlers = {ToolGesture::kClick, ZoomInClick, nullptr, nullptr, ZoomInDoubleClick};
const ToolHandlers kZoomOutHandlers = {ToolGesture::kClick, ZoomOutClick, nullptr, nullptr,
                                       ZoomOutDoubleClick};
