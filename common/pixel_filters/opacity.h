// The opacity change that the filters and the effects share.
#pragma once

#include "common/pixel_view.h"

// Copies `source` to `result` with every non-zero alpha a changed to
// a + (a x change) x 0.01, computed in single precision, limited to 0..255 and truncated;
// change runs from -100 (clear) to 100. Color bytes and zero alphas stay.
void AdjustOpacity(const PixelView& source, const PixelView& result, int change);
