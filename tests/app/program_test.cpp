// vexil.exe itself: started as its own process, it shows the main window with the file named
// on its command line and ends with code 0 when closed.
#include <gtest/gtest.h>

#include <string>

#include "core/pyx.h"
#include "harness/program_window.h"
#include "harness/test_files.h"

TEST(Program, StartsWithTheCommandLineFileAndEndsCleanly)
{
    Resource* resource = PYX_CreateNewResource();
    PYX_DeleteImage(resource->firstImage);
    resource->firstImage = PYX_CreateImage(64, 64);
    const std::wstring icon = TestPath(L"started with.ico");
    ASSERT_EQ(PYX_SaveIconToFile(nullptr, icon.c_str(), resource), 1);
    PYX_DoCleanupInternalResource(resource);

    const std::wstring program = PathBesideThisProgram(L"vexil.exe");
    std::wstring commandLine = L"\"" + program + L"\" \"" + icon + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    HWND window = WaitForShownMainWindow(process.dwProcessId);
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
