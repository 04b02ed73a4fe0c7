// Window sums for the coverage-weighted blurs. A window whose 2-D weights are the product
// of one row of taps with itself (taps[dx] x taps[dy]) is summed in two one-dimensional
// passes, so a 5 x 5 window costs ten taps instead of twenty-five. Rows are summed one at a
// time from a small ring of row sums, so the work stays in the cache whatever the size.
#pragma once

#include <cstdint>
#include <vector>

#include "common/pixel_view.h"

enum CoverageQuantity {
    kCoveredWeight,  // sum of the weights of the covered taps (alpha not 0)
    kCoveredRed,     // sum of weight x channel over the covered taps
    kCoveredGreen,
    kCoveredBlue,
    kAllAlpha,  // sum of weight x alpha over all taps
    kCoverageQuantities
};

struct CoverageWindow {
    PixelView source;
    const uint16_t* taps;  // 2 x radius + 1 weights; 255 x (sum of taps) squared < 65536
    int radius;            // 1..7
    std::vector<uint16_t> ring;     // horizontal sums of 2 x radius + 1 source rows
    std::vector<int> ringRow;       // the source row each ring slot holds, or -1
    std::vector<uint16_t> padded;   // one source row split into the quantities, edges repeated
    std::vector<uint16_t> sums;     // the current row's window sums, one plane per quantity

    const uint16_t* Plane(CoverageQuantity q) const { return sums.data() + size_t(q) * source.width; }
};

CoverageWindow MakeCoverageWindow(const PixelView& source, const uint16_t* taps, int radius);

// Fills window.sums with the window sums of every pixel of row y (edges clamped).
void SumCoverageRow(CoverageWindow& window, int y);
