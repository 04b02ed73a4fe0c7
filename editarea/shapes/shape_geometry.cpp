#include "shapes/shape_geometry.h"

#include <algorithm>
#include <cstdlib>

BrushRect DraggedRect(int anchorX, int anchorY, int x, int y)
{
    return {std::min(anchorX, x), std::min(anchorY, y), std::abs(x - anchorX) + 1, std::abs(y - anchorY) + 1};
}

BrushRect ShrunkForThinOutline(const BrushRect& rect)
{
    return {rect.x, rect.y, rect.width - 1, rect.height - 1};
}

CornerRadii ClampedRadii(const BrushRect& rect, int radiusX, int radiusY)
{
    return {std::min(radiusX, rect.width / 2), std::min(radiusY, rect.height / 2)};
}

int AddControlPoint(ControlPoint* points, int count, ControlPoint point)
{
    if (count >= kMaxControlPoints) {
        points[kMaxControlPoints - 1] = point;
        return kMaxControlPoints;
    }
    points[std::max(count, 0)] = point;
    return std::max(count, 0) + 1;
}

BrushRect GradientToolRect(int left, int top, int right, int bottom)
{
    return {left, top, right - left + 1, bottom - top + 1};
}
