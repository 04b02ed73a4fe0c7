// The installer test's eyes inside Wine: waits for Vexil's main window, asks it for help the
// way the F1 key does, and reports which windows appear. Prints what it found and exits 0
// when the expected window is there, 1 when it is not.
//   window_check main     the main window is shown
//   window_check help     Help opens a help window (and no "couldn't be found" box)
//   window_check close    the main window closes and the program ends
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "resources/vexil/vexil_resources.h"

namespace {

// Bounded waits, so that a missing window fails the test instead of hanging it.
constexpr int kPolls = 300;
constexpr DWORD kPollMs = 100;

std::wstring TextOf(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

HWND MainWindow()
{
    HWND window = FindWindowW(L"VEXIL", nullptr);
    return window && IsWindowVisible(window) ? window : nullptr;
}

HWND WaitForMainWindow()
{
    for (int i = 0; i < kPolls; i++) {
        if (HWND window = MainWindow())
            return window;
        Sleep(kPollMs);
    }
    return nullptr;
}

struct Found {
    DWORD process;
    HWND help;
    HWND box;
};

// A help window is any visible top-level window of a process other than Vexil's whose title
// is the help file's; a message box of Vexil's own process means Help failed.
BOOL CALLBACK Look(HWND window, LPARAM data)
{
    Found* found = reinterpret_cast<Found*>(data);
    if (!IsWindowVisible(window))
        return TRUE;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == found->process && ClassOf(window) == L"#32770")
        found->box = window;
    else if (process != found->process && TextOf(window) == L"Vexil Help")
        found->help = window;
    return TRUE;
}

std::wstring BoxText(HWND box)
{
    std::wstring text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (ClassOf(child) == L"Static" && !TextOf(child).empty())
            text += TextOf(child);
    return text;
}

int CheckMain()
{
    HWND window = WaitForMainWindow();
    if (!window) {
        std::printf("no main window\n");
        return 1;
    }
    std::printf("main window: %ls\n", TextOf(window).c_str());
    return 0;
}

int CheckHelp()
{
    HWND window = WaitForMainWindow();
    if (!window) {
        std::printf("no main window\n");
        return 1;
    }
    Found found = {0, nullptr, nullptr};
    GetWindowThreadProcessId(window, &found.process);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(CMD_HELP, 1), 0);  // as the F1 accelerator sends it
    for (int i = 0; i < kPolls && !found.help && !found.box; i++) {
        Sleep(kPollMs);
        EnumWindows(Look, reinterpret_cast<LPARAM>(&found));
    }
    if (found.box) {
        std::printf("message box instead of help: %ls\n", BoxText(found.box).c_str());
        PostMessageW(found.box, WM_COMMAND, IDOK, 0);
        return 1;
    }
    if (!found.help) {
        std::printf("no help window\n");
        return 1;
    }
    std::printf("help window: %ls (%ls)\n", TextOf(found.help).c_str(), ClassOf(found.help).c_str());
    PostMessageW(found.help, WM_CLOSE, 0, 0);
    return 0;
}

int CheckClose()
{
    HWND window = WaitForMainWindow();
    if (!window) {
        std::printf("no main window\n");
        return 1;
    }
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    HANDLE handle = OpenProcess(SYNCHRONIZE, FALSE, process);
    PostMessageW(window, WM_CLOSE, 0, 0);
    const bool ended = handle && WaitForSingleObject(handle, kPolls * kPollMs) == WAIT_OBJECT_0;
    if (handle)
        CloseHandle(handle);
    std::printf(ended ? "closed\n" : "the program did not end\n");
    return ended ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 2 && std::wcscmp(argv[1], L"main") == 0)
        return CheckMain();
    if (argc == 2 && std::wcscmp(argv[1], L"help") == 0)
        return CheckHelp();
    if (argc == 2 && std::wcscmp(argv[1], L"close") == 0)
        return CheckClose();
    std::printf("usage: window_check main|help|close\n");
    return 2;
}
