// The built modules as Windows sees them: each one's version resource, the application
// manifest of the two programs, and what the manifest changes when vexil.exe runs (the
// version 6 common controls) and what it must not change (any control's size or position).
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/program_window.h"
#include "harness/test_files.h"
#include "vexil_version.h"

namespace {

std::wstring VersionString(const std::vector<BYTE>& block, const std::wstring& name)
{
    void* value = nullptr;
    UINT length = 0;
    const std::wstring query = L"\\StringFileInfo\\040904B0\\" + name;
    if (!VerQueryValueW(block.data(), query.c_str(), &value, &length) || !value)
        return L"<missing>";
    return static_cast<const wchar_t*>(value);
}

struct ModuleCase {
    const wchar_t* file;
    const wchar_t* description;
    DWORD fileType;
};

const ModuleCase kModules[] = {
    {L"vexil.exe", L"Vexil icon editor", VFT_APP},
    {L"vexilc.exe", L"Vexil command-line tool", VFT_APP},
    {L"vexil-bench.exe", L"Vexil benchmark", VFT_APP},
    {L"pyx.dll", L"Vexil document core", VFT_DLL},
    {L"easel.dll", L"Vexil editing area", VFT_DLL},
    {L"sieve.dll", L"Vexil filters", VFT_DLL},
    {L"lustre.dll", L"Vexil effects", VFT_DLL},
    {L"fxdialogs.dll", L"Vexil filter and effect dialogs", VFT_DLL},
    {L"imagestrip.dll", L"Vexil image list", VFT_DLL},
    {L"layerpane.dll", L"Vexil layers panel", VFT_DLL},
    {L"swatch.dll", L"Vexil color picker", VFT_DLL},
    {L"toolrack.dll", L"Vexil toolbox", VFT_DLL},
    {L"pixport.dll", L"Vexil image import", VFT_DLL},
    {L"TempDll.dll", L"Vexil icon library", VFT_DLL},
};

}  // namespace

TEST(VersionResources, EveryModuleNamesTheOneVersionAndItsOwnDescription)
{
    for (const ModuleCase& m : kModules) {
        SCOPED_TRACE(testing::Message() << "module " << std::string(m.file, m.file + lstrlenW(m.file)));
        const std::wstring path = PathBesideThisProgram(m.file);
        DWORD handle = 0;
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
        ASSERT_GT(size, 0u);
        std::vector<BYTE> block(size);
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));

        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
        EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
        const DWORD high = DWORD(VEXIL_VERSION_MAJOR) << 16 | VEXIL_VERSION_MINOR;
        const DWORD low = DWORD(VEXIL_VERSION_PATCH) << 16;
        EXPECT_EQ(fixed->dwFileVersionMS, high);
        EXPECT_EQ(fixed->dwFileVersionLS, low);
        EXPECT_EQ(fixed->dwProductVersionMS, high);
        EXPECT_EQ(fixed->dwProductVersionLS, low);
        EXPECT_EQ(fixed->dwFileType, m.fileType);

        EXPECT_EQ(VersionString(block, L"FileDescription"), m.description);
        EXPECT_EQ(VersionString(block, L"ProductName"), L"Vexil");
        EXPECT_EQ(VersionString(block, L"FileVersion"), VEXIL_VERSION_TEXT_W);
        EXPECT_EQ(VersionString(block, L"ProductVersion"), VEXIL_VERSION_TEXT_W);
        EXPECT_EQ(VersionString(block, L"OriginalFilename"), m.file);
        EXPECT_EQ(VersionString(block, L"LegalCopyright").rfind(L"Copyright (C) ", 0), 0u);
        EXPECT_EQ(VersionString(block, L"CompanyName"), L"The Vexil developers");
    }
}

TEST(VersionResources, TheNumberIsThreePlainNumbers)
{
    // The packaging names its files after this text, so it must stay a plain dotted number
    // and agree with the numeric fields.
    const std::wstring expected = std::to_wstring(VEXIL_VERSION_MAJOR) + L"." + std::to_wstring(VEXIL_VERSION_MINOR) +
                                  L"." + std::to_wstring(VEXIL_VERSION_PATCH);
    EXPECT_EQ(std::wstring(VEXIL_VERSION_TEXT_W), expected);
}

