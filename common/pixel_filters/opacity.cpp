#include "common/pixel_filters/opacity.h"

#include "common/pixel_filters/pixel_buffer.h"

void AdjustOpacity(const PixelView& source, const PixelView& result, int change)
{
    // The new alpha depends on the old one alone: one table for the whole picture.
    uint8_t newAlpha[256];
    const double hundredth = 0.01f;
    newAlpha[0] = 0;
    for (int a = 1; a < 256; a++)
        newAlpha[a] = TruncateToByte(a + double(a) * double(change) * hundredth);
    for (int y = 0; y < source.height; y++) {
        const uint32_t* from = PixelRow(source, y);
        uint32_t* to = PixelRow(result, y);
        for (int x = 0; x < source.width; x++)
            to[x] = (from[x] & 0x00FFFFFFu) | uint32_t(newAlpha[AlphaOf(from[x])]) << 24;
    }
}
