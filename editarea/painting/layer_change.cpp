#include "painting/layer_change.h"

#include <algorithm>
#include <cstring>

#include "common/document_ops.h"
#include "common/gdiplus_pixels.h"
#include "common/messages.h"
#include "panels/toolbox/toolrack.h"
#include "painting/masked_copy.h"
#include "selection_view.h"
#include "view_update.h"

const SelectionState* Selection(const EditAreaState& state)
{
    return state.context ? state.context->selection : nullptr;
}

bool PaintableLayer(const EditAreaState& state)
{
    return state.context && state.image && state.image->composite && state.layer &&
           state.layer->type == kRasterLayer && state.layer->bitmap;
}

const BrushSettings* Brush(const EditAreaState& state)
{
    return state.context ? state.context->brushSettings : nullptr;
}

const ToolOptions* Options(const EditAreaState& state)
{
    return state.context ? state.context->toolOptions : nullptr;
}

int ToolSize(int size)
{
    return std::clamp(size, 1, 50);
}

void RecordUndoEntry(const EditAreaState& state)
{
    SendMessageW(state.parent, kUndoChangeRing, WPARAM(state.context->currentImage), 0);
}

void ShowLayerChange(EditAreaState& state)
{
    RecompositeImage(state.image);
    RedrawCanvas(state);
}

void ShowLayerChangeIn(EditAreaState& state, const PixelRect& area)
{
    RecompositeImageArea(state.image, area.left, area.top, area.right, area.bottom);
    RedrawCanvasPixels(state, area.left, area.top, area.right, area.bottom);
}

void FinishLayerChange(EditAreaState& state)
{
    RefreshSelectionContent(state);
    if (state.context->document)
        state.context->document->modified = 1;
    SendMessageW(state.parent, kEditAreaChanged, 0, 0);
}

void RefreshSelectionContent(EditAreaState& state)
{
    const SelectionState* selection = Selection(state);
    if (selection && selection->content && selection->region && state.layer && state.layer->bitmap) {
        BitmapLock layer(state.layer->bitmap, Gdiplus::ImageLockModeRead);
        BitmapLock content(selection->content, kLockReadWrite);
        if (layer.ok() && content.ok()) {
            // Region and layer in the content's own coordinates.
            const auto rects = ShiftedRects(RegionRectangles(selection->region), -selection->left, -selection->top);
            CopyPixelsInRects(content.view(), layer.view(), -selection->left, -selection->top, rects);
        }
    }
    RebuildBaseBitmap(state);
}

void ClipToSelection(Gdiplus::Graphics& graphics, const SelectionState* selection)
{
    if (!selection || !selection->region)
        return;
    Gdiplus::Region clip(selection->region);
    graphics.SetClip(&clip, Gdiplus::CombineModeReplace);
}

bool CopyBitmapPixels(Gdiplus::Bitmap* from, Gdiplus::Bitmap* to)
{
    BitmapLock source(from, Gdiplus::ImageLockModeRead);
    BitmapLock target(to, Gdiplus::ImageLockModeWrite);
    if (!source.ok() || !target.ok() || source.view().width != target.view().width ||
        source.view().height != target.view().height)
        return false;
    const PixelView& in = source.view();
    const PixelView& out = target.view();
    for (int y = 0; y < out.height; y++)
        std::memcpy(out.Row(y), in.Row(y), size_t(out.width) * 4);
    return true;
}
