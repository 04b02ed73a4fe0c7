// Pixel work of the transformations: blank tests, mirroring, block copies and quarter turns.
// Platform-free.
#pragma once

#include <vector>

#include "canvas_pixels.h"
#include "common/pixel_view.h"

// True when every pixel has alpha 0 (an empty view is blank too).
bool IsBlank(const PixelView& pixels);

// Mirrors the pixels in place, left to right or top to bottom.
void MirrorColumns(const PixelView& pixels);
void MirrorRows(const PixelView& pixels);

// Copies the source's block at (x, y) of the target's size into the target; source pixels
// outside the source are transparent.
void CopyBlock(const PixelView& target, const PixelView& source, int x, int y);

// Turns the source by quarterTurns × 90° clockwise (1, 2 or 3) into the target, whose size
// is the source's turned with it. Exact: every pixel lands whole.
void TurnQuarters(const PixelView& target, const PixelView& source, int quarterTurns);

// The side of the transparent square a rotated content is drawn into: big enough for any
// angle.
int RotationSquareSide(int width, int height);

// The largest size the width or height trackbar of a scale offers.
int ScaleBarMaximum(int size);
