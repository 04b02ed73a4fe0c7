#include "swatch_rules.h"

#include <algorithm>
#include <cmath>

int& ChannelOf(Components& c, int channel)
{
    switch (channel) {
    case 0: return c.red;
    case 1: return c.green;
    case 2: return c.blue;
    default: return c.alpha;
    }
}

uint32_t ComposeColor(const Components& c)
{
    return uint32_t(c.alpha) << 24 | uint32_t(c.red) << 16 | uint32_t(c.green) << 8 |
           uint32_t(c.blue);
}

Components SplitColor(uint32_t color)
{
    return {int((color >> 16) & 255), int((color >> 8) & 255), int(color & 255),
            int(color >> 24)};
}

uint32_t OpaqueColor(uint32_t color) { return color | 0xFF000000u; }

int ClampComponent(long value) { return int(std::clamp(value, 0L, 255L)); }

bool ReadBoxNumber(const wchar_t* text, int* value)
{
    if (!text || *text < L'0' || *text > L'9')
        return false;
    long number = 0;
    for (; *text >= L'0' && *text <= L'9'; ++text)
        number = std::min(number * 10 + (*text - L'0'), 1000L);  // anything above 255 is 255
    *value = ClampComponent(number);
    return true;
}

int WheelAdjusted(int value, int wheelDelta) { return ClampComponent(long(value) + wheelDelta / 120); }

namespace {

bool Inside(int x, int y, int left, int top, int width, int height)
{
    return x >= left && x < left + width && y >= top && y < top + height;
}

}  // namespace

PanelSpot SpotAt(int x, int y)
{
    if (Inside(x, y, kPrimaryX, kPrimaryY, kSwatchSize, kSwatchSize))
        return kPrimarySwatch;  // it lies over the secondary
    if (Inside(x, y, kSecondaryX, kSecondaryY, kSwatchSize, kSwatchSize))
        return kSecondarySwatch;
    if (x >= kSwapX && x <= kSwapX + kSwapSize && y >= kSwapY && y <= kSwapY + kSwapSize)
        return kSwapButton;
    if (Inside(x, y, kStripX, kStripY, kStripWidth, kStripHeight))
        return kPaletteStrip;
    // One pixel wider at the top-left than the picture, so that its far edge counts too.
    if (x > kPreviewX - 1 && x <= kPreviewX + kPreviewSize && y > kPreviewY - 1 &&
        y <= kPreviewY + kPreviewSize)
        return kPreviewSquare;
    return kNoSpot;
}

int CenterPercent(int offset)
{
    // 100/52 as a float; rounding the product to a float first makes the middle exactly 50
    // and the far edge exactly 100.
    const float k = 1.9230769f;
    const volatile float product = float(offset) * k;
    return int(std::floor(product));
}

float LinearAngleFor(int rx, int ry)
{
    const int half = kPreviewSize / 2;
    return float(360.0 - std::atan2(double(half - ry), double(rx - half)) * 57.32);
}

GradientLine LinearGradientLine(float angle, float left, float top, float size)
{
    const double radians = double(angle) * 3.14159265358979323846 / 180.0;
    const double dx = std::cos(radians), dy = std::sin(radians);
    const double reach = (std::fabs(dx) + std::fabs(dy)) * size / 2;  // center to a far corner
    const double cx = left + size / 2.0, cy = top + size / 2.0;
    return {float(cx - reach * dx), float(cy - reach * dy), float(cx + reach * dx),
            float(cy + reach * dy)};
}

int RadialRadius(int rx, int ry)
{
    const int dx = std::max(rx, kPreviewSize - rx);
    const int dy = std::max(ry, kPreviewSize - ry);
    return int(std::floor(std::sqrt(double(dx * dx + dy * dy)))) + 1;
}

bool DepthControlsFor(int bitsPerPixel, DepthControls* controls)
{
    switch (bitsPerPixel) {
    case 1:
    case 4:
    case 8: *controls = {false, false, true}; return true;
    case 24: *controls = {false, true, false}; return true;
    case 32: *controls = {true, true, false}; return true;
    default: return false;
    }
}
