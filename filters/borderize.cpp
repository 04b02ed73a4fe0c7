// Borderize: a band of color along the inner edge of the opaque area.
#include <vector>

#include "common/pixel_filters/blend.h"
#include "common/pixel_filters/masks.h"
#include "common/pixel_filters/pixel_buffer.h"
#include "filters/filter_routines.h"

namespace {

bool IsBorderDepth(int depth) { return depth == 3 || depth == 5 || depth == 7 || depth == 9; }

// Opaque pixels in the depth x depth window around every pixel, edges clamped.
std::vector<uint8_t> OpaqueCounts(const PixelView& source, int depth)
{
    const int width = source.width, height = source.height, half = depth / 2;
    const std::vector<uint8_t> mask = OpaqueMask(source);
    std::vector<uint8_t> rows(mask.size()), counts(mask.size());
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            int count = 0;
            for (int t = -half; t <= half; t++)
                count += mask[size_t(y) * width + ClampIndex(x + t, width)];
            rows[size_t(y) * width + x] = uint8_t(count);
        }
    for (int y = 0; y < height; y++)
        for (int t = -half; t <= half; t++) {
            const uint8_t* from = &rows[size_t(ClampIndex(y + t, height)) * width];
            uint8_t* to = &counts[size_t(y) * width];
            for (int x = 0; x < width; x++)
                to[x] = uint8_t(to[x] + from[x]);
        }
    return counts;
}

// The band's alpha for a window with `missing` non-opaque pixels (1 or more).
uint32_t BandAlpha(int missing, uint32_t ownAlpha)
{
    switch (missing) {
    case 1: return 60;
    case 2: return 150;
    case 3: return 225;
    default: return ownAlpha;
    }
}

}  // namespace

void Borderize(const PixelView& source, const PixelView& result, uint32_t color, int depth)
{
    CopyPixels(source, result);
    if (!IsBorderDepth(depth))
        return;  // not a setting the dialog offers: leave the picture as it is
    const uint32_t band = PackPixel(0, color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
    const std::vector<uint8_t> counts = OpaqueCounts(source, depth);
    for (int y = 0; y < source.height; y++) {
        uint32_t* to = PixelRow(result, y);
        for (int x = 0; x < source.width; x++) {
            const int missing = depth * depth - counts[size_t(y) * source.width + x];
            if (missing == 0)
                continue;
            const uint32_t ownAlpha = AlphaOf(to[x]);
            const uint32_t top = band | BandAlpha(missing, ownAlpha) << 24;
            BlendPixelOver(reinterpret_cast<const uint8_t*>(&top), reinterpret_cast<uint8_t*>(&to[x]));
            to[x] = (to[x] & 0xFFFFFFu) | ownAlpha << 24;
        }
    }
}
