#include "common/pixel_filters/resample.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

#include "common/pixel_filters/cpu_features.h"
#include "common/pixel_filters/pixel_buffer.h"

AxisTaps MakeAxisTaps(int inCount, int outCount)
{
    AxisTaps axis;
    const double scale = double(outCount) / double(inCount);
    const double radius = scale < 1.0 ? 1.0 / scale : 1.0;
    // Room for every tap at once: growing by doubling costs several allocations a call.
    axis.first.reserve(size_t(outCount) + 1);
    axis.taps.reserve(size_t(outCount) * (size_t(2 * radius) + 2));
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

namespace {

// Blue, green, red multiplied by alpha, and alpha: four lanes of one vector register.
typedef float Premultiplied __attribute__((vector_size(16)));

void AddWeighted(Premultiplied& sum, const Premultiplied& value, float weight)
{
    const Premultiplied product = value * weight;
    sum += product;
}

// Rows of premultiplied pixels as plain floats, four a pixel: blue, green and red multiplied
// by alpha, and alpha. Every product is of small whole numbers, so exact.
int PremultiplyRowAvx2(const uint32_t* row, int width, float* out);
int BlendPairsAvx2(const int* offsets, const float* weights, const float* blended, int count, float* sums);
int UnpremultiplyRowAvx2(const float* sums, int width, uint32_t* out);

void PremultiplyRow(const uint32_t* row, int width, float* out)
{
    int x = HasAvx2() ? PremultiplyRowAvx2(row, width, out) : 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128 colorLanes = _mm_castsi128_ps(_mm_set_epi32(0, -1, -1, -1)), oneInAlpha = _mm_set_ps(1, 0, 0, 0);
    for (; x < width; x++) {
        const __m128i bytes = _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(row[x])), zero);
        const __m128 channels = _mm_cvtepi32_ps(_mm_unpacklo_epi16(bytes, zero));
        const __m128 alpha = _mm_shuffle_ps(channels, channels, _MM_SHUFFLE(3, 3, 3, 3));
        _mm_storeu_ps(out + 4 * x, _mm_mul_ps(_mm_or_ps(_mm_and_ps(channels, colorLanes), oneInAlpha), alpha));
    }
#endif
    for (; x < width; x++) {
        const float alpha = float(AlphaOf(row[x]));
        out[4 * x] = float(BlueOf(row[x])) * alpha;
        out[4 * x + 1] = float(GreenOf(row[x])) * alpha;
        out[4 * x + 2] = float(RedOf(row[x])) * alpha;
        out[4 * x + 3] = alpha;
    }
}

// sum = weight x values, then sum += weight x values for each further row: kept as two
// separate operations (never fused), in the order the rows come.
inline __attribute__((always_inline)) void ScaleFloats(const float* values, float weight, size_t count, float* sum)
{
    for (size_t i = 0; i < count; i++)
        sum[i] = values[i] * weight;
}

inline __attribute__((always_inline)) void AddScaledFloats(const float* values, float weight, size_t count, float* sum)
{
    for (size_t i = 0; i < count; i++) {
        const float product = values[i] * weight;
        sum[i] = sum[i] + product;
    }
}

#if defined(__SSE2__) && defined(__GNUC__)
__attribute__((target("avx2"))) void ScaleFloatsAvx2(const float* values, float weight, size_t count, float* sum)
{
    ScaleFloats(values, weight, count, sum);
}

__attribute__((target("avx2"))) void AddScaledFloatsAvx2(const float* values, float weight, size_t count, float* sum)
{
    AddScaledFloats(values, weight, count, sum);
}


