// Hue, saturation and luminance: through integer hue, saturation and value and back, in
// single precision.
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__SSE2__) && defined(__GNUC__)
#include <immintrin.h>
#endif

#include "common/pixel_filters/cpu_features.h"
#include "common/pixel_filters/pixel_buffer.h"
#include "filters/filter_routines.h"

namespace {

constexpr float kToUnit = 1.0f / 255.0f;
constexpr float kPercent = 0.01f;
constexpr float kToSector = 1.0f / 60.0f;

int LimitPercent(int value) { return value < 0 ? 0 : (value > 100 ? 100 : value); }

uint32_t Channel(float unit) { return uint32_t(ClampToByte(int(unit * 255.0f))); }

uint32_t PackColor(float red, float green, float blue)
{
    return PackPixel(0, Channel(red), Channel(green), Channel(blue));
}

}  // namespace

HsvColor RgbToHsv(uint32_t pixel)
{
    const float r = float(RedOf(pixel)) * kToUnit, g = float(GreenOf(pixel)) * kToUnit;
    const float b = float(BlueOf(pixel)) * kToUnit;
    const float larger = r > g ? r : g, smaller = r < g ? r : g;
    const float max = larger > b ? larger : b, min = smaller < b ? smaller : b;
    const float delta = max - min;
    const int value = int(max * 100.0f);
    if (max == 0.0f || delta == 0.0f)
        return {0, 0, value};
    // (g - b) / d when red is the largest, (b - r) / d + 2 for green, (r - g) / d + 4 for blue;
    // adding 0 changes nothing, so one division with selected operands serves all three.
    const float numerator = r == max ? g - b : (g == max ? b - r : r - g);
    const float offset = r == max ? 0.0f : (g == max ? 2.0f : 4.0f);
    const float h = numerator / delta + offset;
    float degrees = h * 60.0f;
    if (degrees < 0.0f)
        degrees += 360.0f;
    return {int(degrees), int(delta / max * 100.0f), value};
}

uint32_t HsvToRgb(int hue, int saturation, int value)
{
    const float s = float(saturation) * kPercent, v = float(value) * kPercent;
    if (s == 0.0f)
        return PackColor(v, v, v);
    const float sector = float(hue) * kToSector;
    const float whole = sector >= 0.0f ? float(int(sector)) : std::floor(sector), f = sector - whole;
    const float p = v * (1.0f - s), q = v * (1.0f - s * f), t = v * (1.0f - s * (1.0f - f));
    // Which of v, p, q, t goes to red, green and blue in each sixth of the hue circle
    // (a lookup rather than a switch: the sixth is unpredictable from pixel to pixel).
    static constexpr uint8_t kRed[6] = {0, 2, 1, 1, 3, 0}, kGreen[6] = {3, 0, 0, 2, 1, 1}, kBlue[6] = {1, 1, 3, 0, 0, 2};
    const int sixth = whole >= 0.0f && whole < 5.0f ? int(whole) : 5;
    const float values[4] = {v, p, q, t};
    return PackColor(values[kRed[sixth]], values[kGreen[sixth]], values[kBlue[sixth]]);
}

