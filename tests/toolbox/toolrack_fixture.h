// A plain main window under Xvfb with an AppContext, the toolbox and the tool options bar
// created on it, and the application messages the main window receives.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/app_context.h"
#include "panels/toolbox/toolrack.h"

struct ReceivedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::wstring optionsText;  // the tool options text at the moment the message arrived
};

// Handles the posted and sent messages waiting for this thread.
void PumpMessages();

// The pixels of a window as PrintWindow draws them, 0x00RRGGBB, rows top to bottom.
struct Capture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};
Capture CaptureWindow(HWND window);
// The window as the screen shows it, child windows included.
Capture CaptureScreenOf(HWND window);

std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);

class ToolrackTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Messages from WM_APP on that the main window received since the last call.
    std::vector<ReceivedMessage> TakeMessages();

    HWND parent = nullptr;
    AppContext context{};
    HWND toolbox = nullptr;
    HWND bar = nullptr;
};

// Writes a capture as a PNG file; true when it was written.
bool SaveCapture(const Capture& capture, const std::wstring& path);
