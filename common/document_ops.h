// The document operations every module needs: the Image or Layer at an index, inserting,
// unlinking and moving them, keeping a layer's visibility bit with it, and rebuilding an
// Image's composite from its visible layers.
//
// A static library in each module, not pyx exports: pyx keeps exactly its 36 ordinals.
//
// One rule for indexes: an index below 0 or at or beyond the count names nothing (null, or
// false and nothing changed). Unlinked Images and Layers belong to the caller.
#pragma once

#include "common/app_context.h"
#include "core/pyx.h"

// The Image at `index` of the document, or null.
Image* ImageAt(const Resource* resource, int index);

// The Layer at `index` of the Image's list (0 = bottom of the stack), or null.
Layer* LayerAt(const Image* image, int index);

// The context's current Image and the current Layer of it, or null.
Image* CurrentImage(const AppContext& context);
Layer* CurrentLayer(const AppContext& context);

// Links an unlinked list of Images (joined by next) in so that its head lands at `index`;
// 0..imageCount, imageCount appends. False, and nothing linked, for any other index, an
// empty run, or a run that would take imageCount past 65535.
bool InsertImageRun(Resource* resource, int index, Image* run);

// Links one Image in at `index` (its own prev and next are overwritten).
bool InsertImage(Resource* resource, int index, Image* image);

// Unlinks the Images at first..last and returns them as a list of their own, or null
// (nothing changed) when the run is not inside the list.
Image* UnlinkImageRun(Resource* resource, int first, int last);

// Unlinks the Image at `index` and returns it, or null.
Image* UnlinkImage(Resource* resource, int index);

// Moves the Image at `from` so that it ends at index `to`; false when either is outside.
bool MoveImage(Resource* resource, int from, int to);

// Puts `replacement` (unlinked) in place of the Image at `index` and returns the one it
// replaced, unlinked; null, with nothing changed, when there is no Image there.
Image* ReplaceImage(Resource* resource, int index, Image* replacement);

// Visibility mask arithmetic: bit i shows layer i. Inserting at a position moves the bits
// at and above it up by one; removing moves the higher bits down (bit 31 becomes clear).
// Positions of 32 and more share their bit with a lower layer, so no shift can keep both
// right: there the mask is returned unchanged.
uint32_t InsertVisibilityBit(uint32_t mask, int position, bool visible);
uint32_t RemoveVisibilityBit(uint32_t mask, int position);
bool VisibilityBit(uint32_t mask, int position);
uint32_t SetVisibilityBit(uint32_t mask, int position, bool visible);

// Links `layer` in at `index` (0..layerCount; its own next is overwritten), with its
// visibility bit inserted at the same position. False, and nothing linked, for any other
// index or when the Image already holds 255 layers.
bool InsertLayer(Image* image, int index, Layer* layer, bool visible);

// Unlinks the Layer at `index`, removes its visibility bit, and returns it, or null.
Layer* UnlinkLayer(Image* image, int index);

// Moves the Layer at `from`, with its visibility bit, so that it ends at `to`.
bool MoveLayer(Image* image, int from, int to);

// Rebuilds the composite: cleared to transparent, then each visible layer drawn over it,
// bottom first. False when the composite or a visible layer's bitmap is missing or GDI+
// fails; the composite is then left as it was.
bool RecompositeImage(Image* image);

// The same for the pixels of columns left..right-1 and rows top..bottom-1 only (clipped to
// the image), for changes known to stay inside them.
bool RecompositeImageArea(Image* image, int left, int top, int right, int bottom);