namespace {

// The hue after the shift: (hue + shift) % 360 as 64-bit integers, 0 when that is negative.
int ShiftHue(int hue, int hueShift)
{
    const int shifted = int((int64_t(hue) + hueShift) % 360);
    return shifted < 0 ? 0 : shifted;
}

#if defined(__SSE2__)
__m128 Select(__m128 mask, __m128 yes, __m128 no)
{
    return _mm_or_ps(_mm_and_ps(mask, yes), _mm_andnot_ps(mask, no));
}

__m128i ClampInt(__m128i value, int low, int high)
{
    const __m128i lowest = _mm_set1_epi32(low), highest = _mm_set1_epi32(high);
    value = _mm_or_si128(_mm_and_si128(_mm_cmplt_epi32(value, lowest), lowest),
                         _mm_andnot_si128(_mm_cmplt_epi32(value, lowest), value));
    return _mm_or_si128(_mm_and_si128(_mm_cmpgt_epi32(value, highest), highest),
                        _mm_andnot_si128(_mm_cmpgt_epi32(value, highest), value));
}

__m128 ChannelOf(__m128i pixels, int shift)
{
    return _mm_mul_ps(_mm_cvtepi32_ps(_mm_and_si128(_mm_srli_epi32(pixels, shift), _mm_set1_epi32(0xFF))),
                      _mm_set1_ps(kToUnit));
}

// Four pixels through RgbToHsv, the shifts and HsvToRgb, with the same single-precision
// operations in the same order, so that every result agrees to the bit.
__m128i AdjustFourPixels(__m128i pixels, int hueAdd, int saturationDelta, int valueDelta)
{
    const __m128 r = ChannelOf(pixels, 16), g = ChannelOf(pixels, 8), b = ChannelOf(pixels, 0);
    const __m128 max = _mm_max_ps(_mm_max_ps(r, g), b), min = _mm_min_ps(_mm_min_ps(r, g), b);
    const __m128 delta = _mm_sub_ps(max, min);
    const __m128 redMax = _mm_cmpeq_ps(r, max), greenMax = _mm_cmpeq_ps(g, max);
    const __m128 numerator = Select(redMax, _mm_sub_ps(g, b), Select(greenMax, _mm_sub_ps(b, r), _mm_sub_ps(r, g)));
    const __m128 offset = Select(redMax, _mm_setzero_ps(), Select(greenMax, _mm_set1_ps(2.0f), _mm_set1_ps(4.0f)));
    __m128 degrees = _mm_mul_ps(_mm_add_ps(_mm_div_ps(numerator, delta), offset), _mm_set1_ps(60.0f));
    degrees = _mm_add_ps(degrees, _mm_and_ps(_mm_cmplt_ps(degrees, _mm_setzero_ps()), _mm_set1_ps(360.0f)));
    // Gray pixels (no spread, black included) have hue and saturation 0; their quotients
    // are not numbers and are dropped here.
    const __m128i gray = _mm_castps_si128(_mm_cmpeq_ps(delta, _mm_setzero_ps()));
    __m128i hue = _mm_andnot_si128(gray, _mm_cvttps_epi32(degrees));
    __m128i saturation =
        _mm_andnot_si128(gray, _mm_cvttps_epi32(_mm_mul_ps(_mm_div_ps(delta, max), _mm_set1_ps(100.0f))));
    __m128i value = _mm_cvttps_epi32(_mm_mul_ps(max, _mm_set1_ps(100.0f)));

    if (hueAdd >= 0) {  // hue + hueAdd < 720
        hue = _mm_add_epi32(hue, _mm_set1_epi32(hueAdd));
        hue = _mm_sub_epi32(hue, _mm_and_si128(_mm_cmpgt_epi32(hue, _mm_set1_epi32(359)), _mm_set1_epi32(360)));
    } else {  // negative sums become 0; the others lie below 360
        hue = ClampInt(_mm_add_epi32(hue, _mm_set1_epi32(hueAdd)), 0, 359);
    }
    saturation = ClampInt(_mm_add_epi32(saturation, _mm_set1_epi32(saturationDelta)), 0, 100);
    value = ClampInt(_mm_add_epi32(value, _mm_set1_epi32(valueDelta)), 0, 100);

    const __m128 s = _mm_mul_ps(_mm_cvtepi32_ps(saturation), _mm_set1_ps(kPercent));
    const __m128 v = _mm_mul_ps(_mm_cvtepi32_ps(value), _mm_set1_ps(kPercent));
    const __m128 sector = _mm_mul_ps(_mm_cvtepi32_ps(hue), _mm_set1_ps(kToSector));
    const __m128i sixth = _mm_cvttps_epi32(sector);
    const __m128 f = _mm_sub_ps(sector, _mm_cvtepi32_ps(sixth)), one = _mm_set1_ps(1.0f);
    const __m128 p = _mm_mul_ps(v, _mm_sub_ps(one, s)), q = _mm_mul_ps(v, _mm_sub_ps(one, _mm_mul_ps(s, f)));
    const __m128 t = _mm_mul_ps(v, _mm_sub_ps(one, _mm_mul_ps(s, _mm_sub_ps(one, f))));
    __m128 m[6];
    for (int i = 0; i < 6; i++)
        m[i] = _mm_castsi128_ps(_mm_cmpeq_epi32(sixth, _mm_set1_epi32(i)));
    // Sixths 0..5 take red from v q p p t v, green from t v v q p p, blue from p p t v v q.
    const __m128 red = Select(_mm_or_ps(m[0], m[5]), v, Select(m[1], q, Select(m[4], t, p)));
    const __m128 green = Select(_mm_or_ps(m[1], m[2]), v, Select(m[0], t, Select(m[3], q, p)));
    const __m128 blue = Select(_mm_or_ps(m[3], m[4]), v, Select(m[2], t, Select(m[5], q, p)));
    const __m128 scale = _mm_set1_ps(255.0f);
    const __m128i redByte = ClampInt(_mm_cvttps_epi32(_mm_mul_ps(red, scale)), 0, 255);
    const __m128i greenByte = ClampInt(_mm_cvttps_epi32(_mm_mul_ps(green, scale)), 0, 255);
    const __m128i blueByte = ClampInt(_mm_cvttps_epi32(_mm_mul_ps(blue, scale)), 0, 255);
    const __m128i color = _mm_or_si128(_mm_slli_epi32(redByte, 16), _mm_or_si128(_mm_slli_epi32(greenByte, 8), blueByte));
    return _mm_or_si128(color, _mm_and_si128(pixels, _mm_set1_epi32(int(0xFF000000u))));
}

#endif

#if defined(__SSE2__) && defined(__GNUC__)
// The same eight pixels at a time, for processors with AVX2 (checked at run time).
__attribute__((target("avx2"))) __m256 Select8(__m256 mask, __m256 yes, __m256 no)
{
    return _mm256_or_ps(_mm256_and_ps(mask, yes), _mm256_andnot_ps(mask, no));
}

__attribute__((target("avx2"))) __m256i ClampInt8(__m256i value, int low, int high)
{
    const __m256i lowest = _mm256_set1_epi32(low), highest = _mm256_set1_epi32(high);
    value = _mm256_or_si256(_mm256_and_si256(_mm256_cmpgt_epi32(lowest, value), lowest),
                         _mm256_andnot_si256(_mm256_cmpgt_epi32(lowest, value), value));
    return _mm256_or_si256(_mm256_and_si256(_mm256_cmpgt_epi32(value, highest), highest),
                        _mm256_andnot_si256(_mm256_cmpgt_epi32(value, highest), value));
}

__attribute__((target("avx2"))) __m256 ChannelOf8(__m256i pixels, int shift)
{
    return _mm256_mul_ps(_mm256_cvtepi32_ps(_mm256_and_si256(_mm256_srli_epi32(pixels, shift), _mm256_set1_epi32(0xFF))),
                      _mm256_set1_ps(kToUnit));
}

// Eight pixels through RgbToHsv, the shifts and HsvToRgb, with the same single-precision
// operations in the same order, so that every result agrees to the bit.
__attribute__((target("avx2"))) __m256i AdjustEightPixels(__m256i pixels, int hueAdd, int saturationDelta, int valueDelta)
{
    const __m256 r = ChannelOf8(pixels, 16), g = ChannelOf8(pixels, 8), b = ChannelOf8(pixels, 0);
    const __m256 max = _mm256_max_ps(_mm256_max_ps(r, g), b), min = _mm256_min_ps(_mm256_min_ps(r, g), b);
    const __m256 delta = _mm256_sub_ps(max, min);
    const __m256 redMax = _mm256_cmp_ps(r, max, _CMP_EQ_OQ), greenMax = _mm256_cmp_ps(g, max, _CMP_EQ_OQ);
    const __m256 numerator = Select8(redMax, _mm256_sub_ps(g, b), Select8(greenMax, _mm256_sub_ps(b, r), _mm256_sub_ps(r, g)));
    const __m256 offset = Select8(redMax, _mm256_setzero_ps(), Select8(greenMax, _mm256_set1_ps(2.0f), _mm256_set1_ps(4.0f)));
    __m256 degrees = _mm256_mul_ps(_mm256_add_ps(_mm256_div_ps(numerator, delta), offset), _mm256_set1_ps(60.0f));
    degrees = _mm256_add_ps(degrees, _mm256_and_ps(_mm256_cmp_ps(degrees, _mm256_setzero_ps(), _CMP_LT_OQ), _mm256_set1_ps(360.0f)));
    // Gray pixels (no spread, black included) have hue and saturation 0; their quotients
    // are not numbers and are dropped here.
    const __m256i gray = _mm256_castps_si256(_mm256_cmp_ps(delta, _mm256_setzero_ps(), _CMP_EQ_OQ));
    __m256i hue = _mm256_andnot_si256(gray, _mm256_cvttps_epi32(degrees));
    __m256i saturation =
        _mm256_andnot_si256(gray, _mm256_cvttps_epi32(_mm256_mul_ps(_mm256_div_ps(delta, max), _mm256_set1_ps(100.0f))));
    __m256i value = _mm256_cvttps_epi32(_mm256_mul_ps(max, _mm256_set1_ps(100.0f)));

    if (hueAdd >= 0) {  // hue + hueAdd < 720
        hue = _mm256_add_epi32(hue, _mm256_set1_epi32(hueAdd));
        hue = _mm256_sub_epi32(hue, _mm256_and_si256(_mm256_cmpgt_epi32(hue, _mm256_set1_epi32(359)), _mm256_set1_epi32(360)));
    } else {  // negative sums become 0; the others lie below 360
        hue = ClampInt8(_mm256_add_epi32(hue, _mm256_set1_epi32(hueAdd)), 0, 359);
    }
    saturation = ClampInt8(_mm256_add_epi32(saturation, _mm256_set1_epi32(saturationDelta)), 0, 100);
    value = ClampInt8(_mm256_add_epi32(value, _mm256_set1_epi32(valueDelta)), 0, 100);

    const __m256 s = _mm256_mul_ps(_mm256_cvtepi32_ps(saturation), _mm256_set1_ps(kPercent));
    const __m256 v = _mm256_mul_ps(_mm256_cvtepi32_ps(value), _mm256_set1_ps(kPercent));
    const __m256 sector = _mm256_mul_ps(_mm256_cvtepi32_ps(hue), _mm256_set1_ps(kToSector));
    const __m256i sixth = _mm256_cvttps_epi32(sector);
    const __m256 f = _mm256_sub_ps(sector, _mm256_cvtepi32_ps(sixth)), one = _mm256_set1_ps(1.0f);
    const __m256 p = _mm256_mul_ps(v, _mm256_sub_ps(one, s)), q = _mm256_mul_ps(v, _mm256_sub_ps(one, _mm256_mul_ps(s, f)));
    const __m256 t = _mm256_mul_ps(v, _mm256_sub_ps(one, _mm256_mul_ps(s, _mm256_sub_ps(one, f))));
    __m256 m[6];
    for (int i = 0; i < 6; i++)
        m[i] = _mm256_castsi256_ps(_mm256_cmpeq_epi32(sixth, _mm256_set1_epi32(i)));
    // Sixths 0..5 take red from v q p p t v, green from t v v q p p, blue from p p t v v q.
    const __m256 red = Select8(_mm256_or_ps(m[0], m[5]), v, Select8(m[1], q, Select8(m[4], t, p)));
    const __m256 green = Select8(_mm256_or_ps(m[1], m[2]), v, Select8(m[0], t, Select8(m[3], q, p)));
    const __m256 blue = Select8(_mm256_or_ps(m[3], m[4]), v, Select8(m[2], t, Select8(m[5], q, p)));
    const __m256 scale = _mm256_set1_ps(255.0f);
    const __m256i redByte = ClampInt8(_mm256_cvttps_epi32(_mm256_mul_ps(red, scale)), 0, 255);
    const __m256i greenByte = ClampInt8(_mm256_cvttps_epi32(_mm256_mul_ps(green, scale)), 0, 255);
    const __m256i blueByte = ClampInt8(_mm256_cvttps_epi32(_mm256_mul_ps(blue, scale)), 0, 255);
    const __m256i color = _mm256_or_si256(_mm256_slli_epi32(redByte, 16), _mm256_or_si256(_mm256_slli_epi32(greenByte, 8), blueByte));
    return _mm256_or_si256(color, _mm256_and_si256(pixels, _mm256_set1_epi32(int(0xFF000000u))));
}

#endif

#if defined(__SSE2__)
// The shift as a non-negative remainder below 360, or, when negative, as a value at most
// one turn below 0 (anything lower gives 0 for every hue alike).
int HueAdd(int hueShift)
{
    return hueShift >= 0 ? hueShift % 360 : (hueShift < -361 ? -361 : hueShift);
}

#if defined(__GNUC__)
__attribute__((target("avx2"))) int AdjustRowAvx2(const uint32_t* from, uint32_t* to, int width, int hueAdd,
                                                  int saturationDelta, int valueDelta)
{
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        const __m256i pixels = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + x));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + x),
                            AdjustEightPixels(pixels, hueAdd, saturationDelta, valueDelta));
    }
    return x;
}

