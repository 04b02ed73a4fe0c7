#include "cursor_choice.h"

namespace {

bool IsShapeTool(int tool)
{
    return tool >= kEllipseTool && tool <= kFilledCustomShapeTool;
}

bool NeedsRasterLayer(int tool)
{
    return tool != kMoveTool && tool != kColorPickerTool && tool != kZoomInTool && tool != kZoomOutTool;
}

bool AddsLayer(const CursorSituation& situation)
{
    const int tool = situation.tool;
    if (tool == kHollowTextTool || tool == kFilledTextTool)
        return true;
    return IsShapeTool(tool) && situation.vectorLayerOption;
}

int WandCursor(const CursorSituation& situation)
{
    if (situation.ctrl)
        return kWandAddCursor;
    return situation.shift ? kWandSubtractCursor : kWandCursor;
}

int ZoomCursor(int tool, int zoom)
{
    if (tool == kZoomInTool)
        return zoom >= 30 ? kZoomLimitCursor : kZoomInCursor;
    return zoom <= 1 ? kZoomLimitCursor : kZoomOutCursor;
}

}  // namespace

bool ToolCanAct(const CursorSituation& situation)
{
    if (situation.transformPending)
        return false;
    if (NeedsRasterLayer(situation.tool) && !situation.rasterLayer)
        return false;
    if (situation.tool == kGradientTool && situation.bitsPerPixel < 24)
        return false;
    if (situation.tool == kBlurTool && situation.bitsPerPixel < 32)
        return false;
    if (AddsLayer(situation) && situation.layerCount >= kMaxLayers)
        return false;
    return true;
}

int CursorForSituation(const CursorSituation& situation)
{
    static constexpr int kToolCursors[] = {
        kSelectionCursor, kMoveCursor, kWandCursor, kPenCursor, kEraserCursor, kPaintBucketCursor,
        kGradientCursor, kBlurCursor, kHollowTextCursor, kFilledTextCursor, kEllipseCursor,
        kFilledEllipseCursor, kRectangleCursor, kFilledRectangleCursor, kPolygonCursor,
        kFilledPolygonCursor, kCustomShapeCursor, kFilledCustomShapeCursor, kLineCursor,
        kColorPickerCursor, kZoomInCursor, kZoomOutCursor,
    };
    const int tool = situation.tool;
    if (!situation.overImage || tool < 0 || tool > kZoomOutTool)
        return kArrowCursor;
    if (!ToolCanAct(situation))
        return kNotAllowedCursor;
    if (tool == kMagicWandTool)
        return WandCursor(situation);
    if (tool == kZoomInTool || tool == kZoomOutTool)
        return ZoomCursor(tool, situation.zoom);
    return kToolCursors[tool];
}
