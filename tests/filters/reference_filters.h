// Straightforward tap-by-tap versions of the window filters, written from their formulas
// without any of the speed-ups: the tests compare the fast routines against them, and the
// benchmark reports how much faster the fast ones are.
#pragma once

#include <cstdint>
#include <vector>

#include "common/pixel_view.h"

enum class ReferenceBlur { kLinear, kMotion, kSoften, kGaussian };

void ReferenceCoverageBlur(ReferenceBlur kind, const PixelView& source, const PixelView& result);

// Weights row-major, size x size; every channel offset + sum x (1 / max(scale, 1)).
void ReferenceCustomFilter(const int32_t* weights, int size, int scale, int offset, const PixelView& source,
                           const PixelView& result);

// The relief on the padded picture (margin `depth`, edges clamped), for every source pixel.
std::vector<int32_t> ReferenceBevelRelief(const PixelView& source, int depth, int direction);

// Opaque pixels in the depth x depth window of every pixel, edges clamped.
std::vector<int> ReferenceOpaqueCounts(const PixelView& source, int depth);

// One pixel through hue, saturation and value and back, written as the formulas read.
uint32_t ReferenceAdjustHsvPixel(uint32_t argb, int hueShift, int saturationShift, int luminanceShift);
