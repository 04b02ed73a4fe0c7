// Resource ids of layerpane, grouped by kind. Shared by the .rc file and the code.
#pragma once

// Pictures: the thumbnail backdrop (a 24-bit bitmap) and the raw 32-bit row icons ("REAL32").
#define IDB_CHECKERBOARD 104
#define IDP_BRUSH 109
#define IDP_EYE 110

// Cursors.
#define IDC_GRAB_HAND 106
#define IDC_POINT_HAND 108

// Menus.
#define IDM_LAYER_MENU 107

// Commands of the context menu, by position.
#define IDM_CREATE_RASTER_LAYER 40001
#define IDM_DUPLICATE_LAYER 40002
#define IDM_DELETE_LAYERS 40003
#define IDM_MERGE_SELECTED 40004
#define IDM_CONVERT_TO_RASTER 40005
#define IDM_MERGE_ALL 40006