#else
int AdjustRowAvx2(const uint32_t*, uint32_t*, int, int, int, int) { return 0; }
#endif

int AdjustRowVector(const uint32_t* from, uint32_t* to, int width, int hueShift, int saturationDelta, int valueDelta)
{
    const int hueAdd = HueAdd(hueShift);
    int x = HasAvx2() ? AdjustRowAvx2(from, to, width, hueAdd, saturationDelta, valueDelta) : 0;
    for (; x + 4 <= width; x += 4) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + x),
                         AdjustFourPixels(pixels, hueAdd, saturationDelta, valueDelta));
    }
    return x;
}
#else
int AdjustRowVector(const uint32_t*, uint32_t*, int, int, int, int) { return 0; }
#endif

}  // namespace

void AdjustHsv(const PixelView& source, const PixelView& result, int hueShift, int saturationShift,
               int luminanceShift)
{
    const int saturationDelta = saturationShift / 2, valueDelta = luminanceShift / 2;
    for (int y = 0; y < source.height; y++) {
        const uint32_t* from = PixelRow(source, y);
        uint32_t* to = PixelRow(result, y);
        const int done = AdjustRowVector(from, to, source.width, hueShift, saturationDelta, valueDelta);
        for (int x = done; x < source.width; x++) {
            const HsvColor hsv = RgbToHsv(from[x]);
            const uint32_t color = HsvToRgb(ShiftHue(hsv.hue, hueShift), LimitPercent(hsv.saturation + saturationDelta),
                                            LimitPercent(hsv.value + valueDelta));
            to[x] = color | (from[x] & 0xFF000000u);
        }
    }
}
