// vexil.exe start-up. For now the program opens one window that shows the document core
// at work on a new document; the panels and the editing area replace it as they are built.
#include <windows.h>
#include <gdiplus.h>

#include <string>

#include "core/pyx.h"

namespace {

constexpr wchar_t kMainClass[] = L"VexilMainWindow";
constexpr wchar_t kCaption[] = L"Vexil 1.0";

Resource* gDocument = nullptr;

void OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    const Image* image = gDocument ? gDocument->firstImage : nullptr;
    std::wstring text = L"Vexil 1.0: a new document with one ";
    if (image)
        text += std::to_wstring(image->width) + L" x " + std::to_wstring(image->height) + L", " +
                std::to_wstring(image->bitsPerPixel) + L"-bit image.";
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, text.c_str(), -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EndPaint(window, &paint);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: OnPaint(window); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return 1;
    gDocument = PYX_CreateNewResource();

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kMainClass;
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(kMainClass, kCaption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 800,
                                600, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, showCommand);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    PYX_DoCleanupInternalResource(gDocument);
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
