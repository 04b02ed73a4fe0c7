// The protocol between the main window, the panels and the dialogs: every application
// message (numbered from WM_APP, 0x8000), the tool numbers of the toolbox and the cursor
// resources of the editing area. The .rc files include it for the cursor ids; everything
// else is C++ only.
#pragma once

// Cursor resources of the editing area (one per tool look, plus the refusals).
#define IDCUR_COLOR_PICKER 101
#define IDCUR_SELECTION 102
#define IDCUR_ELLIPSE 103
#define IDCUR_ERASER 104
#define IDCUR_FILLED_ELLIPSE 105
#define IDCUR_FILLED_POLYGON 106
#define IDCUR_FILLED_RECTANGLE 107
#define IDCUR_NOT_ALLOWED 108
#define IDCUR_GRADIENT 109
#define IDCUR_LINE 110
#define IDCUR_WAND 111
#define IDCUR_MOVE 112
#define IDCUR_PAINT_BUCKET 113
#define IDCUR_PEN 114
#define IDCUR_POLYGON 115
#define IDCUR_RECTANGLE 116
#define IDCUR_ZOOM_IN 117
#define IDCUR_ZOOM_OUT 118
#define IDCUR_HOLLOW_TEXT 119
#define IDCUR_BLUR 120
#define IDCUR_FILLED_TEXT 121
#define IDCUR_ZOOM_LIMIT 122
#define IDCUR_WAND_ADD 124
#define IDCUR_WAND_SUBTRACT 125
#define IDCUR_CUSTOM_SHAPE 129
#define IDCUR_FILLED_CUSTOM_SHAPE 130

#ifndef RC_INVOKED

#include <windows.h>

// ---- Tools ---------------------------------------------------------------------------------

// Tool numbers: the toolbox's buttons in order, AppContext::currentTool, WM_APP+80 and +96.
enum Tool : int {
    kRectSelectTool = 0,
    kMoveTool = 1,
    kMagicWandTool = 2,
    kPenTool = 3,
    kEraserTool = 4,
    kPaintBucketTool = 5,
    kGradientTool = 6,
    kBlurTool = 7,
    kHollowTextTool = 8,
    kFilledTextTool = 9,
    kEllipseTool = 10,
    kFilledEllipseTool = 11,
    kRectangleTool = 12,
    kFilledRectangleTool = 13,
    kPolygonTool = 14,
    kFilledPolygonTool = 15,
    kCustomShapeTool = 16,
    kFilledCustomShapeTool = 17,
    kLineTool = 18,
    kColorPickerTool = 19,
    kZoomInTool = 20,
    kZoomOutTool = 21,
};
constexpr int kToolCount = 22;

// An Image holds at most this many layers; every command that adds one checks it.
constexpr int kMaxLayers = 20;

// ---- Cursors -------------------------------------------------------------------------------

enum CursorId : int {
    kArrowCursor = 0,  // the system arrow, not a resource
    kColorPickerCursor = IDCUR_COLOR_PICKER,
    kSelectionCursor = IDCUR_SELECTION,
    kEllipseCursor = IDCUR_ELLIPSE,
    kEraserCursor = IDCUR_ERASER,
    kFilledEllipseCursor = IDCUR_FILLED_ELLIPSE,
    kFilledPolygonCursor = IDCUR_FILLED_POLYGON,
    kFilledRectangleCursor = IDCUR_FILLED_RECTANGLE,
    kNotAllowedCursor = IDCUR_NOT_ALLOWED,
    kGradientCursor = IDCUR_GRADIENT,
    kLineCursor = IDCUR_LINE,
    kWandCursor = IDCUR_WAND,
    kMoveCursor = IDCUR_MOVE,
    kPaintBucketCursor = IDCUR_PAINT_BUCKET,
    kPenCursor = IDCUR_PEN,
    kPolygonCursor = IDCUR_POLYGON,
    kRectangleCursor = IDCUR_RECTANGLE,
    kZoomInCursor = IDCUR_ZOOM_IN,
    kZoomOutCursor = IDCUR_ZOOM_OUT,
    kHollowTextCursor = IDCUR_HOLLOW_TEXT,
    kBlurCursor = IDCUR_BLUR,
    kFilledTextCursor = IDCUR_FILLED_TEXT,
    kZoomLimitCursor = IDCUR_ZOOM_LIMIT,
    kWandAddCursor = IDCUR_WAND_ADD,
    kWandSubtractCursor = IDCUR_WAND_SUBTRACT,
    kCustomShapeCursor = IDCUR_CUSTOM_SHAPE,
    kFilledCustomShapeCursor = IDCUR_FILLED_CUSTOM_SHAPE,
};

