#include "canvas_window.h"

#include <windowsx.h>

#include "canvas_render.h"
#include "controls_strip.h"
#include "cursors.h"
#include "resource_ids.h"
#include "tools/tool_dispatch.h"
#include "view_update.h"

namespace {

constexpr wchar_t kCanvasClass[] = L"VxGridArea";
constexpr UINT kDoubleClickTime = 300;

void OnCanvasSize(EditAreaState& state, HWND window)
{
    if (state.updatingScrollBars)
        return;  // only the bars came or went; the caller finishes the update
    RECT rect{};
    GetWindowRect(window, &rect);
    RebuildBackBuffer(state.canvasBuffer, rect.right - rect.left, rect.bottom - rect.top);
    RefitScrollBars(state);
    InvalidateRect(window, nullptr, FALSE);
}

// A new display format needs a new buffer; the view itself stays as it is.
void OnCanvasDisplayChange(EditAreaState& state, HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    RebuildBackBuffer(state.canvasBuffer, rect.right - rect.left, rect.bottom - rect.top);
    InvalidateRect(window, nullptr, FALSE);
}

void OnCanvasPaint(EditAreaState& state, HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RenderCanvas(state);
    PresentBackBuffer(state.canvasBuffer, dc, state.view.clientWidth, state.view.clientHeight);
    EndPaint(window, &paint);
}

void OnCanvasPrintClient(EditAreaState& state, HDC dc)
{
    RenderCanvas(state);
    PresentBackBuffer(state.canvasBuffer, dc, state.view.clientWidth, state.view.clientHeight);
}

void UpdateReadout(EditAreaState& state, const PixelHit& hit)
{
    Bitmap* composite = state.image ? state.image->composite : nullptr;
    Gdiplus::Color color;
    if (hit.inside && composite && composite->GetPixel(hit.x, hit.y, &color) == Gdiplus::Ok)
        SetStatusText(state, PixelReadout(color.GetValue(), hit.x, hit.y));
    else
        SetStatusText(state, EmptyReadout());
}

// Drags pull the view along when the pointer leaves the canvas. The bars and the canvas are
// redrawn only on a real change: setting the bars redraws them, which would cost every
// pointer move of a drag, and a tool may repaint no more than the pixels it changed.
void AutoScroll(EditAreaState& state, int x, int y)
{
    CanvasView& view = state.view;
    const int outsideX = x < 0 ? x : (x >= view.clientWidth ? x - view.clientWidth + 1 : 0);
    const int outsideY = y < 0 ? y : (y >= view.clientHeight ? y - view.clientHeight + 1 : 0);
    const int scrollX = view.scrollX;
    const int scrollY = view.scrollY;
    if (view.scrollFlags & kHorizontalBar)
        view.scrollX = AutoScrolledOffset(view.scrollX, outsideX, view.clientWidth, view.imageWidth * view.zoom);
    if (view.scrollFlags & kVerticalBar)
        view.scrollY = AutoScrolledOffset(view.scrollY, outsideY, view.clientHeight, view.imageHeight * view.zoom);
    if (view.scrollX != scrollX || view.scrollY != scrollY) {
        UpdateScrollInfo(state);
        RedrawCanvas(state);
    }
}

void PickCursor(EditAreaState& state, const PixelHit& hit)
{
    ShowCursorById(state, CursorForSituation(CurrentCursorSituation(state, hit.inside)));
}

PixelHit HitAtCursor(const EditAreaState& state)
{
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(state.canvas, &point);
    RECT client{};
    GetClientRect(state.canvas, &client);
    if (!PtInRect(&client, point))
        return {0, 0, false};
    return MapPointToPixel(state.view, point.x, point.y);
}

void OnCanvasMouseMove(EditAreaState& state, int x, int y, WPARAM keys)
{
    SetFocus(state.parent);
    state.ctrlHeld = keys & MK_CONTROL;
    state.shiftHeld = keys & MK_SHIFT;
    if (state.dragging)
        AutoScroll(state, x, y);
    const PixelHit hit = MapPointToPixel(state.view, x, y);
    PickCursor(state, hit);
    if (!state.transformPending)  // the strip shows the transformation's labels instead
        UpdateReadout(state, hit);
    ToolMouseMove(state, x, y, keys);
}

// Ctrl and Shift change the magic wand's cursor at once.
void OnCanvasKey(EditAreaState& state, WPARAM key, bool down)
{
    if (key == VK_CONTROL)
        state.ctrlHeld = down;
    else if (key == VK_SHIFT)
        state.shiftHeld = down;
    else
        return;
    if (state.context && state.context->currentTool == kMagicWandTool)
        PickCursor(state, HitAtCursor(state));
}

bool OnCanvasSetCursor(EditAreaState& state, LPARAM lParam)
{
    if (LOWORD(lParam) != HTCLIENT)
        return false;
    SetCursor(state.shownCursor ? state.shownCursor : state.arrow);
    return true;
}

LRESULT CALLBACK CanvasProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    EditAreaState& state = Easel();
    switch (message) {
    case WM_SIZE:
        OnCanvasSize(state, window);
        return 0;
    case WM_PAINT:
        OnCanvasPaint(state, window);
        return 0;
    case WM_PRINTCLIENT:
        OnCanvasPrintClient(state, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_HSCROLL:
    case WM_VSCROLL:
        ScrollCanvas(state, message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_MOUSEMOVE:
        OnCanvasMouseMove(state, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), wParam);
        return 0;
    case WM_LBUTTONDOWN:
        ToolButtonDown(state, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), wParam);
        return 0;
    case WM_LBUTTONDBLCLK:
        ToolDoubleClick(state, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), wParam);
        return 0;
    case WM_LBUTTONUP:
        ToolButtonUp(state, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), wParam);
        return 0;
    case WM_CAPTURECHANGED:
        ToolCaptureChanged(state, reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
        OnCanvasKey(state, wParam, message == WM_KEYDOWN);
        return 0;
    case WM_SETCURSOR:
        if (OnCanvasSetCursor(state, lParam))
            return TRUE;
        break;
    case WM_DISPLAYCHANGE:
        OnCanvasDisplayChange(state, window);
        return 0;
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool CreateCanvasTools(EditAreaState& state)
{
    state.selectionPattern = LoadBitmapW(state.instance, MAKEINTRESOURCEW(IDB_SELECTION_PATTERN));
    state.selectionBrush = state.selectionPattern ? CreatePatternBrush(state.selectionPattern) : nullptr;
    LoadToolCursors(state);
    state.previousDoubleClickTime = GetDoubleClickTime();
    SetDoubleClickTime(kDoubleClickTime);
    return state.selectionBrush != nullptr;
}

}  // namespace

