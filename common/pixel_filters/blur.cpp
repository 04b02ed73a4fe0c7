#include "common/pixel_filters/blur.h"

#include <algorithm>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

#include "common/pixel_filters/coverage_sums.h"
#include "common/pixel_filters/cpu_features.h"
#include "common/pixel_filters/pixel_buffer.h"
#include "common/pixel_filters/resample.h"
#include "common/pixel_filters/small_division.h"

namespace {

constexpr uint16_t kBoxTaps[] = {1, 1, 1};
constexpr uint16_t kBinomialTaps[] = {1, 2, 4, 2, 1};
constexpr int kBinomialWeightTotal = 100;
constexpr float kHundredth = 0.01f;  // single precision: 0.0099999998

// Reciprocals of the Gaussian's covered weight D: in double for red, rounded to single
// precision for green and blue (which is why a uniform area loses 1 in green and blue).
struct GaussianReciprocals {
    double exact[kBinomialWeightTotal + 1];
    double single[kBinomialWeightTotal + 1];
    // The same quotients as whole numbers: sum / D truncated is (sum + 0.5) x (1 / D) in
    // single precision, truncated (the half keeps the product at least 0.5 / D from a whole
    // number, far beyond the float's error). Where the double quotient of a multiple of D
    // falls just short of the whole number, the half becomes -0.5: -0.5 for green and blue
    // when the single-precision reciprocal is below 1 / D (then every multiple falls short,
    // the product being exact in double); for red it happens only for some multiples, so
    // windows of such a D keep the double arithmetic.
    float reciprocal[kBinomialWeightTotal + 1];
    float singleHalf[kBinomialWeightTotal + 1];
    int32_t redNeedsDouble[kBinomialWeightTotal + 1];
};

GaussianReciprocals MakeGaussianReciprocals()
{
    GaussianReciprocals table{};
    for (int d = 1; d <= kBinomialWeightTotal; d++) {
        table.exact[d] = 1.0 / d;
        table.single[d] = float(1.0 / d);
        table.reciprocal[d] = float(1.0 / d);
        table.singleHalf[d] = table.single[d] * d < 1.0 ? -0.5f : 0.5f;
        for (int k = 1; k <= 255; k++)
            table.redNeedsDouble[d] |= int(double(k * d) * table.exact[d]) != k;
    }
    return table;
}

void HeavyBlurPyramid(const PictureArea& source, int factor, int left, int top, const PixelView& result);

// The Gaussian's quotients for four pixels at a time, as whole numbers in single precision
// (see GaussianReciprocals), from pixel x on; returns where it stopped: before the last
// pixels of the row, fewer than four, or before four one of which needs the double
// arithmetic for red.
int FinishGaussianAvx2(const CoverageWindow& window, const GaussianReciprocals& reciprocals, const uint32_t* from,
                       uint32_t* to, int x, int width);

int FinishGaussianVector(const CoverageWindow& window, const GaussianReciprocals& reciprocals, const uint32_t* from,
                         uint32_t* to, int x, int width)
{
#if defined(__SSE2__)
    if (HasAvx2())
        x = FinishGaussianAvx2(window, reciprocals, from, to, x, width);
    const uint16_t *weight = window.Plane(kCoveredWeight), *red = window.Plane(kCoveredRed);
    const uint16_t *green = window.Plane(kCoveredGreen), *blue = window.Plane(kCoveredBlue);
    const uint16_t* alpha = window.Plane(kAllAlpha);
    const __m128 half = _mm_set1_ps(0.5f), alphaHalf = _mm_set1_ps(-0.5f);  // a multiple of 100 falls short
    const __m128 hundredth = _mm_set1_ps(reciprocals.reciprocal[kBinomialWeightTotal]);
    const __m128i zero = _mm_setzero_si128();
    const auto quotients = [&](const uint16_t* sums, __m128 offset, __m128 scale) {
        const __m128i wide = _mm_unpacklo_epi16(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(sums + x)), zero);
        return _mm_cvttps_epi32(_mm_mul_ps(_mm_add_ps(_mm_cvtepi32_ps(wide), offset), scale));
    };
    for (; x + 4 <= width; x += 4) {
        const int d0 = weight[x], d1 = weight[x + 1], d2 = weight[x + 2], d3 = weight[x + 3];  // 0: zero entries
        if (reciprocals.redNeedsDouble[d0] || reciprocals.redNeedsDouble[d1] || reciprocals.redNeedsDouble[d2] ||
            reciprocals.redNeedsDouble[d3])
            break;
        const __m128 scale = _mm_set_ps(reciprocals.reciprocal[d3], reciprocals.reciprocal[d2],
                                        reciprocals.reciprocal[d1], reciprocals.reciprocal[d0]);
        const __m128 singleHalf = _mm_set_ps(reciprocals.singleHalf[d3], reciprocals.singleHalf[d2],
                                             reciprocals.singleHalf[d1], reciprocals.singleHalf[d0]);
        // Blue, green, red, alpha of four pixels; the saturating packs keep each in 0..255.
        const __m128i blueGreen = _mm_packs_epi32(quotients(blue, singleHalf, scale), quotients(green, singleHalf, scale));
        const __m128i redAlpha = _mm_packs_epi32(quotients(red, half, scale), quotients(alpha, alphaHalf, hundredth));
        const __m128i bytes = _mm_packus_epi16(blueGreen, redAlpha);  // b0..b3 g0..g3 r0..r3 a0..a3
        const __m128i low = _mm_unpacklo_epi8(bytes, _mm_srli_si128(bytes, 8));   // b0 r0 b1 r1 ... g0 a0 ...
        const __m128i pixels = _mm_unpacklo_epi8(low, _mm_srli_si128(low, 8));   // b0 g0 r0 a0 b1 ...
        // A window without a covered pixel keeps the source pixel.
        const __m128i counts = _mm_unpacklo_epi16(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(weight + x)), zero);
        const __m128i keep = _mm_cmpeq_epi32(counts, zero);
        const __m128i source = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + x),
                         _mm_or_si128(_mm_and_si128(keep, source), _mm_andnot_si128(keep, pixels)));
    }
