#include <algorithm>
#include <cmath>

#include "effects/effect_paint.h"

using namespace Gdiplus;

namespace {

// Coordinates are held to a range where the integer arithmetic of the effects cannot
// overflow; outlines beyond it are nonsense anyway.
constexpr float kFarthestCoordinate = 1 << 24;

int Whole(float value)
{
    if (!(value == value))  // NaN
        return 0;
    return int(std::clamp(value, -kFarthestCoordinate, kFarthestCoordinate));
}

}  // namespace

Rect IntegerBounds(const GraphicsPath* path)
{
    RectF bounds;
    if (path->GetBounds(&bounds) != Ok)
        return Rect();
    const int left = Whole(std::floor(bounds.X)), top = Whole(std::floor(bounds.Y));
    const int right = Whole(std::ceil(bounds.X + bounds.Width)), bottom = Whole(std::ceil(bounds.Y + bounds.Height));
    return Rect(left, top, right - left, bottom - top);
}
