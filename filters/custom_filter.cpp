// The user-defined kernel.
#include <algorithm>
#include <cstdlib>
#include <type_traits>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "common/pixel_filters/cpu_features.h"
#include "common/pixel_filters/pixel_buffer.h"
#include "filters/filter_routines.h"

namespace {

// One source row as four padded channel planes (blue, green, red, alpha), edges repeated.
template <typename Plane>
void SplitRow(const uint32_t* row, int width, int half, int span, Plane* planes)
{
    for (int i = 0; i < span; i++) {
        const uint32_t pixel = row[ClampIndex(i - half, width)];
        for (int channel = 0; channel < 4; channel++)
            planes[size_t(channel) * span + i] = Plane((pixel >> (8 * channel)) & 0xFF);
    }
}

// The rows of planes a kernel of `size` rows reads, each source row split once: a ring of
// `size` slots, the slot of source row r being r % size.
template <typename Plane>
struct SplitRows {
    int size, half, width, span;
    std::vector<Plane> planes;  // size slots of four planes of span values
    std::vector<int> held;      // the source row each slot holds, or -1

    SplitRows(int kernelSize, int pictureWidth)
        : size(kernelSize), half(kernelSize / 2), width(pictureWidth), span(pictureWidth + kernelSize),
          planes(size_t(4) * span * std::max(kernelSize, 1)), held(size_t(std::max(kernelSize, 1)), -1)
    {
    }
    const Plane* Row(const PixelView& source, int row)
    {
        const int slot = row % size;
        Plane* slotPlanes = planes.data() + size_t(slot) * 4 * span;
        if (held[size_t(slot)] != row) {
            SplitRow(PixelRow(source, row), width, half, span, slotPlanes);
            held[size_t(slot)] = row;
        }
        return slotPlanes;
    }
};

// to[x] += weight x from[x] along a row.
template <typename Sum, typename Weight, typename Plane>
inline __attribute__((always_inline)) void AddTapPlain(const Plane* from, Weight weight, int width, Sum* to)
{
    for (int x = 0; x < width; x++)
        to[x] = Sum(to[x] + Sum(weight) * Sum(from[x]));
}

#if defined(__SSE2__) && defined(__GNUC__)
// The 16-bit sums sixteen lanes a register where the processor has AVX2 (checked at run time).
__attribute__((target("avx2"))) void AddTapAvx2(const int16_t* from, int16_t weight, int width, int16_t* to)
{
    AddTapPlain(from, weight, width, to);
}

#else
void AddTapAvx2(const int16_t* from, int16_t weight, int width, int16_t* to) { AddTapPlain(from, weight, width, to); }
#endif

template <typename Sum, typename Weight, typename Plane>
void AddTap(const Plane* from, Weight weight, int width, Sum* to)
{
    if constexpr (std::is_same_v<Sum, int16_t> && std::is_same_v<Weight, int16_t> && std::is_same_v<Plane, int16_t>) {
        if (HasAvx2()) {
            AddTapAvx2(from, weight, width, to);
            return;
        }
    }
    AddTapPlain(from, weight, width, to);
}

// offset + sum x reciprocal, clamped and truncated, for every channel of a row of sums.
template <typename Sum>
void FinishRow(const Sum* sums, int width, double reciprocal, int offset, uint32_t* out)
{
    int x = 0;
#if defined(__SSE2__)
    if constexpr (std::is_same_v<Sum, int16_t>) {
        // A scale of 1 adds the offset to a whole sum: exact in double, so the same in
        // integers. An offset beyond 65536 either way gives what 65536 gives (|sum| < 32768).
        if (reciprocal == 1.0) {
            const __m128i add = _mm_set1_epi32(std::clamp(offset, -65536, 65536));
            const auto bytes = [&](int channel) {
                const __m128i values = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sums + size_t(channel) * width + x));
                const __m128i low = _mm_add_epi32(_mm_srai_epi32(_mm_unpacklo_epi16(values, values), 16), add);
                const __m128i high = _mm_add_epi32(_mm_srai_epi32(_mm_unpackhi_epi16(values, values), 16), add);
                return _mm_packs_epi32(low, high);  // eight values, saturated to 16 bits
            };
            for (; x + 8 <= width; x += 8) {
                const __m128i blueGreen = _mm_packus_epi16(bytes(0), bytes(1));  // b0..b7 g0..g7
                const __m128i redAlpha = _mm_packus_epi16(bytes(2), bytes(3));   // r0..r7 a0..a7
                const __m128i blueRed = _mm_unpacklo_epi8(blueGreen, redAlpha);  // b0 r0 b1 r1 ...
                const __m128i greenAlpha = _mm_unpackhi_epi8(blueGreen, redAlpha);
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_unpacklo_epi8(blueRed, greenAlpha));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x + 4), _mm_unpackhi_epi8(blueRed, greenAlpha));
            }
        }
    }
    if constexpr (!std::is_same_v<Sum, double>) {
        // Two channel values per register, the same double operations as below.
        const __m128d scale = _mm_set1_pd(reciprocal), add = _mm_set1_pd(double(offset));
        const __m128d zero = _mm_setzero_pd(), top = _mm_set1_pd(255.0);
        for (; x + 2 <= width; x += 2) {
            __m128i bytes[4];
            for (int channel = 0; channel < 4; channel++) {
                const Sum* from = sums + size_t(channel) * width + x;
                const __m128d value = _mm_add_pd(add, _mm_mul_pd(scale, _mm_set_pd(double(from[1]), double(from[0]))));
                bytes[channel] = _mm_cvttpd_epi32(_mm_min_pd(_mm_max_pd(value, zero), top));
            }
            // Lanes 0 and 1 of each hold the two pixels' channel values.
            const __m128i blueGreen = _mm_or_si128(bytes[0], _mm_slli_epi32(bytes[1], 8));
            const __m128i redAlpha = _mm_or_si128(_mm_slli_epi32(bytes[2], 16), _mm_slli_epi32(bytes[3], 24));
            _mm_storel_epi64(reinterpret_cast<__m128i*>(out + x), _mm_or_si128(blueGreen, redAlpha));
        }
    }
