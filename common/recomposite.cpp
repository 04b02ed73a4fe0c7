#include <algorithm>
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

// The part of `view` from (left, top), width x height, as a view of its own.
PixelView Part(const PixelView& view, int left, int top, int width, int height)
{
    return {width, height, view.stride, view.At(left, top)};
}

}  // namespace

bool RecompositeImage(Image* image)
{
    return image && RecompositeImageArea(image, 0, 0, image->width, image->height);
}

// All layers are locked before the composite is touched, so a layer that cannot be read
// leaves the composite as it was instead of half drawn. A part of the composite is locked
// for reading too: the pixels outside the area must come back as they were.
bool RecompositeImageArea(Image* image, int left, int top, int right, int bottom)
{
    if (!image || !image->composite || int(image->composite->GetWidth()) != image->width ||
        int(image->composite->GetHeight()) != image->height)
        return false;
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, int(image->width));
    bottom = std::min(bottom, int(image->height));
    VisibleLayers layers;
    if (!LockVisibleLayers(image, &layers))
        return false;
    if (left >= right || top >= bottom)
        return true;
    const bool whole = left == 0 && top == 0 && right == image->width && bottom == image->height;
    BitmapLock target(image->composite, whole ? Gdiplus::ImageLockModeWrite : kLockReadWrite);
    if (!target.ok())
        return false;
    const int width = right - left;
    const int height = bottom - top;
    const PixelView area = Part(target.view(), left, top, width, height);
    ClearPixels(area);
    for (const std::unique_ptr<BitmapLock>& layer : layers.locks)
        DrawOver(Part(layer->view(), left, top, width, height), area, 0, 0);
    return true;
}
