#include "transform/content_pixels.h"

#include <algorithm>
#include <cstring>

namespace {

uint8_t AlphaAt(const PixelView& pixels, int x, int y)
{
    return pixels.At(x, y)[kAlpha];
}

void SwapPixels(uint8_t* a, uint8_t* b)
{
    uint8_t held[4];
    std::memcpy(held, a, 4);
    std::memcpy(a, b, 4);
    std::memcpy(b, held, 4);
}

// Straight-alpha "source over destination" for one pixel whose source alpha is 1..254.
void BlendPixel(uint8_t* target, const uint8_t* source)
{
    const int sa = source[kAlpha];
    const int da = target[kAlpha];
    const int below = da * (255 - sa);  // the target's share, scaled by 255
    const int alpha = sa * 255 + below;  // result alpha scaled by 255
    for (int c : {kBlue, kGreen, kRed})
        target[c] = uint8_t((source[c] * sa * 255 + target[c] * below + alpha / 2) / alpha);
    target[kAlpha] = uint8_t((alpha + 127) / 255);
}

void OverPixel(uint8_t* target, const uint8_t* source)
{
    const uint8_t sa = source[kAlpha];
    if (sa == 0)
        return;
    if (sa == 255 || target[kAlpha] == 0)
        std::memcpy(target, source, 4);
    else
        BlendPixel(target, source);
}

}  // namespace

bool IsBlank(const PixelView& pixels)
{
    for (int y = 0; y < pixels.height; y++)
        for (int x = 0; x < pixels.width; x++)
            if (AlphaAt(pixels, x, y) != 0)
                return false;
    return true;
}

void MirrorColumns(const PixelView& pixels)
{
    for (int y = 0; y < pixels.height; y++)
        for (int x = 0; x < pixels.width / 2; x++)
            SwapPixels(pixels.At(x, y), pixels.At(pixels.width - 1 - x, y));
}

void MirrorRows(const PixelView& pixels)
{
    for (int y = 0; y < pixels.height / 2; y++)
        for (int x = 0; x < pixels.width; x++)
            SwapPixels(pixels.At(x, y), pixels.At(x, pixels.height - 1 - y));
}

std::vector<PixelRect> AlphaRuns(const PixelView& pixels, int left, int top)
{
    std::vector<PixelRect> runs;
    for (int y = 0; y < pixels.height; y++) {
        int x = 0;
        while (x < pixels.width) {
            if (AlphaAt(pixels, x, y) == 0) {
                x++;
                continue;
            }
            const int start = x;
            while (x < pixels.width && AlphaAt(pixels, x, y) != 0)
                x++;
            runs.push_back({left + start, top + y, left + x, top + y + 1});
        }
    }
    return runs;
}

void CopyBlock(const PixelView& target, const PixelView& source, int x, int y)
{
    for (int row = 0; row < target.height; row++) {
        std::memset(target.Row(row), 0, size_t(target.width) * 4);
        const int sy = y + row;
        if (sy < 0 || sy >= source.height)
            continue;
        const int from = std::max(0, -x);
        const int to = std::min(target.width, source.width - x);
        if (from < to)
            std::memcpy(target.At(from, row), source.At(x + from, sy), size_t(to - from) * 4);
    }
}

void DrawOver(const PixelView& target, const PixelView& source, int left, int top)
{
    const int fromX = std::max(0, -left);
    const int toX = std::min(source.width, target.width - left);
    const int fromY = std::max(0, -top);
    const int toY = std::min(source.height, target.height - top);
    for (int y = fromY; y < toY; y++)
        for (int x = fromX; x < toX; x++)
            OverPixel(target.At(left + x, top + y), source.At(x, y));
}

void TurnQuarters(const PixelView& target, const PixelView& source, int quarterTurns)
{
    for (int y = 0; y < source.height; y++)
        for (int x = 0; x < source.width; x++) {
            int tx = x, ty = y;
            if (quarterTurns == 1) {
                tx = source.height - 1 - y;
                ty = x;
            } else if (quarterTurns == 2) {
                tx = source.width - 1 - x;
                ty = source.height - 1 - y;
            } else if (quarterTurns == 3) {
                tx = y;
                ty = source.width - 1 - x;
            }
            std::memcpy(target.At(tx, ty), source.At(x, y), 4);
        }
}

int RotationSquareSide(int width, int height)
{
    return std::max(width, height) * 3 / 2 + 2;
}

int ScaleBarMaximum(int size)
{
    return std::max(size, 256);
}
