#include "open_by_path.h"

#include <shlwapi.h>

#include "document_changes.h"

namespace {

constexpr wchar_t kUnsupportedType[] = L"This file type is not supported by Vexil";

enum class Reader { None, Icon, Cursor, AnimatedCursor, Project, Library };

Reader ReaderForExtension(const wchar_t* path)
{
    const wchar_t* extension = PathFindExtensionW(path);
    struct Entry {
        const wchar_t* extension;
        Reader reader;
    };
    static const Entry kEntries[] = {
        {L".ico", Reader::Icon},    {L".cur", Reader::Cursor},  {L".ani", Reader::AnimatedCursor},
        {L".fic", Reader::Project}, {L".nil", Reader::Library}, {L".icl", Reader::Library},
        {L".exe", Reader::Library}, {L".dll", Reader::Library}, {L".scr", Reader::Library},
        {L".ocx", Reader::Library}, {L".cpl", Reader::Library},
    };
    for (const Entry& entry : kEntries) {
        if (lstrcmpiW(extension, entry.extension) == 0)
            return entry.reader;
    }
    return Reader::None;
}

// Only icons and cursors have readers so far; the animated cursor, project and library
// readers arrive with the file commands, and until then those files are refused as unsupported.
bool HasReader(Reader reader)
{
    return reader == Reader::Icon || reader == Reader::Cursor;
}

Resource* Load(Reader reader, HWND owner, const wchar_t* path)
{
    switch (reader) {
    case Reader::Icon: return PYX_LoadIconFromFile(owner, path);
    case Reader::Cursor: return PYX_LoadCursorFromFile(owner, path);
    default: return nullptr;
    }
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

bool OpenFileByPath(ShellState& shell, const wchar_t* path)
{
    HWND owner = shell.context->mainWindow;
    const Reader reader = ReaderForExtension(path);
    if (!HasReader(reader)) {
        MessageBoxW(owner, kUnsupportedType, kShellCaption, MB_OK | MB_ICONWARNING);
        return false;
    }
    if (AskToSaveChanges(shell) == SaveAnswer::Abandon)
        return false;
    return InstallDocument(shell, Load(reader, owner, path), path);
}