namespace {

std::string ManifestOf(const std::wstring& file)
{
    HMODULE module = LoadLibraryExW(PathBesideThisProgram(file).c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module)
        return "<not loaded>";
    std::string text = "<no manifest>";
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    if (loaded)
        text.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
    FreeLibrary(module);
    return text;
}

}  // namespace

TEST(Manifest, BothProgramsAskForTheThemedControlsWindows7To11AndNoElevation)
{
    const char* const kRequired[] = {
        "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
        "publicKeyToken=\"6595b64144ccf1df\"",
        "level=\"asInvoker\"",
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // Windows 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // Windows 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // Windows 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // Windows 10 and 11
        "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">false</dpiAware>",
        "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">unaware</dpiAwareness>",
    };
    for (const wchar_t* program : {L"vexil.exe", L"vexilc.exe"}) {
        const std::string manifest = ManifestOf(program);
        for (const char* fragment : kRequired)
            EXPECT_NE(manifest.find(fragment), std::string::npos)
                << std::string(program, program + lstrlenW(program)) << " lacks " << fragment << "\n" << manifest;
    }
    // The libraries and the benchmark carry none: a DLL's manifest would be read by nobody.
    EXPECT_EQ(ManifestOf(L"pyx.dll"), "<no manifest>");
    EXPECT_EQ(ManifestOf(L"vexil-bench.exe"), "<no manifest>");
}

namespace {

struct Control {
    std::wstring className;
    int id;
    RECT rect;  // in the main window's client coordinates
    bool visible;
};

struct RunningProgram {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
};

RunningProgram Start(const std::wstring& program)
{
    RunningProgram running;
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &running.process))
        return running;
    WaitForInputIdle(running.process.hProcess, 20000);
    running.window = WaitForShownMainWindow(running.process.dwProcessId);
    return running;
}

void Close(RunningProgram& running)
{
    if (running.window)
        PostMessageW(running.window, WM_CLOSE, 0, 0);
    if (running.process.hProcess) {
        if (WaitForSingleObject(running.process.hProcess, 10000) != WAIT_OBJECT_0)
            TerminateProcess(running.process.hProcess, 1);
        CloseHandle(running.process.hThread);
        CloseHandle(running.process.hProcess);
    }
}

struct Collection {
    HWND main;
    std::vector<Control> controls;
};

BOOL CALLBACK CollectControl(HWND child, LPARAM param)
{
    Collection* collection = reinterpret_cast<Collection*>(param);
    Control control;
    wchar_t className[64] = {};
    GetClassNameW(child, className, 64);
    control.className = className;
    control.id = GetDlgCtrlID(child);
    GetWindowRect(child, &control.rect);
    MapWindowPoints(nullptr, collection->main, reinterpret_cast<POINT*>(&control.rect), 2);
    control.visible = IsWindowVisible(child) != FALSE;
    collection->controls.push_back(control);
    return TRUE;
}

// Every window inside the main window, in creation order (EnumChildWindows walks the tree).
std::vector<Control> Controls(HWND main)
{
    Collection collection = {main, {}};
    EnumChildWindows(main, CollectControl, LPARAM(&collection));
    return collection.controls;
}

// The trackbars of a running program and what each answers to CCM_GETVERSION.
struct Trackbar {
    LRESULT answer;
};

struct TrackbarSearch {
    std::vector<Trackbar> found;
};

// The comctl32.dll files loaded in the process. The old controls come from the system
// folder; the version 6 ones from the side-by-side folder of Microsoft.Windows.Common-Controls.
std::wstring LoadedCommonControls(HANDLE process)
{
    HMODULE modules[512] = {};
    DWORD bytes = 0;
    if (!K32EnumProcessModules(process, modules, sizeof(modules), &bytes))
        return L"<not listed>";
    std::wstring found;
    for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 512; i++) {
        wchar_t path[MAX_PATH] = {};
        K32GetModuleFileNameExW(process, modules[i], path, MAX_PATH);
        CharLowerW(path);
        if (std::wstring(path).find(L"comctl32.dll") != std::wstring::npos)
            found += std::wstring(path) + L";";
    }
    return found;
}

