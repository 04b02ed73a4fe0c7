#include <cstring>

#include "common/document_ops.h"
#include "common/gdiplus_pixels.h"

namespace {

bool DrawVisibleLayers(const Image* image, Bitmap* target)
{
    Gdiplus::Graphics graphics(target);
    if (graphics.GetLastStatus() != Gdiplus::Ok || graphics.Clear(Gdiplus::Color(0, 0, 0, 0)) != Gdiplus::Ok)
        return false;
    graphics.SetCompositingQuality(Gdiplus::CompositingQualityHighQuality);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBilinear);
    const Layer* layer = image->firstLayer;
    for (int i = 0; layer && i < image->layerCount; i++, layer = layer->next) {
        if (!VisibilityBit(image->visibleLayers, i))
            continue;
        if (!layer->bitmap || graphics.DrawImage(layer->bitmap, 0, 0, int(image->width), int(image->height)) != Gdiplus::Ok)
            return false;
    }
    return true;
}

bool CopyPixels(Bitmap* from, Bitmap* to)
{
    BitmapLock source(from, Gdiplus::ImageLockModeRead);
    BitmapLock target(to, Gdiplus::ImageLockModeWrite);
    if (!source.ok() || !target.ok())
        return false;
    const PixelView& in = source.view();
    const PixelView& out = target.view();
    for (int y = 0; y < out.height; y++)
        std::memcpy(out.Row(y), in.Row(y), size_t(out.width) * 4);
    return true;
}

}  // namespace

// The layers are drawn into a scratch picture first, so that a failing layer leaves the
// composite as it was instead of half drawn.
bool RecompositeImage(Image* image)
{
    if (!image || !image->composite)
        return false;
    Bitmap* scratch = NewArgbBitmap(int(image->composite->GetWidth()), int(image->composite->GetHeight()));
    const bool ok = scratch && DrawVisibleLayers(image, scratch) && CopyPixels(scratch, image->composite);
    delete scratch;
    return ok;
}
