// The frame window "Layer Palette": the rounded panel around the list, the exports, and
// the messages the main window sends.
#include <windows.h>

#include <windowsx.h>

#include "common/document_ops.h"
#include "common/messages.h"
#include "layer_geometry.h"
#include "layer_state.h"
#include "layerpane.h"

namespace {

constexpr wchar_t kFrameClass[] = L"Layer Palette";
constexpr int kFrameWidth = 200;
constexpr int kFrameHeight = 300;
constexpr int kListInset = 12;

// The library serves one panel per process.
LayerPanelState gPanel;

void OnFrameSize(LayerPanelState* state, int height)
{
    state->frameHeight = height;
    state->listHeight = height - 2 * kListInset;
    RebuildFramePath(state);
    RebuildBackBuffer(state->frameBuffer, state->frameWidth, state->frameHeight);
    if (state->list)
        MoveWindow(state->list, kListInset, kListInset, kListWidth, state->listHeight, TRUE);
}

void OnFramePaint(LayerPanelState* state)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(state->frame, &paint);
    RenderFrame(*state);
    PresentBackBuffer(state->frameBuffer, dc);
    EndPaint(state->frame, &paint);
}

void OnFramePrint(LayerPanelState* state, HDC dc)
{
    RenderFrame(*state);
    PresentBackBuffer(state->frameBuffer, dc);
}

void OnFrameMouseMove(LayerPanelState* state)
{
    SetFocus(state->context->mainWindow);
    SetCursor(state->arrowCursor);
}

void OnColorsChanged(LayerPanelState* state)
{
    state->colors = LoadPanelColors();
    InvalidateRect(state->frame, nullptr, FALSE);
    if (state->list)
        SendMessageW(state->list, WM_SYSCOLORCHANGE, 0, 0);
}

void OnRefresh(LayerPanelState* state, WPARAM layerAdded)
{
    ShownImage(state);
    if (layerAdded == 1)
        OnLayerInsertedAbove(state);
    RecompositeImage(state->image);
    RedrawList(state);
}

bool OnPanelMessage(LayerPanelState* state, UINT message, WPARAM wParam)
{
    switch (message) {
    case kPanelRefresh: OnRefresh(state, wParam); return true;
    case kLayersReload: ReloadLayers(state); return true;
    case kLayersNewRasterLayer:
        CreateRasterLayer(state, wParam == 1 ? UndoRecorded::kYes : UndoRecorded::kNo);
        return true;
    case kLayersDuplicateLayer: DuplicateLayer(state); return true;
    case kLayersDeleteLayers: DeleteSelectedLayers(state); return true;
    case kLayersMergeSelected: MergeSelectedLayers(state); return true;
    case kLayersConvertToRaster: ConvertToRaster(state); return true;
    case kLayersMergeAll: MergeAllLayers(state); return true;
    case kPanelInput: state->inputEnabled = wParam == 1; return true;
    default: return false;
    }
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LayerPanelState* state = &gPanel;
    if (message == WM_NCCREATE)
        state->frame = window;  // WM_SIZE arrives before CreateWindowExW returns
    if (state->frame != window)
        return DefWindowProcW(window, message, wParam, lParam);
    if (OnPanelMessage(state, message, wParam))
        return 0;
    switch (message) {
    case WM_SIZE: OnFrameSize(state, HIWORD(lParam)); return 0;
    case WM_PAINT: OnFramePaint(state); return 0;
    case WM_PRINTCLIENT: OnFramePrint(state, reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEMOVE: OnFrameMouseMove(state); return 0;
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED: OnColorsChanged(state); return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterFrameClass()
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = FrameProc;
    windowClass.hInstance = LayerpaneInstance();
    windowClass.lpszClassName = kFrameClass;
    return RegisterClassExW(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void InitPanelState(AppContext* context)
{
    gPanel = {};
    gPanel.context = context;
    gPanel.frameWidth = kFrameWidth;
    gPanel.frameHeight = kFrameHeight;
    gPanel.listHeight = kFrameHeight - 2 * kListInset;
    gPanel.image = context->document ? context->document->firstImage : nullptr;
    gPanel.selected = 1;
    gPanel.inputEnabled = true;
}

HWND CreateFrameWindow(HWND parent, int x, int y)
{
    return CreateWindowExW(0, kFrameClass, kFrameClass, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, x, y,
                           kFrameWidth, kFrameHeight, parent, nullptr, LayerpaneInstance(), nullptr);
}

}  // namespace

LayerPanelState& Panel() { return gPanel; }

HINSTANCE LayerpaneInstance()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&LayerpaneInstance), &module);
    return module;
}

LAYERPANE_API HWND CreateLWindow(HWND parent, int x, int y, AppContext* context)
{
    if (!parent || !context)
        return nullptr;
    DestroyLWindow();
    if (!RegisterFrameClass() || !RegisterListClass())
        return nullptr;
    InitPanelState(context);
    LoadLook(&gPanel);
    if (!CreateFrameWindow(parent, x, y) || !CreateListWindow(&gPanel)) {
        DestroyLWindow();
        return nullptr;
    }
    ShowWindow(gPanel.frame, SW_SHOW);
    UpdateWindow(gPanel.frame);
    return gPanel.frame;
}

LAYERPANE_API void DestroyLWindow()
{
    if (gPanel.list)
        DestroyWindow(gPanel.list);
    if (gPanel.frame)
        DestroyWindow(gPanel.frame);
    ReleaseLook(&gPanel);
    ReleaseBackBuffer(gPanel.frameBuffer);
    ReleaseBackBuffer(gPanel.listBuffer);
    gPanel = {};
}

LAYERPANE_API int GetSelectedLayerCount()
{
    return SelectedCount(gPanel.selected);
}
