#include "recent_files.h"

#include <shlwapi.h>

#include "resources/vexil/vexil_resources.h"

namespace {

constexpr wchar_t kRecentKey[] = L"SOFTWARE\\Vexil\\Most Recent";
constexpr int kRecentSeparatorPosition = 16;
constexpr int kFileMenuItemsWithoutRecent = 18;

// The list the menu shows. It is the session's own, so that an item opens the path it
// shows even when the registry could not be written or was changed meanwhile.
RecentList gRecent;

std::wstring ValueName(int slot)
{
    return L"RC" + std::to_wstring(slot + 1);
}

bool SamePath(const std::wstring& a, const std::wstring& b)
{
    return lstrcmpiW(a.c_str(), b.c_str()) == 0;
}

// The key is opened, never created: a machine without it keeps the list for the session only.
void WriteRecentFiles(const RecentList& list)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRecentKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    for (int slot = 0; slot < kMaxRecentFiles; slot++) {
        const std::wstring value = slot < int(list.size()) ? list[size_t(slot)] : std::wstring();
        RegSetValueExW(key, ValueName(slot).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       DWORD((value.size() + 1) * sizeof(wchar_t)));
    }
    RegCloseKey(key);
}

HMENU FileMenu(HWND window)
{
    HMENU bar = GetMenu(window);
    return bar ? GetSubMenu(bar, 0) : nullptr;
}

void RemoveRecentItems(HMENU menu)
{
    if (GetMenuItemCount(menu) <= kFileMenuItemsWithoutRecent)
        return;
    DeleteMenu(menu, kRecentSeparatorPosition, MF_BYPOSITION);
    for (int id = CMD_RECENT_FILE_1; id <= CMD_RECENT_FILE_4; id++)
        DeleteMenu(menu, UINT(id), MF_BYCOMMAND);
}

// A path is shown as it is; an ampersand in it must not turn into an access key.
std::wstring MenuText(const std::wstring& path)
{
    std::wstring text;
    for (wchar_t c : path) {
        text += c;
        if (c == L'&')
            text += L'&';
    }
    return text;
}

void ShowRecentItems(HWND window)
{
    HMENU menu = FileMenu(window);
    if (!menu)
        return;
    RemoveRecentItems(menu);
    if (!gRecent.empty() && !gRecent[0].empty()) {
        InsertMenuW(menu, kRecentSeparatorPosition, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
        int position = kRecentSeparatorPosition + 1;
        for (size_t slot = 0; slot < gRecent.size(); slot++) {
            if (gRecent[slot].empty())
                continue;
            InsertMenuW(menu, UINT(position++), MF_BYPOSITION | MF_STRING, CMD_RECENT_FILE_1 + slot,
                        MenuText(gRecent[slot]).c_str());
        }
    }
    DrawMenuBar(window);
}

}  // namespace

RecentList PutFirst(const RecentList& list, const std::wstring& path)
{
    RecentList result{path};
    for (const std::wstring& entry : list) {
        if (int(result.size()) == kMaxRecentFiles)
            break;
        if (!entry.empty() && !SamePath(entry, path))
            result.push_back(entry);
    }
    return result;
}

std::wstring PrettyPath(const std::wstring& path)
{
    wchar_t buffer[MAX_PATH] = {};
    lstrcpynW(buffer, path.c_str(), MAX_PATH);
    PathMakePrettyW(buffer);
    return buffer;
}

RecentList ReadRecentFilesFromRegistry()
{
    RecentList list;
    for (int slot = 0; slot < kMaxRecentFiles; slot++) {
        wchar_t value[MAX_PATH] = {};
        DWORD size = sizeof(value) - sizeof(wchar_t);
        if (RegGetValueW(HKEY_LOCAL_MACHINE, kRecentKey, ValueName(slot).c_str(), RRF_RT_REG_SZ, nullptr, value,
                         &size) != ERROR_SUCCESS)
            value[0] = 0;
        list.push_back(value);
    }
    while (!list.empty() && list.back().empty())
        list.pop_back();
    return list;
}

void LoadRecentFiles(HWND window)
{
    gRecent = ReadRecentFilesFromRegistry();
    ShowRecentItems(window);
}

void AddRecentFile(HWND window, const wchar_t* path)
{
    gRecent = PutFirst(gRecent, PrettyPath(path));
    WriteRecentFiles(gRecent);
    ShowRecentItems(window);
}

std::wstring RecentFileAt(int slot)
{
    return slot >= 0 && slot < int(gRecent.size()) ? gRecent[size_t(slot)] : std::wstring();
}
