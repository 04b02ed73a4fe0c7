// The selection as the canvas shows it: the zoomed display region and the base bitmap.
#pragma once

#include "canvas_pixels.h"
#include "common/selection/region_ops.h"
#include "edit_area_state.h"

// Recomputes the display region from the selection and the zoom.
void RebuildDisplayRegion(EditAreaState& state);

// Recomputes baseBitmap: the current layer with every selected pixel made transparent.
void RebuildBaseBitmap(EditAreaState& state);

// Both of the above: the selection or the layer changed.
void RebuildSelectionView(EditAreaState& state);

void ReleaseSelectionView(EditAreaState& state);
