// Pixel buffers for the platform-free tests: 0xAARRGGBB values in memory order B, G, R, A.
#pragma once

#include <cstdint>
#include <vector>

#include "common/pixel_view.h"

struct TestPixels {
    int width;
    int height;
    std::vector<uint32_t> argb;

    TestPixels(int w, int h, uint32_t fill = 0) : width(w), height(h), argb(size_t(w) * h, fill) {}
    uint32_t& at(int x, int y) { return argb[size_t(y) * width + x]; }
    PixelView View() { return {width, height, std::ptrdiff_t(width) * 4, reinterpret_cast<uint8_t*>(argb.data())}; }
};

inline uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b)
{
    return a << 24 | r << 16 | g << 8 | b;
}

inline uint32_t PixelAt(const PixelView& view, int x, int y)
{
    const uint8_t* p = view.At(x, y);
    return Argb(p[kAlpha], p[kRed], p[kGreen], p[kBlue]);
}
