#include "selection.h"

#include "common/gdiplus_pixels.h"
#include "common/selection_state.h"
#include "core/pyx.h"

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

// A new content bitmap of the box's size holding the layer's pixels inside the region.
Bitmap* ContentInside(Bitmap* layer, HRGN region, const RECT& box)
{
    Bitmap* content = NewArgbBitmap(box.right - box.left, box.bottom - box.top);
    if (!content || !layer)
        return content;
    HRGN moved = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(moved, region, nullptr, RGN_COPY);
    OffsetRgn(moved, -box.left, -box.top);
    {
        Gdiplus::Graphics graphics(content);
        Gdiplus::Region clip(moved);
        graphics.SetClip(&clip);
        graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
        graphics.DrawImage(layer, -box.left, -box.top, int(layer->GetWidth()), int(layer->GetHeight()));
    }
    DeleteObject(moved);
    return content;
}

}  // namespace

bool SelectRegion(AppContext* context, HRGN region)
{
    SelectionState* selection = context->selection;
    const Layer* layer = CurrentLayer(*context);
    if (!selection || !region)
        return false;
    RECT box;
    GetRgnBox(region, &box);
    Bitmap* content = ContentInside(layer ? layer->bitmap : nullptr, region, box);
    if (!content) {
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
    HRGN kept = CreateRectRgn(0, 0, image->width, image->height);
    const HRGN old = context->selection->region;
    if (old && CombineRgn(kept, kept, old, RGN_AND) == NULLREGION)
        SetRectRgn(kept, 0, 0, image->width, image->height);
    SelectRegion(context, kept);
}
