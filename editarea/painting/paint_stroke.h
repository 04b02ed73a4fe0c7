// A stroke of the pen or the eraser: the layer as it was when the stroke began, the path of
// every segment so far, and the pen that draws it. Each step puts the saved pixels back and
// draws the whole path once, so that a half-transparent stroke crossing itself does not
// darken where it overlaps.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include "common/selection/pixel_set.h"  // PixelRect
#include "common/selection_state.h"

// How the stroke's pixels meet the layer's.
struct StrokeLook {
    bool antialiased;
    bool highQuality;  // compositing quality
    bool sourceCopy;   // write the brush's pixels instead of blending them (the eraser)
};

struct PaintStroke {
    Gdiplus::Bitmap* backup;      // owned: the layer at the start of the stroke
    Gdiplus::GraphicsPath* path;  // owned: the segments so far
    Gdiplus::Brush* brush;        // owned
    Gdiplus::Pen* pen;            // owned: round caps and joins
    StrokeLook look;
};

// A new stroke on `layer` with the given pen width, taking ownership of `brush` (also when it
// fails). Null when the copy of the layer or the pen cannot be made.
PaintStroke* NewPaintStroke(Gdiplus::Bitmap* layer, Gdiplus::Brush* brush, float width, StrokeLook look);

// Frees the stroke and everything it holds; a null stroke is nothing to free.
void DeletePaintStroke(PaintStroke* stroke);

// The dot of a press: a round dot of the pen's width at pixel (x, y), over the layer as it is.
bool DrawStrokeDot(const PaintStroke& stroke, Gdiplus::Bitmap* layer, const SelectionState* selection, int x, int y);

// The layer pixels that a segment from -> to of a pen `width` wide can touch, smoothed edges
// included, clipped to a width x height layer (empty when it misses the layer).
PixelRect SegmentReach(POINT from, POINT to, float width, int layerWidth, int layerHeight);

// Adds the segment from -> to and makes the layer the backup with the whole path drawn over
// it. Only the reach of the new segment can differ from the layer before (the rest of the
// path is drawn there already), so only that is restored and drawn again; `changed`, when
// given, receives it.
bool ExtendStroke(PaintStroke& stroke, Gdiplus::Bitmap* layer, const SelectionState* selection, POINT from, POINT to,
                  PixelRect* changed = nullptr);
