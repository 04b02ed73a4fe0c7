#include "startup.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <string>

#include "common/selection_state.h"
#include "document_changes.h"
#include "main_window.h"
#include "menu_states.h"
#include "open_by_path.h"
#include "panels.h"
#include "picture_windows.h"
#include "recent_files.h"
#include "resources/vexil/vexil_resources.h"
#include "selection.h"
#include "undo_chain.h"

namespace {

constexpr wchar_t kPathKey[] = L"SOFTWARE\\Vexil\\Path";
constexpr wchar_t kNewProjectTitle[] = L"Vexil 1.0 - New Project";
constexpr DWORD kSplashPause = 500;
constexpr wchar_t kPictureType[] = L"P32";

ShellState gShell;

// The program folder comes from the registry; a copy that was never installed runs from
// its own folder, as an installed one would.
void EnterProgramFolder()
{
    wchar_t folder[260] = {};
    DWORD size = sizeof(folder) - sizeof(wchar_t);
    const LSTATUS status =
        RegGetValueW(HKEY_LOCAL_MACHINE, kPathKey, L"AppPath", RRF_RT_REG_SZ, nullptr, folder, &size);
    if (status != ERROR_SUCCESS || !folder[0]) {
        GetModuleFileNameW(nullptr, folder, 260);
        PathRemoveFileSpecW(folder);
    }
    SetCurrentDirectoryW(folder);
}

bool StartGraphics(ShellState& shell)
{
    Gdiplus::GdiplusStartupInput input;
    return Gdiplus::GdiplusStartup(&shell.gdiplusToken, &input, nullptr) == Gdiplus::Ok;
}

void SetHelpPath(ShellState& shell)
{
    GetCurrentDirectoryW(MAX_PATH, shell.helpPath);
    lstrcatW(shell.helpPath, L"\\help.chm");
}

void StartCommonControls()
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
}

bool MakeContext(ShellState& shell)
{
    if (!CreateSharedPalettes(&shell.palettes))
        return false;
    AppContext* context = new AppContext{};
    shell.context = context;
    context->document = PYX_CreateNewResource();
    if (context->document)
        SetDocumentNames(context->document);
    context->brushSettings = new BrushSettings{};
    context->selection = new SelectionState{};
    ResetSelection(context);
    shell.transformPending = 0;
    ReplaceUndoChain(shell);
    context->palette256 = shell.palettes.palette256;
    context->palette16 = shell.palettes.palette16;
    context->palette2 = shell.palettes.palette2;
    return context->document != nullptr;
}

bool MakeMainWindow(ShellState& shell)
{
    if (!RegisterMainWindowClass(shell.instance))
        return false;
    HWND window = CreateMainWindow(shell.instance);
    if (!window)
        return false;
    shell.context->mainWindow = window;
    if (!CreatePanels(shell.context)) {
        DestroyWindow(window);
        shell.context->mainWindow = nullptr;
        return false;
    }
    LoadRecentFiles(window);
    SetWindowTextW(window, kNewProjectTitle);
    ResetSelection(shell.context);
    UpdateMenuStates(shell);
    return true;
}

void OpenCommandLineFile(ShellState& shell, const wchar_t* commandLine)
{
    const std::wstring path = CommandLinePath(commandLine);
    if (!path.empty() && PathFileExistsW(path.c_str()))
        OpenFileByPath(shell, path.c_str());
}

void ShowMainWindow(ShellState& shell)
{
    Sleep(kSplashPause);
    HWND window = shell.context->mainWindow;
    SetWindowPos(window, nullptr, 0, 0, kMinimumWidth, kMinimumHeight, SWP_NOMOVE | SWP_NOZORDER);
    CentreOn(window, nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    shell.accelerators = LoadAcceleratorsW(shell.instance, MAKEINTRESOURCEW(IDA_MAIN_ACCELERATORS));
    CloseSplashWindow(shell);
}

}  // namespace

ShellState& CurrentShell()
{
    return gShell;
}

bool StartVexil(HINSTANCE instance, const wchar_t* commandLine)
{
    ShellState& shell = gShell;
    shell = ShellState{};
    shell.instance = instance;
    EnterProgramFolder();
    if (!CheckScreenSize(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)))
        return false;
    if (!StartGraphics(shell))
        return false;
    shell.splashPicture = PYX_LoadCustomImageResource(instance, IDP_SPLASH, kPictureType);
    shell.splashWindow = ShowSplashWindow(shell);
    shell.aboutPicture = PYX_LoadCustomImageResource(instance, IDP_ABOUT, kPictureType);
    SetHelpPath(shell);
    StartCommonControls();
    if (!MakeContext(shell) || !MakeMainWindow(shell)) {
        FinishVexil();
        return false;
    }
    OpenCommandLineFile(shell, commandLine);
    SynchronizeDepth(*shell.context);
    ShowMainWindow(shell);
    return true;
}

static bool FocusIsInEditControl()
{
    wchar_t className[16] = {};
    HWND focus = GetFocus();
    return focus && GetClassNameW(focus, className, 16) && lstrcmpiW(className, L"Edit") == 0;
}

// Keys typed into an edit (the text tool's box, a number box) belong to that edit: Del,
// Ctrl+A or Ctrl+Z there must not become Delete Current Image, Select All or Undo.
bool TranslateShellAccelerator(MSG* message)
{
    HWND main = gShell.context ? gShell.context->mainWindow : nullptr;
    if (!main || !gShell.accelerators || FocusIsInEditControl())
        return false;
    return TranslateAcceleratorW(main, gShell.accelerators, message) != 0;
}

int RunMessageLoop()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (TranslateShellAccelerator(&message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return int(message.wParam);
}

void FinishVexil()
{
    ShellState& shell = gShell;
    CloseSplashWindow(shell);
    AppContext* context = shell.context;
    if (context) {
        PYX_DoCleanupInternalResource(context->document);
        context->document = nullptr;
    }
    DeleteSharedPalettes(&shell.palettes);
    if (context) {
        ClearSelection(context->selection);
        delete context->selection;
        delete context->brushSettings;
    }
    DeleteUndoChain(shell);
    delete shell.aboutPicture;
    shell.aboutPicture = nullptr;
    delete context;
    shell.context = nullptr;
    if (shell.accelerators)
        DestroyAcceleratorTable(shell.accelerators);
    shell.accelerators = nullptr;
    if (shell.gdiplusToken)
        Gdiplus::GdiplusShutdown(shell.gdiplusToken);
    shell.gdiplusToken = 0;
}
