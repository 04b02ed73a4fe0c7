// The shell's part of the selection: the nothing-selected state and its release.
#pragma once

#include "common/app_context.h"
#include "common/document_ops.h"
#include "core/pyx.h"

// Releases the bitmap and region the selection holds and clears the record.
void ClearSelection(SelectionState* selection);

// The nothing-selected state: the whole current layer as content, the whole image as region.
void ResetSelection(AppContext* context);

// The selection kept to its region within the image (the whole image when nothing of the
// region is left), with new content of the region's bounding box taken from the layer.
void RebuildSelectionFromRegion(AppContext* context);
