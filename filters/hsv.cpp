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
    float h;
    if (r == max)
        h = (g - b) / delta;
    else if (g == max)
        h = (b - r) / delta + 2.0f;
    else
        h = (r - g) / delta + 4.0f;
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
    const float whole = float(int(sector)), f = sector - whole;  // sector is never negative
    const float p = v * (1.0f - s), q = v * (1.0f - s * f), t = v * (1.0f - s * (1.0f - f));
    switch (int(whole)) {
    case 0: return PackColor(v, t, p);
    case 1: return PackColor(q, v, p);
    case 2: return PackColor(p, v, t);
    case 3: return PackColor(p, q, v);
    case 4: return PackColor(t, p, v);
    default: return PackColor(v, p, q);
    }
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
