// Rounded rectangles as paths: four 90-degree arcs joined by straight edges.
#pragma once

#include <windows.h>
#include <gdiplus.h>

// Adds the outline of the rectangle (x, y, width, height) with corner arcs of the given
// diameter to path as one closed figure.
void AddRoundedRectangle(Gdiplus::GraphicsPath* path, float x, float y, float width, float height,
                         float diameter);
