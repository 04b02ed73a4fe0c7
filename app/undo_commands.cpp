#include "undo_commands.h"

#include "common/messages.h"
#include "document_changes.h"
#include "selection.h"
#include "undo_chain.h"

namespace {

using UndoStep = int32_t (*)(UndoChain*, Resource*);

// The step names the Image it concerned; the Image shown must exist whatever the step did
// to the list, and it is shown with its first layer, since the layers it had may be gone.
void TakeStep(ShellState& shell, UndoStep step)
{
    AppContext* context = shell.context;
    const int32_t concerned = step(shell.undoChain, context->document);
    const int count = context->document->imageCount;
    if (concerned >= 0 && concerned < count)
        context->currentImage = concerned;
    else if (context->currentImage >= count)
        context->currentImage = count - 1;
    context->currentLayer = 0;
    SendMessageW(context->imageListWindow, kImageListSelectImage, WPARAM(context->currentImage), 0);
    SendMessageW(context->layersWindow, kLayersReload, 0, 0);
    ResetSelection(context);
    SynchronizeDepth(*context);
    PostMessageW(context->editAreaWindow, kEditAreaUndone, 0, 0);
}

}  // namespace

void UndoLastStep(ShellState& shell)
{
    if (CanUndo(shell))
        TakeStep(shell, PYX_Undo);
}

void RedoLastStep(ShellState& shell)
{
    if (CanRedo(shell))
        TakeStep(shell, PYX_Redo);
}
