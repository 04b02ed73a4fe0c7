// What every painting tool does around a change of the current layer's pixels: the undo
// entry before it, the composite and the canvas while it runs, and at its end the selection
// content, the modified flag and the report to the main window.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include "common/selection/pixel_set.h"  // PixelRect
#include "edit_area_state.h"

struct ToolOptions;

// The current layer is a raster layer with pixels, of an image with a composite.
bool PaintableLayer(const EditAreaState& state);

// The brush settings and tool options, or null when the shell has not shared them.
const BrushSettings* Brush(const EditAreaState& state);
const ToolOptions* Options(const EditAreaState& state);

// Sizes of the tool options are whole pixels 1..50.
int ToolSize(int size);

// Asks the main window to record an undo entry of the current image (before a change).
void RecordUndoEntry(const EditAreaState& state);

// Rebuilds the image's composite from its visible layers and redraws the canvas at once.
void ShowLayerChange(EditAreaState& state);

// The same for a change of the layer that stays inside `area` (image pixels).
void ShowLayerChangeIn(EditAreaState& state, const PixelRect& area);

// The end of a change: the selection content taken again from the layer, the document
// marked modified, the main window told.
void FinishLayerChange(EditAreaState& state);

// Puts the layer's pixels inside the selection region into the selection content, then
// rebuilds the base bitmap.
void RefreshSelectionContent(EditAreaState& state);

// The selection record, or null when the shell has not shared one.
const SelectionState* Selection(const EditAreaState& state);

// Clips drawing on the layer to the selection region (no clip when there is no region).
void ClipToSelection(Gdiplus::Graphics& graphics, const SelectionState* selection);

// Copies every pixel of `from` into `to` (the same size); false when either cannot be locked.
bool CopyBitmapPixels(Gdiplus::Bitmap* from, Gdiplus::Bitmap* to);
