#include <cstring>
#include <memory>
#include <vector>

#include "common/document_ops.h"
#include "common/gdiplus_pixels.h"
#include "common/pixel_filters/blend.h"

namespace {

// Every layer is as large as its Image and drawn at (0, 0) without scaling, so drawing it
// "over" is the source-over blend of each pixel on the one below: done here in pixel code,
// because a drawing surface with high-quality interpolation costs several milliseconds per
// layer even at 1:1, and strokes recomposite on every pointer move.
struct VisibleLayers {
    std::vector<std::unique_ptr<BitmapLock>> locks;
};

// Locks every visible layer for reading; false when one is missing, has another size than
// the Image or cannot be read.
bool LockVisibleLayers(const Image* image, VisibleLayers* layers)
{
    const Layer* layer = image->firstLayer;
    for (int i = 0; layer && i < image->layerCount; i++, layer = layer->next) {
        if (!VisibilityBit(image->visibleLayers, i))
            continue;
        if (!layer->bitmap || int(layer->bitmap->GetWidth()) != image->width ||
            int(layer->bitmap->GetHeight()) != image->height)
            return false;
        layers->locks.push_back(std::make_unique<BitmapLock>(layer->bitmap, Gdiplus::ImageLockModeRead));
        if (!layers->locks.back()->ok())
            return false;
    }
    return true;
}

void ClearPixels(const PixelView& view)
{
    for (int y = 0; y < view.height; y++)
        std::memset(view.Row(y), 0, size_t(view.width) * 4);
}

}  // namespace

// All layers are locked before the composite is touched, so a layer that cannot be read
// leaves the composite as it was instead of half drawn.
bool RecompositeImage(Image* image)
{
    if (!image || !image->composite || int(image->composite->GetWidth()) != image->width ||
        int(image->composite->GetHeight()) != image->height)
        return false;
    VisibleLayers layers;
    if (!LockVisibleLayers(image, &layers))
        return false;
    BitmapLock target(image->composite, Gdiplus::ImageLockModeWrite);
    if (!target.ok())
        return false;
    ClearPixels(target.view());
    for (const std::unique_ptr<BitmapLock>& layer : layers.locks)
        DrawOver(layer->view(), target.view(), 0, 0);
    return true;
}
