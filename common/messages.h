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

// The platform's application message base. The header stays free of Win32 so that the
// platform-free code (and its native tests) can use the tool and cursor numbers too.
constexpr unsigned kAppMessageBase = 0x8000;
#ifdef WM_APP
static_assert(kAppMessageBase == WM_APP, "application messages start at WM_APP");
#endif

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
constexpr unsigned kPanelRefresh = kAppMessageBase + 1;
// To the main window, from a settings dialog after applying: wParam 0 also resets the selection.
constexpr unsigned kDialogApplied = kAppMessageBase + 2;
// To the color picker: the current Image's depth (wParam) and gradient on/off (wParam).
constexpr unsigned kColorPickerDepth = kAppMessageBase + 3;
constexpr unsigned kColorPickerGradient = kAppMessageBase + 4;
// To the layers panel: reload the layer list of the current Image.
constexpr unsigned kLayersReload = kAppMessageBase + 5;
// To the main window, from the layers panel: the Image (+6) or only the layer (+7) changed;
// wParam non-zero rebuilds the selection from its region, 0 resets it.
constexpr unsigned kLayersChangedImage = kAppMessageBase + 6;
constexpr unsigned kLayersChangedLayer = kAppMessageBase + 7;
// To the layers panel: the Layers menu.
constexpr unsigned kLayersNewRasterLayer = kAppMessageBase + 8;
constexpr unsigned kLayersDuplicateLayer = kAppMessageBase + 9;
constexpr unsigned kLayersDeleteLayers = kAppMessageBase + 10;
constexpr unsigned kLayersMergeSelected = kAppMessageBase + 11;
constexpr unsigned kLayersConvertToRaster = kAppMessageBase + 12;
// To the image list: select the Image of wParam and reload the strip.
constexpr unsigned kImageListSelectImage = kAppMessageBase + 13;
// To the main window, from the image list: the list changed (+14), the current Image
// changed (+15). +21 is accepted from any window and reselects the current Image.
constexpr unsigned kImageListChanged = kAppMessageBase + 14;
constexpr unsigned kImageListCurrentChanged = kAppMessageBase + 15;
constexpr unsigned kImageReselected = kAppMessageBase + 21;
// To the image list: the Images menu.
constexpr unsigned kImageListNewImage = kAppMessageBase + 16;
constexpr unsigned kImageListDuplicateImage = kAppMessageBase + 17;
constexpr unsigned kImageListDeleteImage = kAppMessageBase + 18;
constexpr unsigned kImageListStandardFormats = kAppMessageBase + 19;
constexpr unsigned kImageListProperties = kAppMessageBase + 20;
constexpr unsigned kImageListAnimatedCursorProperties = kAppMessageBase + 48;
// To the icon-library dialog, from its worker thread.
constexpr unsigned kLibraryProgress = kAppMessageBase + 23;
constexpr unsigned kLibraryFailed = kAppMessageBase + 24;
constexpr unsigned kLibraryDone = kAppMessageBase + 25;
// To the main window: record an undo ring. +26 move (wParam from, lParam to), +27 change
// (wParam index), +28 delete (wParam index), +29 new (wParam index), +30 standard formats
// (wParam first, lParam last).
constexpr unsigned kUndoMoveRing = kAppMessageBase + 26;
constexpr unsigned kUndoChangeRing = kAppMessageBase + 27;
constexpr unsigned kUndoDeleteRing = kAppMessageBase + 28;
constexpr unsigned kUndoNewRing = kAppMessageBase + 29;
constexpr unsigned kUndoStandardFormatsRing = kAppMessageBase + 30;
// To the layers panel: "Merge All Layers".
constexpr unsigned kLayersMergeAll = kAppMessageBase + 42;
// To the image list and the layers panel: input off (wParam 0) or on (wParam 1).
constexpr unsigned kPanelInput = kAppMessageBase + 43;
// To the color picker, posted to itself: number box 1004 to 1007 changed.
constexpr unsigned kColorBoxRedChanged = kAppMessageBase + 44;
constexpr unsigned kColorBoxGreenChanged = kAppMessageBase + 45;
constexpr unsigned kColorBoxBlueChanged = kAppMessageBase + 46;
constexpr unsigned kColorBoxAlphaChanged = kAppMessageBase + 47;
// From the toolbox to the main window (wParam new tool, lParam previous), passed on to the
// tool options bar.
constexpr unsigned kToolChanged = kAppMessageBase + 80;
// To the tool options bar, posted to itself when one of its number boxes changed.
constexpr unsigned kWandColorEdited = kAppMessageBase + 81;
constexpr unsigned kWandAlphaEdited = kAppMessageBase + 82;
constexpr unsigned kPenSizeEdited = kAppMessageBase + 83;
constexpr unsigned kEraserSizeEdited = kAppMessageBase + 84;
constexpr unsigned kBlurSizeEdited = kAppMessageBase + 85;
constexpr unsigned kLineSizeEdited = kAppMessageBase + 87;
constexpr unsigned kEllipseSizeEdited = kAppMessageBase + 88;
constexpr unsigned kRectangleSizeEdited = kAppMessageBase + 89;
constexpr unsigned kRectangleRadiusXEdited = kAppMessageBase + 90;
constexpr unsigned kRectangleRadiusYEdited = kAppMessageBase + 91;
constexpr unsigned kFilledRectangleRadiusXEdited = kAppMessageBase + 92;
constexpr unsigned kFilledRectangleRadiusYEdited = kAppMessageBase + 93;
constexpr unsigned kPolygonSizeEdited = kAppMessageBase + 94;
constexpr unsigned kCustomShapeSizeEdited = kAppMessageBase + 97;
constexpr unsigned kTextSizeEdited = kAppMessageBase + 98;
// The text tools' Apply: from the tool options bar to the main window, sent on to the
// editing area.
constexpr unsigned kTextApply = kAppMessageBase + 86;
// To the tool options bar, from the editing area: copy the text box into ToolOptions.
constexpr unsigned kCopyTypedText = kAppMessageBase + 95;
// To the toolbox: choose the tool of wParam.
constexpr unsigned kToolboxSelectTool = kAppMessageBase + 96;
// To the editing area.
constexpr unsigned kEditAreaRedraw = kAppMessageBase + 100;
constexpr unsigned kEditAreaLayerChanged = kAppMessageBase + 101;
constexpr unsigned kEditAreaImageChanged = kAppMessageBase + 102;
constexpr unsigned kEditAreaSelectionChanged = kAppMessageBase + 105;
constexpr unsigned kEditAreaUndone = kAppMessageBase + 106;
constexpr unsigned kEditAreaCustomRotate = kAppMessageBase + 107;
constexpr unsigned kEditAreaScale = kAppMessageBase + 108;
constexpr unsigned kEditAreaCut = kAppMessageBase + 109;
constexpr unsigned kEditAreaFlipHorizontal = kAppMessageBase + 110;
constexpr unsigned kEditAreaFlipVertical = kAppMessageBase + 111;
constexpr unsigned kEditAreaRotateCW = kAppMessageBase + 112;
constexpr unsigned kEditAreaRotateCCW = kAppMessageBase + 113;
constexpr unsigned kEditAreaRotate180 = kAppMessageBase + 114;
// To the main window, from the editing area: the color picker tool picked the primary color
// (+103), the drawing changed (+104, wParam 1 when the current layer changed), a pending
// transformation was applied or cancelled (+115).
constexpr unsigned kEditAreaPickedColor = kAppMessageBase + 103;
constexpr unsigned kEditAreaChanged = kAppMessageBase + 104;
constexpr unsigned kTransformationEnded = kAppMessageBase + 115;
// To a settings dialog, posted to itself to check an edit after it finished its own change.
constexpr unsigned kValidateOpacity = kAppMessageBase + 250;
constexpr unsigned kValidateBevel = kAppMessageBase + 251;
constexpr unsigned kValidateColorize = kAppMessageBase + 252;
constexpr unsigned kValidateContrast = kAppMessageBase + 253;
constexpr unsigned kValidateHsl = kAppMessageBase + 254;
constexpr unsigned kValidateShadow = kAppMessageBase + 255;

#endif  // RC_INVOKED
