#include "edit_area_state.h"

namespace {
EditAreaState gEditArea;
}

EditAreaState& Easel()
{
    return gEditArea;
}

void LookUpImage(EditAreaState& state)
{
    state.image = nullptr;
    const Resource* document = state.context ? state.context->document : nullptr;
    const int index = state.context ? state.context->currentImage : -1;
    if (!document || index < 0 || index >= document->imageCount)
        return;
    Image* image = document->firstImage;
    for (int i = 0; i < index && image; i++)
        image = image->next;
    state.image = image;
}

void LookUpLayer(EditAreaState& state)
{
    state.layer = nullptr;
    const int index = state.context ? state.context->currentLayer : -1;
    if (!state.image || index < 0 || index >= state.image->layerCount)
        return;
    Layer* layer = state.image->firstLayer;
    for (int i = 0; i < index && layer; i++)
        layer = layer->next;
    state.layer = layer;
}
