#include "common/scaffold_panel.h"

namespace {

void PaintScaffold(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    FrameRect(dc, &client, GetSysColorBrush(COLOR_BTNSHADOW));
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, className, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EndPaint(window, &paint);
}

LRESULT CALLBACK ScaffoldProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PaintScaffold(window);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND CreateScaffoldPanel(HINSTANCE instance, const wchar_t* className, HWND parent, int x, int y,
                         int width, int height)
{
    if (!parent)
        return nullptr;
    WNDCLASSW windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = ScaffoldProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className;
    if (!RegisterClassW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return nullptr;
    return CreateWindowExW(0, className, className, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, x,
                           y, width, height, parent, nullptr, instance, nullptr);
}

void DestroyScaffoldPanel(HWND* panel)
{
    if (*panel)
        DestroyWindow(*panel);
    *panel = nullptr;
}
