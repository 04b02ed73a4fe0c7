#include "common/pixel_filters/coverage_sums.h"

#include "common/pixel_filters/cpu_features.h"
#include "common/pixel_filters/pixel_buffer.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// One pixel's five quantities at position i of the padded planes.
inline void SplitPixel(uint32_t pixel, int span, int i, uint16_t* padded)
{
    const uint16_t covered = AlphaOf(pixel) != 0;
    padded[kCoveredWeight * span + i] = covered;
    padded[kCoveredRed * span + i] = uint16_t(covered * RedOf(pixel));
    padded[kCoveredGreen * span + i] = uint16_t(covered * GreenOf(pixel));
    padded[kCoveredBlue * span + i] = uint16_t(covered * BlueOf(pixel));
    padded[kAllAlpha * span + i] = uint16_t(AlphaOf(pixel));
}

#if defined(__SSE2__)
// Eight pixels' quantities from position i on; returns how many pixels of the row were done.
int SplitRowVector(const uint32_t* row, int width, int radius, int span, uint16_t* padded)
{
    const __m128i byteMask = _mm_set1_epi32(0xFF), one = _mm_set1_epi32(1), zero = _mm_setzero_si128();
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        __m128i quantities[kCoverageQuantities][2];
        for (int half = 0; half < 2; half++) {
            const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x + 4 * half));
            const __m128i alpha = _mm_srli_epi32(pixels, 24);
            const __m128i covered = _mm_andnot_si128(_mm_cmpeq_epi32(alpha, zero), _mm_set1_epi32(-1));
            const __m128i colors = _mm_and_si128(pixels, covered);
            quantities[kCoveredWeight][half] = _mm_and_si128(covered, one);
            quantities[kCoveredRed][half] = _mm_and_si128(_mm_srli_epi32(colors, 16), byteMask);
            quantities[kCoveredGreen][half] = _mm_and_si128(_mm_srli_epi32(colors, 8), byteMask);
            quantities[kCoveredBlue][half] = _mm_and_si128(colors, byteMask);
            quantities[kAllAlpha][half] = alpha;
        }
        for (int q = 0; q < kCoverageQuantities; q++)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(padded + q * span + radius + x),
                             _mm_packs_epi32(quantities[q][0], quantities[q][1]));
    }
    return x;
}
#else
int SplitRowVector(const uint32_t*, int, int, int, uint16_t*) { return 0; }
#endif

// One source row split into the five quantities, each padded by `radius` repeated edge
// values on both sides so the horizontal pass needs no clamping.
void SplitPaddedRow(const PixelView& source, int y, int radius, uint16_t* padded)
{
    const int width = source.width, span = width + 2 * radius;
    const uint32_t* row = PixelRow(source, y);
    const int done = SplitRowVector(row, width, radius, span, padded);
    for (int i = 0; i < radius; i++)
        SplitPixel(row[0], span, i, padded);
    for (int x = done; x < width; x++)
        SplitPixel(row[x], span, radius + x, padded);
    for (int i = radius + width; i < span; i++)
        SplitPixel(row[width - 1], span, i, padded);
}

// out[x] = sum of taps[t] x rows[t][x] for t < Taps, all taps in one pass (the sums wrap
// in 16 bits, so their order does not matter, and they never exceed 65535).
template <int Taps>
inline __attribute__((always_inline)) void FixedWeightedSum(const uint16_t* const* rows, const uint16_t* taps,
                                                             size_t count, uint16_t* out)
{
    uint16_t weights[Taps];
    const uint16_t* from[Taps];
    for (int t = 0; t < Taps; t++) {
        weights[t] = taps[t];
        from[t] = rows[t];
    }
    for (size_t i = 0; i < count; i++) {
        uint16_t sum = 0;
        for (int t = 0; t < Taps; t++)
            sum = uint16_t(sum + weights[t] * from[t][i]);
        out[i] = sum;
    }
}

#if defined(__SSE2__) && defined(__GNUC__)
// The same sums sixteen lanes at a time where the processor has AVX2 (checked at run time).
template <int Taps>
__attribute__((target("avx2"))) void WeightedSumAvx2(const uint16_t* const* rows, const uint16_t* taps, size_t count,
                                                     uint16_t* out)
{
    FixedWeightedSum<Taps>(rows, taps, count, out);
}

#else
template <int Taps>
void WeightedSumAvx2(const uint16_t* const* rows, const uint16_t* taps, size_t count, uint16_t* out)
{
    FixedWeightedSum<Taps>(rows, taps, count, out);
}
#endif

template <int Taps>
void WeightedSum(const uint16_t* const* rows, const uint16_t* taps, size_t count, uint16_t* out)
{
    if (HasAvx2())
        WeightedSumAvx2<Taps>(rows, taps, count, out);
    else
        FixedWeightedSum<Taps>(rows, taps, count, out);
}

void WeightedSum(int tapCount, const uint16_t* const* rows, const uint16_t* taps, size_t count, uint16_t* out)
{
    switch (tapCount) {
    case 3: WeightedSum<3>(rows, taps, count, out); return;
    case 5: WeightedSum<5>(rows, taps, count, out); return;
    default: break;
    }
    for (size_t i = 0; i < count; i++)
        out[i] = 0;
    for (int t = 0; t < tapCount; t++)
        for (size_t i = 0; i < count; i++)
            out[i] = uint16_t(out[i] + taps[t] * rows[t][i]);
}

void SumAlongRow(const uint16_t* padded, const uint16_t* taps, int span, int width, uint16_t* out)
{
    const uint16_t* rows[16];
    for (int t = 0; t < span; t++)
        rows[t] = padded + t;
    WeightedSum(span, rows, taps, size_t(width), out);
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
    WeightedSum(2 * w.radius + 1, rows, w.taps, planeSize, w.sums.data());
}
