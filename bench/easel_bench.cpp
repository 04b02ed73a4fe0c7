// Editing area: one repaint of the canvas, through the real window.
#include <windows.h>
#include <gdiplus.h>

#include <cstdio>

#include "bench.h"
#include "core/pyx.h"
#include "editarea/easel.h"
#include "common/messages.h"
#include "common/selection_state.h"

namespace {

HWND BenchParent()
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"VexilBenchParent";
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, L"VexilBenchParent", L"bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 900, 700,
                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// A 256 x 256 image with a whole-image selection, the way the shell sets it up.
Resource* BenchDocument(SelectionState* selection)
{
    Resource* document = PYX_CreateNewResource();
    PYX_DeleteImage(document->firstImage);
    document->firstImage = PYX_CreateImage(256, 256);
    Gdiplus::Graphics graphics(document->firstImage->composite);
    Gdiplus::LinearGradientBrush brush(Gdiplus::Point(0, 0), Gdiplus::Point(256, 256), Gdiplus::Color(255, 200, 30, 30),
                                       Gdiplus::Color(120, 30, 30, 200));
    graphics.FillRectangle(&brush, 0, 0, 256, 256);
    selection->region = CreateRectRgn(0, 0, 256, 256);
    return document;
}

}  // namespace

void RunEaselBenchmarks()
{
    HWND parent = BenchParent();
    if (!parent) {
        std::printf("editing area: no window station, skipped\n");
        return;
    }
    SelectionState selection{};
    AppContext context{};
    context.document = BenchDocument(&selection);
    context.selection = &selection;
    HWND frame = EASEL_CreateWindow(parent, 0, 0, 700, 500, &context);
    HWND canvas = frame ? FindWindowExW(frame, nullptr, L"VxGridArea", nullptr) : nullptr;
    HWND strip = frame ? FindWindowExW(frame, nullptr, L"VxCtrlsArea", nullptr) : nullptr;
    if (canvas && strip) {
        context.currentTool = kZoomInTool;  // 256 x 256 fits at zoom 1; one click makes it 2
        SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(348, 219));
        SendMessageW(GetDlgItem(strip, 1001), BM_CLICK, 0, 0);
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 700, 500);
        HGDIOBJ previous = SelectObject(dc, bitmap);
        Report("canvas repaint, 256 x 256 at zoom 2 with grid", MedianMilliseconds(30, [&] {
                   SendMessageW(canvas, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
                   GdiFlush();
               }), 8);
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
    }
    EASEL_DestroyWindow();
    DestroyWindow(parent);
    DeleteObject(selection.region);
    PYX_DoCleanupInternalResource(context.document);
}
