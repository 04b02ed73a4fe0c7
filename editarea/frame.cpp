// The editing-area frame ("VxEditArea") and the library's two exports.
#include <windows.h>
#include <commctrl.h>

#include "canvas_window.h"
#include "controls_strip.h"
#include "easel.h"
#include "edit_area_state.h"
#include "selection/selection_edits.h"
#include "selection_view.h"
#include "shapes/text_placement.h"
#include "common/messages.h"
#include "common/panel_colors.h"
#include "transform/fixed_transforms.h"
#include "transform/pending_transform.h"
#include "view_update.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

constexpr wchar_t kFrameClass[] = L"VxEditArea";

void PaintFrame(EditAreaState& state, HDC target)
{
    BackBuffer& buffer = state.frameBuffer;
    if (!buffer.dc)
        return;
    RECT all{0, 0, buffer.pixels.width, buffer.pixels.height};
    HBRUSH brush = CreateSolidBrush(state.colors.frame);
    FillRect(buffer.dc, &all, brush);
    DeleteObject(brush);
    PresentBackBuffer(buffer, target);
}

void OnFramePaint(EditAreaState& state, HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    PaintFrame(state, dc);
    EndPaint(window, &paint);
}

void OnFrameSize(EditAreaState& state, int width, int height)
{
    state.frameWidth = width;
    state.frameHeight = height;
    RebuildBackBuffer(state.frameBuffer, width, height);
    if (state.canvas)
        SetWindowPos(state.canvas, nullptr, kFrameBorder, kFrameBorder, width - kCanvasWidthInset,
                     height - kCanvasHeightInset, SWP_NOZORDER | SWP_NOACTIVATE);
    LayOutControlsStrip(state);
}

// Colors and display changes reach all three windows.
void OnFrameColorsChanged(EditAreaState& state, UINT message, WPARAM wParam, LPARAM lParam)
{
    state.colors = LoadPanelColors();
    SendMessageW(state.canvas, message, wParam, lParam);
    SendMessageW(state.strip, message, wParam, lParam);
    InvalidateRect(state.frame, nullptr, FALSE);
}

void OnFrameDisplayChanged(EditAreaState& state, WPARAM wParam, LPARAM lParam)
{
    RebuildBackBuffer(state.frameBuffer, state.frameWidth, state.frameHeight);
    SendMessageW(state.canvas, WM_DISPLAYCHANGE, wParam, lParam);
    SendMessageW(state.strip, WM_DISPLAYCHANGE, wParam, lParam);
    InvalidateRect(state.frame, nullptr, FALSE);
}

void OnLayerChanged(EditAreaState& state)
{
    LookUpLayer(state);
    RebuildSelectionView(state);
    RedrawCanvas(state);
}

void OnImageChanged(EditAreaState& state)
{
    LookUpImage(state);
    LookUpLayer(state);
    FitImageToCanvas(state);
    RedrawCanvas(state);
}

void OnSelectionChanged(EditAreaState& state)
{
    RebuildSelectionView(state);
    RedrawCanvas(state);
}

void OnUndone(EditAreaState& state, WPARAM wParam)
{
    LookUpImage(state);
    LookUpLayer(state);
    // An image of another size cannot keep the old view: its geometry would point past
    // the image's pixels.
    const bool sameSize = state.image && state.image->width == state.view.imageWidth &&
                          state.image->height == state.view.imageHeight;
    if (wParam || !sameSize) {
        OnImageChanged(state);
        return;
    }
    OnSelectionChanged(state);
}

// Messages of the main window.
bool OnFrameAppMessage(EditAreaState& state, UINT message, WPARAM wParam)
{
    if (RunFixedTransformation(state, message))
        return true;
    switch (message) {
    case kEditAreaRedraw:
        RedrawCanvas(state);
        return true;
    case kEditAreaLayerChanged:
        OnLayerChanged(state);
        return true;
    case kEditAreaImageChanged:
        OnImageChanged(state);
        return true;
    case kEditAreaSelectionChanged:
        OnSelectionChanged(state);
        return true;
    case kEditAreaUndone:
        OnUndone(state, wParam);
        return true;
    case kTextApply:
        ApplyTextTool(state);
        return true;
    case kEditAreaCut:
        CutSelection(state);
        return true;
    case kEditAreaCustomRotate:
        OpenCustomRotation(state);
        return true;
    case kEditAreaScale:
        OpenScale(state);
        return true;
    }
    return false;
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    EditAreaState& state = Easel();
    if (message >= WM_APP && OnFrameAppMessage(state, message, wParam))
        return 0;
    switch (message) {
    case WM_SIZE:
        OnFrameSize(state, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_PAINT:
        OnFramePaint(state, window);
        return 0;
    case WM_PRINTCLIENT:
        PaintFrame(state, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
        OnFrameColorsChanged(state, message, wParam, lParam);
        return 0;
    case WM_DISPLAYCHANGE:
        OnFrameDisplayChanged(state, wParam, lParam);
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
        PostMessageW(state.canvas, message, wParam, lParam);
        return 0;
    case WM_MOUSEMOVE:
        SetFocus(state.parent);
        SetCursor(state.arrow);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool CreateFrame(EditAreaState& state, int x, int y, int width, int height)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = FrameProc;
    windowClass.hInstance = state.instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.lpszClassName = kFrameClass;
    if (!RegisterClassExW(&windowClass))
        return false;
    state.frameClassRegistered = true;
    state.frameWidth = width;
    state.frameHeight = height;
    state.frame = CreateWindowExW(0, kFrameClass, L"", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, x, y, width,
                                  height, state.parent, nullptr, state.instance, nullptr);
    if (!state.frame)
        return false;
    RebuildBackBuffer(state.frameBuffer, width, height);
    return true;
}

void ReleaseEditArea(EditAreaState& state)
{
    ReleasePendingTransform(state);
    DestroyControlsStrip(state);
    DestroyCanvas(state);
    if (state.frame)
        DestroyWindow(state.frame);
    state.frame = nullptr;
    ReleaseBackBuffer(state.frameBuffer);
    ReleaseSelectionView(state);
    if (state.frameClassRegistered)
        UnregisterClassW(kFrameClass, state.instance);
    state = EditAreaState{};
}

bool BuildEditArea(EditAreaState& state, int x, int y, int width, int height)
{
    if (!CreateFrame(state, x, y, width, height))
        return false;
    state.colors = LoadPanelColors();
    LookUpImage(state);
    LookUpLayer(state);
    if (!CreateCanvas(state) || !CreateControlsStrip(state))
        return false;
    FitImageToCanvas(state);
    ShowWindow(state.canvas, SW_SHOW);
    ShowWindow(state.strip, SW_SHOW);
    ShowWindow(state.frame, SW_SHOW);
    return true;
}

}  // namespace

EASEL_API HWND EASEL_CreateWindow(HWND parent, int x, int y, int width, int height, AppContext* context)
{
    if (!parent || !context)
        return nullptr;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    EditAreaState& state = Easel();
    ReleaseEditArea(state);  // one editing area at a time
    state.instance = reinterpret_cast<HINSTANCE>(&__ImageBase);
    state.parent = parent;
    state.context = context;
    state.selectionOutlineVisible = true;
    if (!BuildEditArea(state, x, y, width, height)) {
        ReleaseEditArea(state);
        return nullptr;
    }
    return state.frame;
}

EASEL_API void EASEL_DestroyWindow()
{
    ReleaseEditArea(Easel());
}
