// Scaled drawing for the blur pyramid: bilinear, widened to a tent over 1/scale source
// pixels when shrinking (so a small copy averages rather than skips), sampled at pixel
// centres, in premultiplied alpha so that transparent pixels lend no color. Edges repeat.
#pragma once

#include "common/pixel_view.h"

// Replaces every pixel of `to` with `from` scaled to `to`'s size.
void ResampleBilinear(const PixelView& from, const PixelView& to);
