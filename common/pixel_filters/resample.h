// Scaled drawing for the blur pyramid: bilinear, widened to a tent over 1/scale source
// pixels when shrinking (so a small copy averages rather than skips), sampled at pixel
// centres, in premultiplied alpha so that transparent pixels lend no color. Edges repeat.
#pragma once

#include "common/pixel_view.h"

// Replaces every pixel of `to` with `from` scaled to `to`'s size.
void ResampleBilinear(const PixelView& from, const PixelView& to);

// A rectangle of a larger picture: `view` holds the pixels from (left, top) on of a picture
// of fullWidth x fullHeight.
struct PictureArea {
    PixelView view;
    int left, top;
    int fullWidth, fullHeight;
};

// The same scaling for part of the pictures: fills `to` with exactly the pixels that scaling
// the whole of `from` would give there. `from` must hold every pixel they read (see
// ResampleSpan).
void ResampleArea(const PictureArea& from, const PictureArea& to);

// Along one axis scaled from inCount to outCount, the source positions [*first, *last) that
// the output positions [begin, end) read.
void ResampleSpan(int inCount, int outCount, int begin, int end, int* first, int* last);
