// Window sums for the coverage-weighted blurs. A window whose 2-D weights are the product
// of one row of taps with itself (taps[dx] x taps[dy]) is summed in two one-dimensional
// passes, so a 5 x 5 window costs ten taps instead of twenty-five.
#pragma once

#include <cstdint>
#include <vector>

#include "common/pixel_view.h"

// Per pixel, over the window centred on it (edges clamped), planes of width x height:
struct CoverageSums {
    int width = 0;
    int height = 0;
    std::vector<uint16_t> weight;  // sum of the weights of the covered taps (alpha not 0)
    std::vector<uint16_t> red;     // sum of weight x channel over the covered taps
    std::vector<uint16_t> green;
    std::vector<uint16_t> blue;
    std::vector<uint16_t> alpha;  // sum of weight x alpha over all taps
};

// `taps` holds 2 x radius + 1 weights; 255 x (sum of taps) squared must stay below 65536.
CoverageSums SumCoverageWindow(const PixelView& source, const uint16_t* taps, int radius);
