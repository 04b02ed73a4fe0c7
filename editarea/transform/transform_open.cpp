// Opening a custom rotation or a scale: the saved start, the enlarged content of a rotation,
// the trackbars' ranges.
#include "common/selection/region_ops.h"
#include "transform/pending_transform.h"

#include "common/gdiplus_pixels.h"
#include "common/messages.h"
#include "painting/layer_change.h"
#include "transform/content_ops.h"
#include "transform/content_pixels.h"
#include "transform/transform_controls.h"
#include "transform/transform_errors.h"
#include "transform/transform_restore.h"
#include "transform/vector_transform.h"
#include "view_update.h"

namespace {

// Ends the main window's wait without entering the pending state.
void RefuseOpening(const EditAreaState& state)
{
    PostMessageW(state.parent, kTransformationEnded, 0, 0);
}

// Cancel puts back exactly this: the selection record and the layer's pixels as they were.
bool SaveRasterStart(const EditAreaState& state, PendingTransform& pending)
{
    const SelectionState* selection = EditableSelection(state);
    pending.before = *selection;
    pending.before.content = CloneBitmap(selection->content);
    pending.before.region = CopyRegion(selection->region);
    pending.savedLayer = CloneBitmap(state.layer->bitmap);
    return pending.before.content && pending.before.region && pending.savedLayer;
}

// The content shrunk to what its alpha covers, and a copy of it as the source of every step.
bool TakeRasterSource(EditAreaState& state, PendingTransform& pending)
{
    SelectionState* selection = EditableSelection(state);
    TakeRegionFromAlpha(state);
    CropContentToRegion(*selection);
    pending.source = CloneBitmap(selection->content);
    pending.sourceWidth = selection->width;
    pending.sourceHeight = selection->height;
    return pending.source != nullptr;
}

// A rotation draws into a square big enough for any angle, centred where the content was.
bool EnlargeForRotation(EditAreaState& state, PendingTransform& pending)
{
    SelectionState* selection = EditableSelection(state);
    const int sw = pending.sourceWidth;
    const int sh = pending.sourceHeight;
    const int side = RotationSquareSide(sw, sh);
    Gdiplus::Bitmap* square = BitmapWithBlockAt(pending.source, side, side, (side - sw) / 2, (side - sh) / 2);
    if (!square)
        return false;
    ReplaceContent(*selection, square, side, side);
    selection->left -= (side - sw) >> 1;
    selection->top -= (side - sh) >> 1;
    pending.contentSurface = new Gdiplus::Graphics(square);
    if (!pending.contentSurface || pending.contentSurface->GetLastStatus() != Gdiplus::Ok)
        return false;
    SetSamplingForDepth(*pending.contentSurface, state.image->bitsPerPixel);
    return true;
}

bool OpenRaster(EditAreaState& state, PendingTransform& pending)
{
    if (!SaveRasterStart(state, pending) || !TakeRasterSource(state, pending))
        return false;
    return !pending.rotation || EnlargeForRotation(state, pending);
}

void SetUpBars(const EditAreaState& state, const PendingTransform& pending)
{
    if (pending.rotation) {
        SetBarRange(state.angleBar, -180, 180, 0);
    } else if (pending.vector) {
        SetBarRange(state.widthBar, 25, 400, 100);
        SetBarRange(state.heightBar, 25, 400, 100);
    } else {
        SetBarRange(state.widthBar, 1, ScaleBarMaximum(pending.sourceWidth), pending.sourceWidth);
        SetBarRange(state.heightBar, 1, ScaleBarMaximum(pending.sourceHeight), pending.sourceHeight);
    }
}

// Whether an opening can go ahead; a blank raster content is refused with a box.
bool OpeningAllowed(const EditAreaState& state, bool vector)
{
    if (state.dragging || (!vector && !RasterContentReady(state)))
        return false;
    if (!vector && ContentBlank(EditableSelection(state)->content)) {
        ShowBlankRefusal(state, BlankRefusal::kRotateOrScale);
        return false;
    }
    return true;
}

void OpenTransformation(EditAreaState& state, bool rotation)
{
    if (state.transformPending)
        return;  // one at a time: the open one still holds the main window's wait
    const bool vector = VectorLayerReady(state);
    if (!OpeningAllowed(state, vector)) {
        RefuseOpening(state);
        return;
    }
    state.transform = new PendingTransform{};
    PendingTransform& pending = *state.transform;
    pending.rotation = rotation;
    pending.vector = vector;
    RecordUndoEntry(state);
    const bool opened = vector ? SaveVectorStart(state, pending) : OpenRaster(state, pending);
    if (!opened) {
        RestoreStart(state);
        ReleasePendingTransform(state);
        RefuseOpening(state);
        RedrawCanvas(state);
        return;
    }
    SetUpBars(state, pending);
    state.transformPending = true;
    ShowTransformControls(state, rotation);
    RedrawCanvas(state);
    RedrawStrip(state);
}

}  // namespace

void OpenCustomRotation(EditAreaState& state)
{
    OpenTransformation(state, true);
}

void OpenScale(EditAreaState& state)
{
    OpenTransformation(state, false);
}
