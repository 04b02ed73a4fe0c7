// Application messages between the main window and the panels, numbered from WM_APP.
#pragma once

#include <windows.h>

// To the image list.
constexpr UINT kImageListRefresh = WM_APP + 1;
constexpr UINT kImageListSelectImage = WM_APP + 13;
constexpr UINT kImageListNewImage = WM_APP + 16;
constexpr UINT kImageListDuplicateImage = WM_APP + 17;
constexpr UINT kImageListDeleteImage = WM_APP + 18;
constexpr UINT kImageListStandardFormats = WM_APP + 19;
constexpr UINT kImageListProperties = WM_APP + 20;
constexpr UINT kImageListAnimatedCursorProperties = WM_APP + 48;

// To the layers panel.
constexpr UINT kLayersRefresh = WM_APP + 1;
constexpr UINT kLayersReload = WM_APP + 5;
constexpr UINT kLayersNewRasterLayer = WM_APP + 8;
constexpr UINT kLayersDuplicateLayer = WM_APP + 9;
constexpr UINT kLayersDeleteLayers = WM_APP + 10;
constexpr UINT kLayersMergeSelected = WM_APP + 11;
constexpr UINT kLayersConvertToRaster = WM_APP + 12;
constexpr UINT kLayersMergeAll = WM_APP + 42;

// To the image list and the layers panel: input off (wParam 0) or on (wParam 1).
constexpr UINT kPanelInput = WM_APP + 43;

// To the color picker.
constexpr UINT kColorPickerDepth = WM_APP + 3;
constexpr UINT kColorPickerGradient = WM_APP + 4;

// To the toolbox and the tool options bar.
constexpr UINT kToolboxSelectTool = WM_APP + 96;
constexpr UINT kToolChanged = WM_APP + 80;

// To the editing area.
constexpr UINT kEditAreaRedraw = WM_APP + 100;
constexpr UINT kEditAreaLayerChanged = WM_APP + 101;
constexpr UINT kEditAreaImageChanged = WM_APP + 102;
constexpr UINT kEditAreaSelectionChanged = WM_APP + 105;
constexpr UINT kEditAreaCustomRotate = WM_APP + 107;
constexpr UINT kEditAreaScale = WM_APP + 108;
constexpr UINT kEditAreaCut = WM_APP + 109;
constexpr UINT kEditAreaFlipHorizontal = WM_APP + 110;
constexpr UINT kEditAreaFlipVertical = WM_APP + 111;
constexpr UINT kEditAreaRotateCW = WM_APP + 112;
constexpr UINT kEditAreaRotateCCW = WM_APP + 113;
constexpr UINT kEditAreaRotate180 = WM_APP + 114;
