// The toolbox's one state record and the routines its window procedure calls.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include "common/back_buffer.h"
#include "common/app_context.h"
#include "common/panel_colors.h"

struct ToolboxState {
    HWND window;
    HWND parent;  // the main window
    AppContext* context;
    int currentTool;     // 0..21
    int hovered;         // 0..21, or kNoButton
    bool trackingLeave;  // leave notification requested
    int width;
    int height;
    BackBuffer buffer;
    PanelColors colors;
    Gdiplus::Bitmap* colorIcons;  // 440 x 20 strips, icon n at x = 20 n
    Gdiplus::Bitmap* grayIcons;
    Gdiplus::GraphicsPath* panelOutline;  // the rounded panel for the current size
    HWND tooltip;
};

// toolbox_paint.cpp
void RebuildPanelOutline(ToolboxState* state);
void RenderToolbox(const ToolboxState& state);
void LoadToolIcons(ToolboxState* state);
void ReleaseToolboxDrawing(ToolboxState* state);

// toolbox_tooltips.cpp
HWND CreateToolboxTooltips(HWND toolbox);
