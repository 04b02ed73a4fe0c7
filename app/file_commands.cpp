#include "file_commands.h"

#include <commdlg.h>
#include <dlgs.h>
#include <shlwapi.h>

#include <string>

#include "common/picture_export.h"
#include "common/messages.h"
#include "document_changes.h"
#include "open_by_path.h"
#include "pixport/pixport.h"
#include "recent_files.h"
#include "resources/vexil/vexil_resources.h"
#include "selection.h"
#include "undo_chain.h"

namespace {

constexpr wchar_t kNewProjectTitle[] = L"Vexil 1.0 - New Project";
constexpr wchar_t kTitlePrefix[] = L"Vexil 1.0 - ";
constexpr wchar_t kSaveFailed[] = L"Save Failed!\n\nThe current project couldn't be saved.";
constexpr wchar_t kExportFailed[] = L"Save Failed!\n\nAn error occured while saving the Image File .";
constexpr wchar_t kImportFailed[] = L"An unknown error occured during exporting the image.\n\nThe export operation failed!";

struct FileDialogTexts {
    const wchar_t* openTitle;
    const wchar_t* saveTitle;
    const wchar_t* filter;  // label and pattern pairs, each ended by a null, the list by two
    const wchar_t* extension;
};

const FileDialogTexts& TextsFor(DocumentKind kind)
{
    static const FileDialogTexts kDialogTexts[] = {
        {L"Open Icon File ... ", L"Save Icon File ... ", L"Icon Files (*.ico)\0*.ico\0", L".ico"},
        {L"Open Cursor File ... ", L"Save Cursor File ... ", L"Cursor Files (*.cur)\0*.cur\0", L".cur"},
        {L"Open Animated Cursor File ... ", L"Save Animated Cursor File ... ",
         L"Animated Cursor Files (*.ani)\0*.ani\0", L".ani"},
        {L"Open Project File ... ", L"Save Project File ... ", L"Vexil Project Files (*.fic)\0*.fic\0", L".fic"},
        {L"Open Library File ... ", nullptr,
         L"Library Files (*.icl,*.nil,*.exe,*.dll,*.scr,*.ocx,*.cpl)\0*.icl;*.nil;*.exe;*.dll;*.scr;*.ocx;*.cpl\0",
         nullptr},
    };
    return kDialogTexts[int(kind) - 1];
}

constexpr wchar_t kExportTitle[] = L"Save Current Image As ... ";

OPENFILENAMEW DialogRecord(HWND owner, const wchar_t* title, const wchar_t* filter, wchar_t* name)
{
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrTitle = title;
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_FORCESHOWHIDDEN | OFN_NOCHANGEDIR;
    return dialog;
}

std::wstring ChooseFileToSave(HWND owner, DocumentKind kind, const std::wstring& initialName)
{
    wchar_t name[MAX_PATH] = {};
    lstrcpynW(name, initialName.c_str(), MAX_PATH);
    const FileDialogTexts& texts = TextsFor(kind);
    OPENFILENAMEW dialog = DialogRecord(owner, texts.saveTitle, texts.filter, name);
    dialog.Flags |= OFN_OVERWRITEPROMPT;
    return GetSaveFileNameW(&dialog) ? std::wstring(name) : std::wstring();
}

void SetTitle(HWND window, const wchar_t* path)
{
    SetWindowTextW(window, (std::wstring(kTitlePrefix) + path).c_str());
}

int WriteDocument(HWND owner, DocumentKind kind, const wchar_t* path, Resource* document)
{
    switch (kind) {
    case DocumentKind::Icon: return PYX_SaveIconToFile(owner, path, document);
    case DocumentKind::Cursor: return PYX_SaveCursorToFile(owner, path, document);
    case DocumentKind::AnimatedCursor: return PYX_SaveAniToFile(owner, path, document);
    case DocumentKind::Project: return PYX_SaveProjectToFile(owner, path, document);
    default: return 0;
    }
}

Resource* ReadDocument(HWND owner, DocumentKind kind, const wchar_t* path)
{
    switch (kind) {
    case DocumentKind::Icon: return PYX_LoadIconFromFile(owner, path);
    case DocumentKind::Cursor: return PYX_LoadCursorFromFile(owner, path);
    case DocumentKind::AnimatedCursor: return PYX_LoadAniFromFile(owner, path);
    case DocumentKind::Project: return PYX_LoadProjectFromFile(owner, path);
    case DocumentKind::Library: return PYX_GetLibraryIcons(owner, path);
    default: return nullptr;
    }
}

std::wstring InitialSaveName(const Resource& document, DocumentKind kind)
{
    const std::wstring name = document.fileName[0] ? PathFindFileNameW(document.fileName) : L"Untitled";
    return WithExtension(name, TextsFor(kind).extension);
}

void OpenWithDialog(ShellState& shell, DocumentKind kind)
{
    if (shell.transformPending)
        return;
    if (AskToSaveChanges(shell, SaveChangesAs::DocumentKind) == SaveAnswer::Abandon)
        return;
    const std::wstring path = ChooseFileToOpen(shell.context->mainWindow, kind);
    if (!path.empty())
        OpenDocument(shell, kind, path.c_str());
}

// ---- Export ------------------------------------------------------------------------------

// Picking another filter in the export dialog gives the typed name that filter's extension.
UINT_PTR CALLBACK ExportDialogHook(HWND hook, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_NOTIFY)
        return 0;
    const auto* notice = reinterpret_cast<const OFNOTIFYW*>(lParam);
    if (notice->hdr.code != CDN_TYPECHANGE)
        return 0;
    OnExportTypeChange(GetParent(hook), int(notice->lpOFN->nFilterIndex));
    return 0;
}

