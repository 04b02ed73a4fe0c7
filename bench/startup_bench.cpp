// Start-up of vexil.exe: from process start to its main window shown, less the half-second
// pause that start-up makes on purpose before showing the window.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench.h"

namespace {

constexpr double kDeliberatePause = 500;

struct Search {
    DWORD process;
    HWND window;
};

BOOL CALLBACK FindShownMainWindow(HWND window, LPARAM param)
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

std::wstring ProgramPath()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + L"vexil.exe";
}

// Milliseconds until the main window was shown, or a negative value when it never was.
double TimeOneStart()
{
    std::wstring commandLine = L"\"" + ProgramPath() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    Search search = {process.dwProcessId, nullptr};
    double elapsed = 0;
    while (!search.window && elapsed < 10000) {
        Sleep(2);
        EnumWindows(FindShownMainWindow, LPARAM(&search));
        QueryPerformanceCounter(&now);
        elapsed = double(now.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart);
    }
    if (search.window)
        PostMessageW(search.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return search.window ? elapsed : -1;
}

}  // namespace

void RunStartupBenchmarks()
{
    std::vector<double> times;
    for (int run = 0; run < 4; run++) {
        const double time = TimeOneStart();
        if (time < 0) {
            std::printf("vexil.exe start-up: the main window did not appear (no display?)\n");
            return;
        }
        if (run > 0)  // the first start warms the caches
            times.push_back(time);
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    Report("vexil.exe start to main window shown, beyond the 500 ms pause", median - kDeliberatePause, 300);
}
