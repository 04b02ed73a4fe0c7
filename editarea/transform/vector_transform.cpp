#include "transform/vector_transform.h"

#include "common/gdiplus_pixels.h"
#include "shapes/vector_render.h"
#include "transform/pending_transform.h"

namespace {

bool IsVectorType(uint8_t type)
{
    return type == kFilledVectorLayer || type == kOutlinedVectorLayer;
}

// The layer's path becomes the saved path moved by `matrix`; the shape is drawn again.
void ShowTransformedPath(EditAreaState& state, const PendingTransform& pending, const Gdiplus::Matrix& matrix)
{
    Gdiplus::GraphicsPath* path = pending.savedPath->Clone();
    if (!path)
        return;
    path->Transform(&matrix);
    delete state.layer->path;
    state.layer->path = path;
    RenderVectorLayer(state.layer, state.image->width, state.image->height, state.image->bitsPerPixel);
}

}  // namespace

bool VectorLayerReady(const EditAreaState& state)
{
    return state.image && state.image->composite && state.layer && IsVectorType(state.layer->type) &&
           state.layer->path && state.layer->bitmap;
}

bool SaveVectorStart(EditAreaState& state, PendingTransform& pending)
{
    pending.savedPath = state.layer->path->Clone();
    pending.savedLayer = CloneBitmap(state.layer->bitmap);
    return pending.savedPath && pending.savedLayer;
}

void PreviewVectorRotation(EditAreaState& state, const PendingTransform& pending, float degrees)
{
    Gdiplus::RectF bounds;
    pending.savedPath->GetBounds(&bounds);
    const Gdiplus::PointF middle(bounds.X + bounds.Width / 2, bounds.Y + bounds.Height / 2);
    Gdiplus::Matrix rotation;
    rotation.RotateAt(degrees, middle);
    ShowTransformedPath(state, pending, rotation);
}

void PreviewVectorScale(EditAreaState& state, const PendingTransform& pending, int widthPercent, int heightPercent)
{
    Gdiplus::Matrix scale;
    scale.Scale(Gdiplus::REAL(widthPercent) / 100, Gdiplus::REAL(heightPercent) / 100);
    ShowTransformedPath(state, pending, scale);
}

void RestoreVectorStart(EditAreaState& state, PendingTransform& pending)
{
    if (!pending.savedPath || !pending.savedLayer)
        return;
    delete state.layer->path;
    state.layer->path = pending.savedPath;
    delete state.layer->bitmap;
    state.layer->bitmap = pending.savedLayer;
    pending.savedPath = nullptr;
    pending.savedLayer = nullptr;
}
