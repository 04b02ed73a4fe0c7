// Putting back what a pending transformation saved, and freeing what it holds.
#pragma once

#include "edit_area_state.h"

// The layer (and, on a raster layer, the selection) exactly as they were when the
// transformation opened. Parts not saved yet are left alone.
void RestoreStart(EditAreaState& state);

struct PendingTransform;

// Closes the drawing surface of a raster rotation (before its content is replaced).
void CloseContentSurface(PendingTransform& pending);