bool CreateCanvas(EditAreaState& state)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = CanvasProc;
    windowClass.hInstance = state.instance;
    windowClass.lpszClassName = kCanvasClass;
    if (!RegisterClassExW(&windowClass))
        return false;
    state.canvasClassRegistered = true;
    state.canvas = CreateWindowExW(0, kCanvasClass, L"", WS_CHILD | WS_CLIPSIBLINGS, kFrameBorder, kFrameBorder,
                                   state.frameWidth - kCanvasWidthInset, state.frameHeight - kCanvasHeightInset,
                                   state.frame, nullptr, state.instance, nullptr);
    if (!state.canvas)
        return false;
    RebuildBackBuffer(state.canvasBuffer, state.frameWidth - kCanvasWidthInset,
                      state.frameHeight - kCanvasHeightInset);
    return CreateCanvasTools(state);
}

void DestroyCanvas(EditAreaState& state)
{
    if (state.canvas)
        DestroyWindow(state.canvas);
    state.canvas = nullptr;
    if (state.previousDoubleClickTime)
        SetDoubleClickTime(state.previousDoubleClickTime);
    state.previousDoubleClickTime = 0;
    ReleaseBackBuffer(state.canvasBuffer);
    if (state.selectionBrush)
        DeleteObject(state.selectionBrush);
    if (state.selectionPattern)
        DeleteObject(state.selectionPattern);
    state.selectionBrush = nullptr;
    state.selectionPattern = nullptr;
    ReleaseToolCursors(state);
    if (state.canvasClassRegistered)
        UnregisterClassW(kCanvasClass, state.instance);
    state.canvasClassRegistered = false;
}
