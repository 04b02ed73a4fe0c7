#include "program_window.h"

namespace {

struct Search {
    DWORD process;
    HWND window;
};

BOOL CALLBACK IsShownMainWindow(HWND window, LPARAM param)
{
    Search* search = reinterpret_cast<Search*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (process == search->process && lstrcmpW(className, L"VEXIL") == 0 && IsWindowVisible(window)) {
        search->window = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::wstring ThisProgramFolder()
{
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring path = self;
    return path.substr(0, path.find_last_of(L"\\/"));
}

std::wstring PathBesideThisProgram(const std::wstring& fileName)
{
    return ThisProgramFolder() + L"\\" + fileName;
}

HWND FindShownMainWindow(DWORD processId)
{
    Search search = {processId, nullptr};
    EnumWindows(IsShownMainWindow, LPARAM(&search));
    return search.window;
}

HWND WaitForShownMainWindow(DWORD processId)
{
    HWND window = nullptr;
    for (int attempt = 0; attempt < 200 && !window; attempt++) {
        Sleep(50);
        window = FindShownMainWindow(processId);
    }
    return window;
}
