#include "selection_view.h"

#include <vector>

#include "common/gdiplus_pixels.h"

void RebuildDisplayRegion(EditAreaState& state)
{
    if (state.displayRegion)
        DeleteObject(state.displayRegion);
    state.displayRegion = nullptr;
    const SelectionState* selection = state.context ? state.context->selection : nullptr;
    if (!selection || !selection->region)
        return;
    // Scaled rectangle by rectangle: whole screen pixels, no rounding of a transform.
    state.displayRegion = ScaledRegion(selection->region, state.view.zoom);
}

void RebuildBaseBitmap(EditAreaState& state)
{
    delete state.baseBitmap;
    state.baseBitmap = nullptr;
    if (!state.layer || !state.layer->bitmap)
        return;
    state.baseBitmap = CloneBitmap(state.layer->bitmap);
    const SelectionState* selection = state.context ? state.context->selection : nullptr;
    if (!state.baseBitmap || !selection)
        return;
    BitmapLock lock(state.baseBitmap, kLockReadWrite);
    if (lock.ok())
        ClearRectangles(lock.view(), RegionRectangles(selection->region));
}

void RebuildSelectionView(EditAreaState& state)
{
    RebuildDisplayRegion(state);
    RebuildBaseBitmap(state);
}

void ReleaseSelectionView(EditAreaState& state)
{
    if (state.displayRegion)
        DeleteObject(state.displayRegion);
    state.displayRegion = nullptr;
    delete state.baseBitmap;
    state.baseBitmap = nullptr;
}
