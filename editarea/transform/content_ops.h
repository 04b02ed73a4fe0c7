// The selection-content steps the transformations share: the blank test, the region taken
// from the content's alpha, cropping, putting the content back over the base bitmap, and
// the sampling rules for the stored depth.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include "edit_area_state.h"

// The selection record the editing area changes in place, or null.
SelectionState* EditableSelection(const EditAreaState& state);

// The current layer is a raster layer with a selection content to transform.
bool RasterContentReady(const EditAreaState& state);

// True when every pixel of the content has alpha 0 (or it cannot be read).
bool ContentBlank(Gdiplus::Bitmap* content);

// The region becomes the pixels under the content whose alpha is not 0; the display region
// follows.
void TakeRegionFromAlpha(EditAreaState& state);

// The content shrinks to the bounding box of the region (its block, unmasked). An empty
// region leaves the content as it is.
void CropContentToRegion(SelectionState& selection);

// The layer becomes the base bitmap with the content drawn over it at (left, top).
void PutContentBack(EditAreaState& state);

// A new transparent bitmap holding `source` at (x, y); null when it cannot be made.
Gdiplus::Bitmap* BitmapWithBlockAt(Gdiplus::Bitmap* source, int width, int height, int x, int y);

// Nearest neighbour below 32 bits (no new colors, no partial alpha), else high-quality
// bilinear; pixel centres at half pixels either way.
void SetSamplingForDepth(Gdiplus::Graphics& graphics, int bitsPerPixel);

// Replaces the content and frees the old one.
void ReplaceContent(SelectionState& selection, Gdiplus::Bitmap* content, int width, int height);

// The selection becomes the whole layer: a copy of its bitmap at (0, 0), the image
// rectangle as region; the base bitmap and display region follow.
void SelectWholeLayer(EditAreaState& state);
