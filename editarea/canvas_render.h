// Paints the canvas into its back buffer: background, composite, grid, selection outline
// and the preview of a shape being drawn.
#pragma once

#include "edit_area_state.h"

void RenderCanvas(EditAreaState& state);

// The outline region of the display region moved to (originX, originY): the part of the
// region that its four diagonal shifts by `thickness` do not all cover. Null when empty.
HRGN SelectionOutlineRegion(HRGN displayRegion, int originX, int originY, int thickness);
