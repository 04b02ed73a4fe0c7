#include "transform/content_ops.h"

#include "common/gdiplus_pixels.h"
#include "common/pixel_filters/blend.h"
#include "common/selection/region_ops.h"
#include "common/selection/selection_ops.h"
#include "painting/layer_change.h"
#include "selection_view.h"
#include "transform/content_pixels.h"

SelectionState* EditableSelection(const EditAreaState& state)
{
    return state.context ? state.context->selection : nullptr;
}

bool RasterContentReady(const EditAreaState& state)
{
    const SelectionState* selection = EditableSelection(state);
    return PaintableLayer(state) && selection && selection->content && selection->region;
}

bool ContentBlank(Gdiplus::Bitmap* content)
{
    BitmapLock lock(content, Gdiplus::ImageLockModeRead);
    return !lock.ok() || IsBlank(lock.view());
}

void TakeRegionFromAlpha(EditAreaState& state)
{
    RegionFromContentAlpha(EditableSelection(state));
    RebuildDisplayRegion(state);
}

Gdiplus::Bitmap* BitmapWithBlockAt(Gdiplus::Bitmap* source, int width, int height, int x, int y)
{
    Gdiplus::Bitmap* result = NewArgbBitmap(width, height);
    BitmapLock from(source, Gdiplus::ImageLockModeRead);
    if (!result || !from.ok()) {
        delete result;
        return nullptr;
    }
    {
        BitmapLock to(result, Gdiplus::ImageLockModeWrite);
        if (to.ok()) {
            // The target's block at (-x, -y) of the source is the source placed at (x, y).
            CopyBlock(to.view(), from.view(), -x, -y);
            return result;
        }
    }
    delete result;
    return nullptr;
}

void ReplaceContent(SelectionState& selection, Gdiplus::Bitmap* content, int width, int height)
{
    delete selection.content;
    selection.content = content;
    selection.width = width;
    selection.height = height;
}

void CropContentToRegion(SelectionState& selection)
{
    RECT box{};
    if (!selection.region || GetRgnBox(selection.region, &box) == NULLREGION)
        return;
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    const int x = box.left - selection.left;  // the box in the content's own coordinates
    const int y = box.top - selection.top;
    Gdiplus::Bitmap* cropped = BitmapWithBlockAt(selection.content, width, height, -x, -y);
    if (!cropped)
        return;
    ReplaceContent(selection, cropped, width, height);
    selection.left = box.left;
    selection.top = box.top;
}

void PutContentBack(EditAreaState& state)
{
    const SelectionState* selection = EditableSelection(state);
    if (!state.baseBitmap || !CopyBitmapPixels(state.baseBitmap, state.layer->bitmap))
        return;
    BitmapLock layer(state.layer->bitmap, kLockReadWrite);
    BitmapLock content(selection->content, Gdiplus::ImageLockModeRead);
    if (layer.ok() && content.ok())
        DrawOver(content.view(), layer.view(), selection->left, selection->top);
}

void SetSamplingForDepth(Gdiplus::Graphics& graphics, int bitsPerPixel)
{
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    if (bitsPerPixel < 32) {
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
        return;
    }
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBilinear);
    graphics.SetCompositingQuality(Gdiplus::CompositingQualityHighQuality);
}

void SelectWholeLayer(EditAreaState& state)
{
    SelectionState* selection = EditableSelection(state);
    Gdiplus::Bitmap* copy = CloneBitmap(state.layer->bitmap);
    HRGN whole = CreateRectRgn(0, 0, state.image->width, state.image->height);
    if (!selection || !copy || !whole) {
        delete copy;
        if (whole)
            DeleteObject(whole);
        return;
    }
    ReplaceContent(*selection, copy, int(copy->GetWidth()), int(copy->GetHeight()));
    selection->left = selection->top = 0;
    if (selection->region)
        DeleteObject(selection->region);
    selection->region = whole;
    RebuildSelectionView(state);
}
