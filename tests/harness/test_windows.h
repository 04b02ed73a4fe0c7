// What the window tests share: a plain main window to host a panel, the thread's message
// pump, window texts, and the pixels of a window as it paints them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// A visible top-level window of the given outer size and a class of its own, handled by proc.
HWND CreateTestMainWindow(const wchar_t* className, WNDPROC proc, SIZE outer);

// The outer size of a main window whose client area is width x height.
SIZE OuterSizeForClient(int width, int height);

// Handles the posted and sent messages waiting for this thread.
void PumpThreadMessages();

std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);

// A window's client pixels, 0x00RRGGBB, rows top to bottom.
struct Capture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

// As PrintWindow draws the client area.
Capture CaptureWindow(HWND window);
// As the window's own WM_PRINTCLIENT draws it.
Capture CapturePrintClient(HWND window);
// As the screen shows it, child windows included.
Capture CaptureScreenOf(HWND window);
