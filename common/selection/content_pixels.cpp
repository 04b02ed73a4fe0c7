#include "content_pixels.h"

#include "common/pixel_filters/blend.h"

#include <algorithm>
#include <cstring>

bool PlaceContent(const PixelView& target, const PixelView& base, const PixelView& content, int left, int top)
{
    if (target.width != base.width || target.height != base.height)
        return false;
    for (int y = 0; y < target.height; y++)
        std::memcpy(target.Row(y), base.Row(y), size_t(target.width) * 4);
    DrawOver(content, target, left, top);
    return true;
}

void CopyRegionPixels(const PixelView& target, const PixelView& source, int sourceLeft, int sourceTop,
                      const std::vector<PixelRect>& rects)
{
    for (const PixelRect& rect : rects) {
        const int x0 = std::max({rect.left, 0, sourceLeft});
        const int x1 = std::min({rect.right, target.width, sourceLeft + source.width});
        const int y0 = std::max({rect.top, 0, sourceTop});
        const int y1 = std::min({rect.bottom, target.height, sourceTop + source.height});
        for (int y = y0; y < y1 && x0 < x1; y++)
            std::memcpy(target.At(x0, y), source.At(x0 - sourceLeft, y - sourceTop), size_t(x1 - x0) * 4);
    }
}

PixelMask OpaquePixels(const PixelView& view)
{
    PixelMask mask;
    mask.width = std::max(view.width, 0);
    mask.height = std::max(view.height, 0);
    mask.bits.assign(size_t(mask.width) * size_t(mask.height), 0);
    for (int y = 0; y < mask.height; y++)
        for (int x = 0; x < mask.width; x++)
            mask.bits[size_t(y) * size_t(mask.width) + size_t(x)] = view.At(x, y)[kAlpha] != 0;
    return mask;
}
