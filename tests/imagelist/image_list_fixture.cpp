#include "imagelist/image_list_fixture.h"

#include "common/document_ops.h"
#include "panels/imagelist/imagestrip.h"

namespace {

std::vector<ReceivedMessage> gReceived;
AppContext* gContext = nullptr;
bool gPumping = false;  // what arrives while the queue is emptied was posted

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_APP && message < 0xC000) {
        const bool sent = !gPumping;
        const int count = gContext && gContext->document ? gContext->document->imageCount : -1;
        gReceived.push_back({message, wParam, lParam, sent, gContext ? gContext->currentImage : -1,
                             gContext ? gContext->currentLayer : -1, count});
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
    windowClass.lpszClassName = L"ImageListTestMain";
    RegisterClassW(&windowClass);
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN;
    return CreateWindowExW(0, L"ImageListTestMain", L"imagestrip test", style, 0, 0, 800, 600,
                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

void PumpMessages()
{
    gPumping = true;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    gPumping = false;
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
    info.bmiHeader.biHeight = -capture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    SendMessageW(window, WM_PRINTCLIENT, WPARAM(dc), PRF_CLIENT);
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

void ImageListTest::SetUp()
{
    parent = CreateParent();
    ASSERT_NE(parent, nullptr);
    context.mainWindow = parent;
    context.document = PYX_CreateNewResource();
    ASSERT_NE(context.document, nullptr);
    gContext = &context;
    frame = CreateILWindow(parent, 1, 450, &context);
    ASSERT_NE(frame, nullptr);
    context.imageListWindow = frame;
    strip = GetWindow(frame, GW_CHILD);
    ASSERT_NE(strip, nullptr);
    PumpMessages();
    gReceived.clear();
}

void ImageListTest::TearDown()
{
    DestroyILWindow();
    if (parent)
        DestroyWindow(parent);
    PumpMessages();
    if (context.document)
        PYX_DoCleanupInternalResource(context.document);
    gContext = nullptr;
    gReceived.clear();
}

void ImageListTest::UseImages(const std::vector<SIZE>& sizes, int current)
{
    Resource* document = context.document;
    while (Image* image = UnlinkImage(document, 0))
        PYX_DeleteImage(image);
    for (const SIZE& size : sizes) {
        Image* image = PYX_CreateImage(uint16_t(size.cx), uint16_t(size.cy));
        ASSERT_NE(image, nullptr);
        ASSERT_TRUE(InsertImage(document, document->imageCount, image));
    }
    context.currentImage = current;
    context.currentLayer = 0;
    SendMessageW(frame, WM_APP + 13, WPARAM(current), 0);
    PumpMessages();
    gReceived.clear();
}

Image* ImageListTest::ImageNumber(int index) const { return ImageAt(context.document, index); }

std::vector<Image*> ImageListTest::Order() const
{
    std::vector<Image*> order;
    for (Image* image = context.document->firstImage; image; image = image->next)
        order.push_back(image);
    return order;
}

std::vector<ReceivedMessage> ImageListTest::TakeMessages()
{
    PumpMessages();
    std::vector<ReceivedMessage> taken;
    taken.swap(gReceived);
    return taken;
}
