#include "selection/selection_edits.h"

#include "common/gdiplus_pixels.h"
#include "common/messages.h"
#include "common/selection/content_pixels.h"
#include "common/selection/selection_ops.h"
#include "painting/layer_change.h"
#include "selection_view.h"

namespace {

bool PlaceContentOnLayer(const EditAreaState& state, const SelectionState& selection)
{
    BitmapLock layer(state.layer->bitmap, Gdiplus::ImageLockModeWrite);
    BitmapLock base(state.baseBitmap, Gdiplus::ImageLockModeRead);
    BitmapLock content(selection.content, Gdiplus::ImageLockModeRead);
    return layer.ok() && base.ok() && content.ok() &&
           PlaceContent(layer.view(), base.view(), content.view(), selection.left, selection.top);
}

}  // namespace

void MoveSelectedContent(EditAreaState& state, int dx, int dy)
{
    SelectionState* selection = state.context ? state.context->selection : nullptr;
    if (!PaintableLayer(state) || !state.baseBitmap || !selection || !selection->content || !selection->region)
        return;
    selection->left += dx;
    selection->top += dy;
    TranslateRegion(selection->region, dx, dy);
    PlaceContentOnLayer(state, *selection);
    RebuildDisplayRegion(state);
    ShowLayerChange(state);
}

void CutSelection(EditAreaState& state)
{
    SelectionState* selection = state.context ? state.context->selection : nullptr;
    if (!PaintableLayer(state) || !state.baseBitmap || !selection || !selection->content)
        return;
    Bitmap* emptied = CloneBitmap(state.baseBitmap);
    if (!emptied)
        return;
    RecordUndoEntry(state);
    PYX_CopyImageToClipboard(state.parent, selection->content, uint16_t(selection->width),
                             uint16_t(selection->height));
    CopyBitmapPixels(state.baseBitmap, state.layer->bitmap);
    ClearSelection(selection);
    selection->content = emptied;
    selection->width = state.image->width;
    selection->height = state.image->height;
    selection->region = CreateRectRgn(0, 0, state.image->width, state.image->height);
    RebuildSelectionView(state);
    ShowLayerChange(state);
    SendMessageW(state.parent, kEditAreaChanged, 0, 0);
    if (state.context->document)
        state.context->document->modified = 1;
}
