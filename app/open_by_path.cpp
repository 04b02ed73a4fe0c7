#include "open_by_path.h"

#include <shlwapi.h>

#include "document_changes.h"

namespace {

constexpr wchar_t kUnsupportedType[] = L"This file type is not supported by Vexil";
constexpr wchar_t kRecentFileMissing[] = L"File access error!\n\nThe requested file couldn't be found. ";

enum class Reader { Icon, Cursor, AnimatedCursor, Project, Library };

struct ReaderEntry {
    const wchar_t* extension;
    Reader reader;
};

// The extensions a drop or the command line may name; any other is refused there.
const ReaderEntry kAcceptedExtensions[] = {
    {L".ico", Reader::Icon},    {L".cur", Reader::Cursor},  {L".ani", Reader::AnimatedCursor},
    {L".fic", Reader::Project}, {L".nil", Reader::Library}, {L".icl", Reader::Library},
    {L".exe", Reader::Library}, {L".dll", Reader::Library}, {L".scr", Reader::Library},
    {L".ocx", Reader::Library}, {L".cpl", Reader::Library},
};

const ReaderEntry* AcceptedEntry(const wchar_t* path)
{
    const wchar_t* extension = PathFindExtensionW(path);
    for (const ReaderEntry& entry : kAcceptedExtensions) {
        if (lstrcmpiW(extension, entry.extension) == 0)
            return &entry;
    }
    return nullptr;
}

Reader ReaderForExtension(const wchar_t* path)
{
    const ReaderEntry* entry = AcceptedEntry(path);
    return entry ? entry->reader : Reader::Library;
}

Resource* Load(Reader reader, HWND owner, const wchar_t* path)
{
    switch (reader) {
    case Reader::Icon: return PYX_LoadIconFromFile(owner, path);
    case Reader::Cursor: return PYX_LoadCursorFromFile(owner, path);
    case Reader::AnimatedCursor: return PYX_LoadAniFromFile(owner, path);
    case Reader::Project: return PYX_LoadProjectFromFile(owner, path);
    case Reader::Library: return PYX_GetLibraryIcons(owner, path);
    default: return nullptr;
    }
}

const wchar_t* EmptyFileMessage(Reader reader)
{
    switch (reader) {
    case Reader::Cursor: return kNoCursorMessage;
    case Reader::AnimatedCursor: return kNoAnimatedCursorMessage;
    default: return kNoIconMessage;
    }
}

bool LoadByExtension(ShellState& shell, const wchar_t* path)
{
    const Reader reader = ReaderForExtension(path);
    return InstallDocument(shell, Load(reader, shell.context->mainWindow, path), path, EmptyFileMessage(reader));
}

}  // namespace

std::wstring CommandLinePath(const wchar_t* commandLine)
{
    std::wstring path = commandLine ? commandLine : L"";
    if (path.empty() || path.front() != L'"')
        return path;
    // A quoted path ends at its closing quote; whatever the shell put after it (a blank) is
    // not part of the name. Without a closing quote the rest of the line is the name.
    const size_t close = path.find(L'"', 1);
    path = path.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1);
    while (!path.empty() && path.back() == L' ')
        path.pop_back();
    return path;
}

// A pending rotation or scaling draws on the document; replacing it underneath would leave
// the editing area with freed pixels, so a drop waits for Apply or Cancel like the menus do.
bool OpenFileByPath(ShellState& shell, const wchar_t* path)
{
    if (shell.transformPending)
        return false;
    if (!AcceptedEntry(path)) {
        MessageBoxW(shell.context->mainWindow, kUnsupportedType, kShellCaption, MB_OK | MB_ICONWARNING);
        return false;
    }
    if (AskToSaveChanges(shell, SaveChangesAs::DocumentKind) == SaveAnswer::Abandon)
        return false;
    return LoadByExtension(shell, path);
}

bool OpenRecentFile(ShellState& shell, const wchar_t* path)
{
    if (AskToSaveChanges(shell, SaveChangesAs::DocumentKind) == SaveAnswer::Abandon)
        return false;
    if (!path[0] || !PathFileExistsW(path)) {
        MessageBoxW(shell.context->mainWindow, kRecentFileMissing, kShellCaption, MB_OK | MB_ICONERROR);
        return false;
    }
    return LoadByExtension(shell, path);
}
