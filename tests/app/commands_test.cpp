// Menu commands and accelerators reach the panels that own them.
#include <gtest/gtest.h>

#include "common/selection_state.h"
#include "common/message_box_recorder.h"
#include "common/messages.h"
#include "dialog_answers.h"
#include "shell_session.h"
#include "shell_state.h"

namespace {

std::vector<UINT> Messages(const std::vector<PanelMessage>& received)
{
    std::vector<UINT> messages;
    for (const PanelMessage& message : received)
        messages.push_back(message.message);
    return messages;
}

}  // namespace

TEST(Commands, DrawingMenuSelectsToolsThroughTheToolbox)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    const AppContext& context = Context();
    PanelSpy spy(context);
    const struct {
        int command, tool;
    } tools[] = {{32809, 0}, {32805, 1}, {32810, 2}, {32811, 3},  {32815, 7},  {32817, 9},
                 {32822, 14}, {32882, 16}, {32881, 17}, {32824, 18}, {32825, 19}};
    for (const auto& entry : tools) {
        spy.Clear();
        SendMessageW(window, WM_COMMAND, entry.command, 0);
        const auto received = spy.ReceivedBy(context.toolboxWindow);
        ASSERT_EQ(received.size(), 1u) << "command " << entry.command;
        EXPECT_EQ(received[0].message, kToolboxSelectTool);
        EXPECT_EQ(received[0].wParam, WPARAM(entry.tool)) << "command " << entry.command;
    }
    spy.Clear();
    SendMessageW(window, WM_COMMAND, 32871, 0);  // Use Gradient Brush, with the gradient off
    const auto gradient = spy.ReceivedBy(context.colorPickerWindow);
    ASSERT_EQ(gradient.size(), 1u);
    EXPECT_EQ(gradient[0].message, kColorPickerGradient);
    EXPECT_EQ(gradient[0].wParam, 1u) << "asks to turn it on";
    StopShell();
}

TEST(Commands, LayersImagesAndEditCommandsReachTheirPanels)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    const AppContext& context = Context();
    PanelSpy spy(context);
    const struct {
        int command;
        HWND panel;
        UINT message;
        UINT answer = 0;  // the main window's redraw after a change the panel reported
    } routes[] = {
        {32827, context.layersWindow, WM_APP + 8},     {32828, context.layersWindow, WM_APP + 9},
        {32829, context.layersWindow, WM_APP + 10},    {32830, context.layersWindow, WM_APP + 11},
        {32831, context.layersWindow, WM_APP + 12},    {32879, context.layersWindow, WM_APP + 42},
        {32833, context.imageListWindow, WM_APP + 16}, {32834, context.imageListWindow, WM_APP + 17},
        {32835, context.imageListWindow, WM_APP + 18}, {32836, context.imageListWindow, WM_APP + 20},
        {32889, context.imageListWindow, WM_APP + 48}, {32837, context.imageListWindow, WM_APP + 19},
        {32792, context.editAreaWindow, WM_APP + 109, WM_APP + 100}, {32798, context.editAreaWindow, WM_APP + 110},
        {32799, context.editAreaWindow, WM_APP + 111}, {32800, context.editAreaWindow, WM_APP + 112},
        {32801, context.editAreaWindow, WM_APP + 113}, {32802, context.editAreaWindow, WM_APP + 114},
        {32797, context.editAreaWindow, WM_APP + 105}, {32867, context.editAreaWindow, WM_APP + 105},
    };
    MessageBoxAnswer closeDialogs(IDCANCEL);  // the image list's dialogs open for real
    for (const auto& route : routes) {
        spy.Clear();
        SendMessageW(window, WM_COMMAND, route.command, 0);
        const std::vector<UINT> expected =
            route.answer ? std::vector<UINT>{route.message, route.answer} : std::vector<UINT>{route.message};
        EXPECT_EQ(Messages(spy.ReceivedBy(route.panel)), expected) << "command " << route.command;
    }
    StopShell();
}

TEST(Commands, AcceleratorsAreBlockedWhileATransformationWaitsButTheMenuIsNot)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    const AppContext& context = Context();
    PanelSpy spy(context);
    ASSERT_TRUE(PressAccelerator(window, 'L', true, false));
    EXPECT_EQ(Messages(spy.ReceivedBy(context.layersWindow)), std::vector<UINT>{WM_APP + 8});

    spy.Clear();
    MessageBoxRecorder blankRefusal;  // the new document's layer is blank
    SendMessageW(window, WM_COMMAND, 32804, 0);  // Scale starts a pending transformation
    EXPECT_EQ(CurrentShell().transformPending, 1);
    const auto imageList = spy.ReceivedBy(context.imageListWindow);
    // Input goes off; the editing area refuses to scale a blank layer, ends the
    // transformation at once, and input comes back on.
    ASSERT_EQ(imageList.size(), 2u);
    EXPECT_EQ(imageList[0].message, kPanelInput);
    EXPECT_EQ(imageList[0].wParam, 0u) << "input off";
    EXPECT_EQ(imageList[1].message, kPanelInput);
    EXPECT_EQ(imageList[1].wParam, 1u) << "input on";
    EXPECT_EQ(Messages(spy.ReceivedBy(context.editAreaWindow)), std::vector<UINT>{WM_APP + 108});
    CurrentShell().transformPending = 1;  // as while the scaling strip is open

    // The menu items are disabled now, so the accelerator table sends nothing; a command
    // marked as an accelerator's (a stale menu) is still refused when it checks.
    spy.Clear();
    PressAccelerator(window, 'L', true, false);
    EXPECT_TRUE(spy.ReceivedBy(context.layersWindow).empty());
    for (int command : {32827, 32829, 32833, 32835, 32836, 32867})
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(command, 1), 0);
    EXPECT_TRUE(spy.ReceivedBy(context.layersWindow).empty());
    EXPECT_TRUE(spy.ReceivedBy(context.imageListWindow).empty());
    EXPECT_TRUE(spy.ReceivedBy(context.editAreaWindow).empty()) << "Deselect checks";
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(32797, 1), 0);  // Select All waits for it too
    EXPECT_TRUE(spy.ReceivedBy(context.editAreaWindow).empty());
    SendMessageW(window, WM_COMMAND, 32827, 0);
    EXPECT_EQ(Messages(spy.ReceivedBy(context.layersWindow)), std::vector<UINT>{WM_APP + 8});
    StopShell();
}

TEST(Commands, ExitAcceleratorClosesTheProgram)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(PressAccelerator(window, 'Q', true, false));
    PumpMessages();  // the posted close request
    EXPECT_FALSE(IsWindow(window));
    StopShell();
}
