#include "region_ops.h"

#include <cstdint>

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

HRGN RegionFromMask(const PixelMask& mask)
{
    return RegionFromRectangles(RectsFromMask(mask));
}

namespace {

HRGN Combined(HRGN a, HRGN b, int mode)
{
    if (!a || (!b && mode != RGN_COPY))
        return nullptr;
    HRGN result = CreateRectRgn(0, 0, 0, 0);
    if (result && CombineRgn(result, a, b, mode) == ERROR) {
        DeleteObject(result);
        return nullptr;
    }
    return result;
}

}  // namespace

HRGN CopyRegion(HRGN region)
{
    return Combined(region, nullptr, RGN_COPY);
}

HRGN UnionOfRegions(HRGN a, HRGN b)
{
    return Combined(a, b, RGN_OR);
}

HRGN DifferenceOfRegions(HRGN a, HRGN b)
{
    return Combined(a, b, RGN_DIFF);
}

HRGN IntersectionOfRegions(HRGN a, HRGN b)
{
    return Combined(a, b, RGN_AND);
}

HRGN ScaledRegion(HRGN region, int factor)
{
    if (!region)
        return nullptr;
    std::vector<PixelRect> rects = RegionRectangles(region);
    for (PixelRect& rect : rects)
        rect = {rect.left * factor, rect.top * factor, rect.right * factor, rect.bottom * factor};
    return RegionFromRectangles(rects);
}

HRGN RegionWithinImage(HRGN region, int width, int height)
{
    HRGN image = CreateRectRgn(0, 0, width, height);
    HRGN within = IntersectionOfRegions(region, image);
    DeleteObject(image);
    return within;
}

void TranslateRegion(HRGN region, int dx, int dy)
{
    if (region)
        OffsetRgn(region, dx, dy);
}

PixelRect RegionBox(HRGN region)
{
    RECT box{};
    if (!region || GetRgnBox(region, &box) == NULLREGION)
        return {0, 0, 0, 0};
    return {box.left, box.top, box.right, box.bottom};
}

bool RegionIsEmpty(HRGN region)
{
    RECT box{};
    return !region || GetRgnBox(region, &box) == NULLREGION;
}

bool RegionHasPixel(HRGN region, int x, int y)
{
    return region && PtInRegion(region, x, y);
}
