// The main window's command dispatch: each menu's commands go to their own handler.
#include "commands.h"

#include <shellapi.h>

#include "common/messages.h"
#include "edit_commands.h"
#include "file_commands.h"
#include "filter_commands.h"
#include "resources/vexil/vexil_resources.h"
#include "undo_commands.h"

namespace {

constexpr wchar_t kHelpMissing[] = L"Help file couldn't be found.";

void SelectTool(const ShellState& shell, int tool)
{
    PostMessageW(shell.context->toolboxWindow, kToolboxSelectTool, tool, 0);
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
    default: return RunEditCommand(shell, id, fromAccelerator);
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

bool OnHelpCommand(ShellState& shell, int id)
{
    switch (id) {
    case CMD_HELP: OpenHelp(shell); return true;
    case CMD_ABOUT: ShowAboutDialog(shell); return true;
    default: return false;
    }
}

// While a stroke holds the canvas only the commands that leave the document, the selection
// and the current tool alone get through; every other one would pull the bitmaps out from
// under the stroke (Del, Ctrl+Del, Ctrl+N, Ctrl+Z, a paste...).
bool PassesDuringCanvasDrag(int id)
{
    return id == CMD_COPY || id == CMD_HELP || id == CMD_ABOUT;
}

}  // namespace

bool Blocked(const ShellState& shell, bool fromAccelerator)
{
    return fromAccelerator && shell.transformPending;
}

bool CanvasDragInProgress(const AppContext& context)
{
    HWND captured = GetCapture();
    HWND editArea = context.editAreaWindow;
    return captured && editArea && (captured == editArea || IsChild(editArea, captured));
}

void OnCommand(ShellState& shell, int id, bool fromAccelerator)
{
    if (!shell.context || (CanvasDragInProgress(*shell.context) && !PassesDuringCanvasDrag(id)))
        return;
    OnFileCommand(shell, id) || OnEditCommand(shell, id, fromAccelerator) || OnDrawingCommand(shell, id) ||
        OnPanelCommand(shell, id, fromAccelerator) || RunFilterCommand(shell, id) || RunEffectCommand(shell, id) ||
        OnHelpCommand(shell, id);
}