#else
    (void)window, (void)reciprocals, (void)from, (void)to, (void)width;
#endif
    return x;
}

#if defined(__SSE2__) && defined(__GNUC__)
// The same arithmetic eight pixels at a time where the processor has AVX2 (checked at run
// time).
__attribute__((target("avx2"))) __m256i GaussianQuotients8(const uint16_t* sums, __m256 offset, __m256 scale)
{
    const __m256 values = _mm256_cvtepi32_ps(_mm256_cvtepu16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(sums))));
    return _mm256_cvttps_epi32(_mm256_mul_ps(_mm256_add_ps(values, offset), scale));
}

__attribute__((target("avx2"))) int FinishGaussianAvx2(const CoverageWindow& window,
                                                       const GaussianReciprocals& reciprocals, const uint32_t* from,
                                                       uint32_t* to, int x, int width)
{
    const uint16_t *weight = window.Plane(kCoveredWeight), *red = window.Plane(kCoveredRed);
    const uint16_t *green = window.Plane(kCoveredGreen), *blue = window.Plane(kCoveredBlue);
    const uint16_t* alpha = window.Plane(kAllAlpha);
    const __m256 half = _mm256_set1_ps(0.5f), alphaHalf = _mm256_set1_ps(-0.5f);
    const __m256 hundredth = _mm256_set1_ps(reciprocals.reciprocal[kBinomialWeightTotal]);
    // Within each half: b0..b3 g0..g3 r0..r3 a0..a3 to b0 g0 r0 a0 b1 ...
    const __m256i interleave = _mm256_setr_epi8(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15, 0, 4, 8, 12, 1,
                                                5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15);
    for (; x + 8 <= width; x += 8) {
        const uint16_t* at = weight + x;
        if (reciprocals.redNeedsDouble[at[0]] | reciprocals.redNeedsDouble[at[1]] | reciprocals.redNeedsDouble[at[2]] |
            reciprocals.redNeedsDouble[at[3]] | reciprocals.redNeedsDouble[at[4]] | reciprocals.redNeedsDouble[at[5]] |
            reciprocals.redNeedsDouble[at[6]] | reciprocals.redNeedsDouble[at[7]])
            break;
        // Table entries by plain loads: a gather is slow on many processors.
        const float* r = reciprocals.reciprocal;
        const float* h = reciprocals.singleHalf;
        const __m256 scale = _mm256_setr_ps(r[at[0]], r[at[1]], r[at[2]], r[at[3]], r[at[4]], r[at[5]], r[at[6]], r[at[7]]);
        const __m256 singleHalf =
            _mm256_setr_ps(h[at[0]], h[at[1]], h[at[2]], h[at[3]], h[at[4]], h[at[5]], h[at[6]], h[at[7]]);
        const __m256i d = _mm256_cvtepu16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)));
        const __m256i blueGreen =
            _mm256_packs_epi32(GaussianQuotients8(blue + x, singleHalf, scale), GaussianQuotients8(green + x, singleHalf, scale));
        const __m256i redAlpha =
            _mm256_packs_epi32(GaussianQuotients8(red + x, half, scale), GaussianQuotients8(alpha + x, alphaHalf, hundredth));
        const __m256i pixels = _mm256_shuffle_epi8(_mm256_packus_epi16(blueGreen, redAlpha), interleave);
        const __m256i keep = _mm256_cmpeq_epi32(d, _mm256_setzero_si256());
        const __m256i source = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + x));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + x), _mm256_blendv_epi8(pixels, source, keep));
    }
    return x;
}