bool FromSideBySide(const std::wstring& paths)
{
    return paths.find(L"\\winsxs\\") != std::wstring::npos &&
           paths.find(L"microsoft.windows.common-controls") != std::wstring::npos;
}

BOOL CALLBACK InspectTrackbar(HWND child, LPARAM param)
{
    wchar_t className[64] = {};
    GetClassNameW(child, className, 64);
    if (lstrcmpiW(className, TRACKBAR_CLASSW) == 0)
        reinterpret_cast<TrackbarSearch*>(param)->found.push_back({SendMessageW(child, CCM_GETVERSION, 0, 0)});
    return TRUE;
}

std::vector<Trackbar> Trackbars(const RunningProgram& running)
{
    TrackbarSearch search;
    EnumChildWindows(running.window, InspectTrackbar, LPARAM(&search));
    return search.found;
}

// A copy of vexil.exe beside it (so it finds its libraries) whose manifest no longer asks
// for the version 6 common controls: the program as it was drawn before, all else alike.
std::wstring UnthemedCopy()
{
    std::string manifest = ManifestOf(L"vexil.exe");
    const size_t begin = manifest.find("<dependency>");
    const size_t end = manifest.find("</dependency>");
    if (begin == std::string::npos || end == std::string::npos)
        return L"";
    manifest.erase(begin, end + lstrlenA("</dependency>") - begin);

    const std::wstring copy = PathBesideThisProgram(L"vexil-unthemed.exe");
    if (!CopyFileW(PathBesideThisProgram(L"vexil.exe").c_str(), copy.c_str(), FALSE))
        return L"";
    HMODULE module = LoadLibraryExW(copy.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    WORD language = 0xFFFF;
    EnumResourceLanguagesW(
        module, RT_MANIFEST, MAKEINTRESOURCEW(1),
        [](HMODULE, LPCWSTR, LPCWSTR, WORD found, LONG_PTR param) -> BOOL {
            *reinterpret_cast<WORD*>(param) = found;
            return FALSE;
        },
        LONG_PTR(&language));
    FreeLibrary(module);
    HANDLE update = language == 0xFFFF ? nullptr : BeginUpdateResourceW(copy.c_str(), FALSE);
    if (!update || !UpdateResourceW(update, RT_MANIFEST, MAKEINTRESOURCEW(1), language, manifest.data(),
                                    DWORD(manifest.size())) ||
        !EndUpdateResourceW(update, FALSE))
        return L"";
    return copy;
}

}  // namespace

