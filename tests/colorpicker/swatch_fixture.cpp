#include "colorpicker/swatch_fixture.h"

#include <commctrl.h>

#include "common/messages.h"

namespace {

HWND CreateParent()
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = L"SwatchTestMain";
    RegisterClassW(&windowClass);
    RECT frame = {0, 0, 1024, 768};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN;
    return CreateWindowExW(0, L"SwatchTestMain", L"swatch test", style, 0, 0,
                           frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

void PumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

Capture CaptureWindow(HWND window)
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
    PrintWindow(window, dc, PW_CLIENTONLY);
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

std::wstring WindowText(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

std::wstring ClassName(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

void SwatchTest::SetUp()
{
    parent = CreateParent();
    ASSERT_NE(parent, nullptr);
    ASSERT_TRUE(CreateSharedPalettes(&palettes));
    context.mainWindow = parent;
    context.brushSettings = &brush;
    context.palette256 = palettes.palette256;
    context.palette16 = palettes.palette16;
    context.palette2 = palettes.palette2;
    panel = CreateCPWindow(parent, 10, 20, &context);
    ASSERT_NE(panel, nullptr);
    context.colorPickerWindow = panel;
    PumpMessages();
}

void SwatchTest::TearDown()
{
    DestroyCPWindow();
    if (parent)
        DestroyWindow(parent);
    PumpMessages();
    DeleteSharedPalettes(&palettes);
}

void SwatchTest::Recreate()
{
    DestroyCPWindow();
    brush = {};
    panel = CreateCPWindow(parent, 10, 20, &context);
    ASSERT_NE(panel, nullptr);
    context.colorPickerWindow = panel;
    PumpMessages();
}

int SwatchTest::SliderPosition(int id) const
{
    return int(SendMessageW(Control(id), TBM_GETPOS, 0, 0));
}

void SwatchTest::Click(int x, int y)
{
    SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    PumpMessages();
}

void SwatchTest::DragSlider(int id, int position)
{
    HWND slider = Control(id);
    SendMessageW(slider, TBM_SETPOS, TRUE, position);
    SendMessageW(panel, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position), LPARAM(slider));
    SendMessageW(panel, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), LPARAM(slider));
    PumpMessages();
}

void SwatchTest::TypeIntoBox(int id, const wchar_t* text)
{
    SetWindowTextW(Control(id), text);
    PumpMessages();  // the panel handles the box in a message it posts to itself
}

void SwatchTest::SynchronizeDepth(int bitsPerPixel)
{
    if (bitsPerPixel <= 8)
        SendMessageW(panel, kColorPickerGradient, 0, 0);
    SendMessageW(panel, kColorPickerDepth, WPARAM(bitsPerPixel), 0);
    PumpMessages();
}
