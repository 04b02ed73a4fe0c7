#include "main_window.h"

#include <shellapi.h>

#include "commands.h"
#include "document_changes.h"
#include "menu_states.h"
#include "common/messages.h"
#include "open_by_path.h"
#include "panel_messages.h"
#include "panels.h"
#include "layout.h"
#include "resources/vexil/vexil_resources.h"

namespace {

constexpr wchar_t kScreenTooSmall[] =
    L"When running Vexil 1.0, the minimum screen resolution should be at least 800 by 600.";
constexpr wchar_t kTransformationPending[] = L"First Apply or Cancel Transformation.";
constexpr WPARAM kForcedClose = 1;

void OnSizing(WPARAM edge, RECT* rect)
{
    if (rect->right - rect->left < kMinimumWidth) {
        if (edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT)
            rect->left = rect->right - kMinimumWidth;
        else
            rect->right = rect->left + kMinimumWidth;
    }
    if (rect->bottom - rect->top < kMinimumHeight) {
        if (edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT)
            rect->top = rect->bottom - kMinimumHeight;
        else
            rect->bottom = rect->top + kMinimumHeight;
    }
}

// Without a window manager only WM_SIZING applies; with one, this keeps the drag at 800 x 600 too.
void OnGetMinMaxInfo(MINMAXINFO* info)
{
    info->ptMinTrackSize = {kMinimumWidth, kMinimumHeight};
}

void OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_HIGHLIGHT));
    EndPaint(window, &paint);
}

void OnDisplayChange(HWND window, LPARAM lParam)
{
    if (!CheckScreenSize(LOWORD(lParam), HIWORD(lParam)))
        PostMessageW(window, WM_CLOSE, kForcedClose, 0);
}

void OnDropFiles(HDROP drop)
{
    wchar_t path[MAX_PATH] = {};
    const bool named = DragQueryFileW(drop, 0, path, MAX_PATH) > 0;
    DragFinish(drop);
    if (named)
        OpenFileByPath(CurrentShell(), path);
}

// The exit sequence: the question about changes, then the panels and the window go.
void OnClose(HWND window, WPARAM wParam)
{
    ShellState& shell = CurrentShell();
    if (shell.transformPending && wParam != kForcedClose) {
        MessageBoxW(window, kTransformationPending, kShellCaption, MB_OK | MB_ICONWARNING);
        return;
    }
    if (AskToSaveChanges(shell) == SaveAnswer::Abandon)
        return;
    DestroyPanels(shell.context);
    DestroyWindow(window);
}

void OnSize(WPARAM kind)
{
    AppContext* context = CurrentShell().context;
    if (kind != SIZE_MINIMIZED && context && context->editAreaWindow)
        LayoutPanels(*context, EditAreaHeight::AfterResize);
}

void ForwardToEditArea(UINT message, WPARAM wParam, LPARAM lParam)
{
    AppContext* context = CurrentShell().context;
    if (context && context->editAreaWindow)
        PostMessageW(context->editAreaWindow, message, wParam, lParam);
}

void OnSysColorChange(WPARAM wParam, LPARAM lParam)
{
    if (CurrentShell().context)
        PostToAllPanels(*CurrentShell().context, WM_SYSCOLORCHANGE, wParam, lParam);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE: OnSize(wParam); return 0;
    case WM_SIZING: OnSizing(wParam, reinterpret_cast<RECT*>(lParam)); return TRUE;
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam)); return 0;
    case WM_PAINT: OnPaint(window); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_KEYDOWN:
    case WM_KEYUP: ForwardToEditArea(message, wParam, lParam); return 0;
    case WM_SYSCOLORCHANGE: OnSysColorChange(wParam, lParam); return 0;
    case WM_DISPLAYCHANGE: OnDisplayChange(window, lParam); return 0;
    case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_INITMENUPOPUP: UpdateMenuStates(CurrentShell()); return 0;
    case WM_COMMAND: OnCommand(CurrentShell(), LOWORD(wParam), HIWORD(wParam) == 1); return 0;
    case WM_CLOSE: OnClose(window, wParam); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default:
        if (message >= WM_APP && OnPanelMessage(CurrentShell(), message, wParam, lParam))
            return 0;
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

bool CheckScreenSize(int width, int height)
{
    if (width >= kMinimumWidth && height >= kMinimumHeight)
        return true;
    MessageBoxW(nullptr, kScreenTooSmall, kShellCaption, MB_OK | MB_ICONERROR);
    return false;
}

bool RegisterMainWindowClass(HINSTANCE instance)
{
    wchar_t className[32] = {};
    LoadStringW(instance, IDS_WINDOW_CLASS, className, 32);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_VEXIL));
    windowClass.hIconSm = HICON(LoadImageW(instance, MAKEINTRESOURCEW(IDI_VEXIL), IMAGE_ICON,
                                           GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = HBRUSH(COLOR_WINDOW + 1);
    windowClass.lpszMenuName = MAKEINTRESOURCEW(IDM_MAIN_MENU);
    windowClass.lpszClassName = className;
    return RegisterClassExW(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreateMainWindow(HINSTANCE instance)
{
    wchar_t className[32] = {}, title[32] = {};
    LoadStringW(instance, IDS_WINDOW_CLASS, className, 32);
    LoadStringW(instance, IDS_APP_TITLE, title, 32);
    return CreateWindowExW(WS_EX_ACCEPTFILES, className, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                           CW_USEDEFAULT, 0, kMinimumWidth, kMinimumHeight, nullptr, nullptr, instance, nullptr);
}
