// Pictures for the filter tests: uniform, random and drawn ones, and running a filter.
#pragma once

#include <functional>
#include <random>

#include "core/portable_pixels.h"

using PixelFilter = std::function<void(const PixelView& source, const PixelView& result)>;

// The filter's result for `source` (same size); the result starts as a sentinel pattern so
// that a pixel the filter forgets to write shows.
inline TestPixels Filtered(TestPixels& source, const PixelFilter& filter)
{
    TestPixels result(source.width, source.height, 0xDEADBEEF);
    filter(source.View(), result.View());
    return result;
}

// Random colors; alphas a mix of 0, 255 and anything, so that covered, uncovered and
// partly covered windows all occur.
inline TestPixels RandomPixels(std::mt19937& random, int width, int height)
{
    TestPixels pixels(width, height);
    for (uint32_t& pixel : pixels.argb) {
        pixel = random();
        switch (random() % 4) {
        case 0: pixel &= 0x00FFFFFF; break;
        case 1: pixel |= 0xFF000000; break;
        default: break;
        }
    }
    return pixels;
}

// A filled rectangle of `color` on a transparent (all zero) background.
inline TestPixels RectangleOn(int width, int height, int left, int top, int right, int bottom, uint32_t color)
{
    TestPixels pixels(width, height);
    for (int y = top; y < bottom; y++)
        for (int x = left; x < right; x++)
            pixels.at(x, y) = color;
    return pixels;
}
