// OK of the filter dialogs: the result replaces the layer's pixels inside the selection
// region and becomes the selection's content; pixels outside the region stay as they were.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/gdiplus_pixels.h"
#include "common/selection_state.h"
#include "dialogs/dialog_state.h"

namespace {

// The region's rectangles; the whole Image when there is no region.
std::vector<RECT> RegionRects(HRGN region, int width, int height)
{
    if (!region)
        return {RECT{0, 0, width, height}};
    const DWORD size = GetRegionData(region, 0, nullptr);
    if (size < sizeof(RGNDATAHEADER))
        return {};
    std::vector<uint8_t> bytes(size);
    RGNDATA* data = reinterpret_cast<RGNDATA*>(bytes.data());
    if (GetRegionData(region, size, data) != size)
        return {};
    const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
    return std::vector<RECT>(rects, rects + data->rdh.nCount);
}

uint32_t& Pixel(const PixelView& view, int x, int y)
{
    return *reinterpret_cast<uint32_t*>(view.At(x, y));
}

// The result's pixel for the image pixel (x, y); transparent where the result does not reach.
uint32_t ResultAt(const PixelView& result, const SelectionState& selection, int x, int y)
{
    const int i = x - selection.left, j = y - selection.top;
    if (i < 0 || j < 0 || i >= result.width || j >= result.height)
        return 0;
    return Pixel(result, i, j);
}

void DrawIntoLayer(const PixelView& layer, const PixelView& result, const SelectionState& selection,
                   const std::vector<RECT>& rects)
{
    for (const RECT& rect : rects)
        for (int y = std::max(0, int(rect.top)); y < std::min(layer.height, int(rect.bottom)); y++)
            for (int x = std::max(0, int(rect.left)); x < std::min(layer.width, int(rect.right)); x++)
                Pixel(layer, x, y) = ResultAt(result, selection, x, y);
}

// The content becomes the result inside the region and transparent elsewhere.
void DrawIntoContent(const PixelView& content, const PixelView& result, const SelectionState& selection,
                     const std::vector<RECT>& rects)
{
    for (int y = 0; y < content.height; y++)
        std::memset(content.Row(y), 0, size_t(content.width) * 4);
    for (const RECT& rect : rects)
        for (int y = std::max(0, int(rect.top) - selection.top);
             y < std::min(content.height, int(rect.bottom) - selection.top); y++)
            for (int x = std::max(0, int(rect.left) - selection.left);
                 x < std::min(content.width, int(rect.right) - selection.left); x++)
                Pixel(content, x, y) = ResultAt(result, selection, x + selection.left, y + selection.top);
}

}  // namespace

bool ApplyFilterResult(DialogState& state)
{
    SelectionState* selection = state.context->selection;
    if (!selection || !selection->content || !state.previewBitmap || !state.layer->bitmap)
        return false;  // no result: the layer stays as it was
    const std::vector<RECT> rects = RegionRects(selection->region, state.image->width, state.image->height);
    BitmapLock result(state.previewBitmap, Gdiplus::ImageLockModeRead);
    BitmapLock layer(state.layer->bitmap, kLockReadWrite);
    BitmapLock content(selection->content, kLockReadWrite);
    if (!result.ok() || !layer.ok() || !content.ok())
        return false;
    DrawIntoLayer(layer.view(), result.view(), *selection, rects);
    DrawIntoContent(content.view(), result.view(), *selection, rects);
    return true;
}

void ReportNotApplied(HWND dialog)
{
    MessageBoxW(dialog, L"The settings could not be applied. The picture has been left as it was.", L"Error",
                MB_OK | MB_ICONERROR);
}
