// The toolbox window "VxToolBox": one button per tool; choosing one tells the main window.
#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include "common/messages.h"
#include "module_instance.h"
#include "tool_geometry.h"
#include "toolbox_state.h"
#include "toolrack.h"

namespace {

constexpr wchar_t kClassName[] = L"VxToolBox";

// The library serves one toolbox per process.
ToolboxState gToolbox;

void Redraw(ToolboxState* state) { InvalidateRect(state->window, nullptr, FALSE); }

void SelectTool(ToolboxState* state, int tool)
{
    const int previous = state->currentTool;
    if (tool != previous)
        SendMessageW(state->parent, kToolChanged, tool, previous);
    state->currentTool = tool;
    state->context->currentTool = tool;
    Redraw(state);
}

void OnMouseMove(ToolboxState* state, int x, int y)
{
    SetFocus(state->parent);  // the main window keeps the keyboard for its accelerators
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    if (!state->trackingLeave) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, state->window, 0};
        state->trackingLeave = TrackMouseEvent(&track) != FALSE;
    }
    const int hovered = HitTestButton(x, y);
    if (hovered != state->hovered) {
        state->hovered = hovered;
        Redraw(state);
    }
}

void OnMouseLeave(ToolboxState* state)
{
    state->hovered = kNoButton;
    state->trackingLeave = false;
    Redraw(state);
}

void OnLeftButtonDown(ToolboxState* state, int x, int y)
{
    const int tool = HitTestButton(x, y);
    if (tool != kNoButton)
        SelectTool(state, tool);
}

void OnChooseTool(ToolboxState* state, WPARAM tool)
{
    if (tool < WPARAM(kToolCount))
        SelectTool(state, int(tool));
}

void OnSize(ToolboxState* state, int height)
{
    state->width = kToolboxWidth;
    state->height = height;
    RebuildPanelOutline(state);
    RebuildBackBuffer(state->buffer, state->width, state->height);
}

void OnDisplayChange(ToolboxState* state)
{
    RebuildBackBuffer(state->buffer, state->width, state->height);
    Redraw(state);
}

void OnColorsChanged(ToolboxState* state)
{
    state->colors = LoadPanelColors();
    Redraw(state);
}

void PaintTo(const ToolboxState& state, HDC target)
{
    RenderToolbox(state);
    PresentBackBuffer(state.buffer, target);
}

void OnPaint(ToolboxState* state)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(state->window, &paint);
    PaintTo(*state, dc);
    EndPaint(state->window, &paint);
}

LRESULT CALLBACK ToolboxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ToolboxState* state = &gToolbox;
    if (message == WM_NCCREATE)
        state->window = window;  // WM_CREATE and WM_SIZE arrive before CreateWindowExW returns
    if (state->window != window)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_MOUSEMOVE: OnMouseMove(state, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_MOUSELEAVE: OnMouseLeave(state); return 0;
    case WM_LBUTTONDOWN:
        OnLeftButtonDown(state, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case kToolboxSelectTool: OnChooseTool(state, wParam); return 0;
    case WM_SIZE: OnSize(state, HIWORD(lParam)); return 0;
    case WM_PAINT: OnPaint(state); return 0;
    case WM_PRINTCLIENT: PaintTo(*state, reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED: OnColorsChanged(state); return 0;
    case WM_DISPLAYCHANGE: OnDisplayChange(state); return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterToolboxClass()
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = ToolboxProc;
    windowClass.hInstance = ToolrackInstance();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void InitToolboxState(HWND parent, AppContext* context)
{
    gToolbox = {};
    gToolbox.parent = parent;
    gToolbox.context = context;
    gToolbox.hovered = kNoButton;
    gToolbox.width = kToolboxWidth;
    gToolbox.height = kToolboxHeight;
    gToolbox.colors = LoadPanelColors();
    context->currentTool = 0;
}

}  // namespace

// Read by the tool options bar, which links its record into the toolbox's context.
AppContext* ToolboxContext() { return gToolbox.window ? gToolbox.context : nullptr; }

TOOLRACK_API HWND TOOLRACK_CreateWindow(HWND parent, int x, int y, AppContext* context)
{
    if (!parent || !context)
        return nullptr;
    TOOLRACK_DestroyWindow();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    if (!RegisterToolboxClass())
        return nullptr;
    InitToolboxState(parent, context);
    LoadToolIcons(&gToolbox);
    HWND window = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                  x, y, kToolboxWidth, kToolboxHeight, parent, nullptr,
                                  ToolrackInstance(), nullptr);
    if (!window) {
        ReleaseToolboxDrawing(&gToolbox);
        gToolbox = {};
        return nullptr;
    }
    if (!gToolbox.buffer.dc)
        OnSize(&gToolbox, kToolboxHeight);
    gToolbox.tooltip = CreateToolboxTooltips(window);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return window;
}

TOOLRACK_API void TOOLRACK_DestroyWindow()
{
    if (gToolbox.tooltip)
        DestroyWindow(gToolbox.tooltip);
    if (gToolbox.window)
        DestroyWindow(gToolbox.window);
    ReleaseToolboxDrawing(&gToolbox);
    gToolbox = {};
}
