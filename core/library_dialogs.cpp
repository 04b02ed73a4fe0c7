// Creating an icon library interactively: the open-file dialog with its "Target :" panel,
// the save dialog behind "...", and the modal progress dialog that runs the worker.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <cwchar>
#include <string>
#include <vector>

#include "library_format.h"
#include "library_writer.h"
#include "pyx.h"
#include "pyx_resource.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

constexpr size_t kSelectedFilesLength = 20480;

// Kept for the life of pyx, so that a second creation starts from the last target.
struct LibraryDialogState {
    bool ready = false;
    std::wstring applicationDirectory;
    wchar_t targetPath[kLibraryPathLength] = {};
    wchar_t selectedFiles[kSelectedFilesLength] = {};
    size_t fileCount = 0;
};

LibraryDialogState gLibrary;

HINSTANCE PyxModule()
{
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

void PrepareLibraryState()
{
    if (gLibrary.ready)
        return;
    gLibrary.ready = true;
    gLibrary.applicationDirectory = LibraryApplicationDirectory();
    const std::wstring target = gLibrary.applicationDirectory + L"\\NewLibrary.nil";
    wcsncpy(gLibrary.targetPath, target.c_str(), kLibraryPathLength - 1);
}

// --- the "Target :" panel -------------------------------------------------------------

RECT ChildRectIn(HWND panel, HWND child)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void MoveTo(HWND window, int left, int top, int width, int height)
{
    SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The label lines up with the dialog's file-type label, the field and the button share the
// width of the file-type list, the button ending where the list ends.
void LayoutTargetPanel(HWND panel)
{
    HWND dialog = GetParent(panel);
    HWND typeLabel = GetDlgItem(dialog, stc2);
    HWND typeList = GetDlgItem(dialog, cmb1);
    HWND label = GetDlgItem(panel, IDC_TARGET_LABEL);
    HWND field = GetDlgItem(panel, IDC_TARGET_PATH);
    HWND button = GetDlgItem(panel, IDC_TARGET_BROWSE);
    if (!typeLabel || !typeList || !label || !field || !button)
        return;
    const RECT labelRect = ChildRectIn(panel, typeLabel), listRect = ChildRectIn(panel, typeList);
    const RECT ownLabel = ChildRectIn(panel, label), ownField = ChildRectIn(panel, field);
    const RECT ownButton = ChildRectIn(panel, button);
    const int buttonWidth = ownButton.right - ownButton.left;
    MoveTo(label, labelRect.left, ownLabel.top, labelRect.right - labelRect.left, ownLabel.bottom - ownLabel.top);
    MoveTo(field, listRect.left, ownField.top, (listRect.right - listRect.left) - buttonWidth,
           ownField.bottom - ownField.top);
    MoveTo(button, listRect.right - buttonWidth, ownButton.top, buttonWidth, ownButton.bottom - ownButton.top);
}

bool RunSaveDialog(HWND owner, wchar_t* path)
{
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = L"New Icon Library Files ( *.nil )\0*.nil\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = kLibraryPathLength;
    dialog.lpstrTitle = L"Save Library As :";
    dialog.lpstrDefExt = L"nil";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_EXPLORER | OFN_NOCHANGEDIR;
    return GetSaveFileNameW(&dialog) != 0;
}

void ChooseTargetFile(HWND panel)
{
    wchar_t path[kLibraryPathLength] = {};
    GetDlgItemTextW(panel, IDC_TARGET_PATH, path, int(kLibraryPathLength));
    bool chosen = RunSaveDialog(GetParent(panel), path);
    if (!chosen && CommDlgExtendedError() == FNERR_INVALIDFILENAME) {
        path[0] = 0;  // the field held something that is no file name; start empty
        chosen = RunSaveDialog(GetParent(panel), path);
    }
    if (chosen)
        SetDlgItemTextW(panel, IDC_TARGET_PATH, path);
}

INT_PTR OnTargetPanelNotify(HWND panel, const OFNOTIFYW* notify)
{
    switch (notify->hdr.code) {
    case CDN_INITDONE:
        SendMessageW(GetParent(panel), CDM_SETCONTROLTEXT, IDOK, LPARAM(L"Create Library"));
        LayoutTargetPanel(panel);
        return 0;
    case CDN_FILEOK:
        GetDlgItemTextW(panel, IDC_TARGET_PATH, gLibrary.targetPath, int(kLibraryPathLength));
        return 0;
    default:
        return 0;
    }
}

UINT_PTR CALLBACK TargetPanelHook(HWND panel, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SendDlgItemMessageW(panel, IDC_TARGET_PATH, EM_LIMITTEXT, kLibraryPathLength - 1, 0);
        SetDlgItemTextW(panel, IDC_TARGET_PATH, gLibrary.targetPath);
        return TRUE;
    case WM_SIZE:
        LayoutTargetPanel(panel);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_TARGET_BROWSE && HIWORD(wParam) == BN_CLICKED)
            ChooseTargetFile(panel);
        return 0;
    case WM_NOTIFY:
        return OnTargetPanelNotify(panel, reinterpret_cast<const OFNOTIFYW*>(lParam));
    default:
        return 0;
    }
}