#else
int FinishGaussianAvx2(const CoverageWindow&, const GaussianReciprocals&, const uint32_t*, uint32_t*, int x, int)
{
    return x;
}
#endif

}  // namespace

void LinearBlur(const PixelView& source, const PixelView& result)
{
    CoverageWindow window = MakeCoverageWindow(source, kBoxTaps, 1);
    for (int y = 0; y < source.height; y++) {
        SumCoverageRow(window, y);
        const uint16_t *weight = window.Plane(kCoveredWeight), *red = window.Plane(kCoveredRed);
        const uint16_t *green = window.Plane(kCoveredGreen), *blue = window.Plane(kCoveredBlue);
        const uint16_t* alpha = window.Plane(kAllAlpha);
        const uint32_t* from = PixelRow(source, y);
        uint32_t* to = PixelRow(result, y);
        for (int x = 0; x < source.width; x++) {
            const uint32_t covered = weight[x];
            to[x] = covered == 0 ? from[x]
                                 : PackPixel(DivideSmall(alpha[x], 9), DivideSmall(red[x], covered),
                                             DivideSmall(green[x], covered), DivideSmall(blue[x], covered));
        }
    }
}

void GaussianBlur5x5(const PixelView& source, const PixelView& result)
{
    static const GaussianReciprocals reciprocals = MakeGaussianReciprocals();
    const double hundredth = kHundredth;
    CoverageWindow window = MakeCoverageWindow(source, kBinomialTaps, 2);
    for (int y = 0; y < source.height; y++) {
        SumCoverageRow(window, y);
        const uint16_t *weight = window.Plane(kCoveredWeight), *red = window.Plane(kCoveredRed);
        const uint16_t *green = window.Plane(kCoveredGreen), *blue = window.Plane(kCoveredBlue);
        const uint16_t* alpha = window.Plane(kAllAlpha);
        const uint32_t* from = PixelRow(source, y);
        uint32_t* to = PixelRow(result, y);
        for (int x = 0; x < source.width;) {
            x = FinishGaussianVector(window, reciprocals, from, to, x, source.width);
            for (const int end = std::min(x + 4, source.width); x < end; x++) {
                const int d = weight[x];
                to[x] = d == 0 ? from[x]
                               : PackPixel(TruncateToByte(alpha[x] * hundredth),
                                           TruncateToByte(red[x] * reciprocals.exact[d]),
                                           TruncateToByte(green[x] * reciprocals.single[d]),
                                           TruncateToByte(blue[x] * reciprocals.single[d]));
            }
        }
    }
}

void HeavyBlur(const PixelView& source, const PixelView& result, int factor)
{
    factor = std::min(factor, kLargestHeavyBlurFactor);  // the pyramid's scales overflow beyond
    if (factor <= 0) {
        CopyPixels(source, result);
    } else if (factor == 1) {
        LinearBlur(source, result);
    } else if (factor == 2) {
        GaussianBlur5x5(source, result);
    } else if (factor < kFirstPyramidHeavyBlurFactor) {
        PixelBuffer first = NewScratchBuffer(source.width, source.height);
        if (factor == 3)
            LinearBlur(source, first.View());
        else
            GaussianBlur5x5(source, first.View());
        GaussianBlur5x5(first.View(), result);
    } else {
        HeavyBlurPyramid({source, 0, 0, source.width, source.height}, factor, 0, 0, result);
    }
}

void HeavyBlurArea(const PictureArea& source, int factor, int left, int top, const PixelView& result)
{
    factor = std::min(factor, kLargestHeavyBlurFactor);
    if (factor >= kFirstPyramidHeavyBlurFactor) {
        HeavyBlurPyramid(source, factor, left, top, result);
        return;
    }
    PixelBuffer whole = NewPixelBuffer(source.fullWidth, source.fullHeight);
    CopyPixels(source.view, SubView(whole.View(), source.left, source.top, source.view.width, source.view.height));
    PixelBuffer blurred = NewScratchBuffer(whole.width, whole.height);
    HeavyBlur(whole.View(), blurred.View(), factor);
    CopyPixels(SubView(blurred.View(), left, top, result.width, result.height), result);
}

