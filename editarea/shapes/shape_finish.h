// What every shape tool does once its path is complete: draw it into the current layer
// (clipped to the selection) or make it a new vector layer, and report the change.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include "edit_area_state.h"

struct ToolOptions;

// A shape tool's options as one record.
struct ShapeToolOptions {
    int penWidth;      // the hollow variants' brush size, 1..50
    bool antialiased;
    bool vectorLayer;
    bool rounded;      // the two rectangle tools
    int radiusX;       // 1..100
    int radiusY;
};

bool IsFilledShapeTool(int tool);
ShapeToolOptions ShapeOptionsOf(const ToolOptions& options, int tool);

// The shape kind stored in a vector layer made by the tool.
uint8_t ShapeKindOf(int tool);

// Draws the finished `path` of `tool` (taking it) as the tool's options say, with the undo
// entry before and the report, the modified flag and the selection content after.
void FinishShape(EditAreaState& state, int tool, Gdiplus::GraphicsPath* path);
