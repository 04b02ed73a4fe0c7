// The undo chain: at most 20 rings of whole-Image history, oldest first.
#include "common/document_ops.h"
#include "pyx.h"

namespace {

constexpr int kMaxRings = 20;

void DeleteImageList(Image* image)
{
    while (image) {
        Image* next = image->next;
        PYX_DeleteImage(image);
        image = next;
    }
}

void DeleteRing(UndoRing* ring)
{
    DeleteImageList(ring->images);
    delete ring;
}

UndoRing* RingAt(UndoChain* chain, int index)
{
    UndoRing* ring = chain->firstRing;
    for (int i = 0; ring && i < index; i++)
        ring = ring->next;
    return ring;
}

// Destroys every ring after ring number `position` (all of them for -1).
void DiscardRingsAfter(UndoChain* chain, int position)
{
    UndoRing** link = position < 0 ? &chain->firstRing : &RingAt(chain, position)->next;
    UndoRing* ring = *link;
    *link = nullptr;
    while (ring) {
        UndoRing* next = ring->next;
        DeleteRing(ring);
        ring = next;
    }
    chain->count = uint8_t(position + 1);
    chain->canRedo = 0;
}

void DropOldestRing(UndoChain* chain)
{
    UndoRing* oldest = chain->firstRing;
    chain->firstRing = oldest->next;
    DeleteRing(oldest);
}

void RecordRing(UndoChain* chain, UndoRing* ring)
{
    if (chain->position < 0) {
        DiscardRingsAfter(chain, -1);
        chain->firstRing = ring;
        chain->position = 0;
        chain->count = 1;
    } else if (chain->position >= kMaxRings - 1) {
        RingAt(chain, chain->position)->next = ring;
        DropOldestRing(chain);
    } else {
        if (chain->count > chain->position + 1)
            DiscardRingsAfter(chain, chain->position);
        RingAt(chain, chain->position)->next = ring;
        chain->position++;
        chain->count++;
    }
    chain->canUndo = 1;
}

UndoRing* NewRing(UndoRingKind kind, int32_t first, int32_t second)
{
    UndoRing* ring = new UndoRing{};
    ring->kind = kind;
    ring->first = first;
    ring->second = second;
    return ring;
}

void AddCopyRing(UndoChain* chain, UndoRingKind kind, int32_t index, Resource* resource)
{
    if (!chain)
        return;
    UndoRing* ring = NewRing(kind, index, 0);
    if (resource)
        ring->images = PYX_DuplicateImage(ImageAt(resource, index));
    RecordRing(chain, ring);
}

void AddIndexRing(UndoChain* chain, UndoRingKind kind, int32_t first, int32_t second)
{
    if (chain)
        RecordRing(chain, NewRing(kind, first, second));
}

void SwapHeldImage(UndoRing* ring, Resource* resource)
{
    if (Image* old = ReplaceImage(resource, ring->first, ring->images))
        ring->images = old;
}

void RestoreHeldImages(UndoRing* ring, Resource* resource)
{
    if (InsertImageRun(resource, ring->first, ring->images))
        ring->images = nullptr;
}

void HoldImages(UndoRing* ring, Resource* resource, int first, int last)
{
    if (!ring->images)
        ring->images = UnlinkImageRun(resource, first, last);
}

int32_t UndoRingEffect(UndoRing* ring, Resource* resource)
{
    const int32_t a = ring->first, b = ring->second;
    switch (ring->kind) {
    case kMoveRing: MoveImage(resource, b, a); return a;
    case kChangeRing: SwapHeldImage(ring, resource); return a;
    case kDeleteRing: RestoreHeldImages(ring, resource); return a;
    case kNewRing: HoldImages(ring, resource, a, a); return 0;
    case kStandardFormatsRing: HoldImages(ring, resource, a, b); return a - 1;
    default: return -1;
    }
}

int32_t RedoRingEffect(UndoRing* ring, Resource* resource)
{
    const int32_t a = ring->first, b = ring->second;
    switch (ring->kind) {
    case kMoveRing: MoveImage(resource, a, b); return b;
    case kChangeRing: SwapHeldImage(ring, resource); return a;
    case kDeleteRing: HoldImages(ring, resource, a, a); return 0;
    case kNewRing: RestoreHeldImages(ring, resource); return a;
    case kStandardFormatsRing: RestoreHeldImages(ring, resource); return a;
    default: return -1;
    }
}

}  // namespace

PYX_API UndoChain* PYX_InitNewUndoChain()
{
    UndoChain* chain = new UndoChain{};
    chain->position = -1;
    return chain;
}

PYX_API void PYX_DeleteUndoChain(UndoChain* chain)
{
    if (!chain)
        return;
    DiscardRingsAfter(chain, -1);
    delete chain;
}

PYX_API void PYX_AddChangeUndoRing(UndoChain* chain, int32_t index, Resource* resource)
{
    AddCopyRing(chain, kChangeRing, index, resource);
}

PYX_API void PYX_AddDeleteUndoRing(UndoChain* chain, int32_t index, Resource* resource)
{
    AddCopyRing(chain, kDeleteRing, index, resource);
}

PYX_API void PYX_AddMoveUndoRing(UndoChain* chain, int32_t fromIndex, int32_t toIndex)
{
    AddIndexRing(chain, kMoveRing, fromIndex, toIndex);
}

PYX_API void PYX_AddNewUndoRing(UndoChain* chain, int32_t index)
{
    AddIndexRing(chain, kNewRing, index, 0);
}

PYX_API void PYX_AddSFUndoRing(UndoChain* chain, int32_t firstIndex, int32_t lastIndex)
{
    AddIndexRing(chain, kStandardFormatsRing, firstIndex, lastIndex);
}

PYX_API int32_t PYX_Undo(UndoChain* chain, Resource* resource)
{
    if (!chain || !resource || !chain->canUndo || chain->position < 0)
        return -1;
    const int32_t current = UndoRingEffect(RingAt(chain, chain->position), resource);
    chain->canRedo = 1;
    chain->position--;
    if (chain->position < 0)
        chain->canUndo = 0;
    return current;
}

PYX_API int32_t PYX_Redo(UndoChain* chain, Resource* resource)
{
    if (!chain || !resource || !chain->canRedo || chain->position + 1 >= chain->count)
        return -1;
    const int32_t current = RedoRingEffect(RingAt(chain, chain->position + 1), resource);
    chain->position++;
    chain->canUndo = 1;
    if (chain->position >= chain->count - 1)
        chain->canRedo = 0;
    return current;
}
