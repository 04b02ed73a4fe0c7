// The image list's two windows: the rounded frame "Image Palette" and the strip of cards
// "Image List Palette" inside it, the exports, and the messages from the main window.
#include <windows.h>

#include <windowsx.h>

#include <algorithm>

#include "common/messages.h"
#include "imagelist_state.h"
#include "imagestrip.h"
#include "imagestrip_ids.h"

namespace {

constexpr wchar_t kFrameClass[] = L"Image Palette";
constexpr wchar_t kListClass[] = L"Image List Palette";
constexpr int kFrameStartWidth = 600;
constexpr int kFrameHeight = 150;
constexpr int kListInset = 12;
constexpr int kListHeight = 126;

ImageListState gPanel;

HINSTANCE ModuleInstance()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ModuleInstance), &module);
    return module;
}

void OnFrameSize(ImageListState* state, int width)
{
    state->frameWidth = width;
    state->listWidth = std::max(1, width - 2 * kListInset);
    RebuildFramePath(state);
    RebuildBackBuffer(state->frameBuffer, state->frameWidth, state->frameHeight);
    if (state->listWindow)
        MoveWindow(state->listWindow, kListInset, kListInset, state->listWidth, kListHeight, TRUE);
}

void OnListSize(ImageListState* state, int width)
{
    state->listWidth = std::max(1, width);
    RebuildBackBuffer(state->listBuffer, state->listWidth, state->listHeight);
    state->layout = LayoutForWidth(state->listWidth);
    SetScrollState(state);
    state->scrollPos =
        ScrollPosAround(state->current, state->maxScrollPos, state->listWidth, state->layout);
    SetScrollPos(state->listWindow, SB_HORZ, state->scrollPos, TRUE);
}

void OnSelectImage(ImageListState* state, WPARAM index)
{
    CancelDrag(state);
    ReloadDocument(state);
    ForgetCards(state);  // undo and redo replace Images behind our back
    state->current = std::clamp(int(index), 0, std::max(0, state->imageCount - 1));
    SetScrollState(state);
    state->scrollPos = std::min(state->maxScrollPos, state->current);
    SetScrollPos(state->listWindow, SB_HORZ, state->scrollPos, TRUE);
    Redraw(state);
}

void OnRefresh(ImageListState* state)
{
    ForgetCards(state);  // the main window says pictures changed, not which
    Redraw(state);
}

void OnInputSwitch(ImageListState* state, WPARAM on)
{
    state->inputEnabled = on == 1;
    if (!state->inputEnabled)
        CancelDrag(state);
}

void OnColorsChanged(ImageListState* state)
{
    LoadPanelLook(state);
    ForgetCards(state);  // the cards carry the old colours
    InvalidateRect(state->frameWindow, nullptr, FALSE);
    Redraw(state);
}

void OnFrameMouseMove(ImageListState* state)
{
    SetFocus(state->context->mainWindow);
    SetCursor(state->arrowCursor);
}

template <typename Paint>
void PaintWindow(HWND window, ImageListState* state, Paint paint)
{
    PAINTSTRUCT ps;
    HDC target = BeginPaint(window, &ps);
    paint(state, target);
    EndPaint(window, &ps);
}

