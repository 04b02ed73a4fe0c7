// lustre: the glossy button effects drawn on a vector layer's outline.
//
// Ownership: the caller owns the request, the path, the target and the style. With
// separateHighlights 1 the library stores a new Bitmap in `highlights`, which then belongs
// to the caller. The library keeps no state between calls.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <cstdint>

#include "effects/effect_kinds.h"

#ifdef LUSTRE_BUILDING
#define LUSTRE_API extern "C"
#else
#define LUSTRE_API extern "C" __declspec(dllimport)
#endif

struct EffectStyle {
    int32_t shadowIntensity;  // 0..100
    int32_t upperIntensity;   // 0..100
    int32_t lowerIntensity;   // 0..100
    int32_t reflexScale;      // 60..100 percent
};
static_assert(sizeof(EffectStyle) == 16, "EffectStyle is four 32-bit words");

// The request; zero-filled by the caller.
struct EffectParams {
    Gdiplus::GraphicsPath* path;  // the layer's outline; read only
    Gdiplus::Bitmap* target;      // painted in place unless separateHighlights is 1
    Gdiplus::Bitmap* highlights;  // output with separateHighlights 1
    int32_t separateHighlights;   // 1: paint into a new `highlights` bitmap instead
    int32_t outlined;             // 1 for a hollow shape layer; not read by the library
    int32_t effect;               // EffectKind
    EffectStyle* style;
    int32_t effectShape;  // EffectShape
    uint32_t upperColor;  // 0xAARRGGBB, low 24 bits used
    uint32_t lowerColor;
    uint32_t shadowColor;
};

// Paints the effect; 1 when it painted, 0 when the effect is not offered for the shape
// (then nothing is changed).
LUSTRE_API int32_t LustreApplyEffect(EffectParams* params);
