// The working record of one effect call and the routines that paint with it.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <cstdint>

#include "effects/scratch_bitmap.h"

// Built by LustreApplyEffect from the request for one call.
struct EffectPaint {
    uint32_t shadow;          // 0xAARRGGBB, opaque
    uint32_t upper;           // upper highlight, alpha from its intensity
    uint32_t lower;           // lower highlight, alpha from its intensity
    int32_t shadowIntensity;  // 0..100
    float reflex;             // reflex scale as a factor, 0.6..1.0
    Gdiplus::Bitmap* canvas;  // target-sized, transparent at first; the routines paint here
    PixelView canvasPixels;   // the canvas's memory, which the routines paint band by band
    int bandRows = 0;         // target rows per band of the working picture; 0 = by the size
};

// The seven effect routines. Each paints only into paint.canvas: it reads the target's size,
// transforms `path` in place (callers hand it a scratch copy) and clips its result to `clip`,
// which it leaves unchanged.
using GlossRoutine = void (*)(Gdiplus::Bitmap* target, Gdiplus::GraphicsPath* path,
                              const EffectPaint& paint, const Gdiplus::GraphicsPath* clip);

void WaveGloss(Gdiplus::Bitmap* target, Gdiplus::GraphicsPath* path, const EffectPaint& paint,
               const Gdiplus::GraphicsPath* clip);
void PearlGloss(Gdiplus::Bitmap* target, Gdiplus::GraphicsPath* path, const EffectPaint& paint,
                const Gdiplus::GraphicsPath* clip);
void MarbleGloss(Gdiplus::Bitmap* target, Gdiplus::GraphicsPath* path, const EffectPaint& paint,
                 const Gdiplus::GraphicsPath* clip);
void JellyGloss(Gdiplus::Bitmap* target, Gdiplus::GraphicsPath* path, const EffectPaint& paint,
                const Gdiplus::GraphicsPath* clip);
void GlassyBallGloss(Gdiplus::Bitmap* target, Gdiplus::GraphicsPath* path, const EffectPaint& paint,
                     const Gdiplus::GraphicsPath* clip);
void AquaBallGloss(Gdiplus::Bitmap* target, Gdiplus::GraphicsPath* path, const EffectPaint& paint,
                   const Gdiplus::GraphicsPath* clip);
void SweetGloss(Gdiplus::Bitmap* target, Gdiplus::GraphicsPath* path, const EffectPaint& paint,
                const Gdiplus::GraphicsPath* clip);

// A new bitmap of the path's integer bounding-box size holding a soft shadow band along the
// outline; its bitmap is null when the box is empty or the bitmap cannot be made. Moves the
// path.
ScratchBitmap EdgeShadow(Gdiplus::GraphicsPath* path, uint32_t color, int32_t intensity);

// The smallest integer rectangle holding every point of the path (control points included).
Gdiplus::Rect IntegerBounds(const Gdiplus::GraphicsPath* path);
