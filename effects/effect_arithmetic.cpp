#include "effects/effect_arithmetic.h"

#include <algorithm>

uint8_t HighlightAlpha(int32_t intensity)
{
    const int32_t held = std::clamp(intensity, 0, 100);
    // The product is taken in double precision: in single precision 100 x 2.55f rounds up
    // to 255.0 and would give 255 instead of 254.
    return uint8_t(double(2.55f) * held);
}

uint32_t WithAlpha(uint32_t color, uint8_t alpha)
{
    return uint32_t(alpha) << 24 | (color & 0x00FFFFFFu);
}

float ReflexFactor(int32_t reflexScale)
{
    return float(reflexScale) * 0.01f;
}

uint8_t ReflexEndAlpha(uint8_t upperAlpha)
{
    return uint8_t(float(upperAlpha * 30) * 0.01f);
}

int EdgeShadowWidth(int width, int height)
{
    const int width9 = std::min(width, height) / 9;
    return width9 < 2 ? 1 : width9;
}

int ShadowOpacityChange(int32_t shadowIntensity)
{
    return std::clamp(shadowIntensity, 0, 100) * 2 - 100;
}

namespace {

float ShapeFactor(uint8_t shapeAlpha, MaskedLayer layer)
{
    float factor = float(shapeAlpha * 100) * (1.0f / 255.0f);
    if (layer == MaskedLayer::kSeparateHighlights && shapeAlpha <= 200)
        factor *= 0.33333334f;
    return factor;
}

}  // namespace

void MaskByShapeAlpha(const PixelView& shape, const PixelView& destination, MaskedLayer layer)
{
    float factors[256];
    for (int o = 0; o < 256; o++)
        factors[o] = ShapeFactor(uint8_t(o), layer);
    for (int y = 0; y < destination.height; y++) {
        const uint8_t* from = shape.Row(y);
        uint8_t* to = destination.Row(y);
        for (int x = 0; x < destination.width; x++) {
            uint8_t& alpha = to[x * 4 + kAlpha];
            alpha = uint8_t(factors[from[x * 4 + kAlpha]] * float(alpha) * 0.01f);
        }
    }
}
