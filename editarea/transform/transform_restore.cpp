#include "transform/transform_restore.h"

#include "painting/layer_change.h"
#include "selection_view.h"
#include "transform/content_ops.h"
#include "transform/pending_transform.h"
#include "transform/vector_transform.h"

void CloseContentSurface(PendingTransform& pending)
{
    delete pending.contentSurface;
    pending.contentSurface = nullptr;
}

namespace {

void RestoreRasterStart(EditAreaState& state, PendingTransform& pending)
{
    CloseContentSurface(pending);  // it draws on the content about to be freed
    SelectionState* selection = EditableSelection(state);
    if (pending.savedLayer)
        CopyBitmapPixels(pending.savedLayer, state.layer->bitmap);
    if (!pending.before.content || !pending.before.region)
        return;
    delete selection->content;
    if (selection->region)
        DeleteObject(selection->region);
    *selection = pending.before;
    pending.before = SelectionState{};
    RebuildDisplayRegion(state);
}

}  // namespace

void RestoreStart(EditAreaState& state)
{
    PendingTransform* pending = state.transform;
    if (!pending)
        return;
    if (pending->vector)
        RestoreVectorStart(state, *pending);
    else
        RestoreRasterStart(state, *pending);
}

void ReleasePendingTransform(EditAreaState& state)
{
    PendingTransform* pending = state.transform;
    state.transform = nullptr;
    state.transformPending = false;
    state.selectionOutlineVisible = true;
    if (!pending)
        return;
    CloseContentSurface(*pending);
    delete pending->source;
    delete pending->before.content;
    if (pending->before.region)
        DeleteObject(pending->before.region);
    delete pending->savedLayer;
    delete pending->savedPath;
    delete pending;
}