// Two pixels a register: the same single-precision operations lane for lane.
__attribute__((target("avx2"))) int PremultiplyRowAvx2(const uint32_t* row, int width, float* out)
{
    const __m256 colorLanes = _mm256_castsi256_ps(_mm256_set_epi32(0, -1, -1, -1, 0, -1, -1, -1));
    const __m256 oneInAlpha = _mm256_set_ps(1, 0, 0, 0, 1, 0, 0, 0);
    int x = 0;
    for (; x + 2 <= width; x += 2) {
        const __m128i bytes = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + x));
        const __m256 channels = _mm256_cvtepi32_ps(_mm256_cvtepu8_epi32(bytes));
        const __m256 alpha = _mm256_shuffle_ps(channels, channels, 0xFF);
        _mm256_storeu_ps(out + 4 * x,
                         _mm256_mul_ps(_mm256_or_ps(_mm256_and_ps(channels, colorLanes), oneInAlpha), alpha));
    }
    return x;
}

__attribute__((target("avx2"))) __m256 TwoPixels(const float* low, const float* high)
{
    return _mm256_insertf128_ps(_mm256_castps128_ps256(_mm_loadu_ps(low)), _mm_loadu_ps(high), 1);
}

__attribute__((target("avx2"))) int BlendPairsAvx2(const int* offsets, const float* weights, const float* blended,
                                                   int count, float* sums)
{
    const __m256i firstWeights = _mm256_set_epi32(2, 2, 2, 2, 0, 0, 0, 0);
    const __m256i secondWeights = _mm256_set_epi32(3, 3, 3, 3, 1, 1, 1, 1);
    int x = 0;
    for (; x + 2 <= count; x += 2) {
        const int* at = offsets + 2 * x;
        const __m256 a = TwoPixels(blended + at[0], blended + at[2]), b = TwoPixels(blended + at[1], blended + at[3]);
        const __m256 w = _mm256_castps128_ps256(_mm_loadu_ps(weights + 2 * x));
        const __m256 sum = _mm256_mul_ps(a, _mm256_permutevar8x32_ps(w, firstWeights));
        const __m256 product = _mm256_mul_ps(b, _mm256_permutevar8x32_ps(w, secondWeights));
        _mm256_storeu_ps(sums + 4 * x, _mm256_add_ps(sum, product));
    }
    return x;
}

__attribute__((target("avx2"))) __m256i RoundedColors(__m256 sums, __m256 reciprocal)
{
    return _mm256_cvttps_epi32(_mm256_add_ps(_mm256_mul_ps(sums, reciprocal), _mm256_set1_ps(0.5f)));
}

// Eight pixels: one division gives the eight reciprocals, which the shuffles below hand to
// their pixels; the packs leave pixels in the order 0 2 4 6 1 3 5 7, put right at the end.
__attribute__((target("avx2"))) int UnpremultiplyRowAvx2(const float* sums, int width, uint32_t* out)
{
    const __m256 half = _mm256_set1_ps(0.5f), one = _mm256_set1_ps(1.0f);
    const __m256i inOrder = _mm256_set_epi32(7, 3, 6, 2, 5, 1, 4, 0), zero = _mm256_setzero_si256();
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        const __m256 v01 = _mm256_loadu_ps(sums + 4 * x), v23 = _mm256_loadu_ps(sums + 4 * x + 8);
        const __m256 v45 = _mm256_loadu_ps(sums + 4 * x + 16), v67 = _mm256_loadu_ps(sums + 4 * x + 24);
        const __m256 alphas = _mm256_shuffle_ps(_mm256_shuffle_ps(v01, v23, 0xFF), _mm256_shuffle_ps(v45, v67, 0xFF),
                                                _MM_SHUFFLE(2, 0, 2, 0));  // 0 2 4 6 | 1 3 5 7
        const __m256 reciprocals = _mm256_div_ps(one, alphas);
        const __m256i c01 = RoundedColors(v01, _mm256_shuffle_ps(reciprocals, reciprocals, 0x00));
        const __m256i c23 = RoundedColors(v23, _mm256_shuffle_ps(reciprocals, reciprocals, 0x55));
        const __m256i c45 = RoundedColors(v45, _mm256_shuffle_ps(reciprocals, reciprocals, 0xAA));
        const __m256i c67 = RoundedColors(v67, _mm256_shuffle_ps(reciprocals, reciprocals, 0xFF));
        const __m256i colors = _mm256_permutevar8x32_epi32(
            _mm256_packus_epi16(_mm256_packs_epi32(c01, c23), _mm256_packs_epi32(c45, c67)), inOrder);
        const __m256i alpha = _mm256_permutevar8x32_epi32(_mm256_cvttps_epi32(_mm256_add_ps(alphas, half)), inOrder);
        const __m256i alphaByte = _mm256_min_epi32(_mm256_max_epi32(alpha, zero), _mm256_set1_epi32(255));
        const __m256i pixels = _mm256_or_si256(_mm256_and_si256(colors, _mm256_set1_epi32(0x00FFFFFF)),
                                               _mm256_slli_epi32(alphaByte, 24));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x),
                            _mm256_and_si256(pixels, _mm256_cmpgt_epi32(alpha, zero)));
    }
    return x;
}
#else
void ScaleFloatsAvx2(const float* values, float weight, size_t count, float* sum) { ScaleFloats(values, weight, count, sum); }
void AddScaledFloatsAvx2(const float* values, float weight, size_t count, float* sum) { AddScaledFloats(values, weight, count, sum); }
int PremultiplyRowAvx2(const uint32_t*, int, float*) { return 0; }
int BlendPairsAvx2(const int*, const float*, const float*, int, float*) { return 0; }
int UnpremultiplyRowAvx2(const float*, int, uint32_t*) { return 0; }
#endif

