// Resource and control identifiers of swatch, grouped by kind. Shared by the .rc file and
// the code.
#pragma once

// Bitmaps.
#define IDB_PALETTE_STRIP 101
#define IDB_PREVIEW_BACK 105

// Cursors: over the palette strip, over the preview square.
#define IDCUR_SWATCH_PALETTE 104
#define IDCUR_SWATCH_PREVIEW 106

// Pictures (raw 32-bit, type "REAL32").
#define IDP_SWAP 109

// Controls of the panel.
#define IDC_RED_SLIDER 1000
#define IDC_GREEN_SLIDER 1001
#define IDC_BLUE_SLIDER 1002
#define IDC_ALPHA_SLIDER 1003
#define IDC_RED_BOX 1004
#define IDC_GREEN_BOX 1005
#define IDC_BLUE_BOX 1006
#define IDC_ALPHA_BOX 1007
#define IDC_USE_GRADIENT 1008
#define IDC_LINEAR 1009
#define IDC_RADIAL 1010
#define IDC_BELL_BLEND 1012
#define IDC_FACTOR_BLEND 1013
#define IDC_BLEND_FOCUS 1014
#define IDC_BLEND_SCALE 1015
#define IDC_BLEND_FACTOR 1016
#define IDC_BLEND_POSITION 1017
