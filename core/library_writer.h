// Building a new icon library: a copy of the template module whose resources are replaced
// by the icons of the chosen .ico files. The worker runs on a thread of its own behind the
// progress dialog, or directly in the console tool.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "common/messages.h"  // kLibraryProgress, kLibraryFailed, kLibraryDone

constexpr size_t kLibraryPathLength = 260;
constexpr uint16_t kFirstLibraryGroupId = 101;

// One creation, shared by the worker and whoever waits for it.
struct LibraryCreation {
    std::wstring templatePath;
    std::wstring targetPath;
    std::vector<std::wstring> files;  // full paths, in the order they become groups
    HWND progressDialog = nullptr;    // owns the worker's boxes, receives its messages; may be null
    HANDLE worker = nullptr;
    CRITICAL_SECTION lock;  // guards the three fields below and every box the worker shows
    bool cancel = false;
    wchar_t currentPath[kLibraryPathLength] = {};
    int position = 0;
};

enum class LibraryOutcome { kDone, kFailed, kCancelled };

// The program folder: "AppPath" of HKLM "SOFTWARE\Vexil\Path", else the folder of the
// running program. No trailing backslash.
std::wstring LibraryApplicationDirectory();

// Where every new library starts from: the program folder's TempDll.dll.
std::wstring LibraryTemplatePath();

// Builds the library described by `creation` (its lock initialised): reports each file
// under the lock, posts progress and then failed or done to the progress dialog, and shows
// the result or the failure in a box. The target is replaced only when everything was
// written; a failure or a cancel leaves whatever was there before.
LibraryOutcome RunLibraryWorker(LibraryCreation* creation);
