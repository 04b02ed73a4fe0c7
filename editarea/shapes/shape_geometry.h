// The arithmetic of the shape tools: the dragged rectangle, the rounded corners' radii, the
// custom shape's point list and the gradient tool's rectangle. Platform-free.
#pragma once

#include "painting/brush_geometry.h"

// The rectangle from the anchor pixel to the pointer pixel, both inclusive.
BrushRect DraggedRect(int anchorX, int anchorY, int x, int y);

// A one-pixel outline without smoothing lies on the path's edges: one pixel less each way
// keeps it inside the dragged rectangle.
BrushRect ShrunkForThinOutline(const BrushRect& rect);

// The corner radii: the set ones, at most the integer halves of the rectangle.
struct CornerRadii {
    int x;
    int y;
};
CornerRadii ClampedRadii(const BrushRect& rect, int radiusX, int radiusY);

// A custom shape holds at most this many control points.
constexpr int kMaxControlPoints = 100;

struct ControlPoint {
    int x;
    int y;
};

// Appends the point; when the list is full the last point is replaced instead. Returns the
// new count.
int AddControlPoint(ControlPoint* points, int count, ControlPoint point);

// The gradient tool's rectangle from a bounding box whose right and bottom are exclusive.
BrushRect GradientToolRect(int left, int top, int right, int bottom);
