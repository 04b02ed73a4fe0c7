// Which cursor the canvas shows for the current tool. Platform-free.
#pragma once

// Cursor resources of the library.
enum CursorId : int {
    kArrowCursor = 0,  // the system arrow
    kColorPickerCursor = 101,
    kSelectionCursor = 102,
    kEllipseCursor = 103,
    kEraserCursor = 104,
    kFilledEllipseCursor = 105,
    kFilledPolygonCursor = 106,
    kFilledRectangleCursor = 107,
    kNotAllowedCursor = 108,
    kGradientCursor = 109,
    kLineCursor = 110,
    kWandCursor = 111,
    kMoveCursor = 112,
    kPaintBucketCursor = 113,
    kPenCursor = 114,
    kPolygonCursor = 115,
    kRectangleCursor = 116,
    kZoomInCursor = 117,
    kZoomOutCursor = 118,
    kHollowTextCursor = 119,
    kBlurCursor = 120,
    kFilledTextCursor = 121,
    kZoomLimitCursor = 122,
    kWandAddCursor = 124,
    kWandSubtractCursor = 125,
    kCustomShapeCursor = 129,
    kFilledCustomShapeCursor = 130,
};

constexpr int kCursorIds[] = {101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113,
                              114, 115, 116, 117, 118, 119, 120, 121, 122, 124, 125, 129, 130};
constexpr int kCursorCount = sizeof(kCursorIds) / sizeof(kCursorIds[0]);

// Tool numbers of the toolbox.
enum Tool : int {
    kRectSelectTool = 0, kMoveTool = 1, kMagicWandTool = 2, kPenTool = 3, kEraserTool = 4,
    kPaintBucketTool = 5, kGradientTool = 6, kBlurTool = 7, kHollowTextTool = 8, kFilledTextTool = 9,
    kEllipseTool = 10, kFilledEllipseTool = 11, kRectangleTool = 12, kFilledRectangleTool = 13,
    kPolygonTool = 14, kFilledPolygonTool = 15, kCustomShapeTool = 16, kFilledCustomShapeTool = 17,
    kLineTool = 18, kColorPickerTool = 19, kZoomInTool = 20, kZoomOutTool = 21,
};

constexpr int kMaxLayers = 20;

struct CursorSituation {
    int tool = 0;
    bool overImage = false;
    bool transformPending = false;
    bool rasterLayer = false;       // the current layer exists and is a raster layer
    int bitsPerPixel = 32;          // stored depth of the current image
    int layerCount = 0;             // layers of the current image
    bool vectorLayerOption = true;  // the current shape tool draws on a new vector layer
    int zoom = 1;
    bool ctrl = false;
    bool shift = false;
};

// The cursor resource to show, or kArrowCursor.
int CursorForSituation(const CursorSituation& situation);

// Whether the tool can act at all in this situation (the not-allowed cursor shows otherwise).
bool ToolCanAct(const CursorSituation& situation);
