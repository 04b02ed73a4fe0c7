// What the seven effect routines share: a transparent working bitmap at twice the target's
// size, the outline scaled into it and shrunk a little about its centre, the brushes of the
// highlight fills, and the final drawing of the working bitmap into the canvas.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <cstdint>
#include <initializer_list>
#include <memory>

#include "effects/effect_paint.h"
#include "effects/scratch_bitmap.h"

struct GlossFrame {
    ScratchBitmap working;                   // twice the size of `reach`, owned
    Gdiplus::Graphics* graphics = nullptr;   // on `working`, owned
    Gdiplus::GraphicsPath* shape = nullptr;  // the shrunk outline (the caller's path)
    float x = 0, y = 0, w = 0, h = 0;        // the shape's integer bounds
    Gdiplus::Rect reach;                     // the part of the target the clip can reach
};

// Prepares the frame: scales and centres `path` in place. The working bitmap stands for the
// target at twice its size; only the part that `clip` can reach is kept in memory, since
// nothing else is ever drawn. False (and nothing to free) when there is nothing to draw or
// the working bitmap cannot be made.
bool BeginGloss(Gdiplus::Bitmap* target, Gdiplus::GraphicsPath* path, const Gdiplus::GraphicsPath* clip,
                GlossFrame* frame);

enum class FinalCompositing { kDefault, kHighQuality };

// Draws the working bitmap scaled into the canvas, clipped to `clip`, and frees the frame.
void EndGloss(GlossFrame* frame, const EffectPaint& paint, const Gdiplus::GraphicsPath* clip,
              FinalCompositing compositing);

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
