// Scaled drawing for the blur pyramid: bilinear, widened to a tent over 1/scale source
// pixels when shrinking (so a small copy averages rather than skips), sampled at pixel
// centres, in premultiplied alpha so that transparent pixels lend no color. Edges repeat.
#pragma once

#include <cstddef>
#include <vector>

#include "common/pixel_view.h"

// Replaces every pixel of `to` with `from` scaled to `to`'s size.
void ResampleBilinear(const PixelView& from, const PixelView& to);

// A rectangle of a larger picture: `view` holds the pixels from (left, top) on of a picture
// of fullWidth x fullHeight. Read as a source, the pixels outside `view` count as
// transparent.
struct PictureArea {
    PixelView view;
    int left, top;
    int fullWidth, fullHeight;
};

// The same scaling for part of the pictures: fills `to` with exactly the pixels that scaling
// the whole of `from` would give there. Pixels they read outside `from.view` count as
// transparent (ResampleSpan tells which pixels are read).
void ResampleArea(const PictureArea& from, const PictureArea& to);

// Along one axis scaled from inCount to outCount, the source positions [*first, *last) that
// the output positions [begin, end) read.
void ResampleSpan(int inCount, int outCount, int begin, int end, int* first, int* last);

// The scaling along one axis from inCount to outCount positions: for each output position
// the source positions it reads and their weights (summing to 1). Made once, it serves
// several calls below on the same sizes.
struct ResampleTap {
    int index;
    float weight;
};
struct AxisTaps {
    std::vector<size_t> first;  // output i reads taps[first[i]] .. taps[first[i + 1] - 1]
    std::vector<ResampleTap> taps;
};
AxisTaps MakeAxisTaps(int inCount, int outCount);

// ResampleArea with the taps of both axes made beforehand.
void ResampleArea(const PictureArea& from, const PictureArea& to, const AxisTaps& columns, const AxisTaps& rows);

// ResampleSpan with the axis's taps made beforehand.
void ResampleSpan(const AxisTaps& axis, int inCount, int begin, int end, int* first, int* last);

// Halves a picture: each pixel of `to` is the average of the 2 x 2 block of `from` at twice
// its position, weighted by alpha (so transparent pixels lend no color), rounded. `from`
// must be at least twice `to`'s size. This is how a picture drawn at twice the size for
// smoother edges comes back to its own size.
void HalveByAveraging(const PixelView& from, const PixelView& to);
