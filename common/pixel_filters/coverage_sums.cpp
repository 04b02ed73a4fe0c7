#include "common/pixel_filters/coverage_sums.h"

#include "common/pixel_filters/pixel_buffer.h"

namespace {

// One source row split into the five quantities, each padded by `radius` repeated edge
// values on both sides so the horizontal pass needs no clamping.
void SplitPaddedRow(const PixelView& source, int y, int radius, uint16_t* padded)
{
    const int width = source.width, span = width + 2 * radius;
    const uint32_t* row = PixelRow(source, y);
    for (int i = 0; i < span; i++) {
        const uint32_t pixel = row[ClampIndex(i - radius, width)];
        const uint16_t covered = AlphaOf(pixel) != 0;
        padded[kCoveredWeight * span + i] = covered;
        padded[kCoveredRed * span + i] = uint16_t(covered * RedOf(pixel));
        padded[kCoveredGreen * span + i] = uint16_t(covered * GreenOf(pixel));
        padded[kCoveredBlue * span + i] = uint16_t(covered * BlueOf(pixel));
        padded[kAllAlpha * span + i] = uint16_t(AlphaOf(pixel));
    }
}

void SumAlongRow(const uint16_t* padded, const uint16_t* taps, int span, int width, uint16_t* out)
{
    for (int x = 0; x < width; x++)
        out[x] = 0;
    for (int t = 0; t < span; t++) {
        const uint16_t tap = taps[t];
        const uint16_t* from = padded + t;
        for (int x = 0; x < width; x++)
            out[x] = uint16_t(out[x] + tap * from[x]);
    }
}

// The ring slot holding the horizontal sums of source row `row`, computed when missing.
const uint16_t* RowSums(CoverageWindow& w, int row)
{
    const int slots = 2 * w.radius + 1, width = w.source.width, span = width + 2 * w.radius;
    const int slot = row % slots;
    uint16_t* sums = w.ring.data() + size_t(slot) * kCoverageQuantities * width;
    if (w.ringRow[slot] != row) {
        SplitPaddedRow(w.source, row, w.radius, w.padded.data());
        for (int q = 0; q < kCoverageQuantities; q++)
            SumAlongRow(w.padded.data() + size_t(q) * span, w.taps, slots, width, sums + size_t(q) * width);
        w.ringRow[slot] = row;
    }
    return sums;
}

}  // namespace

CoverageWindow MakeCoverageWindow(const PixelView& source, const uint16_t* taps, int radius)
{
    CoverageWindow w;
    w.source = source;
    w.taps = taps;
    w.radius = radius;
    const size_t rowPlanes = size_t(kCoverageQuantities) * source.width;
    w.ring.resize(rowPlanes * (2 * radius + 1));
    w.ringRow.assign(2 * radius + 1, -1);
    w.padded.resize(size_t(kCoverageQuantities) * (source.width + 2 * radius));
    w.sums.resize(rowPlanes);
    return w;
}

void SumCoverageRow(CoverageWindow& w, int y)
{
    const int width = w.source.width;
    const size_t planeSize = size_t(kCoverageQuantities) * width;
    // Distinct source rows of one window fall in distinct ring slots, so fetch them all
    // before adding (a later fetch never evicts an earlier one of the same window).
    const uint16_t* rows[16];
    for (int t = 0; t <= 2 * w.radius; t++)
        rows[t] = RowSums(w, ClampIndex(y + t - w.radius, w.source.height));
    uint16_t* out = w.sums.data();
    for (size_t i = 0; i < planeSize; i++)
        out[i] = 0;
    for (int t = 0; t <= 2 * w.radius; t++) {
        const uint16_t tap = w.taps[t];
        const uint16_t* from = rows[t];
        for (size_t i = 0; i < planeSize; i++)
            out[i] = uint16_t(out[i] + tap * from[i]);
    }
}
