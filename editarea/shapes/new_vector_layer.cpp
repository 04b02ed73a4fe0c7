#include "shapes/new_vector_layer.h"

#include "common/document_ops.h"
#include "common/gdiplus_pixels.h"
#include "common/messages.h"

namespace {

// Links the layer in above `below` and counts it. The visibility bit is NOT inserted here:
// the layers panel inserts it itself when the main window relays the report of an added
// layer, so InsertLayer (which inserts the bit as well) would show the mask shifted twice.
void LinkAbove(Image* image, Layer* below, Layer* layer)
{
    if (below) {
        layer->next = below->next;
        below->next = layer;
    } else {
        layer->next = image->firstLayer;
        image->firstLayer = layer;
    }
    image->layerCount++;
}

}  // namespace

Layer* AddVectorLayerAbove(EditAreaState& state, Gdiplus::GraphicsPath* path, uint8_t shapeKind,
                           const ShapeLook& look)
{
    Image* image = state.image;
    if (!path || !image || image->layerCount >= kMaxLayers) {
        delete path;
        return nullptr;
    }
    Gdiplus::Bitmap* bitmap = NewArgbBitmap(image->width, image->height);
    if (!bitmap) {
        delete path;
        return nullptr;
    }
    // An empty text has no outline to draw: its layer stays transparent.
    if (path->GetPointCount() > 0)
        DrawShape(bitmap, image->width, image->height, *path, look, image->bitsPerPixel, nullptr);
    Layer* layer = PYX_CreateVectorLayer(bitmap, path, shapeKind);
    if (!layer) {
        delete bitmap;
        delete path;
        return nullptr;
    }
    layer->type = look.filled ? kFilledVectorLayer : kOutlinedVectorLayer;
    layer->brush = look.brush;
    layer->penWidth = look.filled ? 0.0f : look.penWidth;
    layer->smoothing = look.smoothing ? 1 : 0;
    LinkAbove(image, state.layer, layer);
    return layer;
}
