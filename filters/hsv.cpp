// Hue, saturation and luminance: through integer hue, saturation and value and back, in
// single precision.
#include <cmath>

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

void AdjustHsv(const PixelView& source, const PixelView& result, int hueShift, int saturationShift,
               int luminanceShift)
{
    const int saturationDelta = saturationShift / 2, valueDelta = luminanceShift / 2;
    for (int y = 0; y < source.height; y++) {
        const uint32_t* from = PixelRow(source, y);
        uint32_t* to = PixelRow(result, y);
        uint32_t lastColor = 0xFFFFFFFFu, lastResult = 0;  // icons repeat colors along a row
        for (int x = 0; x < source.width; x++) {
            if ((from[x] & 0xFFFFFFu) == lastColor) {
                to[x] = lastResult | (from[x] & 0xFF000000u);
                continue;
            }
            const HsvColor hsv = RgbToHsv(from[x]);
            // A hue pushed below 0 does not wrap around: it becomes 0 (red).
            int hue = int((int64_t(hsv.hue) + hueShift) % 360);
            if (hue < 0)
                hue = 0;
            const uint32_t color = HsvToRgb(hue, LimitPercent(hsv.saturation + saturationDelta),
                                            LimitPercent(hsv.value + valueDelta));
            lastColor = from[x] & 0xFFFFFFu;
            lastResult = color;
            to[x] = color | (from[x] & 0xFF000000u);
        }
    }
}