void ExportWithDialog(ShellState& shell)
{
    wchar_t name[MAX_PATH] = L"Untitled.bmp";
    OPENFILENAMEW dialog = DialogRecord(shell.context->mainWindow, kExportTitle, kExportFilter, name);
    dialog.Flags |= OFN_OVERWRITEPROMPT | OFN_ENABLEHOOK;
    dialog.lpfnHook = ExportDialogHook;
    if (GetSaveFileNameW(&dialog))
        ExportCurrentImage(shell, ExportFormat(dialog.nFilterIndex), name);
}

// ---- Other commands ----------------------------------------------------------------------

void ImportImage(ShellState& shell)
{
    HWND window = shell.context->mainWindow;
    if (!ImportImageAsIcon(window, shell.context))
        MessageBoxW(window, kImportFailed, kShellCaption, MB_OK | MB_ICONERROR);
}

void OpenRecentSlot(ShellState& shell, int slot)
{
    if (shell.transformPending)
        return;
    // The item opens the path it shows, which the session keeps for it.
    const std::wstring path = RecentFileAt(slot);
    OpenRecentFile(shell, path.c_str());
}

void SaveUnlessPending(ShellState& shell, DocumentKind kind)
{
    if (kind == DocumentKind::Project && shell.transformPending)
        return;
    SaveDocument(shell, kind);
}

}  // namespace

std::wstring ChooseFileToOpen(HWND owner, DocumentKind kind)
{
    wchar_t name[MAX_PATH] = L" ";
    const FileDialogTexts& texts = TextsFor(kind);
    OPENFILENAMEW dialog = DialogRecord(owner, texts.openTitle, texts.filter, name);
    return GetOpenFileNameW(&dialog) ? std::wstring(name) : std::wstring();
}

bool OpenDocument(ShellState& shell, DocumentKind kind, const wchar_t* path)
{
    Resource* loaded = ReadDocument(shell.context->mainWindow, kind, path);
    return InstallDocument(shell, loaded, path, kNoIconMessage);
}

bool SaveDocument(ShellState& shell, DocumentKind kind)
{
    Resource* document = shell.context->document;
    SetDocumentNames(document);
    const std::wstring chosen = ChooseFileToSave(shell.context->mainWindow, kind, InitialSaveName(*document, kind));
    return !chosen.empty() && SaveDocumentAs(shell, kind, chosen.c_str());
}

