// Sets of image pixels without the platform: a mask of chosen pixels, and the rectangles that
// cover such a set (the currency of the platform's regions).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct PixelRect {
    int left;
    int top;
    int right;   // exclusive
    int bottom;  // exclusive
};

// One byte per pixel, rows top to bottom; non-zero marks a chosen pixel.
struct PixelMask {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bits;

    bool At(int x, int y) const { return bits[size_t(y) * size_t(width) + size_t(x)] != 0; }
};

// Rectangles that cover exactly the chosen pixels, in bands: runs of each row, rows with
// the same runs as the row above extend the rectangles above. Sorted top to bottom, then
// left to right, without overlap.
std::vector<PixelRect> RectsFromMask(const PixelMask& mask);

// The smallest rectangle holding every rectangle; all zero when there is none.
PixelRect BoundingBox(const std::vector<PixelRect>& rects);