// The premultiplied rows of a source area, each made once while the next output rows may
// still read it: a ring whose slot for source row r is r % slots.
struct PremultipliedRows {
    const PictureArea& from;
    int slots;
    PixelBuffer storage;    // slots x width x 4 floats
    std::vector<int> held;  // the source row each slot holds, or -1

    const float* Row(int index)
    {
        const int slot = index % slots;
        float* row = reinterpret_cast<float*>(storage.pixels.get()) + size_t(slot) * 4 * size_t(from.view.width);
        if (held[size_t(slot)] != index) {
            PremultiplyRow(PixelRow(from.view, index - from.top), from.view.width, row);
            held[size_t(slot)] = index;
        }
        return row;
    }
};

// How many ring slots keep every row an output row reads until the next output rows are done.
int RingSlots(const AxisTaps& axis, int begin, int end)
{
    int widest = 1;
    for (int i = begin; i < end; i++) {
        const size_t last = std::min(size_t(i) + 2, axis.first.size() - 1);
        if (axis.first[last] > axis.first[size_t(i)])
            widest = std::max(widest, axis.taps[axis.first[last] - 1].index - axis.taps[axis.first[size_t(i)]].index + 1);
    }
    return std::min(widest + 1, 64);
}

// The column taps of output columns [begin, begin + count) that fall inside a source area
// of `width` columns from `left`, as float offsets into a blended row, in their order.
struct ClippedTaps {
    std::vector<int> first;  // output x reads entries first[x] .. first[x + 1] - 1
    std::vector<int> offsets;
    std::vector<float> weights;
    bool allPairs = true;  // every output reads exactly two (some perhaps of weight 0)
};

ClippedTaps ClipTaps(const AxisTaps& axis, int begin, int count, int left, int width)
{
    ClippedTaps clipped;
    const size_t most = axis.first[size_t(begin + count)] - axis.first[size_t(begin)];
    clipped.first.reserve(size_t(count) + 1);
    clipped.offsets.reserve(most);
    clipped.weights.reserve(most);
    for (int x = 0; x < count; x++) {
        clipped.first.push_back(int(clipped.offsets.size()));
        for (size_t t = axis.first[size_t(begin + x)]; t < axis.first[size_t(begin + x) + 1]; t++) {
            const int index = axis.taps[t].index - left;
            if (index >= 0 && index < width) {
                clipped.offsets.push_back(4 * index);
                clipped.weights.push_back(axis.taps[t].weight);
            }
        }
        clipped.allPairs = clipped.allPairs && clipped.offsets.size() - size_t(clipped.first.back()) <= 2;
    }
    clipped.first.push_back(int(clipped.offsets.size()));
    // Fewer than two taps made two by taps of weight 0: adding a product that is +0 leaves
    // every sum as it was, so the pairs loop gives the same bits.
    if (clipped.allPairs && width > 0) {
        ClippedTaps pairs;
        pairs.first.reserve(size_t(count) + 1);
        pairs.offsets.reserve(2 * size_t(count));
        pairs.weights.reserve(2 * size_t(count));
        for (int x = 0; x < count; x++) {
            const int begin = clipped.first[size_t(x)], end = clipped.first[size_t(x) + 1];
            pairs.first.push_back(int(pairs.offsets.size()));
            for (int t = begin; t < end; t++) {
                pairs.offsets.push_back(clipped.offsets[size_t(t)]);
                pairs.weights.push_back(clipped.weights[size_t(t)]);
            }
            for (int t = end - begin; t < 2; t++) {
                pairs.offsets.push_back(end > begin ? clipped.offsets[size_t(begin)] : 0);
                pairs.weights.push_back(0.0f);
            }
        }
        pairs.first.push_back(int(pairs.offsets.size()));
        return pairs;
    }
    clipped.allPairs = false;
    return clipped;
}

