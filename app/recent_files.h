// The recent-files list: four full paths, most recent first, kept in the registry under the
// local-machine root and shown in the File menu as items 32784 to 32787.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

using RecentList = std::vector<std::wstring>;

constexpr int kMaxRecentFiles = 4;

// The list with `path` first, then the old entries without any equal to it (letter case
// ignored), cut to four.
RecentList PutFirst(const RecentList& list, const std::wstring& path);

// The path as the platform shows it: a path written entirely in capitals becomes lower case.
std::wstring PrettyPath(const std::wstring& path);

// The list held in the registry (empty when the key is missing).
RecentList ReadRecentFilesFromRegistry();

// Reads the stored list into the session and into the File menu of `window`.
void LoadRecentFiles(HWND window);

// Puts a successfully opened path at the top of the list, stores it and shows it.
void AddRecentFile(HWND window, const wchar_t* path);

// The path shown by recent-file item `slot` (0 to 3); empty when there is none.
std::wstring RecentFileAt(int slot);
