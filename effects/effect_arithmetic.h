// The small numbers of the effects: highlight alphas from intensities, the edge shadow's
// width, and the final mask by the shape's own alpha. Platform-free.
#pragma once

#include <cstdint>

#include "common/pixel_view.h"

// Alpha of a highlight of the given intensity (0..100): intensity x 2.55 truncated, with
// the single-precision 2.55, so 100 gives 254 and 50 gives 127. Out-of-range intensities
// are held to 0..100.
uint8_t HighlightAlpha(int32_t intensity);

// 0xAARRGGBB from the low 24 bits of `color` and the given alpha.
uint32_t WithAlpha(uint32_t color, uint8_t alpha);

// The reflex scale in percent as a factor (single precision).
float ReflexFactor(int32_t reflexScale);

// The alpha of the second color of Aqua Ball's reflex: 30 % of the upper alpha, truncated.
uint8_t ReflexEndAlpha(uint8_t upperAlpha);

// Pen width of the edge shadow for a shape bounding box of w x h pixels: min(w, h) / 9,
// and 1 when that is below 2.
int EdgeShadowWidth(int width, int height);

// The opacity change that turns a shadow intensity (0..100) into the shadow's strength:
// 0 clears it, 50 keeps it, 100 doubles it.
int ShadowOpacityChange(int32_t shadowIntensity);

enum class MaskedLayer { kTarget, kSeparateHighlights };

// Scales every alpha of `destination` by the alpha of the same pixel of `shape` (same
// size): a' = o x 100 / 255 x a x 0.01, truncated. For separate highlights the factor is a
// third where the shape's alpha is 200 or less, so its soft edge is lit more faintly.
// Color bytes stay as they are.
void MaskByShapeAlpha(const PixelView& shape, const PixelView& destination, MaskedLayer layer);
