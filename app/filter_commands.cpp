// The filters without settings run here on the selection's content and are drawn back into
// the current layer inside the selection's region. The filters with settings and the effects
// open the settings dialogs of fxdialogs, which change the layer themselves.
#include "filter_commands.h"

#include <algorithm>
#include <vector>

#include "common/document_ops.h"
#include "common/gdiplus_pixels.h"
#include "common/messages.h"
#include "common/selection_state.h"
#include "dialogs/fxdialogs.h"
#include "filters/filter_table.h"
#include "filters/sieve.h"
#include "menu_states.h"

namespace {

constexpr wchar_t kFilterFailed[] = L"The filter could not be applied to the selection.";

// The rectangles a region is made of.
std::vector<RECT> RegionRects(HRGN region)
{
    const DWORD size = GetRegionData(region, 0, nullptr);
    if (size == 0)
        return {};
    std::vector<char> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (GetRegionData(region, size, data) == 0)
        return {};
    const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
    return std::vector<RECT>(rects, rects + data->rdh.nCount);
}

uint32_t PixelAt(const PixelView& view, int x, int y)
{
    if (x < 0 || y < 0 || x >= view.width || y >= view.height)
        return 0;
    return *reinterpret_cast<const uint32_t*>(view.At(x, y));
}

// Inside each rectangle (in target coordinates) the target takes the source pixel at
// (x - left, y - top), or transparent where the source has none.
void CopyInside(const std::vector<RECT>& rects, const PixelView& target, const PixelView& source, int left, int top)
{
    for (const RECT& rect : rects) {
        const int x0 = std::max(0, int(rect.left)), x1 = std::min(target.width, int(rect.right));
        const int y0 = std::max(0, int(rect.top)), y1 = std::min(target.height, int(rect.bottom));
        for (int y = y0; y < y1; y++) {
            auto* row = reinterpret_cast<uint32_t*>(target.Row(y));
            for (int x = x0; x < x1; x++)
                row[x] = PixelAt(source, x - left, y - top);
        }
    }
}

void ClearView(const PixelView& view)
{
    for (int y = 0; y < view.height; y++)
        std::fill_n(reinterpret_cast<uint32_t*>(view.Row(y)), view.width, 0u);
}

// The layer gets the result inside the region, the content becomes the result inside the
// region and transparent outside it.
bool DrawResult(Bitmap* layerBitmap, SelectionState* selection, Bitmap* result)
{
    BitmapLock resultLock(result, Gdiplus::ImageLockModeRead);
    BitmapLock layerLock(layerBitmap, kLockReadWrite);
    BitmapLock contentLock(selection->content, kLockReadWrite);
    if (!resultLock.ok() || !layerLock.ok() || !contentLock.ok())
        return false;
    std::vector<RECT> rects = RegionRects(selection->region);
    CopyInside(rects, layerLock.view(), resultLock.view(), selection->left, selection->top);
    for (RECT& rect : rects)
        OffsetRect(&rect, -selection->left, -selection->top);
    ClearView(contentLock.view());
    CopyInside(rects, contentLock.view(), resultLock.view(), 0, 0);
    return true;
}

void ReportFailure(const AppContext& context)
{
    MessageBoxW(context.mainWindow, kFilterFailed, kShellCaption, MB_OK | MB_ICONERROR);
}

// A filter that gives no result (no memory, or pixels locked elsewhere) changes nothing:
// no undo step, no modified mark, and the user is told.
void RunSimpleFilter(ShellState& shell, FilterType type)
{
    AppContext* context = shell.context;
    SelectionState* selection = context->selection;
    Layer* layer = CurrentLayer(*context);
    if (!selection || !selection->region || !layer || !layer->bitmap)
        return;
    FilterParams request{};
    request.filterType = type;
    request.source = selection->content;
    Bitmap* result = selection->content ? ApplyFilter(&request) : nullptr;
    if (!result) {
        ReportFailure(*context);
        return;
    }
    PYX_AddChangeUndoRing(shell.undoChain, context->currentImage, context->document);
    const bool drawn = DrawResult(layer->bitmap, selection, result);
    delete result;
    if (!drawn) {
        ReportFailure(*context);
        return;
    }
    context->document->modified = 1;
    SendMessageW(context->layersWindow, kPanelRefresh, 0, 0);
    PostMessageW(context->imageListWindow, kPanelRefresh, 0, 0);
    PostMessageW(context->editAreaWindow, kEditAreaRedraw, 0, 0);
}

// The dialog of a filter with settings, by its menu command.
using FilterDialog = int32_t (*)(HWND owner, AppContext* context);

int32_t InnerShadowDialog(HWND owner, AppContext* context) { return ShowShadowDialog(owner, context, 0); }
int32_t DropShadowDialog(HWND owner, AppContext* context) { return ShowShadowDialog(owner, context, 1); }

FilterDialog DialogOfCommand(int id)
{
    switch (id) {
    case CMD_FILTER_CONTRAST: return ShowContrastDialog;
    case CMD_FILTER_COLORIZE: return ShowColorizeDialog;
    case CMD_FILTER_HSL: return ShowHSLDialog;
    case CMD_FILTER_OPACITY: return ShowOpacityDialog;
    case CMD_FILTER_HEAVY_BLUR: return ShowBlurDialog;
    case CMD_FILTER_BEVEL: return ShowBevelDialog;
    case CMD_FILTER_INNER_SHADOW: return InnerShadowDialog;
    case CMD_FILTER_DROP_SHADOW: return DropShadowDialog;
    case CMD_FILTER_BORDERIZE: return ShowBorderizeDialog;
    case CMD_FILTER_CUSTOM: return ShowCustomDialog;
    default: return nullptr;
    }
}

// The undo step comes first: the dialog changes the layer itself when it closes with OK.
void RunDialogFilter(ShellState& shell, FilterDialog dialog)
{
    AppContext* context = shell.context;
    PYX_AddChangeUndoRing(shell.undoChain, context->currentImage, context->document);
    dialog(context->mainWindow, context);
}

// The effect number that ShowStyleDialog takes, by menu command; 0 for other commands.
int EffectOfCommand(int id)
{
    switch (id) {
    case CMD_EFFECT_WAVE: return 1;
    case CMD_EFFECT_PEARL: return 2;
    case CMD_EFFECT_MARBLE: return 3;
    case CMD_EFFECT_JELLY: return 4;
    case CMD_EFFECT_GLASSY_BALL: return 5;
    case CMD_EFFECT_AQUA_BALL: return 6;
    case CMD_EFFECT_SWEET: return 7;
    default: return 0;
    }
}

}  // namespace

bool RunFilterCommand(ShellState& shell, int id)
{
    const FilterRow* row = FindFilterCommand(id);
    if (!row)
        return false;
    // A stale menu must not filter a vector layer's bitmap under its outline, nor a layer
    // that a pending transformation draws on.
    if (!FiltersAvailable(shell))
        return true;
    if (row->opening == FilterOpening::kRunsDirectly)
        RunSimpleFilter(shell, row->type);
    else if (FilterDialog dialog = DialogOfCommand(id))
        RunDialogFilter(shell, dialog);
    return true;
}

bool RunEffectCommand(ShellState& shell, int id)
{
    const int effect = EffectOfCommand(id);
    if (effect == 0)
        return false;
    if (!EffectsAvailable(shell))
        return true;
    AppContext* context = shell.context;
    PYX_AddChangeUndoRing(shell.undoChain, context->currentImage, context->document);
    ShowStyleDialog(context->mainWindow, context, effect);
    SendMessageW(context->layersWindow, kPanelRefresh, 0, 0);
    PostMessageW(context->imageListWindow, kPanelRefresh, 0, 0);
    PostMessageW(context->editAreaWindow, kEditAreaRedraw, 0, 0);
    return true;
}
