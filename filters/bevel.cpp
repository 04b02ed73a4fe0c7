// Bevel: lights the edges that face the light and shades the others, from the alpha alone.
#include "common/pixel_filters/blend.h"
#include "common/pixel_filters/pixel_buffer.h"
#include "filters/bevel_relief.h"
#include "filters/filter_routines.h"

namespace {

const double kToUnit = 1.0f / 255.0f;  // single precision: 0.003921569
const double kHundredth = 0.01f;       // single precision: 0.0099999998
const double kShadowBoost = 1.2f;      // the shaded side comes out stronger than the lit one

// The overlay pixel for a relief G, before it is multiplied by the shape.
uint32_t OverlayPixel(int32_t relief, double perTap, const BevelLight& light)
{
    if (relief < 0) {
        const double alpha = double(-relief) * perTap * (light.lightOpacity * kToUnit);
        return PackPixel(TruncateToByte(alpha), 0, 0, 0) | (light.lightColor & 0xFFFFFFu);
    }
    const double alpha = double(relief) * perTap * (light.shadowOpacity * kToUnit) * kShadowBoost;
    return PackPixel(TruncateToByte(alpha), 0, 0, 0) | (light.shadowColor & 0xFFFFFFu);
}

// The overlay drawn over one source pixel, keeping the source's alpha.
uint32_t BevelPixel(uint32_t source, uint32_t overlay)
{
    const uint32_t shapeAlpha = AlphaOf(source);
    const double shaped = double(shapeAlpha) * 100.0 * kToUnit * double(AlphaOf(overlay)) * kHundredth;
    uint32_t top = (overlay & 0xFFFFFFu) | uint32_t(TruncateToByte(shaped)) << 24;
    uint32_t out = source;
    BlendPixelOver(reinterpret_cast<const uint8_t*>(&top), reinterpret_cast<uint8_t*>(&out));
    return (out & 0xFFFFFFu) | shapeAlpha << 24;
}

}  // namespace

// The picture is beveled as if padded by transparent pixels all round: the window never
// reaches past the padding, so the padding itself need not exist.
void Bevel(const PixelView& source, const PixelView& result, const BevelLight& light)
{
    const int radius = BevelRadius(light.depth);
    if (radius == 0 || light.direction < 1 || light.direction > 8) {
        CopyPixels(source, result);  // not a setting the dialog offers: leave the picture as it is
        return;
    }
    const double perTap = float(1.0 / (radius * (2 * radius + 1)));
    ForEachReliefRow(source, radius, light.direction, [&](int y, const int32_t* relief) {
        const uint32_t* from = PixelRow(source, y);
        uint32_t* to = PixelRow(result, y);
        for (int x = 0; x < source.width; x++)
            to[x] = relief[x] == 0 ? from[x] : BevelPixel(from[x], OverlayPixel(relief[x], perTap, light));
    });
}
