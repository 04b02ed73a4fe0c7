#include "easel_host.h"

#include "common/gdiplus_pixels.h"
#include "common/selection/selection_ops.h"
#include "editarea/easel.h"
#include "harness/test_bitmaps.h"

Reports gReports;
UndoChain* gChain = nullptr;

namespace {

Resource* gDocument = nullptr;

// The main window's side of the editing area's reports; undo requests become undo copies of
// the Image, as the shell records them, when the test keeps them.
LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case kUndoChangeRing:
        gReports.undoEntries++;
        gReports.undoImage = int(wParam);
        if (gChain)
            PYX_AddChangeUndoRing(gChain, int32_t(wParam), gDocument);
        return 0;
    case kEditAreaChanged:
        gReports.changes++;
        gReports.layersAdded += wParam == 1;
        return 0;
    case kEditAreaPickedColor:
        gReports.picks++;
        return 0;
    case kTransformationEnded:
        gReports.ended++;
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

HWND MakeMain()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = MainProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"EaselTestMain";
        RegisterClassW(&windowClass);
        registered = true;
    }
    HWND main = CreateWindowExW(0, L"EaselTestMain", L"main", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 900, 700,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(main, SW_SHOW);
    return main;
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

Pixels ClientPixels(HWND window, ReadBack how, int* width, int* height)
{
    RECT client{};
    GetClientRect(window, &client);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    if (how == ReadBack::kScreen) {
        HDC windowDc = GetDC(window);
        BitBlt(dc, 0, 0, client.right, client.bottom, windowDc, 0, 0, SRCCOPY);
        ReleaseDC(window, windowDc);
    } else if (how == ReadBack::kPrintClient) {
        SendMessageW(window, WM_PRINTCLIENT, WPARAM(dc), PRF_CLIENT);
    } else {
        PrintWindow(window, dc, PW_CLIENTONLY);
    }
    GdiFlush();
    const uint32_t* data = static_cast<const uint32_t*>(bits);
    Pixels pixels(data, data + size_t(client.right) * client.bottom);
    for (uint32_t& pixel : pixels)
        pixel &= 0xFFFFFF;
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    if (width)
        *width = client.right;
    if (height)
        *height = client.bottom;
    return pixels;
}

void EaselHostTest::SetUp()
{
    gReports = Reports{};
    main = MakeMain();
    context.document = PYX_CreateNewResource();
    context.selection = &selection;
    context.mainWindow = main;
}

void EaselHostTest::TearDown()
{
    EASEL_DestroyWindow();
    ResetSelection(nullptr);
    PYX_DoCleanupInternalResource(context.document);
    if (gChain)
        PYX_DeleteUndoChain(gChain);
    gChain = nullptr;
    gDocument = nullptr;
    DestroyWindow(main);
    PumpMessages();
}

void EaselHostTest::KeepUndoCopies()
{
    gChain = PYX_InitNewUndoChain();
    gDocument = context.document;
}

void EaselHostTest::UseToolSettings()
{
    context.brushSettings = &brush;
    context.toolOptions = &options;
}

void EaselHostTest::ResetSelection(Image* whose)
{
    ClearSelection(&selection);
    if (!whose)
        return;
    selection.content = CloneBitmap(whose->firstLayer->bitmap);
    selection.width = whose->width;
    selection.height = whose->height;
    selection.region = CreateRectRgn(0, 0, whose->width, whose->height);
}

void EaselHostTest::PlaceImage(Image* replacement)
{
    Image* old = context.document->firstImage;
    replacement->next = old->next;
    context.document->firstImage = replacement;
    PYX_DeleteImage(old);
}

void EaselHostTest::CreateArea(int width, int height)
{
    frame = EASEL_CreateWindow(main, 10, 10, width, height, &context);
    ASSERT_NE(frame, nullptr);
    canvas = FindWindowExW(frame, nullptr, L"VxGridArea", nullptr);
    strip = FindWindowExW(frame, nullptr, L"VxCtrlsArea", nullptr);
    ASSERT_NE(canvas, nullptr);
    ASSERT_NE(strip, nullptr);
}
