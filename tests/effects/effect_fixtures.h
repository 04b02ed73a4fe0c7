// Real outlines, rendered shape layers and effect requests for the effect tests.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "common/pixel_filters/pixel_buffer.h"  // AlphaOf
#include "effects/lustre.h"

// The outline of each kind of shape, fitted into a width x height image: an ellipse, a
// rectangle, a five-pointed polygon, the two glyphs "LT" as text, and a closed curve.
std::unique_ptr<Gdiplus::GraphicsPath> OutlineOf(EffectShape shape, int width, int height);

// The text outline of `text` in bold "Arial" at the given size, at (x, y).
std::unique_ptr<Gdiplus::GraphicsPath> TextOutline(const wchar_t* text, float emSize, float x, float y);

// The shape layer as the editor renders it: the outline filled with an opaque color,
// antialiased, on a transparent width x height bitmap.
Gdiplus::Bitmap* RenderedShape(const Gdiplus::GraphicsPath* outline, int width, int height);

// The style dialog's defaults, with every intensity adjustable.
struct EffectRequest {
    EffectStyle style{50, 100, 100, 100};
    EffectParams params{};

    EffectRequest(Gdiplus::GraphicsPath* path, Gdiplus::Bitmap* target, EffectShape shape, EffectKind effect);
    int32_t Apply() { return LustreApplyEffect(&params); }
};

// Every effect number, in menu order.
inline constexpr EffectKind kAllEffects[] = {kWaveEffect,       kPearlEffect,    kMarbleEffect, kJellyEffect,
                                             kGlassyBallEffect, kAquaBallEffect, kSweetEffect};
inline constexpr EffectShape kAllShapes[] = {kEffectRectangle, kEffectEllipse, kEffectPolygon, kEffectText,
                                             kEffectCustomShape};

const char* EffectName(int32_t effect);
const char* ShapeName(int32_t shape);

// Whether the editor offers the effect on the shape.
bool IsOffered(EffectShape shape, EffectKind effect);

inline uint32_t ColorOf(uint32_t argb) { return argb & 0x00FFFFFFu; }
