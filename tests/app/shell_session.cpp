#include "shell_session.h"

#include <gtest/gtest.h>

#include "shell_state.h"
#include "startup.h"

namespace {

std::vector<PanelMessage> gReceived;
std::vector<std::pair<HWND, WNDPROC>>* gOriginals = nullptr;

LRESULT CALLBACK SpyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_APP || message == WM_SYSCOLORCHANGE || message == WM_KEYDOWN || message == WM_KEYUP)
        gReceived.push_back({window, message, wParam});
    for (const auto& [panel, original] : *gOriginals) {
        if (panel == window)
            return CallWindowProcW(original, window, message, wParam, lParam);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND StartShell(const wchar_t* commandLine)
{
    if (!StartVexil(GetModuleHandleW(nullptr), commandLine))
        return nullptr;
    PumpMessages();
    return Context().mainWindow;
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            break;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void StopShell()
{
    AppContext* context = CurrentShell().context;
    if (context && IsWindow(context->mainWindow)) {
        context->document->modified = 0;
        CurrentShell().transformPending = 0;
        SendMessageW(context->mainWindow, WM_CLOSE, 0, 0);
        EXPECT_FALSE(IsWindow(context->mainWindow)) << "the main window closes";
    }
    PumpMessages();
    FinishVexil();
}

bool PressAccelerator(HWND window, WORD key, bool control, bool shift)
{
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_CONTROL] = control ? 0x80 : 0;
    state[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(state);
    MSG message = {window, WM_KEYDOWN, key, 1, 0, {}};
    const bool translated = TranslateAcceleratorW(window, CurrentShell().accelerators, &message) != 0;
    state[VK_CONTROL] = state[VK_SHIFT] = 0;
    SetKeyboardState(state);
    return translated;
}

AppContext& Context()
{
    return *CurrentShell().context;
}

RECT ChildRect(HWND child)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void SetClientSize(HWND window, int width, int height)
{
    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrW(window, GWL_STYLE)), TRUE,
                       DWORD(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
}

PanelSpy::PanelSpy(const AppContext& context)
{
    gOriginals = &originals_;
    gReceived.clear();
    for (HWND panel : {context.imageListWindow, context.layersWindow, context.colorPickerWindow,
                       context.toolboxWindow, context.toolOptionsWindow, context.editAreaWindow}) {
        originals_.push_back({panel, WNDPROC(SetWindowLongPtrW(panel, GWLP_WNDPROC, LONG_PTR(SpyProc)))});
    }
}

PanelSpy::~PanelSpy()
{
    for (const auto& [panel, original] : originals_) {
        if (IsWindow(panel))
            SetWindowLongPtrW(panel, GWLP_WNDPROC, LONG_PTR(original));
    }
    gOriginals = nullptr;
    gReceived.clear();
}

std::vector<PanelMessage> PanelSpy::ReceivedBy(HWND panel)
{
    PumpMessages();
    std::vector<PanelMessage> messages;
    for (const PanelMessage& message : gReceived) {
        if (message.panel == panel)
            messages.push_back(message);
    }
    return messages;
}

void PanelSpy::Clear()
{
    PumpMessages();
    gReceived.clear();
}
