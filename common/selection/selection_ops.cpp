#include "selection_ops.h"

#include "common/document_ops.h"
#include "common/gdiplus_pixels.h"
#include "common/selection/content_pixels.h"
#include "common/selection/region_ops.h"

void ClearSelection(SelectionState* selection)
{
    if (!selection)
        return;
    delete selection->content;
    if (selection->region)
        DeleteObject(selection->region);
    *selection = SelectionState{};
}

void ResetSelection(AppContext* context)
{
    SelectionState* selection = context->selection;
    ClearSelection(selection);
    const Image* image = CurrentImage(*context);
    const Layer* layer = CurrentLayer(*context);
    if (!selection || !image)
        return;
    if (layer && layer->bitmap)
        selection->content = CloneBitmap(layer->bitmap);
    selection->width = image->width;
    selection->height = image->height;
    selection->region = CreateRectRgn(0, 0, image->width, image->height);
}

namespace {

// A new bitmap of the box's size holding the layer's pixels inside the region.
Bitmap* ContentInside(Bitmap* layer, HRGN region, const PixelRect& box)
{
    Bitmap* content = NewArgbBitmap(box.right - box.left, box.bottom - box.top);
    if (!content || !layer)
        return content;
    BitmapLock source(layer, Gdiplus::ImageLockModeRead);
    BitmapLock target(content, kLockReadWrite);
    if (!source.ok() || !target.ok()) {
        delete content;
        return nullptr;
    }
    const std::vector<PixelRect> rects = RegionRectangles(region);
    std::vector<PixelRect> inContent;
    for (const PixelRect& rect : rects)
        inContent.push_back({rect.left - box.left, rect.top - box.top, rect.right - box.left, rect.bottom - box.top});
    CopyRegionPixels(target.view(), source.view(), -box.left, -box.top, inContent);
    return content;
}

// Regions that reach past the image (after a move, or a large paste) are kept to it before
// a copy is cut to them, so no copy ever covers pixels the layer does not have.
HRGN KeptToImage(const AppContext* context, HRGN region)
{
    const Image* image = CurrentImage(*context);
    if (!image)
        return region;
    HRGN kept = RegionWithinImage(region, image->width, image->height);
    DeleteObject(region);
    if (kept && RegionIsEmpty(kept))
        SetRectRgn(kept, 0, 0, image->width, image->height);
    return kept;
}

}  // namespace

bool SelectRegion(AppContext* context, HRGN region)
{
    SelectionState* selection = context->selection;
    if (!selection || !region) {
        if (region)
            DeleteObject(region);
        return false;
    }
    region = KeptToImage(context, region);
    const Layer* layer = CurrentLayer(*context);
    const PixelRect box = RegionBox(region);
    Bitmap* content = region ? ContentInside(layer ? layer->bitmap : nullptr, region, box) : nullptr;
    if (!content) {
        if (region)
            DeleteObject(region);
        return false;
    }
    ClearSelection(selection);
    selection->content = content;
    selection->region = region;
    selection->left = box.left;
    selection->top = box.top;
    selection->width = box.right - box.left;
    selection->height = box.bottom - box.top;
    return true;
}

void SelectPicture(SelectionState* selection, Bitmap* content)
{
    ClearSelection(selection);
    if (!selection || !content)
        return;
    selection->content = content;
    selection->width = int(content->GetWidth());
    selection->height = int(content->GetHeight());
    selection->region = CreateRectRgn(0, 0, selection->width, selection->height);
}

void RebuildSelectionFromRegion(AppContext* context)
{
    const Image* image = CurrentImage(*context);
    if (!context->selection || !image)
        return;
    const HRGN old = context->selection->region;
    SelectRegion(context, old ? CopyRegion(old) : CreateRectRgn(0, 0, image->width, image->height));
}

bool SelectInverse(AppContext* context)
{
    const Image* image = CurrentImage(*context);
    SelectionState* selection = context->selection;
    if (!image || !selection || !selection->region)
        return false;
    HRGN whole = CreateRectRgn(0, 0, image->width, image->height);
    HRGN inverse = DifferenceOfRegions(whole, selection->region);
    DeleteObject(whole);
    if (!inverse || RegionIsEmpty(inverse)) {
        if (inverse)
            DeleteObject(inverse);
        return false;
    }
    return SelectRegion(context, inverse);
}

void RefreshContentFromLayer(SelectionState* selection, Bitmap* layer)
{
    if (!selection || !selection->content || !selection->region || !layer)
        return;
    BitmapLock source(layer, Gdiplus::ImageLockModeRead);
    BitmapLock content(selection->content, kLockReadWrite);
    if (!source.ok() || !content.ok())
        return;
    std::vector<PixelRect> rects = RegionRectangles(selection->region);
    for (PixelRect& rect : rects)
        rect = {rect.left - selection->left, rect.top - selection->top, rect.right - selection->left,
                rect.bottom - selection->top};
    CopyRegionPixels(content.view(), source.view(), -selection->left, -selection->top, rects);
}

void RegionFromContentAlpha(SelectionState* selection)
{
    if (!selection || !selection->content)
        return;
    BitmapLock content(selection->content, Gdiplus::ImageLockModeRead);
    if (!content.ok())
        return;
    std::vector<PixelRect> rects = RectsFromMask(OpaquePixels(content.view()));
    for (PixelRect& rect : rects)
        rect = {rect.left + selection->left, rect.top + selection->top, rect.right + selection->left,
                rect.bottom + selection->top};
    HRGN region = RegionFromRectangles(rects);
    if (!region)
        return;
    if (selection->region)
        DeleteObject(selection->region);
    selection->region = region;
}
