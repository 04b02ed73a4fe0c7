// The panels' reports to the main window and what the shell passes on to the other panels.
#include <gtest/gtest.h>

#include "common/message_box_recorder.h"
#include "common/selection_state.h"
#include "core/pyx.h"
#include "harness/expect_boxes.h"
#include "harness/test_bitmaps.h"
#include "shell_session.h"
#include "shell_state.h"

namespace {

struct Seen {
    UINT message;
    WPARAM wParam;
    bool operator==(const Seen& other) const { return message == other.message && wParam == other.wParam; }
};

std::vector<Seen> Received(PanelSpy& spy, HWND panel)
{
    std::vector<Seen> seen;
    for (const PanelMessage& message : spy.ReceivedBy(panel))
        seen.push_back({message.message, message.wParam});
    return seen;
}

}  // namespace

TEST(PanelMessages, ReportsAreFannedOutToTheOtherPanels)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    const AppContext& context = Context();
    PanelSpy spy(context);
    const auto report = [&](UINT message, WPARAM wParam) {
        spy.Clear();
        SendMessageW(window, message, wParam, 7);
    };
    report(WM_APP + 80, 5);
    EXPECT_EQ(Received(spy, context.toolOptionsWindow), (std::vector<Seen>{{WM_APP + 80, 5}})) << "tool picked";
    report(WM_APP + 86, 0);
    EXPECT_EQ(Received(spy, context.editAreaWindow), (std::vector<Seen>{{WM_APP + 86, 0}})) << "options changed";
    report(WM_APP + 104, 1);
    EXPECT_EQ(Received(spy, context.layersWindow), (std::vector<Seen>{{WM_APP + 1, 1}}));
    EXPECT_EQ(Received(spy, context.imageListWindow), (std::vector<Seen>{{WM_APP + 1, 0}}));
    EXPECT_EQ(Received(spy, context.editAreaWindow), (std::vector<Seen>{{WM_APP + 101, 1}}));
    report(WM_APP + 104, 0);
    EXPECT_EQ(Received(spy, context.editAreaWindow), (std::vector<Seen>{{WM_APP + 100, 0}}));
    report(WM_APP + 14, 0);
    EXPECT_EQ(Received(spy, context.layersWindow), (std::vector<Seen>{{WM_APP + 5, 0}}));
    EXPECT_EQ(Received(spy, context.editAreaWindow), (std::vector<Seen>{{WM_APP + 102, 0}}));
    EXPECT_EQ(Received(spy, context.colorPickerWindow), (std::vector<Seen>{{WM_APP + 3, 32}})) << "depth";
    Context().document->firstImage->bitsPerPixel = 8;
    report(WM_APP + 15, 0);
    EXPECT_EQ(Received(spy, context.colorPickerWindow), (std::vector<Seen>{{WM_APP + 4, 0}, {WM_APP + 3, 8}}))
        << "gradient off below 24 bits, then the depth";
    StopShell();
}

// The new document's layer is blank: the editing area refuses to rotate or scale it, says
// so, and ends the pending transformation, so the menus and Exit work again.
TEST(PanelMessages, RefusedTransformationEndsAtOnceAndUnlocksTheMenus)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    for (int command : {32803, 32804}) {  // Custom Rotate, Scale
        SCOPED_TRACE(command);
        MessageBoxRecorder boxes;
        SendMessageW(window, WM_COMMAND, command, 0);
        PumpMessages();
        EXPECT_EQ(CurrentShell().transformPending, 0) << "the editing area ended it";
        ExpectOneBox(boxes, L"You can not rotate or scale a blank area.", L"Transform Error");
    }
    SendMessageW(window, WM_COMMAND, 105, 0);  // Exit works again
    PumpMessages();
    EXPECT_FALSE(IsWindow(window));
    StopShell();
}

TEST(PanelMessages, EndOfATransformationLetsThePanelsAndTheWindowGoAgain)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    const AppContext& context = Context();
    MessageBoxRecorder blankRefusal;  // the new document's layer is blank
    SendMessageW(window, WM_COMMAND, 32803, 0);
    ASSERT_EQ(CurrentShell().transformPending, 1);
    PumpMessages();  // the input-off notes
    PanelSpy spy(context);
    SendMessageW(window, WM_APP + 115, 0, 0);
    EXPECT_EQ(CurrentShell().transformPending, 0);
    EXPECT_EQ(Received(spy, context.imageListWindow), (std::vector<Seen>{{WM_APP + 43, 1}})) << "input on";
    EXPECT_EQ(Received(spy, context.layersWindow), (std::vector<Seen>{{WM_APP + 43, 1}}));
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window)) << "closes without the warning";
    StopShell();
}

TEST(PanelMessages, SelectionIsRebuiltFromItsRegionWithinTheImage)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    Layer* layer = Context().document->firstImage->firstLayer;
    PaintPixels(layer->bitmap, [](int x, int y) { return 0xFF000000u | uint32_t(x << 8) | uint32_t(y); });
    SelectionState* selection = Context().selection;
    DeleteObject(selection->region);
    selection->region = CreateRectRgn(40, 30, 60, 60);  // reaches past the 48 x 48 image
    SendMessageW(window, WM_APP + 7, 1, 0);
    EXPECT_EQ(selection->left, 40);
    EXPECT_EQ(selection->top, 30);
    EXPECT_EQ(selection->width, 8);
    EXPECT_EQ(selection->height, 18);
    ASSERT_NE(selection->content, nullptr);
    const std::vector<uint32_t> pixels = ReadPixels(selection->content);
    ASSERT_EQ(pixels.size(), 8u * 18u);
    EXPECT_EQ(pixels[0], 0xFF000000u | (40u << 8) | 30u);
    EXPECT_EQ(pixels.back(), 0xFF000000u | (47u << 8) | 47u);

    DeleteObject(selection->region);
    selection->region = CreateRectRgn(100, 100, 120, 120);  // nothing of it inside
    SendMessageW(window, WM_APP + 6, 1, 0);
    EXPECT_EQ(selection->left, 0);
    EXPECT_EQ(selection->width, 48);
    EXPECT_EQ(selection->height, 48);
    SendMessageW(window, WM_APP + 6, 0, 0);  // reset
    EXPECT_EQ(selection->width, 48);
    EXPECT_EQ(ReadPixels(selection->content)[47 * 48 + 1], 0xFF000000u | (1u << 8) | 47u);
    StopShell();
}
