// The layer commands of the context menu and the Layers menu, the visibility toggle and
// the move at the end of a drag. Each records its undo step before it changes anything
// and reports to the main window afterwards.
#include <windows.h>

#include <algorithm>

#include "common/document_ops.h"
#include "common/messages.h"
#include "layer_geometry.h"
#include "layer_state.h"
#include "layerpane_ids.h"

namespace gp = Gdiplus;

namespace {

constexpr wchar_t kCaption[] = L"Vexil 1.0";
constexpr wchar_t kDiscardHidden[] = L"Do you want to discard the hidden layer(s) ? ";

int LayerCount(const LayerPanelState& state)
{
    return state.image ? state.image->layerCount : 0;
}

bool IsSelected(const LayerPanelState& state, int layer)
{
    return layer < 32 && ((state.selected >> layer) & 1u);
}

bool IsRaster(const Layer* layer)
{
    return layer && layer->type == kRasterLayer;
}

void MakeRaster(Layer* layer)
{
    layer->type = kRasterLayer;
    layer->shapeKind = 0;
    delete layer->path;
    layer->path = nullptr;
}

void SetMergeQuality(gp::Graphics* graphics)
{
    graphics->SetCompositingQuality(gp::CompositingQualityHighQuality);
    graphics->SetInterpolationMode(gp::InterpolationModeHighQualityBilinear);
}

bool DrawLayerOnto(gp::Graphics* graphics, const Image& image, const Layer& layer)
{
    return layer.bitmap && graphics->DrawImage(layer.bitmap, 0, 0, int(image.width), int(image.height)) == gp::Ok;
}

// After a change that leaves `layer` current: the scroll state follows the new count.
void SettleOn(LayerPanelState* state, int layer)
{
    SetCurrentLayer(state, layer);
    RefreshScroll(state);
    SetModified(state);
}

// The scroll position after a row was added: one row up when the list scrolls at all.
void ScrollAfterAdding(LayerPanelState* state)
{
    SetScrollPosition(state, state->maxScrollPos > 0 ? std::max(0, state->scrollPos - 1) : 0);
}

// Draws the selected layers above `base` onto it, then unlinks and destroys them.
void FoldSelectedInto(LayerPanelState* state, gp::Graphics* graphics, int base)
{
    Image* image = state->image;
    const int count = image->layerCount;
    int position = base + 1;
    for (int original = base + 1; original < count; original++) {
        if (!IsSelected(*state, original)) {
            position++;
            continue;
        }
        DrawLayerOnto(graphics, *image, *LayerAt(image, position));
        PYX_DeleteLayer(UnlinkLayer(image, position));
    }
}

int LowestSelected(const LayerPanelState& state)
{
    for (int i = 0; i < LayerCount(state) && i < 32; i++)
        if (IsSelected(state, i))
            return i;
    return kNoLayer;
}

int HighestSelected(const LayerPanelState& state)
{
    for (int i = std::min(LayerCount(state), 32) - 1; i >= 0; i--)
        if (IsSelected(state, i))
            return i;
    return kNoLayer;
}

bool AnySelectedVisible(const LayerPanelState& state)
{
    for (int i = 0; i < LayerCount(state) && i < 32; i++)
        if (IsSelected(state, i) && VisibilityBit(state.image->visibleLayers, i))
            return true;
    return false;
}

// The selected layers that name a layer of the list.
int SelectedLayerCount(const LayerPanelState& state)
{
    int count = 0;
    for (int i = 0; i < LayerCount(state) && i < 32; i++)
        count += IsSelected(state, i) ? 1 : 0;
    return count;
}

enum class MergeChoice { kCancel, kVisibleOnly, kAll };

MergeChoice AskAboutHiddenLayers(const LayerPanelState& state)
{
    if (!HasHiddenLayer(state.image->visibleLayers, state.image->layerCount))
        return MergeChoice::kAll;
    switch (MessageBoxW(state.context->mainWindow, kDiscardHidden, kCaption, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES: return MergeChoice::kVisibleOnly;
    case IDNO: return MergeChoice::kAll;
    default: return MergeChoice::kCancel;
    }
}

// Flattens the chosen layers into the composite and copies it into a new raster layer;
// null, with the layers untouched, when a picture cannot be made or drawn.
Layer* FlattenLayers(Image* image, MergeChoice choice)
{
    Layer* merged = PYX_CreateRasterLayer(image->width, image->height);
    if (!merged)
        return nullptr;
    bool ok = true;
    {
        gp::Graphics composite(image->composite);
        SetMergeQuality(&composite);
        composite.SetPixelOffsetMode(gp::PixelOffsetModeHalf);
        ok = composite.GetLastStatus() == gp::Ok && composite.Clear(gp::Color(0, 0, 0, 0)) == gp::Ok;
        const Layer* layer = image->firstLayer;
        for (int i = 0; ok && layer && i < image->layerCount; i++, layer = layer->next)
            if (choice == MergeChoice::kAll || VisibilityBit(image->visibleLayers, i))
                ok = DrawLayerOnto(&composite, *image, *layer);
        gp::Graphics target(merged->bitmap);
        SetMergeQuality(&target);
        target.SetPixelOffsetMode(gp::PixelOffsetModeHalf);
        ok = ok && target.GetLastStatus() == gp::Ok &&
             target.DrawImage(image->composite, 0, 0, int(image->width), int(image->height)) == gp::Ok;
    }
    if (!ok) {
        PYX_DeleteLayer(merged);
        RecompositeImage(image);  // the composite shows the layers again
        return nullptr;
    }
    return merged;
}

void ReplaceAllLayers(Image* image, Layer* merged)
{
    while (image->layerCount > 0)
        PYX_DeleteLayer(UnlinkLayer(image, 0));
    image->firstLayer = merged;
    merged->next = nullptr;
    image->layerCount = 1;
    image->visibleLayers = ~0u;
}

}  // namespace

bool CommandAllowed(const LayerPanelState& state, UINT command)
{
    const int count = LayerCount(state);
    if (count == 0)
        return false;
    switch (command) {
    case IDM_CREATE_RASTER_LAYER:
    case IDM_DUPLICATE_LAYER: return count < kMaxLayers;
    case IDM_DELETE_LAYERS: return count > 1;
    case IDM_MERGE_SELECTED: return SelectedLayerCount(state) > 1;
    case IDM_CONVERT_TO_RASTER: {
        const Layer* current = LayerAt(state.image, state.current);
        return current && !IsRaster(current) && SelectedLayerCount(state) == 1;
    }
    case IDM_MERGE_ALL: return count != 1;
    default: return false;
    }
}

void RunMenuCommand(LayerPanelState* state, UINT command)
{
    switch (command) {
    case IDM_CREATE_RASTER_LAYER: CreateRasterLayer(state, UndoRecorded::kNo); break;
    case IDM_DUPLICATE_LAYER: DuplicateLayer(state); break;
    case IDM_DELETE_LAYERS: DeleteSelectedLayers(state); break;
    case IDM_MERGE_SELECTED: MergeSelectedLayers(state); break;
    case IDM_CONVERT_TO_RASTER: ConvertToRaster(state); break;
    case IDM_MERGE_ALL: MergeAllLayers(state); break;
    default: break;
    }
}

void CreateRasterLayer(LayerPanelState* state, UndoRecorded recorded)
{
    Image* image = ShownImage(state);
    if (!CommandAllowed(*state, IDM_CREATE_RASTER_LAYER))
        return;
    if (recorded == UndoRecorded::kNo)
        SendUndoRing(state);
    Layer* layer = PYX_CreateRasterLayer(image->width, image->height);
    if (!layer)
        return;
    if (!InsertLayer(image, image->layerCount, layer, true)) {
        PYX_DeleteLayer(layer);
        return;
    }
    SettleOn(state, image->layerCount - 1);
    ReportChange(state, kLayersChangedImage, true, false);
    RedrawList(state);
}

void DuplicateLayer(LayerPanelState* state)
{
    Image* image = ShownImage(state);
    if (!CommandAllowed(*state, IDM_DUPLICATE_LAYER))
        return;
    const Layer* source = LayerAt(image, state->current);
    if (!source)
        return;
    SendUndoRing(state);
    Layer* copy = PYX_DuplicateLayer(source);
    if (!copy)
        return;
    if (!InsertLayer(image, state->current + 1, copy, true)) {
        PYX_DeleteLayer(copy);
        return;
    }
    SettleOn(state, state->current + 1);
    ScrollAfterAdding(state);
    RecompositeImage(image);  // the visible copy is part of the picture now
    ReportChange(state, kLayersChangedImage, IsRaster(source), false);
    RedrawList(state);
}

void DeleteSelectedLayers(LayerPanelState* state)
{
    Image* image = ShownImage(state);
    if (!CommandAllowed(*state, IDM_DELETE_LAYERS))
        return;
    SendUndoRing(state);
    const int count = image->layerCount;
    int position = 0;
    for (int original = 0; original < count && image->layerCount > 1; original++) {
        if (IsSelected(*state, original))
            PYX_DeleteLayer(UnlinkLayer(image, position));
        else
            position++;
    }
    SettleOn(state, 0);
    SetScrollPosition(state, state->maxScrollPos);
    RecompositeImage(image);
    ReportChange(state, kLayersChangedImage, IsRaster(image->firstLayer), false);
    RedrawList(state);
}

void MergeSelectedLayers(LayerPanelState* state)
{
    Image* image = ShownImage(state);
    if (!CommandAllowed(*state, IDM_MERGE_SELECTED))
        return;
    const int base = LowestSelected(*state);
    const int highest = HighestSelected(*state);
    Layer* baseLayer = LayerAt(image, base);
    if (!baseLayer || !baseLayer->bitmap)
        return;
    SendUndoRing(state);
    const bool visible = AnySelectedVisible(*state);
    {
        gp::Graphics graphics(baseLayer->bitmap);
        if (graphics.GetLastStatus() != gp::Ok)
            return;
        SetMergeQuality(&graphics);
        FoldSelectedInto(state, &graphics, base);
    }
    MakeRaster(baseLayer);
    image->visibleLayers = SetVisibilityBit(image->visibleLayers, base, visible);
    SettleOn(state, base);
    SetScrollPosition(state, state->maxScrollPos > 0 ? std::max(0, state->scrollPos - (highest + 1)) : 0);
    RecompositeImage(image);
    ReportChange(state, kLayersChangedImage, true, false);
    RedrawList(state);
}

void ConvertToRaster(LayerPanelState* state)
{
    ShownImage(state);
    if (!CommandAllowed(*state, IDM_CONVERT_TO_RASTER))
        return;
    SendUndoRing(state);
    MakeRaster(LayerAt(state->image, state->current));
    SetModified(state);
    RedrawList(state);
}

// Merge All is recorded like the other commands once the question is answered: it can
// throw away hidden layers, and that must be undoable.
void MergeAllLayers(LayerPanelState* state)
{
    Image* image = ShownImage(state);
    if (!CommandAllowed(*state, IDM_MERGE_ALL))
        return;
    const MergeChoice choice = AskAboutHiddenLayers(*state);
    if (choice == MergeChoice::kCancel)
        return;
    SendUndoRing(state);
    Layer* merged = FlattenLayers(image, choice);
    if (!merged)
        return;
    ReplaceAllLayers(image, merged);
    SettleOn(state, 0);
    SetScrollPosition(state, state->maxScrollPos);
    RedrawList(state);
    ReportChange(state, kLayersChangedImage, false, true);
}

void ToggleVisibility(LayerPanelState* state, int layer)
{
    Image* image = state->image;
    image->visibleLayers = SetVisibilityBit(image->visibleLayers, layer, !VisibilityBit(image->visibleLayers, layer));
    RecompositeImage(image);
    ReportChange(state, kLayersChangedImage, true, true);
}

void MoveCurrentLayer(LayerPanelState* state, int target)
{
    Image* image = state->image;
    if (!LayerAt(image, state->current) || !LayerAt(image, target))
        return;
    SendUndoRing(state);
    MoveLayer(image, state->current, target);
    SettleOn(state, target);
    RecompositeImage(image);
    RedrawList(state);
    ReportChange(state, kLayersChangedImage, false, true);
}

// Another part of the program linked a layer in directly above the current one and left
// the visibility mask to us.
void OnLayerInsertedAbove(LayerPanelState* state)
{
    Image* image = state->image;
    if (!LayerAt(image, state->current + 1))
        return;
    image->visibleLayers = InsertVisibilityBit(image->visibleLayers, state->current + 1, true);
    SettleOn(state, state->current + 1);
    ScrollAfterAdding(state);
}
