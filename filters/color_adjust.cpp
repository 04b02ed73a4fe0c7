// Per-pixel color adjustments: brightness and contrast, colorize, grayscale, negative.
#if defined(__SSE2__)
#include <immintrin.h>
#endif

#include "common/pixel_filters/cpu_features.h"
#include "common/pixel_filters/pixel_buffer.h"
#include "filters/filter_routines.h"

namespace {

// Maps red, green and blue of every pixel through one 256-entry table; alpha passes.
void MapChannels(const PixelView& source, const PixelView& result, const uint8_t red[256], const uint8_t green[256],
                 const uint8_t blue[256])
{
    for (int y = 0; y < source.height; y++) {
        const uint32_t* from = PixelRow(source, y);
        uint32_t* to = PixelRow(result, y);
        for (int x = 0; x < source.width; x++) {
            const uint32_t pixel = from[x];
            to[x] = PackPixel(AlphaOf(pixel), red[RedOf(pixel)], green[GreenOf(pixel)], blue[BlueOf(pixel)]);
        }
    }
}

void MapAllChannels(const PixelView& source, const PixelView& result, const uint8_t table[256])
{
    MapChannels(source, result, table, table, table);
}

}  // namespace

void BrightnessContrast(const PixelView& source, const PixelView& result, int brightness, int contrast)
{
    const double slope = (double(contrast) + 100.0) * double(0.01f);
    uint8_t table[256];
    for (int v = 0; v < 256; v++) {
        const double mapped = (v - 128) * slope + (double(brightness) + 128.0);
        table[v] = mapped <= 0 ? 0 : (mapped >= 255 ? 255 : uint8_t(int(mapped)));
    }
    MapAllChannels(source, result, table);
}

void Colorize(const PixelView& source, const PixelView& result, int red, int green, int blue)
{
    uint8_t tables[3][256];
    const int colors[3] = {red & 0xFF, green & 0xFF, blue & 0xFF};
    for (int c = 0; c < 3; c++)
        for (int v = 0; v < 256; v++)
            tables[c][v] = uint8_t((colors[c] + v) / 2);
    MapChannels(source, result, tables[0], tables[1], tables[2]);
}

namespace {

#if defined(__SSE2__)
// Four pixels at a time: the weighted sum by pairs of 16-bit products, and the quotient by
// 1000 as (sum + 0.5) x (1 / 1000) in single precision, truncated, which is exact here: the
// sum and the half are exact in a float, (sum + 0.5) / 1000 lies at least 1/2000 from a
// whole number, and the two roundings move a value below 256 by less than 1/30000.
int GrayscaleAvx2(const uint32_t* from, uint32_t* to, int width);

int GrayscaleVector(const uint32_t* from, uint32_t* to, int width)
{
    const __m128i weights = _mm_set_epi16(0, 222, 707, 71, 0, 222, 707, 71);  // A R G B
    const __m128i zero = _mm_setzero_si128(), alphaMask = _mm_set1_epi32(int(0xFF000000u));
    const __m128 half = _mm_set1_ps(0.5f), thousandth = _mm_set1_ps(1.0f / 1000.0f);
    int x = HasAvx2() ? GrayscaleAvx2(from, to, width) : 0;
    for (; x + 4 <= width; x += 4) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x));
        __m128i low = _mm_madd_epi16(_mm_unpacklo_epi8(pixels, zero), weights);
        __m128i high = _mm_madd_epi16(_mm_unpackhi_epi8(pixels, zero), weights);
        low = _mm_add_epi32(low, _mm_srli_epi64(low, 32));  // sums in lanes 0 and 2
        high = _mm_add_epi32(high, _mm_srli_epi64(high, 32));
        const __m128i sums = _mm_castps_si128(
            _mm_shuffle_ps(_mm_castsi128_ps(low), _mm_castsi128_ps(high), _MM_SHUFFLE(2, 0, 2, 0)));
        const __m128i gray = _mm_cvttps_epi32(_mm_mul_ps(_mm_add_ps(_mm_cvtepi32_ps(sums), half), thousandth));
        const __m128i color = _mm_or_si128(gray, _mm_or_si128(_mm_slli_epi32(gray, 8), _mm_slli_epi32(gray, 16)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + x), _mm_or_si128(color, _mm_and_si128(pixels, alphaMask)));
    }
    return x;
}

