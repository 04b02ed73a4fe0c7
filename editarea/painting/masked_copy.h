// Copying pixels only where a region (as its rectangles) allows. Platform-free.
#pragma once

#include <vector>

#include "canvas_pixels.h"
#include "common/pixel_view.h"

// Copies into `target` the pixels of `rects` (target coordinates) from `source`, whose pixel
// (0, 0) lies at target pixel (sourceLeft, sourceTop). Pixels that either picture does not
// have are left alone.
void CopyPixelsInRects(const PixelView& target, const PixelView& source, int sourceLeft, int sourceTop,
                       const std::vector<PixelRect>& rects);

// The rectangles moved by (dx, dy).
std::vector<PixelRect> ShiftedRects(std::vector<PixelRect> rects, int dx, int dy);
