// The list window "Layer List Palette" (rows and scroll bar) and the bookkeeping the
// commands share: the Image on show, the current layer, the scroll state, the reports.
#include <windows.h>

#include <windowsx.h>

#include <algorithm>

#include "common/document_ops.h"
#include "common/messages.h"
#include "layer_geometry.h"
#include "layer_state.h"

namespace {

constexpr wchar_t kListClass[] = L"Layer List Palette";
constexpr int kListInset = 12;

int LayerCount(const LayerPanelState& state)
{
    return state.image ? state.image->layerCount : 0;
}

void OnListSize(LayerPanelState* state)
{
    RebuildBackBuffer(state->listBuffer, kListWidth, kListBufferHeight);
    state->scrollPos = 0;
    RefreshScroll(state);
    RedrawList(state);
}

void PresentList(const LayerPanelState& state, HDC dc)
{
    if (!state.listBuffer.dc)
        return;
    RECT client;
    GetClientRect(state.list, &client);
    BitBlt(dc, 0, 0, client.right, client.bottom, state.listBuffer.dc, 0, kRowHeight * state.scrollPos, SRCCOPY);
}

void OnListPaint(LayerPanelState* state)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(state->list, &paint);
    ShownImage(state);
    RenderList(*state);
    PresentList(*state, dc);
    EndPaint(state->list, &paint);
}

void OnListPrint(LayerPanelState* state, HDC dc)
{
    ShownImage(state);
    RenderList(*state);
    PresentList(*state, dc);
}

void OnScroll(LayerPanelState* state, int request)
{
    switch (request) {
    case SB_LINEUP:
    case SB_PAGEUP: SetScrollPosition(state, std::max(0, state->scrollPos - 1)); break;
    case SB_LINEDOWN:
    case SB_PAGEDOWN: SetScrollPosition(state, std::min(state->maxScrollPos, state->scrollPos + 1)); break;
    case SB_THUMBTRACK: {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(state->list, SB_VERT, &info);
        SetScrollPosition(state, std::clamp(info.nTrackPos, 0, state->maxScrollPos));
        break;
    }
    default: return;
    }
    RedrawList(state);
}

void OnListCommand(LayerPanelState* state, UINT command)
{
    if (CommandAllowed(*state, command))
        RunMenuCommand(state, command);
}

void OnListColorsChanged(LayerPanelState* state)
{
    state->colors = LoadPanelColors();
    RedrawList(state);
}

LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LayerPanelState* state = &Panel();
    if (message == WM_NCCREATE)
        state->list = window;
    if (state->list != window)
        return DefWindowProcW(window, message, wParam, lParam);
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_LBUTTONDOWN: OnListLeftDown(state, x, y, wParam); return 0;
    case WM_MOUSEMOVE: OnListMouseMove(state, x, y, wParam); return 0;
    case WM_LBUTTONUP: OnListLeftUp(state, x, y); return 0;
    case WM_CAPTURECHANGED: OnListCaptureLost(state, HWND(lParam)); return 0;
    case WM_RBUTTONDOWN: OnListRightDown(state, x, y); return 0;
    case WM_VSCROLL: OnScroll(state, LOWORD(wParam)); return 0;
    case WM_COMMAND: OnListCommand(state, LOWORD(wParam)); return 0;
    case WM_SIZE: OnListSize(state); return 0;
    case WM_PAINT: OnListPaint(state); return 0;
    case WM_PRINTCLIENT: OnListPrint(state, reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED: OnListColorsChanged(state); return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool RegisterListClass()
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = ListProc;
    windowClass.hInstance = LayerpaneInstance();
    windowClass.lpszClassName = kListClass;  // no class cursor: the list chooses its own
    return RegisterClassExW(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreateListWindow(LayerPanelState* state)
{
    HWND list = CreateWindowExW(0, kListClass, kListClass,
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, kListInset,
                                kListInset, kListWidth, state->listHeight, state->frame, nullptr,
                                LayerpaneInstance(), nullptr);
    if (list && !state->listBuffer.dc)
        OnListSize(state);
    return list;
}

Image* ShownImage(LayerPanelState* state)
{
    Image* image = state->context ? CurrentImage(*state->context) : nullptr;
    if (image != state->image)
        ReloadLayers(state);
    else if (image && state->current >= image->layerCount)
        SetCurrentLayer(state, 0);  // the list shrank behind the panel's back (an undo)
    return state->image;
}

void ReloadLayers(LayerPanelState* state)
{
    state->image = CurrentImage(*state->context);
    state->imageIndex = state->context->currentImage;
    SetCurrentLayer(state, 0);
    state->scrollPos = 0;
    state->armed = false;
    RefreshScroll(state);
    RedrawList(state);
}

void RefreshScroll(LayerPanelState* state)
{
    const int count = LayerCount(*state);
    state->maxScrollPos = MaxScrollPos(count, state->listHeight);
    state->scrollPos = std::clamp(state->scrollPos, 0, state->maxScrollPos);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = std::max(0, count - 1);
    info.nPage = UINT(PageRows(state->listHeight));
    info.nPos = state->scrollPos;
    if (state->list)
        SetScrollInfo(state->list, SB_VERT, &info, TRUE);
}

void SetScrollPosition(LayerPanelState* state, int position)
{
    state->scrollPos = std::clamp(position, 0, state->maxScrollPos);
    if (state->list)
        SetScrollPos(state->list, SB_VERT, state->scrollPos, TRUE);
}

void SetCurrentLayer(LayerPanelState* state, int layer)
{
    state->current = layer;
    state->selected = 1u << (layer % 32);
    state->context->currentLayer = layer;
}

void RedrawList(LayerPanelState* state)
{
    if (state->list)
        InvalidateRect(state->list, nullptr, FALSE);
}

void SetModified(LayerPanelState* state)
{
    if (state->context->document)
        state->context->document->modified = 1;
}

void SendUndoRing(LayerPanelState* state)
{
    SendMessageW(state->context->mainWindow, kUndoChangeRing, WPARAM(state->context->currentImage), 0);
}

void ReportChange(LayerPanelState* state, UINT message, bool flag, bool post)
{
    if (post)
        PostMessageW(state->context->mainWindow, message, flag ? 1 : 0, 0);
    else
        SendMessageW(state->context->mainWindow, message, flag ? 1 : 0, 0);
}