// The messages the main window sends to the panel; the Images menu arrives here too.
bool OnPanelMessage(ImageListState* state, UINT message, WPARAM wParam)
{
    switch (message) {
    case kPanelRefresh: OnRefresh(state); return true;
    case kImageListSelectImage: OnSelectImage(state, wParam); return true;
    case kImageListNewImage: CreateImage(state, 48, 48, true); return true;
    case kImageListDuplicateImage: DuplicateCurrentImage(state); return true;
    case kImageListDeleteImage: DeleteCurrentImage(state); return true;
    case kImageListStandardFormats: OpenStandardFormats(state); return true;
    case kImageListProperties: OpenImageProperties(state); return true;
    case kImageListAnimatedCursorProperties: OpenAnimatedCursorProperties(state); return true;
    case kPanelInput: OnInputSwitch(state, wParam); return true;
    default: return false;
    }
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ImageListState* state = &gPanel;
    if (message == WM_NCCREATE)
        state->frameWindow = window;  // WM_SIZE arrives before CreateWindowExW returns
    if (window != state->frameWindow)
        return DefWindowProcW(window, message, wParam, lParam);
    if (OnPanelMessage(state, message, wParam))
        return 0;
    switch (message) {
    case WM_SIZE: OnFrameSize(state, LOWORD(lParam)); return 0;
    case WM_PAINT: PaintWindow(window, state, PaintFrame); return 0;
    case WM_PRINTCLIENT: PaintFrame(state, reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEMOVE: OnFrameMouseMove(state); return 0;
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED: OnColorsChanged(state); return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ImageListState* state = &gPanel;
    if (message == WM_NCCREATE)
        state->listWindow = window;
    if (window != state->listWindow)
        return DefWindowProcW(window, message, wParam, lParam);
    const int x = GET_X_LPARAM(lParam);
    switch (message) {
    case WM_SIZE: OnListSize(state, LOWORD(lParam)); return 0;
    case WM_PAINT: PaintWindow(window, state, PaintStrip); return 0;
    case WM_PRINTCLIENT: PaintStrip(state, reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN: OnStripLeftDown(state, x); return 0;
    case WM_MOUSEMOVE: OnStripMouseMove(state, x, wParam); return 0;
    case WM_LBUTTONUP: OnStripLeftUp(state, x); return 0;
    case WM_RBUTTONDOWN: OnStripRightDown(state, x); return 0;
    case WM_CAPTURECHANGED: OnStripCaptureLost(state, reinterpret_cast<HWND>(lParam)); return 0;
    case WM_HSCROLL: OnStripScroll(state, LOWORD(wParam)); return 0;
    case WM_COMMAND: OnImageCommand(state, LOWORD(wParam)); return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterPanelClass(const wchar_t* name, WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ModuleInstance();
    windowClass.lpszClassName = name;  // no class cursor: the strip chooses its own
    return RegisterClassExW(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void InitPanelState(ImageListState* state, AppContext* context)
{
    *state = ImageListState{};
    state->context = context;
    state->frameWidth = kFrameStartWidth;
    state->frameHeight = kFrameHeight;
    state->listWidth = kFrameStartWidth - 2 * kListInset;
    state->listHeight = kListHeight;
    state->layout = LayoutForWidth(state->listWidth);
    state->inputEnabled = true;
    state->pressX = -1;
    ReloadDocument(state);
    state->current = std::clamp(int(context->currentImage), 0, std::max(0, state->imageCount - 1));
}

void LoadCursorsAndMenu(ImageListState* state)
{
    HINSTANCE instance = ModuleInstance();
    state->normalCursor = LoadCursorW(instance, MAKEINTRESOURCEW(IDCUR_HAND_POINT));
    state->dragCursor = LoadCursorW(instance, MAKEINTRESOURCEW(IDCUR_HAND_GRAB));
    state->arrowCursor = LoadCursorW(nullptr, IDC_ARROW);
    state->menuResource = LoadMenuW(instance, MAKEINTRESOURCEW(IDM_IMAGE_MENU));
    state->menu = state->menuResource ? GetSubMenu(state->menuResource, 0) : nullptr;
}

HWND CreateFrame(ImageListState* state, HWND parent, int x, int y)
{
    return CreateWindowExW(0, kFrameClass, kFrameClass, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                           x, y, state->frameWidth, state->frameHeight, parent, nullptr,
                           ModuleInstance(), nullptr);
}

HWND CreateStrip(ImageListState* state)
{
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_HSCROLL;
    return CreateWindowExW(0, kListClass, kListClass, style, kListInset, kListInset,
                           state->listWidth, state->listHeight, state->frameWindow, nullptr,
                           ModuleInstance(), nullptr);
}

void ReleasePanel(ImageListState* state)
{
    if (state->listWindow)
        DestroyWindow(state->listWindow);
    if (state->frameWindow)
        DestroyWindow(state->frameWindow);
    ForgetCards(state);
    ReleaseBackBuffer(state->frameBuffer);
    ReleaseBackBuffer(state->listBuffer);
    delete state->framePath;
    delete state->thumbFont;
    if (state->menuResource)
        DestroyMenu(state->menuResource);
    // Cursors loaded from resources are shared and need no destroying.
    *state = ImageListState{};
}

}  // namespace

ImageListState& Panel() { return gPanel; }

void Redraw(ImageListState* state)
{
    if (state->listWindow)
        InvalidateRect(state->listWindow, nullptr, FALSE);
}

void ReloadDocument(ImageListState* state)
{
    const Resource* document = state->context ? state->context->document : nullptr;
    state->firstImage = document ? document->firstImage : nullptr;
    state->imageCount = document ? document->imageCount : 0;
}

void SetScrollState(ImageListState* state)
{
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = std::max(0, state->imageCount);
    info.nPage = UINT(state->listWidth / kScrollPageDivisor);
    info.nPos = 0;
    if (state->listWindow)
        SetScrollInfo(state->listWindow, SB_HORZ, &info, TRUE);
    state->maxScrollPos = MaxScrollPos(state->imageCount, state->listWidth, state->layout);
}

IMAGESTRIP_API HWND CreateILWindow(HWND parent, int x, int y, AppContext* context)
{
    if (!parent || !context)
        return nullptr;
    DestroyILWindow();
    if (!RegisterPanelClass(kFrameClass, FrameProc) || !RegisterPanelClass(kListClass, ListProc))
        return nullptr;
    InitPanelState(&gPanel, context);
    LoadPanelLook(&gPanel);
    if (!CreateFrame(&gPanel, parent, x, y)) {
        ReleasePanel(&gPanel);
        return nullptr;
    }
    if (!gPanel.frameBuffer.dc)
        OnFrameSize(&gPanel, gPanel.frameWidth);
    ShowWindow(gPanel.frameWindow, SW_SHOW);
    UpdateWindow(gPanel.frameWindow);
    if (!CreateStrip(&gPanel)) {
        ReleasePanel(&gPanel);
        return nullptr;
    }
    if (!gPanel.listBuffer.dc)
        OnListSize(&gPanel, gPanel.listWidth);
    gPanel.scrollPos = 0;
    SetScrollState(&gPanel);
    LoadCursorsAndMenu(&gPanel);
    return gPanel.frameWindow;
}

IMAGESTRIP_API void DestroyILWindow() { ReleasePanel(&gPanel); }

IMAGESTRIP_API int CreateNewImageEx(uint16_t width, uint16_t height)
{
    return gPanel.context && CreateImage(&gPanel, width, height, false) ? 1 : 0;
}
