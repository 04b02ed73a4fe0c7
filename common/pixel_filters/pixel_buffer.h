// Owned 32-bit pixel blocks for the intermediate pictures of the platform-free filters, and
// the few whole-picture copies they share.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>

#include "common/pixel_view.h"

// Gives a block of `capacity` pixels back for the next buffer made on any thread.
struct ReturnPixelBlock {
    size_t capacity = 0;
    void operator()(uint32_t* pixels) const;
};

struct PixelBuffer {
    int width = 0;
    int height = 0;
    std::unique_ptr<uint32_t[], ReturnPixelBlock> pixels;  // rows top to bottom, no padding

    PixelView View() { return ViewOfSize(width, height); }
    // The first width x height pixels as a picture of that size (at most the buffer's area).
    PixelView ViewOfSize(int w, int h) { return {w, h, std::ptrdiff_t(w) * 4, reinterpret_cast<uint8_t*>(pixels.get())}; }
};

// A width x height block with every byte 0 (fully transparent).
PixelBuffer NewPixelBuffer(int width, int height);

// A width x height block for a picture that is written whole before it is read: its bytes
// are left as the allocator gives them.
PixelBuffer NewScratchBuffer(int width, int height);

// Copies the pixels of `from` into `to`, which has the same size.
void CopyPixels(const PixelView& from, const PixelView& to);

// The rectangle (x, y, width, height) of a view, as a view of the same bytes; the caller
// keeps the rectangle inside the view.
PixelView SubView(const PixelView& view, int x, int y, int width, int height);

// Row y of a view as 32-bit pixels (0xAARRGGBB values in memory order B, G, R, A).
inline uint32_t* PixelRow(const PixelView& view, int y)
{
    return reinterpret_cast<uint32_t*>(view.Row(y));
}

inline int ClampIndex(int i, int count)
{
    return i < 0 ? 0 : (i >= count ? count - 1 : i);
}

inline uint8_t ClampToByte(int value)
{
    return uint8_t(value < 0 ? 0 : (value > 255 ? 255 : value));
}

// Clamps to 0..255 and truncates toward zero, the conversion every filter result goes through.
inline uint8_t TruncateToByte(double value)
{
    return uint8_t(value <= 0.0 ? 0 : (value >= 255.0 ? 255 : int(value)));
}

inline uint32_t PackPixel(uint32_t alpha, uint32_t red, uint32_t green, uint32_t blue)
{
    return alpha << 24 | red << 16 | green << 8 | blue;
}

inline uint32_t AlphaOf(uint32_t pixel) { return pixel >> 24; }
inline uint32_t RedOf(uint32_t pixel) { return (pixel >> 16) & 0xFF; }
inline uint32_t GreenOf(uint32_t pixel) { return (pixel >> 8) & 0xFF; }
inline uint32_t BlueOf(uint32_t pixel) { return pixel & 0xFF; }
