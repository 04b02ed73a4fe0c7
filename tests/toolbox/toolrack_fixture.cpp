#include "toolbox/toolrack_fixture.h"

#include "common/image_encoders.h"
#include "harness/test_bitmaps.h"

namespace {

std::vector<ReceivedMessage> gReceived;
AppContext* gContext = nullptr;

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_APP && message < 0xC000) {
        std::wstring text;
        if (gContext && gContext->toolOptions && gContext->toolOptions->text)
            text = gContext->toolOptions->text;
        gReceived.push_back({message, wParam, lParam, text});
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateParent()
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ParentProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = L"ToolrackTestMain";
    RegisterClassW(&windowClass);
    RECT frame = {0, 0, 1024, 768};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN;
    return CreateWindowExW(0, L"ToolrackTestMain", L"toolrack test", style, 0, 0,
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

Capture CaptureScreenOf(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return CaptureWith(window, [&](HDC dc, int width, int height) {
        HDC screen = GetDC(window);
        BitBlt(dc, 0, 0, width, height, screen, 0, 0, SRCCOPY);
        ReleaseDC(window, screen);
    });
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

void ToolrackTest::SetUp()
{
    parent = CreateParent();
    ASSERT_NE(parent, nullptr);
    context.mainWindow = parent;
    context.currentTool = 7;  // creation must reset it
    gContext = &context;
    toolbox = TOOLRACK_CreateWindow(parent, 1, 40, &context);
    ASSERT_NE(toolbox, nullptr);
    bar = TOOLRACKO_CreateWindow(parent, &context);
    ASSERT_NE(bar, nullptr);
    PumpMessages();
    gReceived.clear();
}

void ToolrackTest::TearDown()
{
    TOOLRACK_DestroyWindow();
    TOOLRACKO_DestroyWindow();
    if (parent)
        DestroyWindow(parent);
    PumpMessages();
    gContext = nullptr;
    gReceived.clear();
}

std::vector<ReceivedMessage> ToolrackTest::TakeMessages()
{
    PumpMessages();
    std::vector<ReceivedMessage> taken;
    taken.swap(gReceived);
    return taken;
}

bool SaveCapture(const Capture& capture, const std::wstring& path)
{
    CLSID png;
    if (!FindImageEncoder(L"image/png", &png))
        return false;
    Gdiplus::Bitmap* picture = MakeBitmap(capture.width, capture.height, [&](int x, int y) {
        return 0xFF000000u | capture.at(x, y);
    });
    const bool saved = picture->Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
    delete picture;
    return saved;
}
