#include "painting/brush_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

BrushRect EnlargedBrushRect(const BrushRect& rect)
{
    return {rect.x - 1, rect.y - 1, rect.width + 1, rect.height + 1};
}

BrushKind PaintingBrushKind(int bitsPerPixel, bool useGradient, GradientForce force, uint32_t gradientKind)
{
    if (bitsPerPixel < 24)
        return BrushKind::kSolid;
    if (!useGradient && force == GradientForce::kAsSet)
        return BrushKind::kSolid;
    switch (gradientKind) {
    case 1:
        return BrushKind::kLinear;
    case 2:
        return BrushKind::kRadial;
    default:
        return BrushKind::kSolid;
    }
}

RadialCircle RadialGradientCircle(const BrushRect& enlarged, int centerXPercent, int centerYPercent)
{
    // The settings hold 0..100; anything else is kept inside so the arithmetic cannot overflow.
    const int px = std::clamp(centerXPercent, 0, 100);
    const int py = std::clamp(centerYPercent, 0, 100);
    const int cx = enlarged.x + px * enlarged.width / 100;
    const int cy = enlarged.y + py * enlarged.height / 100;
    const int dx = std::max(std::abs(cx - enlarged.x), std::abs(cx - (enlarged.x + enlarged.width)));
    const int dy = std::max(std::abs(cy - enlarged.y), std::abs(cy - (enlarged.y + enlarged.height)));
    const double distance = std::sqrt(double(dx) * dx + double(dy) * dy);
    return {cx, cy, int(std::floor(distance)) + 1};
}

float PercentFraction(float percent)
{
    if (!(percent > 0.0f))  // also NaN
        return 0.0f;
    return percent >= 100.0f ? 1.0f : percent / 100.0f;
}

ThreePointBlend BlendFromPercents(float factorPercent, float positionPercent)
{
    return {{0.0f, PercentFraction(factorPercent), 1.0f}, {0.0f, PercentFraction(positionPercent), 1.0f}};
}

BrushRect BlurDabBlock(int x, int y, int size, int layerWidth, int layerHeight)
{
    const int half = size / 2;
    const int left = std::max(0, x - half);
    const int top = std::max(0, y - half);
    const int width = size >= layerWidth - left ? layerWidth - left : size;
    const int height = size >= layerHeight - top ? layerHeight - top : size;
    return {left, top, std::max(width, 0), std::max(height, 0)};
}