#if defined(__GNUC__)
// The same eight pixels at a time, for processors with AVX2 (checked at run time).
__attribute__((target("avx2"))) int GrayscaleAvx2(const uint32_t* from, uint32_t* to, int width)
{
    const __m256i weights = _mm256_set_epi16(0, 222, 707, 71, 0, 222, 707, 71, 0, 222, 707, 71, 0, 222, 707, 71);
    const __m256i zero = _mm256_setzero_si256(), alphaMask = _mm256_set1_epi32(int(0xFF000000u));
    const __m256 half = _mm256_set1_ps(0.5f), thousandth = _mm256_set1_ps(1.0f / 1000.0f);
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        const __m256i pixels = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + x));
        __m256i low = _mm256_madd_epi16(_mm256_unpacklo_epi8(pixels, zero), weights);   // pixels 0 1 | 4 5
        __m256i high = _mm256_madd_epi16(_mm256_unpackhi_epi8(pixels, zero), weights);  // pixels 2 3 | 6 7
        low = _mm256_add_epi32(low, _mm256_srli_epi64(low, 32));
        high = _mm256_add_epi32(high, _mm256_srli_epi64(high, 32));
        const __m256i sums = _mm256_castps_si256(
            _mm256_shuffle_ps(_mm256_castsi256_ps(low), _mm256_castsi256_ps(high), _MM_SHUFFLE(2, 0, 2, 0)));
        const __m256i gray =
            _mm256_cvttps_epi32(_mm256_mul_ps(_mm256_add_ps(_mm256_cvtepi32_ps(sums), half), thousandth));
        const __m256i color =
            _mm256_or_si256(gray, _mm256_or_si256(_mm256_slli_epi32(gray, 8), _mm256_slli_epi32(gray, 16)));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + x),
                            _mm256_or_si256(color, _mm256_and_si256(pixels, alphaMask)));
    }
    return x;
}

#else
int GrayscaleAvx2(const uint32_t*, uint32_t*, int) { return 0; }
#endif

int NegativeVector(const uint32_t* from, uint32_t* to, int width)
{
    const __m128i colors = _mm_set1_epi32(0x00FFFFFF);
    int x = 0;
    for (; x + 4 <= width; x += 4) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + x), _mm_xor_si128(pixels, colors));
    }
    return x;
}
#else
int GrayscaleVector(const uint32_t*, uint32_t*, int) { return 0; }
int NegativeVector(const uint32_t*, uint32_t*, int) { return 0; }
#endif

}  // namespace

void Grayscale(const PixelView& source, const PixelView& result)
{
    for (int y = 0; y < source.height; y++) {
        const uint32_t* from = PixelRow(source, y);
        uint32_t* to = PixelRow(result, y);
        for (int x = GrayscaleVector(from, to, source.width); x < source.width; x++) {
            const uint32_t pixel = from[x];
            const uint32_t gray = (222 * RedOf(pixel) + 707 * GreenOf(pixel) + 71 * BlueOf(pixel)) / 1000;
            to[x] = PackPixel(AlphaOf(pixel), gray, gray, gray);
        }
    }
}

void Negative(const PixelView& source, const PixelView& result)
{
    for (int y = 0; y < source.height; y++) {
        const uint32_t* from = PixelRow(source, y);
        uint32_t* to = PixelRow(result, y);
        for (int x = NegativeVector(from, to, source.width); x < source.width; x++)
            to[x] = from[x] ^ 0x00FFFFFFu;
    }
}
