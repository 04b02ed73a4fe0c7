// A shape or a text made into a new vector layer directly above the current layer.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include "edit_area_state.h"
#include "shapes/vector_render.h"

// Draws `path` on a new transparent image-sized bitmap and links a vector layer holding both
// in directly above the current layer, with its look stored and the image's layer count
// raised by one. Takes the path in every case (it is deleted when no layer could be made).
// Returns the new layer, or null when the bitmap or the layer could not be made or the
// image is full.
Layer* AddVectorLayerAbove(EditAreaState& state, Gdiplus::GraphicsPath* path, uint8_t shapeKind,
                           const ShapeLook& look);
