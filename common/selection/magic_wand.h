// The magic wand's choice of pixels, without the platform.
#pragma once

#include "common/pixel_view.h"
#include "common/selection/pixel_set.h"

struct WandOptions {
    int colorTolerance;  // 0..255, for red, green and blue alike
    int alphaTolerance;  // 0..255
    bool contiguous;     // only the 4-connected area around the seed
};

// The pixels that match the seed at (seedX, seedY): every component within its tolerance
// (bounds inclusive), compared without premultiplying. Contiguous: only those reached from the
// seed through left, right, up and down neighbours. A seed outside the layer chooses nothing.
PixelMask WandMask(const PixelView& layer, int seedX, int seedY, const WandOptions& options);
