// Custom rotation and scale of a vector layer: its path is transformed from the saved
// path at every step and the shape drawn again from the layer's own brush.
#pragma once

#include "edit_area_state.h"

struct PendingTransform;

// The current layer is a vector layer whose shape can be transformed and drawn again.
bool VectorLayerReady(const EditAreaState& state);

// Keeps copies of the layer's path and bitmap for Cancel.
bool SaveVectorStart(EditAreaState& state, PendingTransform& pending);

// The saved path rotated about the middle of its bounding box.
void PreviewVectorRotation(EditAreaState& state, const PendingTransform& pending, float degrees);

// The saved path scaled by (w / 100, h / 100) about the image origin.
void PreviewVectorScale(EditAreaState& state, const PendingTransform& pending, int widthPercent, int heightPercent);

// Gives the layer its saved path and bitmap back.
void RestoreVectorStart(EditAreaState& state, PendingTransform& pending);
