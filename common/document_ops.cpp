#include "common/document_ops.h"

namespace {

constexpr int kMaxImages = 65535;  // imageCount is 16 bits
constexpr int kMaxLayers = 255;    // layerCount is 8 bits
constexpr int kMaskBits = 32;

Image* LastImage(const Resource* resource)
{
    return ImageAt(resource, resource->imageCount - 1);
}

// The link that points at the Layer at `index` (0..layerCount).
Layer** LayerLink(Image* image, int index)
{
    Layer** link = &image->firstLayer;
    for (int i = 0; i < index && *link; i++)
        link = &(*link)->next;
    return link;
}

}  // namespace

Image* ImageAt(const Resource* resource, int index)
{
    if (!resource || index < 0 || index >= resource->imageCount)
        return nullptr;
    Image* image = resource->firstImage;
    for (int i = 0; image && i < index; i++)
        image = image->next;
    return image;
}

Layer* LayerAt(const Image* image, int index)
{
    if (!image || index < 0 || index >= image->layerCount)
        return nullptr;
    Layer* layer = image->firstLayer;
    for (int i = 0; layer && i < index; i++)
        layer = layer->next;
    return layer;
}

Image* CurrentImage(const AppContext& context)
{
    return ImageAt(context.document, context.currentImage);
}

Layer* CurrentLayer(const AppContext& context)
{
    return LayerAt(CurrentImage(context), context.currentLayer);
}

bool InsertImageRun(Resource* resource, int index, Image* run)
{
    if (!resource || !run || index < 0 || index > resource->imageCount)
        return false;
    Image* tail = run;
    int length = 1;
    for (; tail->next; tail = tail->next)
        length++;
    if (resource->imageCount + length > kMaxImages)
        return false;
    Image* after = ImageAt(resource, index);
    Image* before = after ? after->prev : LastImage(resource);
    run->prev = before;
    (before ? before->next : resource->firstImage) = run;
    tail->next = after;
    if (after)
        after->prev = tail;
    resource->imageCount = uint16_t(resource->imageCount + length);
    return true;
}

bool InsertImage(Resource* resource, int index, Image* image)
{
    if (!image)
        return false;
    image->prev = nullptr;
    image->next = nullptr;
    return InsertImageRun(resource, index, image);
}

Image* UnlinkImageRun(Resource* resource, int first, int last)
{
    if (first > last)
        return nullptr;
    Image* head = ImageAt(resource, first);
    Image* tail = ImageAt(resource, last);
    if (!head || !tail)
        return nullptr;
    Image* before = head->prev;
    Image* after = tail->next;
    (before ? before->next : resource->firstImage) = after;
    if (after)
        after->prev = before;
    head->prev = nullptr;
    tail->next = nullptr;
    resource->imageCount = uint16_t(resource->imageCount - (last - first + 1));
    return head;
}

Image* UnlinkImage(Resource* resource, int index)
{
    return UnlinkImageRun(resource, index, index);
}

bool MoveImage(Resource* resource, int from, int to)
{
    if (!ImageAt(resource, from) || !ImageAt(resource, to))
        return false;
    return InsertImage(resource, to, UnlinkImage(resource, from));
}

Image* ReplaceImage(Resource* resource, int index, Image* replacement)
{
    Image* old = ImageAt(resource, index);
    if (!old || !replacement)
        return nullptr;
    replacement->prev = old->prev;
    replacement->next = old->next;
    (old->prev ? old->prev->next : resource->firstImage) = replacement;
    if (old->next)
        old->next->prev = replacement;
    old->prev = nullptr;
    old->next = nullptr;
    return old;
}

uint32_t InsertVisibilityBit(uint32_t mask, int position, bool visible)
{
    if (position < 0 || position >= kMaskBits)
        return mask;
    const uint32_t below = position == 0 ? 0 : mask & (~0u >> (kMaskBits - position));
    const uint32_t above = position == kMaskBits - 1 ? 0 : (mask >> position) << (position + 1);
    return below | above | (uint32_t(visible) << position);
}

uint32_t RemoveVisibilityBit(uint32_t mask, int position)
{
    if (position < 0 || position >= kMaskBits)
        return mask;
    const uint32_t below = position == 0 ? 0 : mask & (~0u >> (kMaskBits - position));
    const uint32_t above = position == kMaskBits - 1 ? 0 : (mask >> (position + 1)) << position;
    return below | above;
}

bool VisibilityBit(uint32_t mask, int position)
{
    return position >= 0 && (mask >> (position % kMaskBits)) & 1u;
}

uint32_t SetVisibilityBit(uint32_t mask, int position, bool visible)
{
    if (position < 0)
        return mask;
    const uint32_t bit = 1u << (position % kMaskBits);
    return visible ? mask | bit : mask & ~bit;
}

bool InsertLayer(Image* image, int index, Layer* layer, bool visible)
{
    if (!image || !layer || index < 0 || index > image->layerCount || image->layerCount >= kMaxLayers)
        return false;
    Layer** link = LayerLink(image, index);
    layer->next = *link;
    *link = layer;
    image->layerCount++;
    image->visibleLayers = InsertVisibilityBit(image->visibleLayers, index, visible);
    return true;
}

Layer* UnlinkLayer(Image* image, int index)
{
    if (!LayerAt(image, index))
        return nullptr;
    Layer** link = LayerLink(image, index);
    Layer* layer = *link;
    *link = layer->next;
    layer->next = nullptr;
    image->layerCount--;
    image->visibleLayers = RemoveVisibilityBit(image->visibleLayers, index);
    return layer;
}

bool MoveLayer(Image* image, int from, int to)
{
    if (!LayerAt(image, from) || !LayerAt(image, to))
        return false;
    const bool visible = VisibilityBit(image->visibleLayers, from);
    return InsertLayer(image, to, UnlinkLayer(image, from), visible);
}
