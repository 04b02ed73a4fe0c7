// Source-over drawing of non-premultiplied 32-bit pictures, unscaled, pixel for pixel: the
// one compositing step the filters and the effects need from a 2-D graphics library.
#pragma once

#include <cstdint>

#include "common/pixel_view.h"

// Blends one pixel over another (both B, G, R, A). A fully transparent top pixel leaves
// the bottom one as it is; a fully opaque one replaces it.
void BlendPixelOver(const uint8_t* top, uint8_t* bottom);

// Draws `top` over `bottom` with its top-left corner at (x, y); whatever falls outside
// `bottom` is cut off. Any offset is allowed.
void DrawOver(const PixelView& top, const PixelView& bottom, long long x, long long y);
