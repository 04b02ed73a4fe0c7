// The selection as the canvas shows it: the zoomed display region and the base bitmap.
#pragma once

#include <vector>

#include "canvas_pixels.h"
#include "edit_area_state.h"

// The rectangles that make up a region (empty for a null or empty region).
std::vector<PixelRect> RegionRectangles(HRGN region);

// A new region of the given rectangles, or null.
HRGN RegionFromRectangles(const std::vector<PixelRect>& rects);

// Recomputes the display region from the selection and the zoom.
void RebuildDisplayRegion(EditAreaState& state);

// Recomputes baseBitmap: the current layer with every selected pixel made transparent.
void RebuildBaseBitmap(EditAreaState& state);

// Both of the above: the selection or the layer changed.
void RebuildSelectionView(EditAreaState& state);

void ReleaseSelectionView(EditAreaState& state);
