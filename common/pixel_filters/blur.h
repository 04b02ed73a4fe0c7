// The coverage-weighted blurs that the filters, the editing area and the effects share.
// Each writes every pixel of `result` (the source's size) from the unchanged `source`.
#pragma once

#include "common/pixel_filters/resample.h"
#include "common/pixel_view.h"

// 3 x 3 box over the covered pixels; alpha is the plain 3 x 3 average.
void LinearBlur(const PixelView& source, const PixelView& result);

// 5 x 5 binomial window (1, 2, 4, 2, 1 on each axis) over the covered pixels.
void GaussianBlur5x5(const PixelView& source, const PixelView& result);

// The widest heavy blur; larger factors blur as this one, as factors below 0 blur as 0.
constexpr int kLargestHeavyBlurFactor = 50;

// The factor from which the heavy blur works on a pyramid of shrunken copies.
constexpr int kFirstPyramidHeavyBlurFactor = 5;

// A blur that spreads wider as the factor (0..50) grows; from kFirstPyramidHeavyBlurFactor on
// it blurs a pyramid of shrunken copies so that wide blurs stay cheap.
void HeavyBlur(const PixelView& source, const PixelView& result, int factor);

// The pixels HeavyBlur gives in the rectangle of `result`'s size whose top-left corner is
// (left, top) of the source; the rectangle lies inside the source. The source is a picture
// of source.fullWidth x source.fullHeight that is transparent outside source.view. From
// kFirstPyramidHeavyBlurFactor on only what the rectangle depends on is computed at each step
// of the pyramid.
void HeavyBlurArea(const PictureArea& source, int factor, int left, int top, const PixelView& result);
