// What the editing area does to the selected pixels themselves: moving them over the rest of
// the layer, and cutting them out.
#pragma once

#include "edit_area_state.h"

// Moves the selection's content by (dx, dy): the layer becomes the base bitmap with the
// content laid over it at its new place, the region follows, the canvas shows it at once.
// Content that leaves the image is kept whole and comes back when moved back.
void MoveSelectedContent(EditAreaState& state, int dx, int dy);

// Cut (the main window's WM_APP+109): the content goes to the clipboard and its pixels leave
// the layer; then nothing is selected. Raster layers only: a vector layer's pixels are drawn
// from its outline, which a cut cannot take away.
void CutSelection(EditAreaState& state);
