#include "transform/fixed_transforms.h"

#include "common/document_ops.h"
#include "common/gdiplus_pixels.h"
#include "common/messages.h"
#include "painting/layer_change.h"
#include "transform/content_ops.h"
#include "transform/content_pixels.h"
#include "transform/quarter_turns.h"
#include "transform/transform_errors.h"
#include "view_update.h"

namespace {

enum class Flip { kHorizontal, kVertical };

void FinishFixedTransformation(EditAreaState& state)
{
    RecompositeImage(state.image);
    state.context->document->modified = 1;
    SendMessageW(state.parent, kEditAreaChanged, 0, 0);
    RedrawCanvas(state);
}

void FlipContent(EditAreaState& state, Flip flip)
{
    SelectionState* selection = EditableSelection(state);
    if (ContentBlank(selection->content)) {
        ShowBlankRefusal(state, BlankRefusal::kFlip);
        return;
    }
    RecordUndoEntry(state);
    {
        BitmapLock content(selection->content, kLockReadWrite);
        if (!content.ok())
            return;
        if (flip == Flip::kHorizontal)
            MirrorColumns(content.view());
        else
            MirrorRows(content.view());
    }
    TakeRegionFromAlpha(state);
    PutContentBack(state);
    FinishFixedTransformation(state);
}

// Quarter turns clockwise: 1 is 90 degrees, 3 is 90 degrees counter-clockwise.
void RotateContent(EditAreaState& state, int quarterTurns)
{
    SelectionState* selection = EditableSelection(state);
    if (ContentBlank(selection->content)) {
        ShowBlankRefusal(state, BlankRefusal::kRotateOrScale);
        return;
    }
    RecordUndoEntry(state);
    TakeRegionFromAlpha(state);
    CropContentToRegion(*selection);
    const int side = RotationSquareSide(selection->width, selection->height);
    Gdiplus::Bitmap* square = TurnedIntoSquare(selection->content, side, quarterTurns);
    if (!square)
        return;
    selection->left -= (side - selection->width) >> 1;
    selection->top -= (side - selection->height) >> 1;
    ReplaceContent(*selection, square, side, side);
    TakeRegionFromAlpha(state);
    PutContentBack(state);
    CropContentToRegion(*selection);
    FinishFixedTransformation(state);
}

}  // namespace

bool RunFixedTransformation(EditAreaState& state, unsigned message)
{
    if (message < kEditAreaFlipHorizontal || message > kEditAreaRotate180)
        return false;
    // Offered for raster layers only; a stroke in progress keeps its bitmaps.
    if (!RasterContentReady(state) || state.transformPending || state.dragging)
        return true;
    switch (message) {
    case kEditAreaFlipHorizontal: FlipContent(state, Flip::kHorizontal); break;
    case kEditAreaFlipVertical: FlipContent(state, Flip::kVertical); break;
    case kEditAreaRotateCW: RotateContent(state, 1); break;
    case kEditAreaRotateCCW: RotateContent(state, 3); break;
    default: RotateContent(state, 2); break;
    }
    return true;
}
