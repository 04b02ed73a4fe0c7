// A plain main window under Xvfb with an AppContext, the toolbox and the tool options bar
// created on it, and the application messages the main window receives.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/app_context.h"
#include "harness/test_windows.h"
#include "panels/toolbox/toolrack.h"

struct ReceivedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::wstring optionsText;  // the tool options text at the moment the message arrived
};

// Handles the posted and sent messages waiting for this thread.
void PumpMessages();

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
