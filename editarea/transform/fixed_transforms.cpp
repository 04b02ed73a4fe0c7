#include "transform/fixed_transforms.h"

#include "common/document_ops.h"
#include "common/gdiplus_pixels.h"
#include "common/messages.h"
#include "painting/layer_change.h"
#include "transform/content_ops.h"
#include "transform/content_pixels.h"
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

// Draws `source` rotated by `degrees` about the middle of a transparent square of side
// `side`; the source's own middle sits there too.
Gdiplus::Bitmap* RotatedIntoSquare(Gdiplus::Bitmap* source, int side, float degrees, int bitsPerPixel)
{
    Gdiplus::Bitmap* square = NewArgbBitmap(side, side);
    if (!square)
        return nullptr;
    const int sw = int(source->GetWidth());
    const int sh = int(source->GetHeight());
    Gdiplus::Graphics surface(square);
    SetSamplingForDepth(surface, bitsPerPixel);
    surface.TranslateTransform(Gdiplus::REAL(side / 2), Gdiplus::REAL(side / 2));
    surface.RotateTransform(degrees);
    surface.TranslateTransform(-Gdiplus::REAL(side / 2), -Gdiplus::REAL(side / 2));
    if (surface.DrawImage(source, (side - sw) / 2, (side - sh) / 2, sw, sh) != Gdiplus::Ok) {
        delete square;
        return nullptr;
    }
    return square;
}

void RotateContent(EditAreaState& state, float degrees)
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
    Gdiplus::Bitmap* square = RotatedIntoSquare(selection->content, side, degrees, state.image->bitsPerPixel);
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
    case kEditAreaRotateCW: RotateContent(state, 90.0f); break;
    case kEditAreaRotateCCW: RotateContent(state, -90.0f); break;
    default: RotateContent(state, 180.0f); break;
    }
    return true;
}
