// Resource and control identifiers of the editing area.
#pragma once

// Pictures: raw 32-bit pictures of type "RT_CIM".
#define IDP_CANCEL 126
#define IDP_APPLY 127

// Bitmaps.
#define IDB_SELECTION_PATTERN 123

// Controls of the controls strip.
#define IDC_SHOW_GRID 1001
#define IDC_APPLY 1002
#define IDC_CANCEL 1003
#define IDC_ANGLE 1004
#define IDC_WIDTH 1005
#define IDC_HEIGHT 1006
