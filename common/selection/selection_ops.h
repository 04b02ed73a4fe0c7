// Building the selection: shared by the shell's commands and the editing area's tools.
// The record and what it holds belong to the shell; these functions replace its members and
// release what they replace.
#pragma once

#include "common/app_context.h"
#include "common/selection_state.h"
#include "core/pyx.h"

// Releases the bitmap and region the selection holds and clears the record.
void ClearSelection(SelectionState* selection);

// The nothing-selected state: the whole current layer as content, the whole image as region.
void ResetSelection(AppContext* context);

// Makes `region` (image pixels; the selection takes it over) the selection. The region is
// first kept to the image (nothing of it left: the whole image), then the content becomes a
// new bitmap of its bounding box holding the current layer's pixels inside it (transparent
// elsewhere). A region that cannot be used (null, or no content can be made) is deleted and
// the selection stays as it was; false then.
bool SelectRegion(AppContext* context, HRGN region);

// Makes a pasted picture the selection at the image's top-left corner: `content` (taken
// over) is the selected pixels, the region its rectangle.
void SelectPicture(SelectionState* selection, Bitmap* content);

// The selection kept to its region within the image (the whole image when nothing of the
// region is left), with new content of the region's bounding box taken from the layer.
void RebuildSelectionFromRegion(AppContext* context);

// The image minus the selected pixels becomes the selection; false, and nothing changed,
// when everything is selected.
bool SelectInverse(AppContext* context);

// Takes the layer's pixels inside the region into the content again (content and position
// stay); pixels outside the region are left alone.
void RefreshContentFromLayer(SelectionState* selection, Bitmap* layer);

// The region becomes the pixels the content covers with an alpha other than 0.
void RegionFromContentAlpha(SelectionState* selection);
