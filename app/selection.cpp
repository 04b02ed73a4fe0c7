#include "selection.h"

#include "common/gdiplus_pixels.h"
#include "common/selection_state.h"
#include "core/pyx.h"

void ClearSelection(SelectionState* selection)
{
    if (!selection)
        return;
    delete selection->content;
    if (selection->region)
        DeleteObject(selection->region);
    *selection = SelectionState{};
}

Image* CurrentImage(const AppContext& context)
{
    if (!context.document)
        return nullptr;
    Image* image = context.document->firstImage;
    for (int i = 0; image && i < context.currentImage; i++)
        image = image->next;
    return image;
}

Layer* CurrentLayer(const AppContext& context)
{
    Image* image = CurrentImage(context);
    Layer* layer = image ? image->firstLayer : nullptr;
    for (int i = 0; layer && i < context.currentLayer; i++)
        layer = layer->next;
    return layer;
}

void ResetSelection(AppContext* context)
{
    SelectionState* selection = context->selection;
    ClearSelection(selection);
    const Image* image = CurrentImage(*context);
    const Layer* layer = CurrentLayer(*context);
    if (!selection || !image)
        return;
    if (layer && layer->bitmap)
        selection->content = CloneBitmap(layer->bitmap);
    selection->width = image->width;
    selection->height = image->height;
    selection->region = CreateRectRgn(0, 0, image->width, image->height);
}