TEST(Manifest, ProgramRunsWithVersion6ControlsAndTheSameLayoutAsWithout)
{
    const std::wstring unthemedPath = UnthemedCopy();
    ASSERT_FALSE(unthemedPath.empty());
    const std::string unthemedManifest = ManifestOf(L"vexil-unthemed.exe");
    ASSERT_EQ(unthemedManifest.find("Common-Controls"), std::string::npos) << unthemedManifest;
    ASSERT_NE(unthemedManifest.find("asInvoker"), std::string::npos) << unthemedManifest;

    RunningProgram unthemed = Start(unthemedPath);
    ASSERT_NE(unthemed.window, nullptr);
    const std::vector<Control> before = Controls(unthemed.window);
    const std::vector<Trackbar> oldTrackbars = Trackbars(unthemed);
    const std::wstring oldLibrary = LoadedCommonControls(unthemed.process.hProcess);
    Close(unthemed);
    DeleteFileW(unthemedPath.c_str());

    RunningProgram themed = Start(PathBesideThisProgram(L"vexil.exe"));
    ASSERT_NE(themed.window, nullptr);
    const std::vector<Control> after = Controls(themed.window);
    const std::vector<Trackbar> newTrackbars = Trackbars(themed);
    const std::wstring newLibrary = LoadedCommonControls(themed.process.hProcess);
    Close(themed);

    // The editing area's strip has three trackbars; without the manifest they are the old
    // controls, with it the version 6 ones. Windows answers CCM_GETVERSION with the version;
    // Wine's trackbar does not answer it (0), so there the library the program loaded decides.
    EXPECT_TRUE(FromSideBySide(newLibrary)) << std::string(newLibrary.begin(), newLibrary.end());
    EXPECT_FALSE(FromSideBySide(oldLibrary)) << std::string(oldLibrary.begin(), oldLibrary.end());
    ASSERT_GE(newTrackbars.size(), 3u);
    ASSERT_EQ(oldTrackbars.size(), newTrackbars.size());
    for (size_t i = 0; i < newTrackbars.size(); i++) {
        EXPECT_TRUE(newTrackbars[i].answer == 6 || newTrackbars[i].answer == 0) << "trackbar " << i;
        EXPECT_LT(oldTrackbars[i].answer, 6) << "trackbar " << i;
    }

    // The options bar alone has 74 controls; every window keeps its class, place and size.
    ASSERT_GT(after.size(), 74u);
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); i++) {
        const Control& a = before[i];
        const Control& b = after[i];
        SCOPED_TRACE(testing::Message() << "window " << i << " class "
                                        << std::string(b.className.begin(), b.className.end()) << " id " << b.id);
        EXPECT_EQ(a.className, b.className);
        EXPECT_EQ(a.id, b.id);
        EXPECT_EQ(a.visible, b.visible);
        EXPECT_EQ(a.rect.left, b.rect.left);
        EXPECT_EQ(a.rect.top, b.rect.top);
        EXPECT_EQ(a.rect.right, b.rect.right);
        EXPECT_EQ(a.rect.bottom, b.rect.bottom);
    }
}

namespace {

// Runs vexilc with the arguments and returns what it printed; the exit code in *code.
std::string RunVexilc(const std::wstring& arguments, DWORD* code)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE outRead = nullptr, outWrite = nullptr;
    CreatePipe(&outRead, &outWrite, &inherit, 1 << 16);  // room for all it prints
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = outWrite;
    startup.hStdError = outWrite;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + PathBesideThisProgram(L"vexilc.exe") + L"\" " + arguments;
    const BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &startup, &process);
    CloseHandle(outWrite);
    std::string text;
    if (started) {
        // Wait for the program rather than for the end of the pipe: a process the system starts
        // meanwhile (the desktop's) may inherit the write end and keep the pipe open for good.
        WaitForSingleObject(process.hProcess, 60000);
        char buffer[1024];
        DWORD waiting = 0, got = 0;
        while (PeekNamedPipe(outRead, nullptr, 0, nullptr, &waiting, nullptr) && waiting > 0 &&
               ReadFile(outRead, buffer, sizeof buffer, &got, nullptr) && got > 0)
            text.append(buffer, got);
        GetExitCodeProcess(process.hProcess, code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(outRead);
    return text;
}

}  // namespace

TEST(VersionResources, VexilcPrintsTheNumberOfItsOwnVersionResource)
{
    const std::wstring path = PathBesideThisProgram(L"vexilc.exe");
    DWORD handle = 0;
    std::vector<BYTE> block(GetFileVersionInfoSizeW(path.c_str(), &handle));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, DWORD(block.size()), block.data()));
    const std::wstring number = VersionString(block, L"ProductVersion");

    struct Case {
        const wchar_t* arguments;
        DWORD code;
        std::string output;
    };
    const Case cases[] = {
        {L"--version", 0, "vexilc " + std::string(number.begin(), number.end()) + "\r\n"},
        {L"--version extra", 2, "usage: vexilc info [--json] FILE...\r\n       vexilc convert"},
    };
    for (const Case& c : cases) {
        DWORD code = 99;
        const std::string output = RunVexilc(c.arguments, &code);
        EXPECT_EQ(code, c.code) << std::string(c.arguments, c.arguments + lstrlenW(c.arguments));
        EXPECT_EQ(output.substr(0, c.output.size()), c.output);
    }
}
