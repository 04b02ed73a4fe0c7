#include "common/pixel_filters/blur.h"

#include <algorithm>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

#include "common/pixel_filters/coverage_sums.h"
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
};

GaussianReciprocals MakeGaussianReciprocals()
{
    GaussianReciprocals table{};
    for (int d = 1; d <= kBinomialWeightTotal; d++) {
        table.exact[d] = 1.0 / d;
        table.single[d] = float(1.0 / d);
    }
    return table;
}

void HeavyBlurPyramid(const PictureArea& source, int factor, int left, int top, const PixelView& result);

int FinishGaussianAvx2(const CoverageWindow& window, const GaussianReciprocals& reciprocals, const uint32_t* from,
                       uint32_t* to, int width);
bool HasAvx2();

// The Gaussian's quotients for four pixels at a time, the same double operations as the
// loop after it; returns how many pixels of the row were done.
int FinishGaussianVector(const CoverageWindow& window, const GaussianReciprocals& reciprocals, const uint32_t* from,
                         uint32_t* to, int width)
{
    int x = 0;
#if defined(__SSE2__)
    if (HasAvx2())
        return FinishGaussianAvx2(window, reciprocals, from, to, width);
    const uint16_t *weight = window.Plane(kCoveredWeight), *red = window.Plane(kCoveredRed);
    const uint16_t *green = window.Plane(kCoveredGreen), *blue = window.Plane(kCoveredBlue);
    const uint16_t* alpha = window.Plane(kAllAlpha);
    const __m128d hundredth = _mm_set1_pd(double(kHundredth)), zero = _mm_setzero_pd(), top = _mm_set1_pd(255.0);
    // Four sums as bytes in the low bytes of four lanes: two doubles at a time.
    const auto truncated = [&](const uint16_t* sums, int i, __m128d lowScale, __m128d highScale) {
        const __m128i wide = _mm_unpacklo_epi16(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(sums + i)),
                                                _mm_setzero_si128());
        const __m128d low = _mm_mul_pd(_mm_cvtepi32_pd(wide), lowScale);
        const __m128d high = _mm_mul_pd(_mm_cvtepi32_pd(_mm_shuffle_epi32(wide, _MM_SHUFFLE(1, 0, 3, 2))), highScale);
        const __m128i lowBytes = _mm_cvttpd_epi32(_mm_min_pd(_mm_max_pd(low, zero), top));
        const __m128i highBytes = _mm_cvttpd_epi32(_mm_min_pd(_mm_max_pd(high, zero), top));
        return _mm_unpacklo_epi64(lowBytes, highBytes);
    };
    for (; x + 4 <= width; x += 4) {
        const int d0 = weight[x], d1 = weight[x + 1], d2 = weight[x + 2], d3 = weight[x + 3];  // 0: zero entries
        const __m128d exactLow = _mm_set_pd(reciprocals.exact[d1], reciprocals.exact[d0]);
        const __m128d exactHigh = _mm_set_pd(reciprocals.exact[d3], reciprocals.exact[d2]);
        const __m128d singleLow = _mm_set_pd(reciprocals.single[d1], reciprocals.single[d0]);
        const __m128d singleHigh = _mm_set_pd(reciprocals.single[d3], reciprocals.single[d2]);
        const __m128i pixels =
            _mm_or_si128(_mm_or_si128(_mm_slli_epi32(truncated(alpha, x, hundredth, hundredth), 24),
                                      _mm_slli_epi32(truncated(red, x, exactLow, exactHigh), 16)),
                         _mm_or_si128(_mm_slli_epi32(truncated(green, x, singleLow, singleHigh), 8),
                                      truncated(blue, x, singleLow, singleHigh)));
        // A window without a covered pixel keeps the source pixel.
        const __m128i counts = _mm_unpacklo_epi16(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(weight + x)),
                                                  _mm_setzero_si128());
        const __m128i keep = _mm_cmpeq_epi32(counts, _mm_setzero_si128());
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
// The same quotients four lanes of doubles at a time, for processors with AVX2 (checked at
// run time): the same double operations, so the same bits.
__attribute__((target("avx2"))) __m128i TruncatedBytes4(const uint16_t* sums, __m256d scale)
{
    const __m128i wide = _mm_unpacklo_epi16(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(sums)), _mm_setzero_si128());
    const __m256d value = _mm256_mul_pd(_mm256_cvtepi32_pd(wide), scale);
    return _mm256_cvttpd_epi32(_mm256_min_pd(_mm256_max_pd(value, _mm256_setzero_pd()), _mm256_set1_pd(255.0)));
}

