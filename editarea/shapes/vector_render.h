// Drawing a vector shape from its path and its look: the fill or the inset outline, the
// anti-aliased outline drawn four times larger and scaled down, and the re-rendering of a
// vector layer from what it stored (after it was moved, rotated or scaled).
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include "core/pyx.h"

// How a shape is drawn: what a vector layer keeps besides its path.
struct ShapeLook {
    bool filled;              // else outlined with an inset pen
    BrushSettings brush;      // the painting brush to build
    float penWidth;           // outlines only
    bool smoothing;           // anti-aliased (honoured at 32 bits per pixel only)
};

// Strokes `path` onto the target (w x h) on a surface four times larger without
// anti-aliasing and draws that down onto the target, blending over its pixels: a smooth
// outline whose inset pen stays inside the shape. The brush spans the scaled path's bounds.
// `clip` (image pixels) may be null. False when the platform fails.
bool DrawSupersampledStroke(Gdiplus::Bitmap* target, int width, int height, const Gdiplus::GraphicsPath& path,
                            float penWidth, const BrushSettings& brush, int bitsPerPixel, HRGN clip);

// Draws the shape onto `target` (w x h, an image's size), clipped to `clip` when not null.
// False when the brush cannot be made or the platform fails.
bool DrawShape(Gdiplus::Bitmap* target, int width, int height, const Gdiplus::GraphicsPath& path,
               const ShapeLook& look, int bitsPerPixel, HRGN clip);

// The look a vector layer stored.
ShapeLook LayerLook(const Layer& layer);

// Clears the vector layer's bitmap and draws its path again from its own stored brush, pen
// width and smoothing, never clipped. The composite is left to the caller. False for a raster
// layer, a layer without path or bitmap, or when drawing fails.
bool RenderVectorLayer(Layer* layer, int width, int height, int bitsPerPixel);
