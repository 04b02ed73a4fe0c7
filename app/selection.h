// The shell's part of the selection: the nothing-selected state and its release.
#pragma once

#include "common/app_context.h"
#include "common/document_ops.h"
#include "core/pyx.h"

// Releases the bitmap and region the selection holds and clears the record.
void ClearSelection(SelectionState* selection);

// The nothing-selected state: the whole current layer as content, the whole image as region.
void ResetSelection(AppContext* context);

// Makes `region` (image pixels; the selection takes it over) the selection, with new content
// of its bounding box holding the current layer's pixels inside it. A region that cannot
// be used (null, or no content can be made) is deleted and the selection stays as it was;
// false then.
bool SelectRegion(AppContext* context, HRGN region);

// Makes a pasted picture the selection at the image's top-left corner: `content` (taken
// over) is the selected pixels, the region its rectangle.
void SelectPicture(SelectionState* selection, Bitmap* content);

// The selection kept to its region within the image (the whole image when nothing of the
// region is left), with new content of the region's bounding box taken from the layer.
void RebuildSelectionFromRegion(AppContext* context);