// Each output pixel's weighted sum of blended pixels, added from 0 in tap order.
void BlendAcross(const ClippedTaps& taps, const float* blended, int count, float* sums)
{
    const int* offsets = taps.offsets.data();
    const float* weights = taps.weights.data();
    if (taps.allPairs) {  // 0 + a = a exactly, so the first product stands alone
        for (int x = HasAvx2() ? BlendPairsAvx2(offsets, weights, blended, count, sums) : 0; x < count; x++) {
            Premultiplied a, b;
            std::memcpy(&a, blended + offsets[2 * x], sizeof a);
            std::memcpy(&b, blended + offsets[2 * x + 1], sizeof b);
            Premultiplied sum = a * weights[2 * x];
            AddWeighted(sum, b, weights[2 * x + 1]);
            std::memcpy(sums + 4 * size_t(x), &sum, sizeof sum);
        }
        return;
    }
    for (int x = 0; x < count; x++) {
        Premultiplied sum = {0, 0, 0, 0};
        for (int t = taps.first[size_t(x)]; t < taps.first[size_t(x) + 1]; t++) {
            Premultiplied value;
            std::memcpy(&value, blended + offsets[t], sizeof value);
            AddWeighted(sum, value, weights[t]);
        }
        std::memcpy(sums + 4 * size_t(x), &sum, sizeof sum);
    }
}

// Four sums at a time back to pixels: alpha rounded, colors divided by the unrounded alpha
// (one reciprocal per pixel), rounded and clamped; a pixel whose alpha rounds to 0 is 0.
void UnpremultiplyRow(const float* sums, int width, uint32_t* out)
{
    int x = HasAvx2() ? UnpremultiplyRowAvx2(sums, width, out) : 0;
#if defined(__SSE2__)
    const __m128 half = _mm_set1_ps(0.5f), one = _mm_set1_ps(1.0f);
    const __m128i colorMask = _mm_set1_epi32(0x00FFFFFF), zero = _mm_setzero_si128();
    for (; x + 4 <= width; x += 4) {
        const __m128 v0 = _mm_loadu_ps(sums + 4 * x), v1 = _mm_loadu_ps(sums + 4 * x + 4);
        const __m128 v2 = _mm_loadu_ps(sums + 4 * x + 8), v3 = _mm_loadu_ps(sums + 4 * x + 12);
        const __m128 alphas = _mm_shuffle_ps(_mm_unpackhi_ps(v0, v1), _mm_unpackhi_ps(v2, v3), _MM_SHUFFLE(3, 2, 3, 2));
        const __m128 reciprocals = _mm_div_ps(one, alphas);
        const auto color = [&](__m128 v, __m128 reciprocal) {
            return _mm_cvttps_epi32(_mm_add_ps(_mm_mul_ps(v, reciprocal), half));
        };
        const __m128i c0 = color(v0, _mm_shuffle_ps(reciprocals, reciprocals, 0x00));
        const __m128i c1 = color(v1, _mm_shuffle_ps(reciprocals, reciprocals, 0x55));
        const __m128i c2 = color(v2, _mm_shuffle_ps(reciprocals, reciprocals, 0xAA));
        const __m128i c3 = color(v3, _mm_shuffle_ps(reciprocals, reciprocals, 0xFF));
        const __m128i colors = _mm_packus_epi16(_mm_packs_epi32(c0, c1), _mm_packs_epi32(c2, c3));
        const __m128i alpha = _mm_cvttps_epi32(_mm_add_ps(alphas, half));
        const __m128i alphaBytes = _mm_packus_epi16(_mm_packs_epi32(alpha, alpha), zero);  // 4 bytes in lane 0
        const __m128i alphaLanes = _mm_slli_epi32(_mm_unpacklo_epi16(_mm_unpacklo_epi8(alphaBytes, zero), zero), 24);
        const __m128i pixels = _mm_or_si128(_mm_and_si128(colors, colorMask), alphaLanes);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_and_si128(pixels, _mm_cmpgt_epi32(alpha, zero)));
    }
