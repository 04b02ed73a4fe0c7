// The painting brush: the one rule by which every painting tool turns the brush settings
// into a fill (solid, or a linear or radial gradient with its blend).
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include "core/pyx.h"
#include "painting/brush_geometry.h"

// A new fill over `rect` for an image of `bitsPerPixel`; the caller deletes it. Null when the
// platform cannot make it.
Gdiplus::Brush* MakePaintingBrush(const BrushSettings& settings, const BrushRect& rect, int bitsPerPixel,
                                  GradientForce force);
