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
