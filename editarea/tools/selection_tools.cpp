// The selection tools: the rectangular selection and the magic wand. Neither records an undo
// entry: choosing pixels changes none.
#include <algorithm>

#include "common/gdiplus_pixels.h"
#include "common/selection/magic_wand.h"
#include "common/selection/region_ops.h"
#include "common/selection/selection_ops.h"
#include "painting/layer_change.h"
#include "panels/toolbox/toolrack.h"
#include "selection_view.h"
#include "tools/tool_table.h"
#include "view_update.h"

namespace {

SelectionState* EditedSelection(const EditAreaState& state)
{
    return state.context ? state.context->selection : nullptr;
}

// The selection's region was replaced: new content from the layer, base bitmap and outline.
void TakeSelectedPixels(EditAreaState& state, HRGN region)
{
    SelectRegion(state.context, region);
    RebuildSelectionView(state);
    RedrawCanvas(state);
}

// While dragging, the region is the rectangle from the anchor to the pixel, both inclusive;
// the old selection stays until the pointer first moves.
void RectSelectMove(EditAreaState& state, const ToolInput& input)
{
    SelectionState* selection = EditedSelection(state);
    if (!selection)
        return;
    const int left = std::min<int>(state.anchor.x, input.pixel.x);
    const int top = std::min<int>(state.anchor.y, input.pixel.y);
    const int right = std::max<int>(state.anchor.x, input.pixel.x) + 1;
    const int bottom = std::max<int>(state.anchor.y, input.pixel.y) + 1;
    if (selection->region)
        DeleteObject(selection->region);
    selection->region = CreateRectRgn(left, top, right, bottom);
    RebuildDisplayRegion(state);
    RedrawCanvas(state);
}

// A click without moving keeps the region it found and takes its pixels from the layer again.
void RectSelectUp(EditAreaState& state, const ToolInput&)
{
    SelectionState* selection = EditedSelection(state);
    if (!selection || !state.image)
        return;
    HRGN region = selection->region ? CopyRegion(selection->region)
                                    : CreateRectRgn(0, 0, state.image->width, state.image->height);
    TakeSelectedPixels(state, region);
}

enum class WandMode { kReplace, kAdd, kSubtract };

WandMode ModeOf(const ToolInput& input)
{
    if (input.ctrl)
        return WandMode::kAdd;  // Ctrl wins when both are held
    return input.shift ? WandMode::kSubtract : WandMode::kReplace;
}

WandOptions WandOptionsOf(const EditAreaState& state)
{
    const ToolOptions* options = Options(state);
    if (!options)
        return {0, 0, false};
    return {options->wandColorTolerance, options->wandAlphaTolerance, options->wandContiguous != 0};
}

// The matching pixels around the click, as a region; null when the layer cannot be read.
HRGN PickedRegion(const EditAreaState& state, const ToolInput& input)
{
    BitmapLock layer(state.layer->bitmap, Gdiplus::ImageLockModeRead);
    if (!layer.ok())
        return nullptr;
    return RegionFromMask(WandMask(layer.view(), input.pixel.x, input.pixel.y, WandOptionsOf(state)));
}

// An emptied selection means nothing selected, which is everything.
HRGN CombinedRegion(const EditAreaState& state, HRGN old, HRGN picked, WandMode mode)
{
    switch (mode) {
    case WandMode::kAdd:
        return old ? UnionOfRegions(old, picked) : CopyRegion(picked);
    case WandMode::kSubtract: {
        HRGN left = old ? DifferenceOfRegions(old, picked) : nullptr;
        if (left && RegionIsEmpty(left))
            SetRectRgn(left, 0, 0, state.image->width, state.image->height);
        return left;
    }
    case WandMode::kReplace:
        return CopyRegion(picked);
    default:
        return nullptr;
    }
}

void WandClick(EditAreaState& state, const ToolInput& input)
{
    SelectionState* selection = EditedSelection(state);
    if (!PaintableLayer(state) || !selection)
        return;
    HRGN picked = PickedRegion(state, input);
    if (!picked)
        return;
    HRGN combined = CombinedRegion(state, selection->region, picked, ModeOf(input));
    DeleteObject(picked);
    if (combined)
        TakeSelectedPixels(state, combined);
}

}  // namespace

const ToolHandlers kRectSelectHandlers = {ToolGesture::kDrag, nullptr, RectSelectMove, RectSelectUp, nullptr};
const ToolHandlers kMagicWandHandlers = {ToolGesture::kClick, WandClick, nullptr, nullptr, nullptr};
