#include "document_changes.h"

#include <string>

#include "common/messages.h"
#include "file_commands.h"
#include "recent_files.h"
#include "selection.h"
#include "undo_chain.h"

const wchar_t kNoIconMessage[] = L"This file contains no icon.";
const wchar_t kNoCursorMessage[] = L"This file contains no cursor.";
const wchar_t kNoAnimatedCursorMessage[] = L"This file contains no animated cursor.";

namespace {

constexpr wchar_t kChangedQuestion[] = L"The current open project has changed.\n\nDo you want to save the changes?";
constexpr wchar_t kTitlePrefix[] = L"Vexil 1.0 - ";

DocumentKind SavedKind(const Resource& document, SaveChangesAs as)
{
    if (as == SaveChangesAs::DocumentKind && document.fileKind >= kIconFileKind &&
        document.fileKind <= kProjectFileKind)
        return DocumentKind(document.fileKind);
    return DocumentKind::Project;
}

void FillIfEmpty(wchar_t* field, size_t capacity, const wchar_t* text)
{
    if (!field[0])
        lstrcpynW(field, text, int(capacity));
}

}  // namespace

SaveAnswer AskToSaveChanges(ShellState& shell, SaveChangesAs as)
{
    AppContext* context = shell.context;
    if (!context->document || !context->document->modified)
        return SaveAnswer::Continue;
    const int answer =
        MessageBoxW(context->mainWindow, kChangedQuestion, kShellCaption, MB_YESNOCANCEL | MB_ICONWARNING);
    if (answer == IDNO)
        return SaveAnswer::Continue;
    if (answer == IDYES && SaveDocument(shell, SavedKind(*context->document, as)))
        return SaveAnswer::Continue;
    return SaveAnswer::Abandon;
}

void SetDocumentNames(Resource* document)
{
    FillIfEmpty(document->creator, 200, L"Vexil Icon Editor");
    FillIfEmpty(document->title, 200, L"Untitled");
}

bool InstallDocument(ShellState& shell, Resource* loaded, const wchar_t* path, const wchar_t* emptyMessage)
{
    AppContext* context = shell.context;
    if (!loaded)
        return false;
    if (loaded->imageCount == 0 || !loaded->firstImage) {
        MessageBoxW(context->mainWindow, emptyMessage, kShellCaption, MB_OK | MB_ICONERROR);
        PYX_DoCleanupInternalResource(loaded);
        return false;
    }
    SwapInDocument(shell, loaded);
    AddRecentFile(context->mainWindow, path);
    SetWindowTextW(context->mainWindow, (std::wstring(kTitlePrefix) + path).c_str());
    return true;
}

void SwapInDocument(ShellState& shell, Resource* document)
{
    AppContext* context = shell.context;
    PYX_DoCleanupInternalResource(context->document);
    context->document = document;
    SetDocumentNames(document);
    ReplaceUndoChain(shell);
    context->currentImage = 0;
    context->currentLayer = 0;
    ResetSelection(context);
    // The old document is gone: every panel must drop its pointers into it before it can
    // paint again, so tell them now rather than through the queue.
    SendMessageW(context->imageListWindow, kImageListSelectImage, 0, 0);
    SendMessageW(context->layersWindow, kLayersReload, 0, 0);
    SendMessageW(context->editAreaWindow, kEditAreaImageChanged, 0, 0);
    SynchronizeDepth(*context);
}

void SynchronizeDepth(const AppContext& context)
{
    const Image* image = CurrentImage(context);
    if (!image || !context.colorPickerWindow)
        return;
    const int depth = image->bitsPerPixel;
    if (depth == 1 || depth == 4 || depth == 8)
        SendMessageW(context.colorPickerWindow, kColorPickerGradient, 0, 0);
    if (depth == 1 || depth == 4 || depth == 8 || depth == 24 || depth == 32)
        SendMessageW(context.colorPickerWindow, kColorPickerDepth, depth, 0);
}
