// A plain view of 32-bit pixels, blue-green-red-alpha bytes, not premultiplied.
//
// This is the one currency between the platform-free pixel code and the GDI+ glue: a locked
// GDI+ bitmap provides it, and the native tests build one over a std::vector. A negative
// stride is allowed and means the view walks the rows bottom-up (the icon writer uses this
// to dither a picture "flipped" without moving any bytes).
#pragma once

#include <cstddef>
#include <cstdint>

struct PixelView {
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;  // bytes from one row to the next; may be negative
    uint8_t* pixels = nullptr;  // first byte of row 0

    uint8_t* Row(int y) const { return pixels + y * stride; }
    uint8_t* At(int x, int y) const { return Row(y) + x * 4; }
};

// Channel offsets inside one pixel.
enum : int { kBlue = 0, kGreen = 1, kRed = 2, kAlpha = 3 };

// The same rows in the opposite vertical order.
inline PixelView FlippedView(const PixelView& view)
{
    PixelView flipped = view;
    if (view.height > 0) {
        flipped.pixels = view.pixels + (view.height - 1) * view.stride;
        flipped.stride = -view.stride;
    }
    return flipped;
}
