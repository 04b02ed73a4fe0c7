// The colors of a panel (the toolbox, the editing area, the layers panel): the visual-style theme's button colors when a theme is active, the
// system colors otherwise.
#pragma once

#include <windows.h>

struct PanelColors {
    COLORREF frame;          // the highlight color
    COLORREF face;
    COLORREF text;
    COLORREF highlightText;
    COLORREF lightEdge;  // the sunken edges of the layers panel
    COLORREF shadow;
};

PanelColors LoadPanelColors();