#endif
    for (; x < width; x++) {
        uint32_t pixel = 0;
        for (int channel = 0; channel < 4; channel++)
            pixel |= uint32_t(TruncateToByte(offset + reciprocal * double(sums[size_t(channel) * width + x])))
                     << (8 * channel);
        out[x] = pixel;
    }
}

// Sums are accumulated in Sum: integers when no sum can leave their range (then every
// partial sum is an integer the double arithmetic would hold exactly too, so the results
// agree to the bit), otherwise in double. Either way each pixel adds its taps in row-major
// order; the taps are applied a whole row of pixels at a time. Weight and Plane are the
// types the products are formed from (16-bit where the weights allow, which vectorizes well).
template <typename Sum, typename Weight, typename Plane>
void Convolve(const CustomKernel& kernel, const PixelView& source, const PixelView& result)
{
    const int size = kernel.size, half = size / 2, width = source.width;
    const double reciprocal = 1.0 / (kernel.scale < 1 ? 1 : kernel.scale);
    SplitRows<Plane> rows(size, width);
    std::vector<Sum> sums(size_t(4) * width);
    for (int y = 0; y < source.height; y++) {
        std::fill(sums.begin(), sums.end(), Sum(0));
        for (int r = 0; r < size; r++) {
            const Plane* planes = rows.Row(source, ClampIndex(y + r - half, source.height));
            for (int c = 0; c < size; c++) {
                const Weight weight = Weight(kernel.weights[size_t(r) * size + c]);
                if (weight == 0)
                    continue;
                for (int channel = 0; channel < 4; channel++)
                    AddTap(planes + size_t(channel) * rows.span + c, weight, width, sums.data() + size_t(channel) * width);
            }
        }
        FinishRow(sums.data(), width, reciprocal, kernel.offset, PixelRow(result, y));
    }
}

double LargestChannelSum(const CustomKernel& kernel)
{
    double total = 0;
    for (size_t i = 0; i < size_t(kernel.size) * size_t(kernel.size); i++)
        total += std::llabs(kernel.weights[i]);
    return total * 255.0;
}

bool WeightsFit16Bits(const CustomKernel& kernel)
{
    for (size_t i = 0; i < size_t(kernel.size) * size_t(kernel.size); i++)
        if (kernel.weights[i] < -32768 || kernel.weights[i] > 32767)
            return false;
    return true;
}

}  // namespace

void CustomFilter(const CustomKernel& kernel, const PixelView& source, const PixelView& result)
{
    CustomKernel checked = kernel;
    if (checked.size <= 0 || !checked.weights)
        checked.size = 0;  // no taps: every channel is just the offset
    const double largest = LargestChannelSum(checked);
    if (largest >= 2147483647.0)
        Convolve<double, double, double>(checked, source, result);
    else if (largest <= 32767.0)  // every partial sum fits 16 bits too: eight lanes a register
        Convolve<int16_t, int16_t, int16_t>(checked, source, result);
    else if (WeightsFit16Bits(checked))
        Convolve<int32_t, int16_t, int16_t>(checked, source, result);
    else
        Convolve<int32_t, int32_t, int32_t>(checked, source, result);
}