bool SaveDocumentAs(ShellState& shell, DocumentKind kind, const wchar_t* chosenPath)
{
    HWND window = shell.context->mainWindow;
    Resource* document = shell.context->document;
    SetDocumentNames(document);
    const std::wstring path = WithExtension(chosenPath, TextsFor(kind).extension);
    if (!MayReplaceForcedPath(window, chosenPath, path))
        return false;
    // A path too long for the document's record cannot be kept, so it is a failed save.
    const bool fits = path.size() < MAX_PATH;
    wchar_t previousName[MAX_PATH];
    lstrcpynW(previousName, document->fileName, MAX_PATH);
    if (fits)
        lstrcpynW(document->fileName, path.c_str(), MAX_PATH);
    if (fits && WriteDocument(window, kind, path.c_str(), document)) {
        document->modified = 0;
        SetTitle(window, path.c_str());
        return true;
    }
    lstrcpynW(document->fileName, previousName, MAX_PATH);
    MessageBoxW(window, kSaveFailed, kShellCaption, MB_OK | MB_ICONERROR);
    return false;
}

bool ExportCurrentImage(ShellState& shell, ExportFormat format, const wchar_t* chosenPath)
{
    HWND window = shell.context->mainWindow;
    Image* image = CurrentImage(*shell.context);
    const std::wstring path = WithExtension(chosenPath, ExportExtension(int(format)));
    if (!image || !MayReplaceForcedPath(window, chosenPath, path))
        return false;
    if (format == ExportFormat::Icon)
        return PYX_SaveSingleImageAsIcon(window, path.c_str(), image) != 0;
    if (format == ExportFormat::Cursor)
        return PYX_SaveSingleImageAsCursor(window, path.c_str(), image) != 0;
    if (WritePictureFile(*image, format, path))
        return true;
    MessageBoxW(window, kExportFailed, kShellCaption, MB_OK | MB_ICONERROR);
    return false;
}

void NewProject(ShellState& shell)
{
    if (shell.transformPending)
        return;
    if (AskToSaveChanges(shell, SaveChangesAs::DocumentKind) == SaveAnswer::Abandon)
        return;
    AppContext* context = shell.context;
    Resource* fresh = PYX_CreateNewResource();
    if (!fresh)
        return;
    SetWindowTextW(context->mainWindow, kNewProjectTitle);
    SwapInDocument(shell, fresh);
}

bool RunFileCommand(ShellState& shell, int id)
{
    switch (id) {
    case CMD_NEW_PROJECT: NewProject(shell); return true;
    case CMD_OPEN_ICON: OpenWithDialog(shell, DocumentKind::Icon); return true;
    case CMD_OPEN_CURSOR: OpenWithDialog(shell, DocumentKind::Cursor); return true;
    case CMD_OPEN_ANIMATED_CURSOR: OpenWithDialog(shell, DocumentKind::AnimatedCursor); return true;
    case CMD_OPEN_PROJECT: OpenWithDialog(shell, DocumentKind::Project); return true;
    case CMD_EXTRACT_LIBRARY_ICONS: OpenWithDialog(shell, DocumentKind::Library); return true;
    case CMD_SAVE_ICON: SaveUnlessPending(shell, DocumentKind::Icon); return true;
    case CMD_SAVE_CURSOR: SaveUnlessPending(shell, DocumentKind::Cursor); return true;
    case CMD_SAVE_ANIMATED_CURSOR: SaveUnlessPending(shell, DocumentKind::AnimatedCursor); return true;
    case CMD_SAVE_PROJECT: SaveUnlessPending(shell, DocumentKind::Project); return true;
    case CMD_CREATE_ICON_LIBRARY: PYX_CreateLibrary(shell.context->mainWindow, 0); return true;
    case CMD_EXPORT_CURRENT_IMAGE: ExportWithDialog(shell); return true;
    case CMD_IMPORT_IMAGE: ImportImage(shell); return true;
    default:
        if (id < CMD_RECENT_FILE_1 || id > CMD_RECENT_FILE_4)
            return false;
        OpenRecentSlot(shell, id - CMD_RECENT_FILE_1);
        return true;
    }
}
