// Per-pixel color adjustments: brightness and contrast, colorize, grayscale, negative.
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
// Four pixels at a time: the weighted sum by pairs of 16-bit products, and the division by
// 1000 in single precision, which is exact here: a sum below 2^18 is exact in a float, and
// a quotient that is not a whole number lies at least 1/1000 from one, far more than the
// rounding of a quotient below 256 can move it.
int GrayscaleVector(const uint32_t* from, uint32_t* to, int width)
{
    const __m128i weights = _mm_set_epi16(0, 222, 707, 71, 0, 222, 707, 71);  // A R G B
    const __m128i zero = _mm_setzero_si128(), alphaMask = _mm_set1_epi32(int(0xFF000000u));
    const __m128 thousand = _mm_set1_ps(1000.0f);
    int x = 0;
    for (; x + 4 <= width; x += 4) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x));
        __m128i low = _mm_madd_epi16(_mm_unpacklo_epi8(pixels, zero), weights);
        __m128i high = _mm_madd_epi16(_mm_unpackhi_epi8(pixels, zero), weights);
        low = _mm_add_epi32(low, _mm_srli_epi64(low, 32));  // sums in lanes 0 and 2
        high = _mm_add_epi32(high, _mm_srli_epi64(high, 32));
        const __m128i sums = _mm_castps_si128(
            _mm_shuffle_ps(_mm_castsi128_ps(low), _mm_castsi128_ps(high), _MM_SHUFFLE(2, 0, 2, 0)));
        const __m128i gray = _mm_cvttps_epi32(_mm_div_ps(_mm_cvtepi32_ps(sums), thousand));
        const __m128i color = _mm_or_si128(gray, _mm_or_si128(_mm_slli_epi32(gray, 8), _mm_slli_epi32(gray, 16)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + x), _mm_or_si128(color, _mm_and_si128(pixels, alphaMask)));
    }
    return x;
}

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
