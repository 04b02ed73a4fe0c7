#include "selection_view.h"

#include <vector>

#include "common/gdiplus_pixels.h"

std::vector<PixelRect> RegionRectangles(HRGN region)
{
    std::vector<PixelRect> rects;
    if (!region)
        return rects;
    const DWORD size = GetRegionData(region, 0, nullptr);
    if (size < sizeof(RGNDATAHEADER))
        return rects;
    std::vector<uint8_t> bytes(size);
    RGNDATA* data = reinterpret_cast<RGNDATA*>(bytes.data());
    if (!GetRegionData(region, size, data))
        return rects;
    const RECT* list = reinterpret_cast<const RECT*>(data->Buffer);
    const DWORD count = (size - data->rdh.dwSize) / sizeof(RECT);
    for (DWORD i = 0; i < data->rdh.nCount && i < count; i++)
        rects.push_back({list[i].left, list[i].top, list[i].right, list[i].bottom});
    return rects;
}

HRGN RegionFromRectangles(const std::vector<PixelRect>& rects)
{
    std::vector<uint8_t> bytes(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    RGNDATA* data = reinterpret_cast<RGNDATA*>(bytes.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(rects.size());
    data->rdh.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
    RECT bounds{0, 0, 0, 0};
    RECT* list = reinterpret_cast<RECT*>(data->Buffer);
    for (size_t i = 0; i < rects.size(); i++) {
        list[i] = RECT{rects[i].left, rects[i].top, rects[i].right, rects[i].bottom};
        UnionRect(&bounds, &bounds, &list[i]);
    }
    data->rdh.rcBound = bounds;
    return ExtCreateRegion(nullptr, static_cast<DWORD>(bytes.size()), data);
}

void RebuildDisplayRegion(EditAreaState& state)
{
    if (state.displayRegion)
        DeleteObject(state.displayRegion);
    state.displayRegion = nullptr;
    const SelectionState* selection = state.context ? state.context->selection : nullptr;
    if (!selection || !selection->region)
        return;
    // Scaled rectangle by rectangle: whole screen pixels, no rounding of a transform.
    std::vector<PixelRect> rects = RegionRectangles(selection->region);
    const int zoom = state.view.zoom;
    for (PixelRect& rect : rects)
        rect = {rect.left * zoom, rect.top * zoom, rect.right * zoom, rect.bottom * zoom};
    state.displayRegion = RegionFromRectangles(rects);
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