__attribute__((target("avx2"))) int FinishGaussianAvx2(const CoverageWindow& window, const GaussianReciprocals& reciprocals,
                                                       const uint32_t* from, uint32_t* to, int width)
{
    const uint16_t *weight = window.Plane(kCoveredWeight), *red = window.Plane(kCoveredRed);
    const uint16_t *green = window.Plane(kCoveredGreen), *blue = window.Plane(kCoveredBlue);
    const uint16_t* alpha = window.Plane(kAllAlpha);
    const __m256d hundredth = _mm256_set1_pd(double(kHundredth));
    int x = 0;
    for (; x + 4 <= width; x += 4) {
        const int d0 = weight[x], d1 = weight[x + 1], d2 = weight[x + 2], d3 = weight[x + 3];  // 0: zero entries
        const __m256d exact =
            _mm256_set_pd(reciprocals.exact[d3], reciprocals.exact[d2], reciprocals.exact[d1], reciprocals.exact[d0]);
        const __m256d single =
            _mm256_set_pd(reciprocals.single[d3], reciprocals.single[d2], reciprocals.single[d1], reciprocals.single[d0]);
        const __m128i pixels = _mm_or_si128(
            _mm_or_si128(_mm_slli_epi32(TruncatedBytes4(alpha + x, hundredth), 24),
                         _mm_slli_epi32(TruncatedBytes4(red + x, exact), 16)),
            _mm_or_si128(_mm_slli_epi32(TruncatedBytes4(green + x, single), 8), TruncatedBytes4(blue + x, single)));
        const __m128i counts = _mm_unpacklo_epi16(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(weight + x)),
                                                  _mm_setzero_si128());
        const __m128i keep = _mm_cmpeq_epi32(counts, _mm_setzero_si128());
        const __m128i source = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + x),
                         _mm_or_si128(_mm_and_si128(keep, source), _mm_andnot_si128(keep, pixels)));
    }
    return x;
}

bool HasAvx2()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#else
int FinishGaussianAvx2(const CoverageWindow&, const GaussianReciprocals&, const uint32_t*, uint32_t*, int) { return 0; }
bool HasAvx2() { return false; }
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
        for (int x = FinishGaussianVector(window, reciprocals, from, to, source.width); x < source.width; x++) {
            const int d = weight[x];
            to[x] = d == 0 ? from[x]
                           : PackPixel(TruncateToByte(alpha[x] * hundredth), TruncateToByte(red[x] * reciprocals.exact[d]),
                                       TruncateToByte(green[x] * reciprocals.single[d]),
                                       TruncateToByte(blue[x] * reciprocals.single[d]));
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
    } else if (factor <= 4) {
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
    if (factor >= 5) {
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
    Area computed[kLevels];
    Area wanted = {left, top, left + result.width, top + result.height};
    for (int level = kLevels - 1; level >= 0; level--) {
        computed[level] = WithGaussianMargin(wanted, widths[level], heights[level]);
        if (level == 0)
            break;
        ResampleSpan(widths[level - 1], widths[level], computed[level].left, computed[level].right, &wanted.left,
                     &wanted.right);
        ResampleSpan(heights[level - 1], heights[level], computed[level].top, computed[level].bottom, &wanted.top,
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
        ResampleArea(previous, {shrunk, area.left, area.top, widths[level], heights[level]});
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
