// The selection's regions: platform regions in image pixels, and the pixel sets, set
// operations, moves, boxes and point tests the tools need of them. Every function that
// returns a region returns a new one that belongs to the caller (null when it cannot be made).
#pragma once

#include <windows.h>

#include <vector>

#include "common/selection/pixel_set.h"

// The rectangles that make up a region (empty for a null or empty region).
std::vector<PixelRect> RegionRectangles(HRGN region);

// A region of the given rectangles (an empty region for none).
HRGN RegionFromRectangles(const std::vector<PixelRect>& rects);

// The chosen pixels of a mask.
HRGN RegionFromMask(const PixelMask& mask);

HRGN CopyRegion(HRGN region);
HRGN UnionOfRegions(HRGN a, HRGN b);
HRGN DifferenceOfRegions(HRGN a, HRGN b);  // a without b
HRGN IntersectionOfRegions(HRGN a, HRGN b);

// The region with every rectangle scaled by `factor` (whole screen pixels, no rounding).
HRGN ScaledRegion(HRGN region, int factor);

// The region cut to the rectangle 0..width x 0..height (an image's pixels).
HRGN RegionWithinImage(HRGN region, int width, int height);

// Moves the region in place.
void TranslateRegion(HRGN region, int dx, int dy);

// The smallest rectangle holding the region; all zero when it is empty or null.
PixelRect RegionBox(HRGN region);

bool RegionIsEmpty(HRGN region);
bool RegionHasPixel(HRGN region, int x, int y);
