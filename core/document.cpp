// Resource, Image and Layer records: creation, deep copies and destruction.
#include "pyx.h"

#include <cstring>

#include "common/gdiplus_pixels.h"
#include "image_records.h"

namespace {

constexpr uint32_t kAllLayersVisible = 0xFFFFFFFFu;
constexpr uint32_t kDefaultRate = 5;
constexpr uint16_t kNewImageSide = 48;

void DeleteLayerList(Layer* layer, int count)
{
    // The count is authoritative: a longer list keeps its extra entries.
    for (int i = 0; i < count && layer; i++) {
        Layer* next = layer->next;
        PYX_DeleteLayer(layer);
        layer = next;
    }
}

}  // namespace

PYX_API void PYX_DoInitInternalResource(Resource* resource)
{
    if (!resource)
        return;
    resource->fileName[0] = 0;
    resource->title[0] = 0;
    resource->creator[0] = 0;
    resource->fileKind = kNoFileKind;
    resource->firstImage = nullptr;
    resource->imageCount = 0;
    resource->modified = 0;
    resource->defaultRate = kDefaultRate;
}

PYX_API Resource* PYX_CreateNewResource()
{
    Resource* resource = new Resource{};
    PYX_DoInitInternalResource(resource);
    resource->fileKind = kIconFileKind;
    resource->firstImage = PYX_CreateImage(kNewImageSide, kNewImageSide);
    if (!resource->firstImage) {
        delete resource;
        return nullptr;
    }
    resource->imageCount = 1;
    return resource;
}

PYX_API void PYX_DoCleanupInternalResource(Resource* resource)
{
    if (!resource)
        return;
    Image* image = resource->firstImage;
    for (int i = 0; i < resource->imageCount && image; i++) {
        Image* next = image->next;
        PYX_DeleteImage(image);
        image = next;
    }
    delete resource;
}

Image* NewEmptyImage(uint16_t width, uint16_t height)
{
    Image* image = new Image{};
    image->visibleLayers = kAllLayersVisible;
    image->bitsPerPixel = 32;
    image->width = width;
    image->height = height;
    image->displayRate = kDefaultRate;
    return image;
}

Image* NewImageFromComposite(Bitmap* composite)
{
    Image* image = NewEmptyImage(uint16_t(composite->GetWidth()), uint16_t(composite->GetHeight()));
    image->composite = composite;
    image->firstLayer = new Layer{};
    image->firstLayer->type = kRasterLayer;
    image->firstLayer->bitmap = CloneBitmap(composite);
    image->layerCount = 1;
    if (!image->firstLayer->bitmap) {
        PYX_DeleteImage(image);  // takes the composite with it, as success would have
        return nullptr;
    }
    return image;
}

PYX_API Image* PYX_CreateImage(uint16_t width, uint16_t height)
{
    Image* image = NewEmptyImage(width, height);
    image->composite = NewArgbBitmap(width, height);
    image->firstLayer = PYX_CreateRasterLayer(width, height);
    image->layerCount = image->firstLayer ? 1 : 0;
    if (!image->composite || !image->firstLayer) {
        PYX_DeleteImage(image);
        return nullptr;
    }
    return image;
}

PYX_API Image* PYX_DuplicateImage(const Image* image)
{
    if (!image)
        return nullptr;
    Image* copy = new Image{};
    copy->visibleLayers = image->visibleLayers;
    copy->hotspotX = image->hotspotX;
    copy->hotspotY = image->hotspotY;
    copy->bitsPerPixel = image->bitsPerPixel;
    copy->width = image->width;
    copy->height = image->height;
    copy->displayRate = image->displayRate;
    copy->composite = CloneBitmap(image->composite);
    Layer** tail = &copy->firstLayer;
    const Layer* layer = image->firstLayer;
    for (int i = 0; i < image->layerCount && layer; i++, layer = layer->next) {
        *tail = PYX_DuplicateLayer(layer);
        if (!*tail)
            break;
        tail = &(*tail)->next;
        copy->layerCount++;
    }
    // A copy missing a picture or a layer is no copy: hand back nothing rather than half.
    if (!copy->composite || copy->layerCount != image->layerCount) {
        PYX_DeleteImage(copy);
        return nullptr;
    }
    return copy;
}

PYX_API void PYX_DeleteImage(Image* image)
{
    if (!image)
        return;
    DeleteLayerList(image->firstLayer, image->layerCount);
    delete image->composite;
    delete image;
}

PYX_API Layer* PYX_CreateRasterLayer(uint16_t width, uint16_t height)
{
    Layer* layer = new Layer{};
    layer->type = kRasterLayer;
    layer->bitmap = NewArgbBitmap(width, height);
    if (!layer->bitmap) {
        delete layer;
        return nullptr;
    }
    return layer;
}

PYX_API Layer* PYX_CreateVectorLayer(Bitmap* bitmap, Path* path, uint8_t shapeKind)
{
    if (!bitmap || !path)
        return nullptr;
    Layer* layer = new Layer{};
    layer->type = kFilledVectorLayer;
    layer->bitmap = bitmap;
    layer->path = path;
    layer->shapeKind = shapeKind;
    return layer;
}

PYX_API Layer* PYX_DuplicateLayer(const Layer* layer)
{
    if (!layer)
        return nullptr;
    Layer* copy = new Layer{};
    copy->type = layer->type;
    copy->shapeKind = layer->shapeKind;
    copy->bitmap = CloneBitmap(layer->bitmap);
    if (layer->path)
        copy->path = layer->path->Clone();
    if (layer->type != kRasterLayer) {
        copy->brush = layer->brush;
        copy->penWidth = layer->penWidth;
        copy->smoothing = layer->smoothing;
    }
    if (!copy->bitmap || (layer->path && !copy->path)) {
        PYX_DeleteLayer(copy);
        return nullptr;
    }
    return copy;
}

PYX_API void PYX_DeleteLayer(Layer* layer)
{
    if (!layer)
        return;
    delete layer->bitmap;
    delete layer->path;
    delete layer;
}
