// vexil.exe itself: started as its own process, it shows the main window with the file named
// on its command line and ends with code 0 when closed.
#include <gtest/gtest.h>

#include <string>

#include "core/pyx.h"
#include "harness/test_files.h"

namespace {

std::wstring ProgramPath()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + L"vexil.exe";
}

struct Found {
    DWORD process;
    HWND window;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM param)
{
    Found* found = reinterpret_cast<Found*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (process == found->process && lstrcmpW(className, L"VEXIL") == 0 && IsWindowVisible(window)) {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForMainWindow(DWORD process)
{
    Found found = {process, nullptr};
    for (int attempt = 0; attempt < 200 && !found.window; attempt++) {
        Sleep(50);
        EnumWindows(FindMainWindow, LPARAM(&found));
    }
    return found.window;
}

}  // namespace

TEST(Program, StartsWithTheCommandLineFileAndEndsCleanly)
{
    Resource* resource = PYX_CreateNewResource();
    PYX_DeleteImage(resource->firstImage);
    resource->firstImage = PYX_CreateImage(64, 64);
    const std::wstring icon = TestPath(L"started with.ico");
    ASSERT_EQ(PYX_SaveIconToFile(nullptr, icon.c_str(), resource), 1);
    PYX_DoCleanupInternalResource(resource);

    std::wstring commandLine = L"\"" + ProgramPath() + L"\" \"" + icon + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(ProgramPath().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    HWND window = WaitForMainWindow(process.dwProcessId);
    ASSERT_NE(window, nullptr);
    wchar_t title[512] = {};
    GetWindowTextW(window, title, 512);
    EXPECT_EQ(std::wstring(title), L"Vexil 1.0 - " + icon);
    EXPECT_NE(GetMenu(window), nullptr);
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}
