#include "common/pixel_filters/opacity.h"

#include "common/pixel_filters/pixel_buffer.h"

void AdjustOpacity(const PixelView& source, const PixelView& result, int change)
{
    // The new alpha depends on the old one alone: one table for the whole picture.
    // All in single precision: there a x 100 x 0.01f rounds back to exactly a, so +100
    // doubles and -100 clears (in double the product stays just below a). The product is
    // taken in 64 bits, so that no change, however wild, overflows.
    uint8_t newAlpha[256];
    newAlpha[0] = 0;
    for (int a = 1; a < 256; a++) {
        const float changed = float(a) + float(int64_t(a) * change) * 0.01f;
        newAlpha[a] = TruncateToByte(changed);
    }
    for (int y = 0; y < source.height; y++) {
        const uint32_t* from = PixelRow(source, y);
        uint32_t* to = PixelRow(result, y);
        for (int x = 0; x < source.width; x++)
            to[x] = (from[x] & 0x00FFFFFFu) | uint32_t(newAlpha[AlphaOf(from[x])]) << 24;
    }
}
