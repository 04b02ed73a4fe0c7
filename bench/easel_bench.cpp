// Editing area: one repaint of the canvas, and one pointer move of a long pen stroke, through
// the real window.
#include <windows.h>
#include <commctrl.h>
#include <gdiplus.h>

#include <cstdio>

#include "bench.h"
#include "common/messages.h"
#include "common/selection_state.h"
#include "core/pyx.h"
#include "editarea/easel.h"
#include "panels/toolbox/toolrack.h"

namespace {

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

// A zigzag over the canvas's client area, which the 256 x 256 image at zoom 2 fills across
// x 120..560 and y 40..400.
LPARAM StrokePoint(int i)
{
    const int x = 120 + (i * 37) % 440;
    const int y = 40 + (i * 53) % 360;
    return MAKELPARAM(x, y);
}

// Every move of a stroke puts the layer back, draws the whole path again, recomposites and
// repaints the canvas at once: timed once the path already holds 200 segments.
void PenStrokeMove(HWND parent, HWND canvas, AppContext& context)
{
    ShowWindow(parent, SW_SHOWNOACTIVATE);  // the repaint happens only on a visible canvas
    UpdateWindow(parent);
    context.currentTool = kPenTool;
    SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, StrokePoint(0));
    for (int i = 1; i <= 200; i++)
        SendMessageW(canvas, WM_MOUSEMOVE, MK_LBUTTON, StrokePoint(i));
    int next = 201;
    Report("pen stroke move, 200 segments, 256 x 256 at zoom 2", MedianMilliseconds(30, [&] {
               SendMessageW(canvas, WM_MOUSEMOVE, MK_LBUTTON, StrokePoint(next++));
               GdiFlush();
           }), 8);
    SendMessageW(canvas, WM_LBUTTONUP, 0, StrokePoint(next - 1));
}

// The wand's worst case: one color over the whole 256 x 256 layer, filled from its middle
// (region, content and base bitmap included).
void WandClick(HWND canvas, AppContext& context, ToolOptions& options)
{
    context.currentTool = kMagicWandTool;
    options.wandContiguous = 1;
    Report("magic wand, 256 x 256 one color, contiguous", MedianMilliseconds(30, [&] {
               SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, StrokePoint(0));
               SendMessageW(canvas, WM_LBUTTONUP, 0, StrokePoint(0));
           }), 3);
}

// One step of dragging the whole 256 x 256 selection a pixel to and fro: the layer rebuilt from
// the base and the content, the composite and the canvas redrawn.
void MoveStep(HWND canvas, AppContext& context)
{
    context.currentTool = kMoveTool;
    SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 200));
    int step = 0;
    Report("selection move step, 256 x 256 at zoom 2", MedianMilliseconds(30, [&] {
               SendMessageW(canvas, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300 + 2 * (++step % 2), 200));
               GdiFlush();
           }), 4);
    SendMessageW(canvas, WM_LBUTTONUP, 0, MAKELPARAM(300, 200));
}

// One thumb step of a custom rotation of the whole 256 x 256 layer: the content drawn again
// rotated from the saved source, put back over the base, recomposited and repainted.
void RotationPreviewStep(HWND frame, HWND strip, AppContext& context)
{
    Image* image = context.document->firstImage;
    SelectionState& selection = *context.selection;
    {
        Gdiplus::Graphics graphics(image->firstLayer->bitmap);
        graphics.DrawImage(image->composite, 0, 0);
    }
    delete selection.content;
    selection.content = image->firstLayer->bitmap->Clone(0, 0, 256, 256, PixelFormat32bppARGB);
    selection.left = selection.top = 0;
    selection.width = selection.height = 256;
    SendMessageW(frame, kEditAreaSelectionChanged, 0, 0);
    SendMessageW(frame, kEditAreaCustomRotate, 0, 0);
    HWND bar = GetDlgItem(strip, 1004);
    int angle = 0;
    Report("rotation preview step, 256 x 256 content", MedianMilliseconds(30, [&] {
               angle = angle % 170 + 7;
               SendMessageW(strip, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, angle), LPARAM(bar));
               GdiFlush();
           }), 10);
    SendMessageW(GetDlgItem(strip, 1003), BM_CLICK, 0, 0);
}

}  // namespace

void RunEaselBenchmarks()
{
    HWND parent = CreateBenchWindow(L"VexilBenchParent", DefWindowProcW, 900, 700);
    if (!parent) {
        std::printf("editing area: no window station, skipped\n");
        return;
    }
    SelectionState selection{};
    AppContext context{};
    context.document = BenchDocument(&selection);
    context.selection = &selection;
    BrushSettings brush{};
    brush.primaryColor = 0x80C02040u;  // half transparent: the restroke must not darken it
    context.brushSettings = &brush;
    ToolOptions options{};
    options.penSize = 5;
    options.penAntialiased = 1;
    context.toolOptions = &options;
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
        ShowWindow(parent, SW_SHOWNOACTIVATE);  // timed with the canvas really repainting
        UpdateWindow(parent);
        WandClick(canvas, context, options);
        MoveStep(canvas, context);
        PenStrokeMove(parent, canvas, context);
        RotationPreviewStep(frame, strip, context);
    }
    EASEL_DestroyWindow();
    DestroyWindow(parent);
    delete selection.content;
    DeleteObject(selection.region);
    PYX_DoCleanupInternalResource(context.document);
}
