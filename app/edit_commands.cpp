#include "edit_commands.h"

#include <algorithm>

#include "commands.h"
#include "common/gdiplus_pixels.h"
#include "common/messages.h"
#include "common/selection_state.h"
#include "paste_commands.h"
#include "resources/vexil/vexil_resources.h"
#include "selection.h"

namespace {

// Clear All leaves transparent white, as an empty layer is.
constexpr uint32_t kClearedPixel = 0x00FFFFFF;

void SendToEditArea(const ShellState& shell, UINT message)
{
    SendMessageW(shell.context->editAreaWindow, message, 0, 0);
}

void ResetSelectionAndTell(ShellState& shell)
{
    ResetSelection(shell.context);
    SendToEditArea(shell, kEditAreaSelectionChanged);
}

// Select All and Select Inverse would free the content a pending transformation draws
// on, and its Cancel would then wipe the layer: they wait until it is applied or cancelled.
void SelectAll(ShellState& shell)
{
    if (!shell.transformPending)
        ResetSelectionAndTell(shell);
}

void SelectInverse(ShellState& shell)
{
    if (!shell.transformPending && ::SelectInverse(shell.context))
        SendToEditArea(shell, kEditAreaSelectionChanged);
}

void CopySelection(const ShellState& shell)
{
    const SelectionState* selection = shell.context->selection;
    if (selection && selection->content)
        PYX_CopyImageToClipboard(shell.context->mainWindow, selection->content, uint16_t(selection->width),
                                 uint16_t(selection->height));
}

void ClearBitmap(Bitmap* bitmap)
{
    BitmapLock lock(bitmap, Gdiplus::ImageLockModeWrite);
    if (!lock.ok())
        return;
    const PixelView& pixels = lock.view();
    for (int y = 0; y < pixels.height; y++) {
        auto* row = reinterpret_cast<uint32_t*>(pixels.Row(y));
        std::fill(row, row + pixels.width, kClearedPixel);
    }
}

// The cleared pixels must not come back with the next move, Copy or filter, so the
// selection is reset to the (now empty) layer and the editing area is told.
void ClearAll(ShellState& shell)
{
    AppContext* context = shell.context;
    Layer* layer = CurrentLayer(*context);
    if (!layer || !layer->bitmap || layer->type != kRasterLayer)
        return;
    PYX_AddChangeUndoRing(shell.undoChain, context->currentImage, context->document);
    ClearBitmap(layer->bitmap);
    context->document->modified = 1;
    ResetSelection(context);
    SendMessageW(context->layersWindow, kPanelRefresh, 0, 0);
    PostMessageW(context->imageListWindow, kPanelRefresh, 0, 0);
    PostMessageW(context->editAreaWindow, kEditAreaRedraw, 0, 0);
    SendToEditArea(shell, kEditAreaSelectionChanged);
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

// The commands that check a pending transformation; the others act whenever they arrive.
bool ChecksPending(int id)
{
    switch (id) {
    case CMD_COPY:
    case CMD_CUT:
    case CMD_PASTE_LAYER:
    case CMD_PASTE_IMAGE:
    case CMD_DESELECT:
    case CMD_CLEAR_ALL: return true;
    default: return false;
    }
}

}  // namespace

bool RunEditCommand(ShellState& shell, int id, bool fromAccelerator)
{
    if (ChecksPending(id) && Blocked(shell, fromAccelerator))
        return true;
    switch (id) {
    case CMD_COPY: CopySelection(shell); return true;
    case CMD_CUT: SendToEditArea(shell, kEditAreaCut); return true;
    case CMD_PASTE_LAYER: PasteAsNewLayer(shell); return true;
    case CMD_PASTE_IMAGE: PasteAsNewImage(shell); return true;
    case CMD_SELECT_ALL: SelectAll(shell); return true;
    case CMD_SELECT_INVERSE: SelectInverse(shell); return true;
    case CMD_DESELECT: ResetSelectionAndTell(shell); return true;
    case CMD_CLEAR_ALL: ClearAll(shell); return true;
    case CMD_FLIP_HORIZONTAL: SendToEditArea(shell, kEditAreaFlipHorizontal); return true;
    case CMD_FLIP_VERTICAL: SendToEditArea(shell, kEditAreaFlipVertical); return true;
    case CMD_ROTATE_CW: SendToEditArea(shell, kEditAreaRotateCW); return true;
    case CMD_ROTATE_CCW: SendToEditArea(shell, kEditAreaRotateCCW); return true;
    case CMD_ROTATE_180: SendToEditArea(shell, kEditAreaRotate180); return true;
    case CMD_CUSTOM_ROTATE: StartCustomRotate(shell); return true;
    case CMD_SCALE: StartScale(shell); return true;
    case CMD_MOVE: PostMessageW(shell.context->toolboxWindow, kToolboxSelectTool, kMoveTool, 0); return true;
    default: return false;
    }
}
