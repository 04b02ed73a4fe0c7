#include "common/pixel_filters/blend.h"

#include <algorithm>

void BlendPixelOver(const uint8_t* top, uint8_t* bottom)
{
    const int topAlpha = top[kAlpha];
    if (topAlpha == 0)
        return;
    if (topAlpha == 255) {
        for (int c = 0; c < 4; c++)
            bottom[c] = top[c];
        return;
    }
    // Weights scaled by 255: the top covers topAlpha, the bottom shows through the rest.
    const int topWeight = topAlpha * 255;
    const int bottomWeight = bottom[kAlpha] * (255 - topAlpha);
    const int total = topWeight + bottomWeight;
    for (int c = 0; c < 3; c++)
        bottom[c] = uint8_t((top[c] * topWeight + bottom[c] * bottomWeight + total / 2) / total);
    bottom[kAlpha] = uint8_t((total + 127) / 255);
}

void DrawOver(const PixelView& top, const PixelView& bottom, long long x, long long y)
{
    const long long left = std::max(0LL, x), right = std::min<long long>(bottom.width, x + top.width);
    const long long upper = std::max(0LL, y), lower = std::min<long long>(bottom.height, y + top.height);
    for (long long row = upper; row < lower; row++) {
        const uint8_t* from = top.Row(int(row - y));
        uint8_t* to = bottom.Row(int(row));
        for (long long column = left; column < right; column++)
            BlendPixelOver(from + (column - x) * 4, to + column * 4);
    }
}
