// Apply and Cancel of a pending transformation (the strip's buttons 1002 and 1003).
#include "transform/pending_transform.h"

#include "common/document_ops.h"
#include "common/messages.h"
#include "transform/content_ops.h"
#include "transform/transform_controls.h"
#include "transform/transform_restore.h"
#include "view_update.h"

namespace {

void EndPendingState(EditAreaState& state)
{
    ReleasePendingTransform(state);
    HideTransformControls(state);
}

// A raster content keeps what its alpha covers, taken again here because the last step
// may have been an intermediate one.
void KeepRasterResult(EditAreaState& state)
{
    CloseContentSurface(*state.transform);
    TakeRegionFromAlpha(state);
    CropContentToRegion(*EditableSelection(state));
}

}  // namespace

void ApplyTransformation(EditAreaState& state)
{
    if (!state.transformPending || !state.transform)
        return;
    PostMessageW(state.parent, kTransformationEnded, 0, 0);
    if (state.transform->vector)
        SelectWholeLayer(state);
    else
        KeepRasterResult(state);
    EndPendingState(state);
    state.context->document->modified = 1;
    SendMessageW(state.parent, kEditAreaChanged, 0, 0);
    RedrawCanvas(state);
    RedrawStrip(state);
}

void CancelTransformation(EditAreaState& state)
{
    if (!state.transformPending || !state.transform)
        return;
    PostMessageW(state.parent, kTransformationEnded, 0, 0);
    RestoreStart(state);
    RecompositeImage(state.image);
    EndPendingState(state);
    RedrawCanvas(state);
    RedrawStrip(state);
}
