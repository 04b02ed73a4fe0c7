// Commands whose work belongs to later parts of the program (files, undo, clipboard, filters,
// effects) reach their case here and do nothing yet.
#include "commands.h"

#include <shellapi.h>

#include "common/messages.h"
#include "resources/vexil/vexil_resources.h"
#include "file_commands.h"
#include "selection.h"
#include "undo_commands.h"

namespace {

constexpr wchar_t kHelpMissing[] = L"Help file couldn't be found.";

// Commands marked as checking a pending transformation do nothing when an accelerator
// delivers them while one waits (the menu itself is disabled then).
bool Blocked(const ShellState& shell, bool fromAccelerator)
{
    return fromAccelerator && shell.transformPending;
}

void SendToEditArea(const ShellState& shell, UINT message)
{
    SendMessageW(shell.context->editAreaWindow, message, 0, 0);
}

void SelectTool(const ShellState& shell, int tool)
{
    PostMessageW(shell.context->toolboxWindow, kToolboxSelectTool, tool, 0);
}

void StartPendingTransformation(ShellState& shell)
{
    shell.transformPending = 1;
    PostMessageW(shell.context->imageListWindow, kPanelInput, 0, 0);
    PostMessageW(shell.context->layersWindow, kPanelInput, 0, 0);
}

void StartCustomRotate(ShellState& shell)
{
    StartPendingTransformation(shell);
    SendToEditArea(shell, kEditAreaCustomRotate);
}

void StartScale(ShellState& shell)
{
    StartPendingTransformation(shell);
    PostMessageW(shell.context->editAreaWindow, kEditAreaScale, 0, 0);
}

void ResetSelectionAndTell(ShellState& shell)
{
    ResetSelection(shell.context);
    SendToEditArea(shell, kEditAreaSelectionChanged);
}

void OpenHelp(const ShellState& shell)
{
    const INT_PTR result =
        INT_PTR(ShellExecuteW(shell.context->mainWindow, L"open", shell.helpPath, nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32)
        MessageBoxW(shell.context->mainWindow, kHelpMissing, kShellCaption, MB_OK | MB_ICONERROR);
}

bool OnFileCommand(ShellState& shell, int id)
{
    if (id != CMD_EXIT)
        return RunFileCommand(shell, id);
    if (!shell.transformPending)
        PostMessageW(shell.context->mainWindow, WM_CLOSE, 0, 0);
    return true;
}

bool OnEditCommand(ShellState& shell, int id, bool fromAccelerator)
{
    switch (id) {
    case CMD_UNDO: if (!Blocked(shell, fromAccelerator)) UndoLastStep(shell); return true;
    case CMD_REDO: if (!Blocked(shell, fromAccelerator)) RedoLastStep(shell); return true;
    case CMD_COPY: return true;
    case CMD_CUT: if (!Blocked(shell, fromAccelerator)) SendToEditArea(shell, kEditAreaCut); return true;
    case CMD_PASTE_LAYER: return true;
    case CMD_PASTE_IMAGE: return true;
    case CMD_SELECT_ALL: ResetSelectionAndTell(shell); return true;
    case CMD_SELECT_INVERSE: return true;
    case CMD_DESELECT: if (!Blocked(shell, fromAccelerator)) ResetSelectionAndTell(shell); return true;
    case CMD_CLEAR_ALL: return true;
    case CMD_FLIP_HORIZONTAL: SendToEditArea(shell, kEditAreaFlipHorizontal); return true;
    case CMD_FLIP_VERTICAL: SendToEditArea(shell, kEditAreaFlipVertical); return true;
    case CMD_ROTATE_CW: SendToEditArea(shell, kEditAreaRotateCW); return true;
    case CMD_ROTATE_CCW: SendToEditArea(shell, kEditAreaRotateCCW); return true;
    case CMD_ROTATE_180: SendToEditArea(shell, kEditAreaRotate180); return true;
    case CMD_CUSTOM_ROTATE: StartCustomRotate(shell); return true;
    case CMD_SCALE: StartScale(shell); return true;
    case CMD_MOVE: SelectTool(shell, kMoveTool); return true;
    default: return false;
    }
}

bool OnDrawingCommand(ShellState& shell, int id)
{
    struct ToolCommand {
        int id;
        int tool;
    };
    static const ToolCommand kTools[] = {
        {CMD_TOOL_RECT_SELECTION, kRectSelectTool},
        {CMD_TOOL_MAGIC_WAND, kMagicWandTool},
        {CMD_TOOL_PEN, kPenTool},
        {CMD_TOOL_ERASER, kEraserTool},
        {CMD_TOOL_PAINT_BUCKET, kPaintBucketTool},
        {CMD_TOOL_GRADIENT, kGradientTool},
        {CMD_TOOL_BLUR, kBlurTool},
        {CMD_TOOL_HOLLOW_TEXT, kHollowTextTool},
        {CMD_TOOL_FILLED_TEXT, kFilledTextTool},
        {CMD_TOOL_ELLIPSE, kEllipseTool},
        {CMD_TOOL_FILLED_ELLIPSE, kFilledEllipseTool},
        {CMD_TOOL_RECTANGLE, kRectangleTool},
        {CMD_TOOL_FILLED_RECTANGLE, kFilledRectangleTool},
        {CMD_TOOL_POLYGON, kPolygonTool},
        {CMD_TOOL_FILLED_POLYGON, kFilledPolygonTool},
        {CMD_TOOL_CUSTOM_SHAPE, kCustomShapeTool},
        {CMD_TOOL_FILLED_CUSTOM_SHAPE, kFilledCustomShapeTool},
        {CMD_TOOL_LINE, kLineTool},
        {CMD_TOOL_COLOR_PICKER, kColorPickerTool},
    };
    if (id == CMD_USE_GRADIENT) {
        const BrushSettings* brush = shell.context->brushSettings;
        SendMessageW(shell.context->colorPickerWindow, kColorPickerGradient, brush && brush->useGradient ? 0 : 1, 0);
        return true;
    }
    for (const ToolCommand& command : kTools) {
        if (command.id == id) {
            SelectTool(shell, command.tool);
            return true;
        }
    }
    return false;
}

// Layers and Images commands each hand one message to their panel.
bool OnPanelCommand(ShellState& shell, int id, bool fromAccelerator)
{
    struct PanelCommand {
        int id;
        HWND AppContext::*panel;
        UINT message;
        bool checksPending;
    };
    static const PanelCommand kCommands[] = {
        {CMD_NEW_RASTER_LAYER, &AppContext::layersWindow, kLayersNewRasterLayer, true},
        {CMD_DUPLICATE_LAYER, &AppContext::layersWindow, kLayersDuplicateLayer, false},
        {CMD_DELETE_LAYERS, &AppContext::layersWindow, kLayersDeleteLayers, true},
        {CMD_MERGE_SELECTED_LAYERS, &AppContext::layersWindow, kLayersMergeSelected, false},
        {CMD_CONVERT_TO_RASTER, &AppContext::layersWindow, kLayersConvertToRaster, false},
        {CMD_MERGE_ALL_LAYERS, &AppContext::layersWindow, kLayersMergeAll, false},
        {CMD_NEW_IMAGE, &AppContext::imageListWindow, kImageListNewImage, true},
        {CMD_DUPLICATE_IMAGE, &AppContext::imageListWindow, kImageListDuplicateImage, false},
        {CMD_DELETE_IMAGE, &AppContext::imageListWindow, kImageListDeleteImage, true},
        {CMD_IMAGE_PROPERTIES, &AppContext::imageListWindow, kImageListProperties, true},
        {CMD_ANIMATED_CURSOR_PROPERTIES, &AppContext::imageListWindow, kImageListAnimatedCursorProperties, true},
        {CMD_STANDARD_FORMATS, &AppContext::imageListWindow, kImageListStandardFormats, false},
    };
    for (const PanelCommand& command : kCommands) {
        if (command.id != id)
            continue;
        if (!(command.checksPending && Blocked(shell, fromAccelerator)))
            SendMessageW(shell.context->*command.panel, command.message, 0, 0);
        return true;
    }
    return false;
}

bool OnFilterCommand(ShellState&, int id)
{
    switch (id) {
    case CMD_FILTER_CONTRAST: return true;
    case CMD_FILTER_COLORIZE: return true;
    case CMD_FILTER_GRAYSCALE: return true;
    case CMD_FILTER_HSL: return true;
    case CMD_FILTER_NEGATIVE: return true;
    case CMD_FILTER_OPACITY: return true;
    case CMD_FILTER_LINEAR_BLUR: return true;
    case CMD_FILTER_GAUSSIAN_BLUR: return true;
    case CMD_FILTER_HEAVY_BLUR: return true;
    case CMD_FILTER_MOTION_BLUR: return true;
    case CMD_FILTER_DEFOCUS: return true;
    case CMD_FILTER_COLOR_EMBOSS: return true;
    case CMD_FILTER_GRAY_EMBOSS: return true;
    case CMD_FILTER_SOFTEN: return true;
    case CMD_FILTER_SHARPEN: return true;
    case CMD_FILTER_UNSHARP_MASK: return true;
    case CMD_FILTER_BEVEL: return true;
    case CMD_FILTER_INNER_SHADOW: return true;
    case CMD_FILTER_DROP_SHADOW: return true;
    case CMD_FILTER_BORDERIZE: return true;
    case CMD_FILTER_CUSTOM: return true;
    default: return false;
    }
}

bool OnEffectCommand(ShellState&, int id)
{
    switch (id) {
    case CMD_EFFECT_PEARL: return true;
    case CMD_EFFECT_MARBLE: return true;
    case CMD_EFFECT_WAVE: return true;
    case CMD_EFFECT_JELLY: return true;
    case CMD_EFFECT_GLASSY_BALL: return true;
    case CMD_EFFECT_AQUA_BALL: return true;
    case CMD_EFFECT_SWEET: return true;
    default: return false;
    }
}

bool OnHelpCommand(ShellState& shell, int id)
{
    switch (id) {
    case CMD_HELP: OpenHelp(shell); return true;
    case CMD_ABOUT: ShowAboutDialog(shell); return true;
    default: return false;
    }
}

}  // namespace

void OnCommand(ShellState& shell, int id, bool fromAccelerator)
{
    OnFileCommand(shell, id) || OnEditCommand(shell, id, fromAccelerator) || OnDrawingCommand(shell, id) ||
        OnPanelCommand(shell, id, fromAccelerator) || OnFilterCommand(shell, id) || OnEffectCommand(shell, id) ||
        OnHelpCommand(shell, id);
}