namespace {

constexpr int kPyramidSteps = 5;

// A size scaled by a single-precision factor, truncated, and never below one pixel (a
// small picture at a large factor would otherwise shrink to nothing).
int ScaledSize(int size, float scale)
{
    const int scaled = int(float(size) * scale);
    return scaled < 1 ? 1 : (scaled > size ? size : scaled);
}

float PyramidScale(int step, int m)
{
    if (step == 0)
        return 4.0f / float(m);
    return float(step * m + 20 - 4 * step) / float(5 * m);
}

struct Area {
    int left, top, right, bottom;  // right and bottom exclusive
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// The area grown by the Gaussian's reach, cut to a picture of width x height.
Area WithGaussianMargin(const Area& area, int width, int height)
{
    return {std::max(area.left - 2, 0), std::max(area.top - 2, 0), std::min(area.right + 2, width),
            std::min(area.bottom + 2, height)};
}

// Shrinks, blurs and grows back in five steps, the last Gaussian pass giving the result.
// Working backwards from the wanted area, each step computes only the area the next step
// reads: the Gaussian's margin of 2, and the source span of the scaling. A Gaussian pixel
// whose taps all lie inside its computed area comes out as in the whole picture, and the
// margin makes that so for every pixel the next step reads.
void HeavyBlurPyramid(const PictureArea& source, int factor, int left, int top, const PixelView& result)
{
    constexpr int kLevels = kPyramidSteps + 1;
    const int m = factor - 1;
    int widths[kLevels], heights[kLevels];
    for (int step = 0; step < kPyramidSteps; step++) {
        widths[step] = ScaledSize(source.fullWidth, PyramidScale(step, m));
        heights[step] = ScaledSize(source.fullHeight, PyramidScale(step, m));
    }
    widths[kPyramidSteps] = source.fullWidth;
    heights[kPyramidSteps] = source.fullHeight;
    // Each step's scaling, made once for planning and drawing.
    AxisTaps columnTaps[kLevels], rowTaps[kLevels];
    for (int level = 0; level < kLevels; level++) {
        columnTaps[level] = MakeAxisTaps(level == 0 ? source.fullWidth : widths[level - 1], widths[level]);
        rowTaps[level] = MakeAxisTaps(level == 0 ? source.fullHeight : heights[level - 1], heights[level]);
    }
    Area computed[kLevels];
    Area wanted = {left, top, left + result.width, top + result.height};
    for (int level = kLevels - 1; level >= 0; level--) {
        computed[level] = WithGaussianMargin(wanted, widths[level], heights[level]);
        if (level == 0)
            break;
        ResampleSpan(columnTaps[level], widths[level - 1], computed[level].left, computed[level].right, &wanted.left,
                     &wanted.right);
        ResampleSpan(rowTaps[level], heights[level - 1], computed[level].top, computed[level].bottom, &wanted.top,
                     &wanted.bottom);
    }
    // Two buffers as large as the largest area serve every level in turn.
    int largest = 0;
    for (const Area& area : computed)
        largest = std::max(largest, area.Width() * area.Height());
    PixelBuffer scaled = NewScratchBuffer(largest, 1), blurred = NewScratchBuffer(largest, 1);
    PictureArea previous = source;
    for (int level = 0; level < kLevels; level++) {
        const Area& area = computed[level];
        const PixelView shrunk = scaled.ViewOfSize(area.Width(), area.Height());
        ResampleArea(previous, {shrunk, area.left, area.top, widths[level], heights[level]}, columnTaps[level],
                     rowTaps[level]);
        const bool whole = level == kLevels - 1 && area.left == left && area.top == top &&
                           area.Width() == result.width && area.Height() == result.height;
        if (whole) {  // the last pass can write the result itself
            GaussianBlur5x5(shrunk, result);
            return;
        }
        const PixelView smooth = blurred.ViewOfSize(area.Width(), area.Height());
        GaussianBlur5x5(shrunk, smooth);
        previous = {smooth, area.left, area.top, widths[level], heights[level]};
    }
    const Area& last = computed[kLevels - 1];
    CopyPixels(SubView(previous.view, left - last.left, top - last.top, result.width, result.height), result);
}

}  // namespace
