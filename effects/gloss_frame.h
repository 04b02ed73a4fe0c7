// What the seven effect routines share: a transparent working picture at twice the size of
// the part of the target that the clip reaches, the outline scaled into it and shrunk a
// little about its centre, the brushes of the highlight fills, and the final drawing of the
// working picture, shrunk back, into the canvas.
//
// The working picture is painted in horizontal bands, several at once on the thread pool:
// each band has its own bitmap over its rows, its own graphics context and its own copies
// of the paths, so no GDI+ object is shared between threads.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <cstdint>
#include <initializer_list>
#include <memory>

#include "effects/effect_paint.h"

// One band of the working picture, as the fills of an effect see it. The geometry is that
// of the whole picture; the band's graphics context maps it onto the band's rows.
struct GlossFrame {
    Gdiplus::Graphics* graphics = nullptr;   // on this band, with antialiasing
    Gdiplus::GraphicsPath* shape = nullptr;  // this band's copy of the shrunk outline
    float x = 0, y = 0, w = 0, h = 0;        // the shrunk outline's integer bounds
};

// The fills of one effect: the regions it paints, their clips and their brushes.
using GlossFills = void (*)(const GlossFrame& frame, const EffectPaint& paint);

enum class FinalCompositing { kDefault, kHighQuality };

// The frame of every effect routine: scales and centres `path` in place (at twice the size,
// then 96 % of that), paints `fills` into the working picture, shrinks it back and draws
// it into the canvas clipped to `clip`. Paints nothing when the clip reaches no pixel of
// the target.
void PaintGloss(Gdiplus::Bitmap* target, Gdiplus::GraphicsPath* path, const EffectPaint& paint,
                const Gdiplus::GraphicsPath* clip, FinalCompositing compositing, GlossFills fills);

// Transparent white: the far end of every highlight gradient.
Gdiplus::Color ClearColor();

struct BlendStop {
    float position;
    float factor;  // fraction of the second color
};

// A linear gradient from one point and color to another, gamma corrected, wrapping as given;
// null when it cannot be made (a gradient line of no length).
struct LinearGloss {
    Gdiplus::PointF from;
    Gdiplus::Color fromColor;
    Gdiplus::PointF to;
    Gdiplus::Color toColor;
    Gdiplus::WrapMode wrap = Gdiplus::WrapModeTile;
};
std::unique_ptr<Gdiplus::LinearGradientBrush> NewLinearGloss(const LinearGloss& gloss);
void SetBlendStops(Gdiplus::LinearGradientBrush* brush, std::initializer_list<BlendStop> stops);

// A path gradient over `area` from `centreColor` at `centre` to clear at the outline,
// gamma corrected, with a bell-shaped blend (focus, scale); null when it cannot be made.
struct RadialGloss {
    Gdiplus::Color centreColor;
    Gdiplus::PointF centre;
    float focusScaleX = 0, focusScaleY = 0;
    float bellFocus = 1, bellScale = 1;
};
std::unique_ptr<Gdiplus::PathGradientBrush> NewRadialGloss(const Gdiplus::GraphicsPath* area,
                                                         const RadialGloss& gloss);

// Fills `region` with `brush` inside the clip (none, a path or a rectangle); a null brush
// paints nothing.
void FillRegion(Gdiplus::Graphics* graphics, Gdiplus::Brush* brush, const Gdiplus::GraphicsPath* region);
void FillClipped(Gdiplus::Graphics* graphics, Gdiplus::Brush* brush, const Gdiplus::GraphicsPath* region,
                 const Gdiplus::GraphicsPath* clip);
void FillClipped(Gdiplus::Graphics* graphics, Gdiplus::Brush* brush, const Gdiplus::GraphicsPath* region,
                 const Gdiplus::RectF& clip);

Gdiplus::Color ArgbColor(uint32_t argb);
