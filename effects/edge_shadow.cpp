// The soft dark band along the inside of the outline.
#include <algorithm>

#include "common/gdiplus_pixels.h"
#include "common/pixel_filters/blur.h"
#include "common/pixel_filters/opacity.h"
#include "common/pixel_filters/pixel_buffer.h"
#include "effects/effect_arithmetic.h"
#include "effects/effect_paint.h"

using namespace Gdiplus;

namespace {

// Outlines bigger than this on a side are far beyond any icon; they get no shadow rather
// than a blur of hundreds of megabytes.
constexpr int kLargestShadowSide = 4096;
constexpr int kLargestBlurFactor = 50;

void SetSmoothDrawing(Graphics* graphics)
{
    graphics->SetSmoothingMode(SmoothingModeAntiAlias);
    graphics->SetCompositingQuality(CompositingQualityHighQuality);
    graphics->SetPixelOffsetMode(PixelOffsetModeHalf);
}

// The outline stroked with a pen of width d, in a bitmap with d / 2 of room on every side.
Bitmap* StrokeOutline(GraphicsPath* path, const Rect& box, int d, uint32_t color)
{
    Bitmap* stroke = NewArgbBitmap(box.Width + d, box.Height + d);
    if (!stroke)
        return nullptr;
    Matrix shift(1, 0, 0, 1, REAL(d) / 2 - REAL(box.X), REAL(d) / 2 - REAL(box.Y));
    path->Transform(&shift);
    Graphics graphics(stroke);
    SetSmoothDrawing(&graphics);
    Pen pen(Color{ARGB(color)}, REAL(d));
    graphics.DrawPath(&pen, path);
    return stroke;
}

// Blurs the stroke (the routine the filters use, at factor d + 3) and sets its strength.
void SoftenStroke(Bitmap* stroke, int d, int32_t intensity)
{
    BitmapLock lock(stroke, kLockReadWrite);
    if (!lock.ok())
        return;
    PixelBuffer blurred = NewPixelBuffer(lock.view().width, lock.view().height);
    HeavyBlur(lock.view(), blurred.View(), std::min(d + 3, kLargestBlurFactor));
    AdjustOpacity(blurred.View(), lock.view(), ShadowOpacityChange(intensity));
}

}  // namespace

Bitmap* EdgeShadow(GraphicsPath* path, uint32_t color, int32_t intensity)
{
    const Rect box = IntegerBounds(path);
    if (box.Width <= 0 || box.Height <= 0 || box.Width > kLargestShadowSide || box.Height > kLargestShadowSide)
        return nullptr;
    const int d = EdgeShadowWidth(box.Width, box.Height);
    Bitmap* stroke = StrokeOutline(path, box, d, color);
    if (!stroke)
        return nullptr;
    SoftenStroke(stroke, d, intensity);
    Bitmap* shadow = NewArgbBitmap(box.Width, box.Height);
    if (shadow) {
        Graphics graphics(shadow);
        SetSmoothDrawing(&graphics);
        graphics.DrawImage(stroke, Rect(-(d / 2), -(d / 2), box.Width + d, box.Height + d));
    }
    delete stroke;
    return shadow;
}