#endif
    for (; x < width; x++) {
        const float* v = sums + 4 * x;
        const int alpha = int(v[3] + 0.5f);
        if (alpha <= 0) {
            out[x] = 0;
            continue;
        }
        const float reciprocal = 1.0f / v[3];
        const auto channel = [&](int i) { return ClampToByte(int(v[i] * reciprocal + 0.5f)); };
        out[x] = PackPixel(ClampToByte(alpha), channel(2), channel(1), channel(0));
    }
}

}  // namespace

// Row by row: the source rows an output row reads are blended first (at the source width),
// then that one row is scaled across. Each source row is premultiplied once.
void ResampleArea(const PictureArea& from, const PictureArea& to)
{
    ResampleArea(from, to, MakeAxisTaps(from.fullWidth, to.fullWidth), MakeAxisTaps(from.fullHeight, to.fullHeight));
}

void ResampleArea(const PictureArea& from, const PictureArea& to, const AxisTaps& columns, const AxisTaps& rowTaps)
{
    const int width = from.view.width;
    const size_t floats = size_t(4) * size_t(width);
    const int slots = RingSlots(rowTaps, to.top, to.top + to.view.height);
    PremultipliedRows rows{from, slots, NewScratchBuffer(4 * width, slots), std::vector<int>(size_t(slots), -1)};
    PixelBuffer work = NewScratchBuffer(4 * std::max(width, to.view.width + 4), 2);
    float* blended = reinterpret_cast<float*>(work.pixels.get());
    float* sums = blended + floats;
    const bool avx2 = HasAvx2();
    const ClippedTaps across = ClipTaps(columns, to.left, to.view.width, from.left, width);
    for (int y = 0; y < to.view.height; y++) {
        const int outRow = y + to.top;
        bool started = false;
        for (size_t t = rowTaps.first[outRow]; t < rowTaps.first[outRow + 1]; t++) {
            const int index = rowTaps.taps[t].index;
            if (index < from.top || index >= from.top + from.view.height)
                continue;  // a transparent row adds nothing
            const float* row = rows.Row(index);
            const float weight = rowTaps.taps[t].weight;
            if (avx2)
                (started ? AddScaledFloatsAvx2 : ScaleFloatsAvx2)(row, weight, floats, blended);
            else
                (started ? AddScaledFloats : ScaleFloats)(row, weight, floats, blended);
            started = true;
        }
        if (!started)
            std::fill(blended, blended + floats, 0.0f);
        BlendAcross(across, blended, to.view.width, sums);
        UnpremultiplyRow(sums, to.view.width, PixelRow(to.view, y));
    }
}

void ResampleBilinear(const PixelView& from, const PixelView& to)
{
    ResampleArea({from, 0, 0, from.width, from.height}, {to, 0, 0, to.width, to.height});
}

void ResampleSpan(int inCount, int outCount, int begin, int end, int* first, int* last)
{
    ResampleSpan(MakeAxisTaps(inCount, outCount), inCount, begin, end, first, last);
}

void ResampleSpan(const AxisTaps& axis, int inCount, int begin, int end, int* first, int* last)
{
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