constexpr int kCursorIds[] = {
    IDCUR_COLOR_PICKER, IDCUR_SELECTION, IDCUR_ELLIPSE, IDCUR_ERASER, IDCUR_FILLED_ELLIPSE,
    IDCUR_FILLED_POLYGON, IDCUR_FILLED_RECTANGLE, IDCUR_NOT_ALLOWED, IDCUR_GRADIENT,
    IDCUR_LINE, IDCUR_WAND, IDCUR_MOVE, IDCUR_PAINT_BUCKET, IDCUR_PEN, IDCUR_POLYGON,
    IDCUR_RECTANGLE, IDCUR_ZOOM_IN, IDCUR_ZOOM_OUT, IDCUR_HOLLOW_TEXT, IDCUR_BLUR,
    IDCUR_FILLED_TEXT, IDCUR_ZOOM_LIMIT, IDCUR_WAND_ADD, IDCUR_WAND_SUBTRACT,
    IDCUR_CUSTOM_SHAPE, IDCUR_FILLED_CUSTOM_SHAPE};
constexpr int kCursorCount = sizeof(kCursorIds) / sizeof(kCursorIds[0]);

// ---- Messages ------------------------------------------------------------------------------
// Each number has one name. "To X" is the receiver; the main window fans reports out.

// To the image list and the layers panel: redraw (the layers panel takes wParam 1 as
// "the current layer changed, rebuild the composite").
constexpr UINT kPanelRefresh = WM_APP + 1;
// To the main window, from a settings dialog after applying: wParam 0 also resets the selection.
constexpr UINT kDialogApplied = WM_APP + 2;
// To the color picker: the current Image's depth (wParam) and gradient on/off (wParam).
constexpr UINT kColorPickerDepth = WM_APP + 3;
constexpr UINT kColorPickerGradient = WM_APP + 4;
// To the layers panel: reload the layer list of the current Image.
constexpr UINT kLayersReload = WM_APP + 5;
// To the main window, from the layers panel: the Image (+6) or only the layer (+7) changed;
// wParam non-zero rebuilds the selection from its region, 0 resets it.
constexpr UINT kLayersChangedImage = WM_APP + 6;
constexpr UINT kLayersChangedLayer = WM_APP + 7;
// To the layers panel: the Layers menu.
constexpr UINT kLayersNewRasterLayer = WM_APP + 8;
constexpr UINT kLayersDuplicateLayer = WM_APP + 9;
constexpr UINT kLayersDeleteLayers = WM_APP + 10;
constexpr UINT kLayersMergeSelected = WM_APP + 11;
constexpr UINT kLayersConvertToRaster = WM_APP + 12;
// To the image list: select the Image of wParam and reload the strip.
constexpr UINT kImageListSelectImage = WM_APP + 13;
// To the main window, from the image list: the list changed (+14), the current Image
// changed (+15). +21 is accepted from any window and reselects the current Image.
constexpr UINT kImageListChanged = WM_APP + 14;
constexpr UINT kImageListCurrentChanged = WM_APP + 15;
constexpr UINT kImageReselected = WM_APP + 21;
// To the image list: the Images menu.
constexpr UINT kImageListNewImage = WM_APP + 16;
constexpr UINT kImageListDuplicateImage = WM_APP + 17;
constexpr UINT kImageListDeleteImage = WM_APP + 18;
constexpr UINT kImageListStandardFormats = WM_APP + 19;
constexpr UINT kImageListProperties = WM_APP + 20;
constexpr UINT kImageListAnimatedCursorProperties = WM_APP + 48;
// To the icon-library dialog, from its worker thread.
constexpr UINT kLibraryProgress = WM_APP + 23;
constexpr UINT kLibraryFailed = WM_APP + 24;
constexpr UINT kLibraryDone = WM_APP + 25;
// To the main window: record an undo ring. +26 move (wParam from, lParam to), +27 change
// (wParam index), +28 delete (wParam index), +29 new (wParam index), +30 standard formats
// (wParam first, lParam last).
constexpr UINT kUndoMoveRing = WM_APP + 26;
constexpr UINT kUndoChangeRing = WM_APP + 27;
constexpr UINT kUndoDeleteRing = WM_APP + 28;
constexpr UINT kUndoNewRing = WM_APP + 29;
constexpr UINT kUndoStandardFormatsRing = WM_APP + 30;
// To the layers panel: "Merge All Layers".
constexpr UINT kLayersMergeAll = WM_APP + 42;
// To the image list and the layers panel: input off (wParam 0) or on (wParam 1).
constexpr UINT kPanelInput = WM_APP + 43;
// To the color picker, posted to itself: number box 1004 to 1007 changed.
constexpr UINT kColorBoxRedChanged = WM_APP + 44;
constexpr UINT kColorBoxGreenChanged = WM_APP + 45;
constexpr UINT kColorBoxBlueChanged = WM_APP + 46;
constexpr UINT kColorBoxAlphaChanged = WM_APP + 47;
// From the toolbox to the main window (wParam new tool, lParam previous), passed on to the
// tool options bar.
constexpr UINT kToolChanged = WM_APP + 80;
// To the tool options bar, posted to itself when one of its number boxes changed.
constexpr UINT kWandColorEdited = WM_APP + 81;
constexpr UINT kWandAlphaEdited = WM_APP + 82;
constexpr UINT kPenSizeEdited = WM_APP + 83;
constexpr UINT kEraserSizeEdited = WM_APP + 84;
constexpr UINT kBlurSizeEdited = WM_APP + 85;
constexpr UINT kLineSizeEdited = WM_APP + 87;
constexpr UINT kEllipseSizeEdited = WM_APP + 88;
constexpr UINT kRectangleSizeEdited = WM_APP + 89;
constexpr UINT kRectangleRadiusXEdited = WM_APP + 90;
constexpr UINT kRectangleRadiusYEdited = WM_APP + 91;
constexpr UINT kFilledRectangleRadiusXEdited = WM_APP + 92;
constexpr UINT kFilledRectangleRadiusYEdited = WM_APP + 93;
constexpr UINT kPolygonSizeEdited = WM_APP + 94;
constexpr UINT kCustomShapeSizeEdited = WM_APP + 97;
constexpr UINT kTextSizeEdited = WM_APP + 98;
// The text tools' Apply: from the tool options bar to the main window, sent on to the
// editing area.
constexpr UINT kTextApply = WM_APP + 86;
// To the tool options bar, from the editing area: copy the text box into ToolOptions.
constexpr UINT kCopyTypedText = WM_APP + 95;
// To the toolbox: choose the tool of wParam.
constexpr UINT kToolboxSelectTool = WM_APP + 96;
// To the editing area.
constexpr UINT kEditAreaRedraw = WM_APP + 100;
constexpr UINT kEditAreaLayerChanged = WM_APP + 101;
constexpr UINT kEditAreaImageChanged = WM_APP + 102;
constexpr UINT kEditAreaSelectionChanged = WM_APP + 105;
constexpr UINT kEditAreaUndone = WM_APP + 106;
constexpr UINT kEditAreaCustomRotate = WM_APP + 107;
constexpr UINT kEditAreaScale = WM_APP + 108;
constexpr UINT kEditAreaCut = WM_APP + 109;
constexpr UINT kEditAreaFlipHorizontal = WM_APP + 110;
constexpr UINT kEditAreaFlipVertical = WM_APP + 111;
constexpr UINT kEditAreaRotateCW = WM_APP + 112;
constexpr UINT kEditAreaRotateCCW = WM_APP + 113;
constexpr UINT kEditAreaRotate180 = WM_APP + 114;
// To the main window, from the editing area: the color picker tool picked the primary color
// (+103), the drawing changed (+104, wParam 1 when the current layer changed), a pending
// transformation was applied or cancelled (+115).
constexpr UINT kEditAreaPickedColor = WM_APP + 103;
constexpr UINT kEditAreaChanged = WM_APP + 104;
constexpr UINT kTransformationEnded = WM_APP + 115;
// To a settings dialog, posted to itself to check an edit after it finished its own change.
constexpr UINT kValidateOpacity = WM_APP + 250;
constexpr UINT kValidateBevel = WM_APP + 251;
constexpr UINT kValidateColorize = WM_APP + 252;
constexpr UINT kValidateContrast = WM_APP + 253;
constexpr UINT kValidateHsl = WM_APP + 254;
constexpr UINT kValidateShadow = WM_APP + 255;

#endif  // RC_INVOKED
