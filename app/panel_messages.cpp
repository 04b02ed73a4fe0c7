#include "panel_messages.h"

#include "document_changes.h"
#include "common/messages.h"
#include "panels/colorpicker/swatch.h"
#include "selection.h"

namespace {

void Post(HWND window, UINT message, WPARAM wParam = 0)
{
    PostMessageW(window, message, wParam, 0);
}

void Send(HWND window, UINT message, WPARAM wParam = 0)
{
    SendMessageW(window, message, wParam, 0);
}

void OnDialogApplied(AppContext* context, WPARAM wParam)
{
    if (wParam == 0)
        ResetSelection(context);
    Send(context->layersWindow, kPanelRefresh);
    Post(context->imageListWindow, kPanelRefresh);
    Post(context->editAreaWindow, kEditAreaRedraw);
    SynchronizeDepth(*context);
}

// The selection after the layers panel changed things: rebuilt from its region, or reset.
void RefreshSelection(AppContext* context, WPARAM fromRegion)
{
    if (fromRegion)
        RebuildSelectionFromRegion(context);
    else
        ResetSelection(context);
}

void OnLayersChangedImage(AppContext* context, WPARAM wParam)
{
    RefreshSelection(context, wParam);
    Post(context->imageListWindow, kPanelRefresh);
    Post(context->editAreaWindow, kEditAreaLayerChanged);
    SynchronizeDepth(*context);
}

void OnLayersChangedLayer(AppContext* context, WPARAM wParam)
{
    RefreshSelection(context, wParam);
    Post(context->editAreaWindow, kEditAreaLayerChanged);
}

void OnImageListChanged(AppContext* context, bool currentOnly)
{
    ResetSelection(context);
    if (currentOnly)
        Post(context->layersWindow, kLayersReload);
    else
        Send(context->layersWindow, kLayersReload);
    Post(context->editAreaWindow, kEditAreaImageChanged);
    SynchronizeDepth(*context);
}

void OnImageReselected(AppContext* context)
{
    ResetSelection(context);
    Post(context->layersWindow, kLayersReload);
    Post(context->imageListWindow, kImageListSelectImage, WPARAM(context->currentImage));
    Post(context->editAreaWindow, kEditAreaImageChanged);
    SynchronizeDepth(*context);
}

void OnEditAreaChanged(AppContext* context, WPARAM wParam)
{
    Send(context->layersWindow, kPanelRefresh, wParam);
    if (wParam == 1)
        ResetSelection(context);
    Post(context->imageListWindow, kPanelRefresh);
    if (wParam == 1)
        Post(context->editAreaWindow, kEditAreaLayerChanged, 1);
    else
        Post(context->editAreaWindow, kEditAreaRedraw);
}

void OnTransformationEnded(ShellState& shell)
{
    shell.transformPending = 0;
    Post(shell.context->imageListWindow, kPanelInput, 1);
    Post(shell.context->layersWindow, kPanelInput, 1);
    RedrawWindow(shell.context->mainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

bool ImageIndexExists(const Resource* document, int32_t index)
{
    return document && index >= 0 && index < document->imageCount;
}

// A panel reports a change before (or a new Image after) making it; the chain keeps what
// it needs to take the step back. A report naming no Image would only use up a step.
void OnUndoReport(ShellState& shell, UINT message, WPARAM wParam, LPARAM lParam)
{
    UndoChain* chain = shell.undoChain;
    Resource* document = shell.context->document;
    const int32_t first = int32_t(wParam), second = int32_t(lParam);
    const bool twoIndexes = message == kUndoMoveRing || message == kUndoStandardFormatsRing;
    if (!ImageIndexExists(document, first) || (twoIndexes && !ImageIndexExists(document, second)))
        return;
    switch (message) {
    case kUndoMoveRing: PYX_AddMoveUndoRing(chain, first, second); break;
    case kUndoChangeRing: PYX_AddChangeUndoRing(chain, first, document); break;
    case kUndoDeleteRing: PYX_AddDeleteUndoRing(chain, first, document); break;
    case kUndoNewRing: PYX_AddNewUndoRing(chain, first); break;
    case kUndoStandardFormatsRing: PYX_AddSFUndoRing(chain, first, second); break;
    default: break;
    }
}

void OnPickedColor(const AppContext& context)
{
    if (context.brushSettings && context.colorPickerWindow)
        SetSelColor(context.brushSettings->primaryColor);
}

}  // namespace

bool OnPanelMessage(ShellState& shell, UINT message, WPARAM wParam, LPARAM lParam)
{
    AppContext* context = shell.context;
    if (!context)
        return false;
    switch (message) {
    case kDialogApplied: OnDialogApplied(context, wParam); return true;
    case kLayersChangedImage: OnLayersChangedImage(context, wParam); return true;
    case kLayersChangedLayer: OnLayersChangedLayer(context, wParam); return true;
    case kImageListChanged: OnImageListChanged(context, false); return true;
    case kImageListCurrentChanged: OnImageListChanged(context, true); return true;
    case kImageReselected: OnImageReselected(context); return true;
    case kToolChanged: PostMessageW(context->toolOptionsWindow, kToolChanged, wParam, lParam); return true;
    case kTextApply: Send(context->editAreaWindow, kTextApply); return true;
    case kEditAreaPickedColor: OnPickedColor(*context); return true;
    case kEditAreaChanged: OnEditAreaChanged(context, wParam); return true;
    case kTransformationEnded: OnTransformationEnded(shell); return true;
    case kUndoMoveRing:
    case kUndoChangeRing:
    case kUndoDeleteRing:
    case kUndoNewRing:
    case kUndoStandardFormatsRing: OnUndoReport(shell, message, wParam, lParam); return true;
    default: return false;
    }
}
