// The filters of the "&Filters" menu as platform-free routines. Each writes every pixel of
// `result`, which has the source's size, from the unchanged `source`; neighbourhoods clamp
// to the edge, channel results are clamped to 0..255 and truncated toward zero.
#pragma once

#include <cstdint>

#include "common/pixel_filters/blur.h"
#include "common/pixel_filters/opacity.h"
#include "common/pixel_view.h"

// Neighbourhood filters.
void MotionBlur(const PixelView& source, const PixelView& result);
void Soften(const PixelView& source, const PixelView& result);
void Sharpen(const PixelView& source, const PixelView& result);
void UnsharpMask(const PixelView& source, const PixelView& result);
void Defocus(const PixelView& source, const PixelView& result);
void ColorEmboss(const PixelView& source, const PixelView& result);
void GrayEmboss(const PixelView& source, const PixelView& result);

// A kernelSize x kernelSize kernel of signed weights, row-major from the top left, over all
// four channels: offset + sum x (1 / scale), a scale below 1 counting as 1. A size of 0 or
// less (or no kernel) has no taps.
struct CustomKernel {
    const int32_t* weights;
    int size;
    int scale;
    int offset;
};
void CustomFilter(const CustomKernel& kernel, const PixelView& source, const PixelView& result);

// Color adjustments; the alpha passes through.
void BrightnessContrast(const PixelView& source, const PixelView& result, int brightness, int contrast);
void Colorize(const PixelView& source, const PixelView& result, int red, int green, int blue);
void Grayscale(const PixelView& source, const PixelView& result);
void Negative(const PixelView& source, const PixelView& result);

// Hue 0..359 degrees, saturation and value 0..100 percent, all truncated.
struct HsvColor {
    int hue;
    int saturation;
    int value;
};
HsvColor RgbToHsv(uint32_t pixel);
uint32_t HsvToRgb(int hue, int saturation, int value);  // alpha byte 0
void AdjustHsv(const PixelView& source, const PixelView& result, int hueShift, int saturationShift,
               int luminanceShift);

// Shape-aware filters. Colors are 0x..RRGGBB (only the low 24 bits count).
struct BevelLight {
    uint32_t lightColor;
    int lightOpacity;  // 0..255
    uint32_t shadowColor;
    int shadowOpacity;  // 0..255
    int direction;      // 1 top, 2 top right, ... 8 top left (clockwise)
    int depth;          // 3, 5 or 7
};
void Bevel(const PixelView& source, const PixelView& result, const BevelLight& light);

enum class ShadowKind { kInner, kDrop };
struct ShadowSettings {
    ShadowKind kind;
    uint32_t color;
    int opacity;  // 0..100
    int offsetX;
    int offsetY;
    int blurFactor;  // 0..50
};
void CastShadow(const PixelView& source, const PixelView& result, const ShadowSettings& shadow);

// `color` is 0x00BBGGRR (red in the low byte); depth 3, 5, 7 or 9.
void Borderize(const PixelView& source, const PixelView& result, uint32_t color, int depth);
