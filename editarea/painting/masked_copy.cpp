#include "painting/masked_copy.h"

#include <algorithm>
#include <cstring>

namespace {

// The part of `rect` that both pictures have, in target coordinates; empty when nothing.
PixelRect CommonPart(const PixelRect& rect, const PixelView& target, const PixelView& source, int sourceLeft,
                     int sourceTop)
{
    PixelRect part;
    part.left = std::max({rect.left, 0, sourceLeft});
    part.top = std::max({rect.top, 0, sourceTop});
    part.right = std::min({rect.right, target.width, sourceLeft + source.width});
    part.bottom = std::min({rect.bottom, target.height, sourceTop + source.height});
    return part;
}

}  // namespace

void CopyPixelsInRects(const PixelView& target, const PixelView& source, int sourceLeft, int sourceTop,
                       const std::vector<PixelRect>& rects)
{
    for (const PixelRect& rect : rects) {
        const PixelRect part = CommonPart(rect, target, source, sourceLeft, sourceTop);
        if (part.left >= part.right || part.top >= part.bottom)
            continue;
        for (int y = part.top; y < part.bottom; y++)
            std::memcpy(target.At(part.left, y), source.At(part.left - sourceLeft, y - sourceTop),
                        size_t(part.right - part.left) * 4);
    }
}

std::vector<PixelRect> ShiftedRects(std::vector<PixelRect> rects, int dx, int dy)
{
    for (PixelRect& rect : rects)
        rect = {rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
    return rects;
}
