#include "picture_windows.h"

#include "commands.h"
#include "resources/vexil/vexil_resources.h"
#include "vexil_version.h"

namespace {

constexpr int kSplashWidth = 400;
constexpr int kSplashHeight = 251;
constexpr int kAboutPictureTop = 5;
constexpr int kAboutClientWidth = 410;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 25;
constexpr int kMargin = 10;
constexpr int kVersionWidth = 200;
constexpr int kVersionHeight = 16;

// Paints the background and the picture through an off-screen buffer of the window's size.
void PaintPicture(HWND window, Bitmap* picture, int x, int y, HBRUSH background)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    HDC buffer = CreateCompatibleDC(dc);
    HBITMAP surface = CreateCompatibleBitmap(dc, client.right, client.bottom);
    HGDIOBJ old = SelectObject(buffer, surface);
    FillRect(buffer, &client, background);
    if (picture) {
        Gdiplus::Graphics graphics(buffer);
        graphics.DrawImage(picture, x, y, int(picture->GetWidth()), int(picture->GetHeight()));
    }
    BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
    SelectObject(buffer, old);
    DeleteObject(surface);
    DeleteDC(buffer);
    EndPaint(window, &paint);
}

INT_PTR CALLBACK SplashProc(HWND window, UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_ERASEBKGND: SetWindowLongPtrW(window, DWLP_MSGRESULT, 1); return TRUE;
    case WM_PAINT:
        PaintPicture(window, CurrentShell().splashPicture, 0, 0, GetSysColorBrush(COLOR_BTNFACE));
        return TRUE;
    default: return FALSE;
    }
}

void SetClientSize(HWND window, int width, int height)
{
    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                       DWORD(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void CentreOn(HWND window, HWND owner)
{
    RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT rect;
    if (owner)
        GetWindowRect(owner, &area);
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    SetWindowPos(window, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

// The dialog is laid out in pixels around the About picture: it below, the version and the OK
// button under it.
void LayOutAboutDialog(HWND dialog)
{
    const int pictureHeight = CurrentShell().aboutPicture ? int(CurrentShell().aboutPicture->GetHeight()) : 292;
    const int buttonTop = kAboutPictureTop + pictureHeight + kMargin;
    SetClientSize(dialog, kAboutClientWidth, buttonTop + kButtonHeight + kMargin);
    SetWindowPos(GetDlgItem(dialog, IDOK), nullptr, kAboutClientWidth - kMargin - kButtonWidth, buttonTop,
                 kButtonWidth, kButtonHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    HWND version = GetDlgItem(dialog, IDC_ABOUT_VERSION);
    SetWindowTextW(version, L"Version " VEXIL_VERSION_TEXT_W);
    SetWindowPos(version, nullptr, kMargin, buttonTop + (kButtonHeight - kVersionHeight) / 2, kVersionWidth,
                 kVersionHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    CentreOn(dialog, GetParent(dialog));
}

void PaintAbout(HWND dialog)
{
    RECT client;
    GetClientRect(dialog, &client);
    Bitmap* picture = CurrentShell().aboutPicture;
    const int x = picture ? (client.right - int(picture->GetWidth())) / 2 : 0;
    PaintPicture(dialog, picture, x, kAboutPictureTop, GetSysColorBrush(COLOR_BTNFACE));
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: LayOutAboutDialog(dialog); return TRUE;
    case WM_ERASEBKGND: SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 1); return TRUE;
    case WM_PAINT: PaintAbout(dialog); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    default: return FALSE;
    }
}

}  // namespace

HWND ShowSplashWindow(ShellState& shell)
{
    HWND splash = CreateDialogParamW(shell.instance, MAKEINTRESOURCEW(IDD_SPLASH), nullptr, SplashProc, 0);
    if (!splash)
        return nullptr;
    SetClientSize(splash, kSplashWidth, kSplashHeight);
    CentreOn(splash, nullptr);
    ShowWindow(splash, SW_SHOWNOACTIVATE);
    UpdateWindow(splash);
    return splash;
}

void CloseSplashWindow(ShellState& shell)
{
    if (shell.splashWindow)
        DestroyWindow(shell.splashWindow);
    shell.splashWindow = nullptr;
    delete shell.splashPicture;
    shell.splashPicture = nullptr;
}

void ShowAboutDialog(ShellState& shell)
{
    DialogBoxParamW(shell.instance, MAKEINTRESOURCEW(IDD_ABOUT), shell.context->mainWindow, AboutProc, 0);
}
