#include "shapes/vector_render.h"

#include <cmath>
#include <memory>

#include "common/gdiplus_pixels.h"
#include "painting/painting_brush.h"

namespace {

// Whole pixels covering the path (without any pen).
BrushRect PathPixelBounds(const Gdiplus::GraphicsPath& path)
{
    Gdiplus::RectF bounds;
    path.GetBounds(&bounds);
    const int left = int(std::floor(bounds.X));
    const int top = int(std::floor(bounds.Y));
    return {left, top, int(std::ceil(bounds.X + bounds.Width)) - left,
            int(std::ceil(bounds.Y + bounds.Height)) - top};
}

std::unique_ptr<Gdiplus::Brush> BrushOverPath(const Gdiplus::GraphicsPath& path, const BrushSettings& settings,
                                              int bitsPerPixel)
{
    return std::unique_ptr<Gdiplus::Brush>(
        MakePaintingBrush(settings, PathPixelBounds(path), bitsPerPixel, GradientForce::kAsSet));
}

void ClipTo(Gdiplus::Graphics& graphics, HRGN clip)
{
    if (!clip)
        return;
    Gdiplus::Region region(clip);
    graphics.SetClip(&region, Gdiplus::CombineModeReplace);
}

bool FillShape(Gdiplus::Bitmap* target, const Gdiplus::GraphicsPath& path, const ShapeLook& look, int bitsPerPixel,
               HRGN clip)
{
    auto brush = BrushOverPath(path, look.brush, bitsPerPixel);
    if (!brush)
        return false;
    Gdiplus::Graphics graphics(target);
    if (bitsPerPixel == 32) {
        graphics.SetSmoothingMode(look.smoothing ? Gdiplus::SmoothingModeAntiAlias : Gdiplus::SmoothingModeNone);
        graphics.SetCompositingQuality(Gdiplus::CompositingQualityHighQuality);
    }
    ClipTo(graphics, clip);
    return graphics.FillPath(brush.get(), &path) == Gdiplus::Ok;
}

bool PlainStroke(Gdiplus::Bitmap* target, const Gdiplus::GraphicsPath& path, const ShapeLook& look, int bitsPerPixel,
                 HRGN clip)
{
    auto brush = BrushOverPath(path, look.brush, bitsPerPixel);
    if (!brush)
        return false;
    Gdiplus::Pen pen(brush.get(), look.penWidth);
    pen.SetAlignment(Gdiplus::PenAlignmentInset);
    Gdiplus::Graphics graphics(target);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeNone);
    if (bitsPerPixel == 32)
        graphics.SetCompositingQuality(Gdiplus::CompositingQualityHighQuality);
    ClipTo(graphics, clip);
    return graphics.DrawPath(&pen, &path) == Gdiplus::Ok;
}

}  // namespace

bool DrawSupersampledStroke(Gdiplus::Bitmap* target, int width, int height, const Gdiplus::GraphicsPath& path,
                            float penWidth, const BrushSettings& brush, int bitsPerPixel, HRGN clip)
{
    if (!target || width <= 0 || height <= 0)
        return false;
    std::unique_ptr<Gdiplus::Bitmap> large(NewArgbBitmap(4 * width, 4 * height));
    std::unique_ptr<Gdiplus::GraphicsPath> scaled(path.Clone());
    if (!large || !scaled)
        return false;
    Gdiplus::Matrix byFour(4, 0, 0, 4, 0, 0);
    if (scaled->Transform(&byFour) != Gdiplus::Ok)
        return false;
    auto fill = BrushOverPath(*scaled, brush, bitsPerPixel);
    if (!fill)
        return false;
    {
        Gdiplus::Pen pen(fill.get(), 4 * penWidth);
        pen.SetAlignment(Gdiplus::PenAlignmentInset);
        Gdiplus::Graphics graphics(large.get());
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeNone);
        graphics.SetCompositingQuality(Gdiplus::CompositingQualityHighQuality);
        if (graphics.DrawPath(&pen, scaled.get()) != Gdiplus::Ok)
            return false;
    }
    Gdiplus::Graphics graphics(target);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBilinear);
    graphics.SetCompositingQuality(Gdiplus::CompositingQualityHighQuality);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    ClipTo(graphics, clip);
    return graphics.DrawImage(large.get(), Gdiplus::Rect(0, 0, width, height), 0, 0, 4 * width, 4 * height,
                              Gdiplus::UnitPixel) == Gdiplus::Ok;
}

bool DrawShape(Gdiplus::Bitmap* target, int width, int height, const Gdiplus::GraphicsPath& path,
               const ShapeLook& look, int bitsPerPixel, HRGN clip)
{
    if (!target)
        return false;
    if (look.filled)
        return FillShape(target, path, look, bitsPerPixel, clip);
    if (bitsPerPixel == 32 && look.smoothing)
        return DrawSupersampledStroke(target, width, height, path, look.penWidth, look.brush, bitsPerPixel, clip);
    return PlainStroke(target, path, look, bitsPerPixel, clip);
}

ShapeLook LayerLook(const Layer& layer)
{
    return {layer.type == kFilledVectorLayer, layer.brush, layer.penWidth, layer.smoothing != 0};
}

bool RenderVectorLayer(Layer* layer, int width, int height, int bitsPerPixel)
{
    if (!layer || !layer->path || !layer->bitmap ||
        (layer->type != kFilledVectorLayer && layer->type != kOutlinedVectorLayer))
        return false;
    {
        Gdiplus::Graphics graphics(layer->bitmap);
        graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
        if (graphics.Clear(Gdiplus::Color(0, 0, 0, 0)) != Gdiplus::Ok)
            return false;
    }
    return DrawShape(layer->bitmap, width, height, *layer->path, LayerLook(*layer), bitsPerPixel, nullptr);
}
