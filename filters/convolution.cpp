// The fixed 3 x 3 kernels, Soften, MotionBlur and UnsharpMask.
#include <vector>

#include "common/pixel_filters/coverage_sums.h"
#include "common/pixel_filters/pixel_buffer.h"
#include "common/pixel_filters/small_division.h"
#include "filters/filter_routines.h"

namespace {

// Red, green and blue of one source row as padded planes, edges repeated.
void SplitColorRow(const uint32_t* row, int width, int span, int16_t* planes)
{
    for (int i = 0; i < span; i++) {
        const uint32_t pixel = row[ClampIndex(i - 1, width)];
        planes[i] = int16_t(RedOf(pixel));
        planes[span + i] = int16_t(GreenOf(pixel));
        planes[2 * span + i] = int16_t(BlueOf(pixel));
    }
}

// A plain 3 x 3 kernel over red, green and blue; Kernel gives the weights (rows top to
// bottom) and turns a channel's weighted sum into the byte. The alpha passes through.
template <typename Kernel>
void PlainKernel3x3(const PixelView& source, const PixelView& result)
{
    const int width = source.width, span = width + 2;
    std::vector<int16_t> planes(size_t(3) * 3 * span);  // row above, row, row below
    std::vector<int32_t> sums(size_t(3) * width);
    for (int y = 0; y < source.height; y++) {
        for (int t = 0; t < 3; t++)
            SplitColorRow(PixelRow(source, ClampIndex(y + t - 1, source.height)), width, span,
                          planes.data() + size_t(t) * 3 * span);
        for (int channel = 0; channel < 3; channel++) {
            int32_t* to = sums.data() + size_t(channel) * width;
            for (int x = 0; x < width; x++)
                to[x] = 0;
            for (int t = 0; t < 9; t++) {
                const int weight = Kernel::kWeights[t];
                if (weight == 0)
                    continue;
                const int16_t* from = planes.data() + size_t(t / 3) * 3 * span + size_t(channel) * span + t % 3;
                for (int x = 0; x < width; x++)
                    to[x] += weight * from[x];
            }
        }
        const uint32_t* from = PixelRow(source, y);
        uint32_t* to = PixelRow(result, y);
        for (int x = 0; x < width; x++)
            to[x] = PackPixel(AlphaOf(from[x]), Kernel::Finish(sums[x]), Kernel::Finish(sums[width + x]),
                              Kernel::Finish(sums[2 * size_t(width) + x]));
    }
}

struct SharpenKernel {
    static constexpr int kWeights[9] = {-1, -1, -1, -1, 15, -1, -1, -1, -1};
    static uint8_t Finish(int sum) { return sum <= 0 ? 0 : ClampToByte(sum / 7); }
};

struct DefocusKernel {
    static constexpr int kWeights[9] = {1, 1, 1, 1, -7, 1, 1, 1, 1};
    static uint8_t Finish(int sum) { return ClampToByte(sum); }
};

struct ColorEmbossKernel {
    static constexpr int kWeights[9] = {-2, -1, 0, -1, 1, 1, 0, 1, 2};
    static uint8_t Finish(int sum) { return ClampToByte(sum); }
};

struct GrayEmbossKernel {
    static constexpr int kWeights[9] = {-1, -1, 0, -1, 0, 1, 0, 1, 1};
    static uint8_t Finish(int sum) { return ClampToByte(sum + 128); }
};

constexpr uint16_t kBoxTaps[] = {1, 1, 1};
constexpr int kSoftenCentreExtra = 7;  // the centre weighs 8: once in the box, 7 more
constexpr int kMotionTaps = 5;

uint32_t Channel(uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }

}  // namespace

void Sharpen(const PixelView& source, const PixelView& result) { PlainKernel3x3<SharpenKernel>(source, result); }
void Defocus(const PixelView& source, const PixelView& result) { PlainKernel3x3<DefocusKernel>(source, result); }
void ColorEmboss(const PixelView& source, const PixelView& result) { PlainKernel3x3<ColorEmbossKernel>(source, result); }
void GrayEmboss(const PixelView& source, const PixelView& result) { PlainKernel3x3<GrayEmbossKernel>(source, result); }

void Soften(const PixelView& source, const PixelView& result)
{
    CoverageWindow window = MakeCoverageWindow(source, kBoxTaps, 1);
    for (int y = 0; y < source.height; y++) {
        SumCoverageRow(window, y);
        const uint16_t *covered = window.Plane(kCoveredWeight), *red = window.Plane(kCoveredRed);
        const uint16_t *green = window.Plane(kCoveredGreen), *blue = window.Plane(kCoveredBlue);
        const uint32_t* from = PixelRow(source, y);
        uint32_t* to = PixelRow(result, y);
        for (int x = 0; x < source.width; x++) {
            const uint32_t centre = from[x];
            const uint32_t extra = AlphaOf(centre) != 0 ? kSoftenCentreExtra : 0;
            const uint32_t weight = covered[x] + extra;
            if (weight == 0) {
                to[x] = centre;
                continue;
            }
            to[x] = PackPixel(AlphaOf(centre), DivideSmall(red[x] + extra * RedOf(centre), weight),
                              DivideSmall(green[x] + extra * GreenOf(centre), weight),
                              DivideSmall(blue[x] + extra * BlueOf(centre), weight));
        }
    }
}

// Five taps on the falling diagonal, averaged over the covered ones.
void MotionBlur(const PixelView& source, const PixelView& result)
{
    for (int y = 0; y < source.height; y++) {
        const uint32_t* rows[kMotionTaps];
        for (int t = 0; t < kMotionTaps; t++)
            rows[t] = PixelRow(source, ClampIndex(y + t - 2, source.height));
        uint32_t* to = PixelRow(result, y);
        for (int x = 0; x < source.width; x++) {
            uint32_t covered = 0, alpha = 0, sums[3] = {0, 0, 0};
            for (int t = 0; t < kMotionTaps; t++) {
                const uint32_t pixel = rows[t][ClampIndex(x + t - 2, source.width)];
                const uint32_t isCovered = AlphaOf(pixel) != 0;
                alpha += AlphaOf(pixel);
                covered += isCovered;
                for (int c = 0; c < 3; c++)
                    sums[c] += isCovered * Channel(pixel, 16 - 8 * c);
            }
            if (covered == 0) {
                to[x] = rows[2][x];
                continue;
            }
            to[x] = PackPixel(DivideSmall(alpha, kMotionTaps), DivideSmall(sums[0], covered),
                              DivideSmall(sums[1], covered), DivideSmall(sums[2], covered));
        }
    }
}

// Twice the source minus its LinearBlur, per color channel.
void UnsharpMask(const PixelView& source, const PixelView& result)
{
    LinearBlur(source, result);
    for (int y = 0; y < source.height; y++) {
        const uint32_t* from = PixelRow(source, y);
        uint32_t* to = PixelRow(result, y);
        for (int x = 0; x < source.width; x++) {
            const uint32_t original = from[x], blurred = to[x];
            to[x] = PackPixel(AlphaOf(original), ClampToByte(2 * int(RedOf(original)) - int(RedOf(blurred))),
                              ClampToByte(2 * int(GreenOf(original)) - int(GreenOf(blurred))),
                              ClampToByte(2 * int(BlueOf(original)) - int(BlueOf(blurred))));
        }
    }
}