// Fills gLibrary.selectedFiles; false when the user cancelled.
bool ChooseIconFiles(HWND owner, size_t* fileNameOffset)
{
    gLibrary.selectedFiles[0] = 0;
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.hInstance = PyxModule();
    dialog.lpstrFilter = L"Icon Files ( *.ico )\0*.ico\0";
    dialog.lpstrFile = gLibrary.selectedFiles;
    dialog.nMaxFile = kSelectedFilesLength;
    dialog.lpstrTitle = L"Choose Icons :";
    dialog.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST |
                   OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_FORCESHOWHIDDEN | OFN_ENABLESIZING |
                   OFN_ENABLEHOOK | OFN_ENABLETEMPLATE;
    dialog.lpfnHook = TargetPanelHook;
    dialog.lpTemplateName = MAKEINTRESOURCEW(IDD_LIBRARY_TARGET);
    if (!GetOpenFileNameW(&dialog))
        return false;
    *fileNameOffset = dialog.nFileOffset;
    return true;
}

// --- the progress dialog --------------------------------------------------------------

// The worker holds the lock while its box, owned by this dialog, is open; that box needs
// this thread to answer the messages it sends, so serve them instead of blocking.
void EnterLockServingSentMessages(CRITICAL_SECTION* lock)
{
    while (!TryEnterCriticalSection(lock)) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_SENDMESSAGE);
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

void WaitServingSentMessages(HANDLE thread)
{
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

LibraryCreation* CreationOf(HWND dialog)
{
    return reinterpret_cast<LibraryCreation*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

DWORD WINAPI LibraryWorkerThread(LPVOID creation)
{
    RunLibraryWorker(static_cast<LibraryCreation*>(creation));
    return 0;
}

void EndWithWorker(HWND dialog)
{
    LibraryCreation* creation = CreationOf(dialog);
    if (creation->worker) {
        WaitServingSentMessages(creation->worker);
        CloseHandle(creation->worker);
        creation->worker = nullptr;
    }
    EndDialog(dialog, 0);
}

void OnProgressDialogInit(HWND dialog, LibraryCreation* creation)
{
    SetWindowLongPtrW(dialog, DWLP_USER, LONG_PTR(creation));
    HWND bar = GetDlgItem(dialog, IDC_PROGRESS_BAR);
    SendMessageW(bar, PBM_SETRANGE32, 0, LPARAM(creation->files.size()));
    SendMessageW(bar, PBM_SETPOS, 0, 0);
    SendMessageW(bar, PBM_SETSTEP, 1, 0);
    creation->progressDialog = dialog;
    creation->worker = CreateThread(nullptr, 0, LibraryWorkerThread, creation, 0, nullptr);
    if (!creation->worker) {
        MessageBoxW(dialog, L"Can not start library creation routine.", L"Unknown Error", MB_OK | MB_ICONERROR);
        EndDialog(dialog, 0);
    }
}

void OnProgress(HWND dialog)
{
    LibraryCreation* creation = CreationOf(dialog);
    EnterLockServingSentMessages(&creation->lock);
    SetDlgItemTextW(dialog, IDC_PROGRESS_FILE, creation->currentPath);
    SendDlgItemMessageW(dialog, IDC_PROGRESS_BAR, PBM_SETPOS, WPARAM(creation->position), 0);
    LeaveCriticalSection(&creation->lock);
}

void OnCancel(HWND dialog)
{
    LibraryCreation* creation = CreationOf(dialog);
    EnterLockServingSentMessages(&creation->lock);
    creation->cancel = true;
    LeaveCriticalSection(&creation->lock);
    EndWithWorker(dialog);
}

INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnProgressDialogInit(dialog, reinterpret_cast<LibraryCreation*>(lParam));
        return TRUE;
    case kLibraryProgress:
        OnProgress(dialog);
        return TRUE;
    case kLibraryFailed:
    case kLibraryDone:
        EndWithWorker(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL)
            OnCancel(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}

void RunProgressDialog(HWND owner, std::vector<std::wstring> files)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    LibraryCreation creation;
    creation.templatePath = gLibrary.applicationDirectory + L"\\TempDll.dll";
    creation.targetPath = gLibrary.targetPath;
    creation.files = std::move(files);
    InitializeCriticalSection(&creation.lock);
    DialogBoxParamW(PyxModule(), MAKEINTRESOURCEW(IDD_LIBRARY_PROGRESS), owner, ProgressDialogProc,
                    LPARAM(&creation));
    if (creation.worker) {  // the dialog went away some other way: never leave the worker behind
        EnterCriticalSection(&creation.lock);
        creation.cancel = true;
        creation.progressDialog = nullptr;
        LeaveCriticalSection(&creation.lock);
        WaitServingSentMessages(creation.worker);
        CloseHandle(creation.worker);
    }
    DeleteCriticalSection(&creation.lock);
}

}  // namespace

PYX_API void PYX_CreateLibrary(HWND owner, int flag)
{
    if (flag)
        return;
    PrepareLibraryState();
    size_t fileNameOffset = 0;
    if (!ChooseIconFiles(owner, &fileNameOffset))
        return;
    std::vector<std::wstring> files = SplitSelectedFiles(gLibrary.selectedFiles, kSelectedFilesLength, fileNameOffset);
    gLibrary.fileCount = files.size();
    if (files.empty())
        return;
    RunProgressDialog(owner, std::move(files));
}
