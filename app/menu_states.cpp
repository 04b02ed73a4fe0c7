#include "menu_states.h"

#include <initializer_list>

#include "common/messages.h"
#include "core/clipboard_formats.h"
#include "panels/layers/layerpane.h"
#include "resources/vexil/vexil_resources.h"
#include "selection.h"
#include "undo_chain.h"

namespace {

enum MenuPosition { kFileMenu, kEditMenu, kDrawingMenu, kLayersMenu, kImagesMenu, kFiltersMenu, kEffectsMenu };

void EnableAll(HMENU menu, bool enable)
{
    for (int i = 0; i < GetMenuItemCount(menu); i++)
        EnableMenuItem(menu, UINT(i), MF_BYPOSITION | (enable ? MF_ENABLED : MF_GRAYED));
}

void Disable(HMENU menu, std::initializer_list<int> commands, bool disable = true)
{
    if (!disable)
        return;
    for (int command : commands)
        EnableMenuItem(menu, UINT(command), MF_BYCOMMAND | MF_GRAYED);
}

// The facts about the document that decide the menus.
struct DocumentFacts {
    int layerCount = 0;
    int imageCount = 0;
    int depth = 0;
    int width = 0, height = 0;
    bool rasterLayer = false;
    int shapeKind = 0;
};

DocumentFacts ReadFacts(const AppContext& context)
{
    DocumentFacts facts;
    const Image* image = CurrentImage(context);
    const Layer* layer = CurrentLayer(context);
    facts.imageCount = context.document ? context.document->imageCount : 0;
    if (image) {
        facts.layerCount = image->layerCount;
        facts.depth = image->bitsPerPixel;
        facts.width = image->width;
        facts.height = image->height;
    }
    if (layer) {
        facts.rasterLayer = layer->type == kRasterLayer;
        facts.shapeKind = layer->shapeKind;
    }
    return facts;
}

void UpdateEditMenu(const ShellState& shell, HMENU menu, const DocumentFacts& facts)
{
    const bool noPicture = !ClipboardOffersPicture();
    Disable(menu, {CMD_PASTE_LAYER, CMD_PASTE_IMAGE}, noPicture);
    Disable(menu, {CMD_PASTE_LAYER}, facts.layerCount >= kMaxLayers);
    Disable(menu, {CMD_REDO}, !CanRedo(shell));
    Disable(menu, {CMD_UNDO}, !CanUndo(shell));
    Disable(menu,
            {CMD_CLEAR_ALL, CMD_CUT, CMD_FLIP_HORIZONTAL, CMD_FLIP_VERTICAL, CMD_ROTATE_CW, CMD_ROTATE_CCW,
             CMD_ROTATE_180},
            !facts.rasterLayer);
}

void UpdateDrawingMenu(const AppContext& context, HMENU menu, const DocumentFacts& facts)
{
    const bool gradientPossible = facts.depth >= 24;
    const bool gradientOn = gradientPossible && context.brushSettings && context.brushSettings->useGradient;
    EnableMenuItem(menu, CMD_USE_GRADIENT, MF_BYCOMMAND | (gradientPossible ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(menu, CMD_USE_GRADIENT, MF_BYCOMMAND | (gradientOn ? MF_CHECKED : MF_UNCHECKED));
}

void UpdateLayersMenu(HMENU menu, const DocumentFacts& facts)
{
    Disable(menu, {CMD_NEW_RASTER_LAYER, CMD_DUPLICATE_LAYER}, facts.layerCount >= kMaxLayers);
    Disable(menu, {CMD_DELETE_LAYERS}, facts.layerCount < 2);
    Disable(menu, {CMD_CONVERT_TO_RASTER}, facts.rasterLayer);
    Disable(menu, {CMD_MERGE_SELECTED_LAYERS}, GetSelectedLayerCount() <= 1);
    Disable(menu, {CMD_MERGE_ALL_LAYERS}, facts.layerCount == 1);
}

void UpdateImagesMenu(HMENU menu, const DocumentFacts& facts)
{
    Disable(menu, {CMD_DELETE_IMAGE}, facts.imageCount < 2);
    const bool squareEnough =
        facts.depth == 32 && facts.width >= 48 && facts.height >= 48 && facts.width == facts.height;
    Disable(menu, {CMD_STANDARD_FORMATS}, !squareEnough);
}

bool EffectsUsable(const DocumentFacts& facts, bool pending)
{
    return !facts.rasterLayer && facts.depth >= 32 && !pending;
}

void UpdateEffectsMenu(HMENU menu, const DocumentFacts& facts, bool pending)
{
    const bool usable = EffectsUsable(facts, pending);
    EnableAll(menu, usable);
    if (!usable)
        return;
    switch (facts.shapeKind) {
    case kEllipseShape: Disable(menu, {CMD_EFFECT_SWEET}); break;
    case kRectangleShape:
    case kTextShape: Disable(menu, {CMD_EFFECT_GLASSY_BALL, CMD_EFFECT_AQUA_BALL}); break;
    case kPolygonShape:
    case kCustomShape: Disable(menu, {CMD_EFFECT_GLASSY_BALL, CMD_EFFECT_AQUA_BALL, CMD_EFFECT_SWEET}); break;
    default: break;
    }
}

}  // namespace

bool FiltersAvailable(const ShellState& shell)
{
    const DocumentFacts facts = ReadFacts(*shell.context);
    return facts.rasterLayer && facts.depth == 32 && !shell.transformPending;
}

bool EffectsAvailable(const ShellState& shell)
{
    return EffectsUsable(ReadFacts(*shell.context), shell.transformPending != 0);
}

void UpdateMenuStates(ShellState& shell)
{
    const AppContext& context = *shell.context;
    HMENU bar = GetMenu(context.mainWindow);
    if (!bar)
        return;
    const bool pending = shell.transformPending != 0;
    const DocumentFacts facts = ReadFacts(context);
    for (int menu : {kFileMenu, kEditMenu, kDrawingMenu, kLayersMenu, kImagesMenu})
        EnableAll(GetSubMenu(bar, menu), !pending);
    if (!pending) {
        UpdateEditMenu(shell, GetSubMenu(bar, kEditMenu), facts);
        UpdateDrawingMenu(context, GetSubMenu(bar, kDrawingMenu), facts);
        UpdateLayersMenu(GetSubMenu(bar, kLayersMenu), facts);
        UpdateImagesMenu(GetSubMenu(bar, kImagesMenu), facts);
    }
    EnableAll(GetSubMenu(bar, kFiltersMenu), FiltersAvailable(shell));
    UpdateEffectsMenu(GetSubMenu(bar, kEffectsMenu), facts, pending);
    DrawMenuBar(context.mainWindow);
}
