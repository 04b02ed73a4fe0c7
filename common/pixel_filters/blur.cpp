#include "common/pixel_filters/blur.h"

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

void HeavyBlurPyramid(const PixelView& source, const PixelView& result, int factor);

}  // namespace

void LinearBlur(const PixelView& source, const PixelView& result)
{
    const CoverageSums sums = SumCoverageWindow(source, kBoxTaps, 1);
    for (int y = 0; y < source.height; y++) {
        const uint32_t* from = PixelRow(source, y);
        uint32_t* to = PixelRow(result, y);
        const size_t base = size_t(y) * source.width;
        for (int x = 0; x < source.width; x++) {
            const size_t i = base + x;
            const uint32_t covered = sums.weight[i];
            if (covered == 0) {
                to[x] = from[x];
                continue;
            }
            to[x] = PackPixel(DivideSmall(sums.alpha[i], 9), DivideSmall(sums.red[i], covered),
                              DivideSmall(sums.green[i], covered), DivideSmall(sums.blue[i], covered));
        }
    }
}

void GaussianBlur5x5(const PixelView& source, const PixelView& result)
{
    static const GaussianReciprocals reciprocals = MakeGaussianReciprocals();
    const double hundredth = kHundredth;
    const CoverageSums sums = SumCoverageWindow(source, kBinomialTaps, 2);
    for (int y = 0; y < source.height; y++) {
        const uint32_t* from = PixelRow(source, y);
        uint32_t* to = PixelRow(result, y);
        const size_t base = size_t(y) * source.width;
        for (int x = 0; x < source.width; x++) {
            const size_t i = base + x;
            const int d = sums.weight[i];
            if (d == 0) {
                to[x] = from[x];
                continue;
            }
            to[x] = PackPixel(TruncateToByte(sums.alpha[i] * hundredth),
                              TruncateToByte(sums.red[i] * reciprocals.exact[d]),
                              TruncateToByte(sums.green[i] * reciprocals.single[d]),
                              TruncateToByte(sums.blue[i] * reciprocals.single[d]));
        }
    }
}

void HeavyBlur(const PixelView& source, const PixelView& result, int factor)
{
    if (factor <= 0) {
        CopyPixels(source, result);
    } else if (factor == 1) {
        LinearBlur(source, result);
    } else if (factor == 2) {
        GaussianBlur5x5(source, result);
    } else if (factor <= 4) {
        PixelBuffer first = NewPixelBuffer(source.width, source.height);
        if (factor == 3)
            LinearBlur(source, first.View());
        else
            GaussianBlur5x5(source, first.View());
        GaussianBlur5x5(first.View(), result);
    } else {
        HeavyBlurPyramid(source, result, factor);
    }
}

namespace {

constexpr int kPyramidSteps = 5;

// A size scaled by a single-precision factor, truncated, and never below one pixel (a
// small picture at a large factor would otherwise shrink to nothing).
int ScaledSize(int size, float scale)
{
    const int scaled = int(float(size) * scale);
    return scaled < 1 ? 1 : scaled;
}

float PyramidScale(int step, int m)
{
    if (step == 0)
        return 4.0f / float(m);
    return float(step * m + 20 - 4 * step) / float(5 * m);
}

// Shrinks, blurs and grows back in five steps; the last Gaussian pass writes the result.
void HeavyBlurPyramid(const PixelView& source, const PixelView& result, int factor)
{
    const int m = factor - 1;
    PixelBuffer blurred;
    PixelView previous = source;
    for (int step = 0; step < kPyramidSteps; step++) {
        const float scale = PyramidScale(step, m);
        PixelBuffer scaled = NewPixelBuffer(ScaledSize(source.width, scale), ScaledSize(source.height, scale));
        ResampleBilinear(previous, scaled.View());
        blurred = NewPixelBuffer(scaled.width, scaled.height);
        GaussianBlur5x5(scaled.View(), blurred.View());
        previous = blurred.View();
    }
    PixelBuffer full = NewPixelBuffer(source.width, source.height);
    ResampleBilinear(previous, full.View());
    GaussianBlur5x5(full.View(), result);
}

}  // namespace
