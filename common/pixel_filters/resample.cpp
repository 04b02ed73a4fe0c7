#include "common/pixel_filters/resample.h"

#include <algorithm>
#include <cmath>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "common/pixel_filters/pixel_buffer.h"

namespace {

struct Tap {
    int index;
    float weight;
};

// For each output position, the source positions it reads and their weights (summing to 1).
struct AxisTaps {
    std::vector<size_t> first;  // output i reads taps[first[i]] .. taps[first[i + 1] - 1]
    std::vector<Tap> taps;
};

AxisTaps MakeAxisTaps(int inCount, int outCount)
{
    AxisTaps axis;
    const double scale = double(outCount) / double(inCount);
    const double radius = scale < 1.0 ? 1.0 / scale : 1.0;
    for (int i = 0; i < outCount; i++) {
        axis.first.push_back(axis.taps.size());
        const double centre = (i + 0.5) / scale - 0.5;
        double total = 0;
        for (int j = int(std::ceil(centre - radius)); j <= int(std::floor(centre + radius)); j++) {
            const double weight = 1.0 - std::fabs(j - centre) / radius;
            if (weight <= 0)
                continue;
            axis.taps.push_back({ClampIndex(j, inCount), float(weight)});
            total += weight;
        }
        for (size_t t = axis.first.back(); t < axis.taps.size(); t++)
            axis.taps[t].weight = float(axis.taps[t].weight / total);
    }
    axis.first.push_back(axis.taps.size());
    return axis;
}

// Blue, green, red multiplied by alpha, and alpha: four lanes of one vector register.
typedef float Premultiplied __attribute__((vector_size(16)));

Premultiplied Premultiply(uint32_t pixel)
{
    const float alpha = float(AlphaOf(pixel));
    const Premultiplied channels = {float(BlueOf(pixel)), float(GreenOf(pixel)), float(RedOf(pixel)), 1.0f};
    return channels * alpha;
}

void AddWeighted(Premultiplied& sum, const Premultiplied& value, float weight)
{
    sum += value * weight;
}

uint32_t Unpremultiply(const Premultiplied& value)
{
    const int alpha = int(value[3] + 0.5f);
    if (alpha <= 0)
        return 0;
    const Premultiplied color = value * (1.0f / value[3]) + 0.5f;
#if defined(__SSE2__)
    // The three truncations and clamps at once: saturating packs clamp to 0..255.
    __m128i channels = _mm_cvttps_epi32(__m128(color));
    channels = _mm_packs_epi32(channels, channels);
    channels = _mm_packus_epi16(channels, channels);
    return PackPixel(ClampToByte(alpha), 0, 0, 0) | (uint32_t(_mm_cvtsi128_si32(channels)) & 0x00FFFFFFu);
#else
    return PackPixel(ClampToByte(alpha), ClampToByte(int(color[2])), ClampToByte(int(color[1])),
                     ClampToByte(int(color[0])));
#endif
}

}  // namespace

// Row by row: the source rows an output row reads are blended first (at the source width),
// then that one row is scaled across, so only two rows of floats are ever held.
void ResampleArea(const PictureArea& from, const PictureArea& to)
{
    const AxisTaps columns = MakeAxisTaps(from.fullWidth, to.fullWidth);
    const AxisTaps rowTaps = MakeAxisTaps(from.fullHeight, to.fullHeight);
    std::vector<Premultiplied> blended(from.view.width);
    for (int y = 0; y < to.view.height; y++) {
        for (Premultiplied& value : blended)
            value = Premultiplied{0, 0, 0, 0};
        const int outRow = y + to.top;
        for (size_t t = rowTaps.first[outRow]; t < rowTaps.first[outRow + 1]; t++) {
            const int index = rowTaps.taps[t].index - from.top;
            if (index < 0 || index >= from.view.height)
                continue;  // a transparent row adds nothing
            const uint32_t* row = PixelRow(from.view, index);
            const float weight = rowTaps.taps[t].weight;
            for (int x = 0; x < from.view.width; x++)
                AddWeighted(blended[x], Premultiply(row[x]), weight);
        }
        uint32_t* out = PixelRow(to.view, y);
        for (int x = 0; x < to.view.width; x++) {
            const int outColumn = x + to.left;
            Premultiplied sum = {0, 0, 0, 0};
            for (size_t t = columns.first[outColumn]; t < columns.first[outColumn + 1]; t++) {
                const int index = columns.taps[t].index - from.left;
                if (index >= 0 && index < from.view.width)
                    AddWeighted(sum, blended[index], columns.taps[t].weight);
            }
            out[x] = Unpremultiply(sum);
        }
    }
}

void ResampleBilinear(const PixelView& from, const PixelView& to)
{
    ResampleArea({from, 0, 0, from.width, from.height}, {to, 0, 0, to.width, to.height});
}

void ResampleSpan(int inCount, int outCount, int begin, int end, int* first, int* last)
{
    const AxisTaps axis = MakeAxisTaps(inCount, outCount);
    *first = inCount;
    *last = 0;
    for (size_t t = axis.first[begin]; t < axis.first[end]; t++) {
        *first = std::min(*first, axis.taps[t].index);
        *last = std::max(*last, axis.taps[t].index + 1);
    }
}

namespace {

// The alpha-weighted average of four pixels, with the mean alpha, each rounded; all zero
// when the mean alpha rounds to 0.
uint32_t AverageOfFour(uint32_t a, uint32_t b, uint32_t c, uint32_t d)
{
    const uint32_t alpha = AlphaOf(a) + AlphaOf(b) + AlphaOf(c) + AlphaOf(d);
    const uint32_t meanAlpha = (alpha + 2) / 4;
    if (meanAlpha == 0)
        return 0;
    const auto weighted = [&](uint32_t (*channel)(uint32_t)) {
        const uint32_t sum = channel(a) * AlphaOf(a) + channel(b) * AlphaOf(b) + channel(c) * AlphaOf(c) +
                             channel(d) * AlphaOf(d);
        return (sum + alpha / 2) / alpha;
    };
    return PackPixel(meanAlpha, weighted(RedOf), weighted(GreenOf), weighted(BlueOf));
}

}  // namespace

void HalveByAveraging(const PixelView& from, const PixelView& to)
{
    for (int y = 0; y < to.height; y++) {
        const uint32_t* upper = PixelRow(from, 2 * y);
        const uint32_t* lower = PixelRow(from, 2 * y + 1);
        uint32_t* out = PixelRow(to, y);
        for (int x = 0; x < to.width; x++)
            out[x] = AverageOfFour(upper[2 * x], upper[2 * x + 1], lower[2 * x], lower[2 * x + 1]);
    }
}
