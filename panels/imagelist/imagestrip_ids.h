// imagestrip resources, grouped by kind. Shared by the .rc file and the code.
#pragma once

// Cursors (32 x 32 monochrome).
#define IDCUR_HAND_POINT 101
#define IDCUR_HAND_GRAB 102

// Menus: the strip's context menu (its first submenu, "IMAGE").
#define IDM_IMAGE_MENU 105

// Commands of the context menu, by position.
#define IDM_CREATE_IMAGE 32778
#define IDM_DUPLICATE_IMAGE 32779
#define IDM_DELETE_IMAGE 32780
#define IDM_IMAGE_PROPERTIES 32781
#define IDM_ANIMATED_CURSOR_PROPERTIES 32789
#define IDM_EXPORT_IMAGE 32784
#define IDM_STANDARD_FORMATS 32785

// Dialogs.
#define IDD_ANIMATED_CURSOR_PROPERTIES 106
#define IDD_STANDARD_FORMATS 107
#define IDD_IMAGE_PROPERTIES 108

// Image Properties.
#define IDC_HOTSPOT_X 1000
#define IDC_HOTSPOT_Y 1001
#define IDC_DEPTH_LIST 1002
#define IDC_WIDTH 1003
#define IDC_HEIGHT 1004
#define IDC_PROPERTIES_PREVIEW 1005
#define IDC_DISPLAY_RATE 1006
#define IDC_WIDTH_SPIN 1007
#define IDC_HEIGHT_SPIN 1008
#define IDC_DISPLAY_RATE_SPIN 1009
#define IDC_ALPHA_THRESHOLD 1010
#define IDC_DITHERING_LEVEL 1011

// Standard Formats.
#define IDC_SF_ALPHA_THRESHOLD 1012
#define IDC_SF_DITHER_256 1013
#define IDC_SF_PREVIEW 1015
#define IDC_SF_DITHER_16 1016

// Animated Cursor Properties.
#define IDC_ANIMATION_PREVIEW 1027
#define IDC_CREATOR 1028
#define IDC_TITLE 1029
