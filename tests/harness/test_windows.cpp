#include "harness/test_windows.h"

SIZE OuterSizeForClient(int width, int height)
{
    RECT frame = {0, 0, width, height};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

HWND CreateTestMainWindow(const wchar_t* className, WNDPROC proc, SIZE outer)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN;
    return CreateWindowExW(0, className, className, style, 0, 0, outer.cx, outer.cy, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

void PumpThreadMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

std::wstring WindowText(HWND window)
{
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

std::wstring ClassName(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

namespace {

// Reads what a drawing routine put into a 32-bit top-down picture of the window's size.
template <typename Draw>
Capture CaptureWith(HWND window, Draw draw)
{
    RECT client;
    GetClientRect(window, &client);
    Capture capture;
    capture.width = client.right;
    capture.height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = capture.width;
    info.bmiHeader.biHeight = -capture.height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    draw(dc, capture.width, capture.height);
    GdiFlush();
    const uint32_t* pixels = static_cast<const uint32_t*>(bits);
    capture.pixels.assign(pixels, pixels + size_t(capture.width) * capture.height);
    for (uint32_t& pixel : capture.pixels)
        pixel &= 0xFFFFFF;
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return capture;
}

}  // namespace

Capture CaptureWindow(HWND window)
{
    return CaptureWith(window, [&](HDC dc, int, int) { PrintWindow(window, dc, PW_CLIENTONLY); });
}

Capture CapturePrintClient(HWND window)
{
    return CaptureWith(window, [&](HDC dc, int, int) { SendMessageW(window, WM_PRINTCLIENT, WPARAM(dc), PRF_CLIENT); });
}

Capture CaptureScreenOf(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return CaptureWith(window, [&](HDC dc, int width, int height) {
        HDC screen = GetDC(window);
        BitBlt(dc, 0, 0, width, height, screen, 0, 0, SRCCOPY);
        ReleaseDC(window, screen);
    });
}
