// The soft dark band along the inside of the outline.
#include "common/pixel_filters/blur.h"
#include "common/pixel_filters/opacity.h"
#include "effects/effect_arithmetic.h"
#include "effects/effect_paint.h"

using namespace Gdiplus;

namespace {

// Outlines bigger than this on a side are far beyond any icon; they get no shadow rather
// than a blur of hundreds of megabytes.
constexpr int kLargestShadowSide = 4096;

// The outline stroked with a pen of width d, in a bitmap with d / 2 of room on every side.
ScratchBitmap StrokeOutline(GraphicsPath* path, const Rect& box, int d, uint32_t color)
{
    ScratchBitmap stroke = NewScratchBitmap(box.Width + d, box.Height + d);
    if (!stroke.bitmap)
        return stroke;
    Matrix shift(1, 0, 0, 1, REAL(d) / 2 - REAL(box.X), REAL(d) / 2 - REAL(box.Y));
    path->Transform(&shift);
    Graphics graphics(stroke.bitmap);
    graphics.SetSmoothingMode(SmoothingModeAntiAlias);
    graphics.SetCompositingQuality(CompositingQualityHighQuality);
    graphics.SetPixelOffsetMode(PixelOffsetModeHalf);
    Pen pen(Color{ARGB(color)}, REAL(d));
    graphics.DrawPath(&pen, path);
    return stroke;
}

// Blurs the stroke (the routine the filters use, at factor d + 3) and sets its strength,
// keeping the box without the room around it: drawn unscaled at (-(d/2), -(d/2)) onto a
// transparent bitmap, a picture is copied pixel for pixel, so only the box is blurred.
void SoftenInto(const PixelView& stroke, int d, int32_t intensity, const PixelView& shadow)
{
    HeavyBlurArea({stroke, 0, 0, stroke.width, stroke.height}, d + 3, d / 2, d / 2, shadow);
    AdjustOpacity(shadow, shadow, ShadowOpacityChange(intensity));
}

}  // namespace

ScratchBitmap EdgeShadow(GraphicsPath* path, uint32_t color, int32_t intensity)
{
    const Rect box = IntegerBounds(path);
    if (box.Width <= 0 || box.Height <= 0 || box.Width > kLargestShadowSide || box.Height > kLargestShadowSide)
        return ScratchBitmap();
    const int d = EdgeShadowWidth(box.Width, box.Height);
    ScratchBitmap stroke = StrokeOutline(path, box, d, color);
    ScratchBitmap shadow = NewScratchBitmap(box.Width, box.Height);
    if (stroke.bitmap && shadow.bitmap)
        SoftenInto(stroke.pixels.View(), d, intensity, shadow.pixels.View());
    DeleteScratchBitmap(&stroke);
    return shadow;
}
