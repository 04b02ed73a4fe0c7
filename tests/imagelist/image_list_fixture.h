// A plain main window under Xvfb with an AppContext, a document and the image list panel
// created on it; the application messages the main window receives are recorded.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "common/app_context.h"
#include "harness/test_windows.h"
#include "core/pyx.h"

struct ReceivedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool sent;             // SendMessage rather than PostMessage
    int currentImage;      // the AppContext at the moment the message arrived
    int currentLayer;
    int imageCount;
};

void PumpMessages();

class ImageListTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Replaces the document's Images by new ones of these sizes (32-bit) and tells the
    // panel, as the main window does after opening a file.
    void UseImages(const std::vector<SIZE>& sizes, int current = 0);
    Image* ImageNumber(int index) const;
    std::vector<Image*> Order() const;

    // Messages from WM_APP on that the main window received since the last call.
    std::vector<ReceivedMessage> TakeMessages();

    HWND parent = nullptr;
    AppContext context{};
    HWND frame = nullptr;
    HWND strip = nullptr;
};
