// The Filters menu's filters without settings run on the selection and land inside its
// region; a filter that gives nothing changes nothing and says so.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/document_ops.h"
#include "common/message_box_recorder.h"
#include "common/messages.h"
#include "common/selection_state.h"
#include "core/pyx.h"
#include "harness/expect_boxes.h"
#include "harness/test_bitmaps.h"
#include "selection.h"
#include "shell_session.h"
#include "shell_state.h"

namespace {

constexpr uint32_t kDark = 0xFF102030;
constexpr uint32_t kDarkNegative = 0xFFEFDFCF;
constexpr int kNegative = 32851;

uint32_t Pixel(Gdiplus::Bitmap* bitmap, int x, int y)
{
    Gdiplus::Color color;
    bitmap->GetPixel(x, y, &color);
    return color.GetValue();
}

Gdiplus::Bitmap* LayerBitmap()
{
    return CurrentLayer(Context())->bitmap;
}

int UndoSteps()
{
    return CurrentShell().undoChain->count;
}

// An L-shaped selection: 10..20 x 10..20 and 20..30 x 10..15; its box is 10..30 x 10..20.
void SelectLShape()
{
    HRGN region = CreateRectRgn(10, 10, 20, 20);
    HRGN arm = CreateRectRgn(20, 10, 30, 15);
    CombineRgn(region, region, arm, RGN_OR);
    DeleteObject(arm);
    ASSERT_TRUE(SelectRegion(&Context(), region));
}

void PrepareDarkLayer()
{
    PaintPixels(LayerBitmap(), [](int, int) { return kDark; });
    ResetSelection(&Context());
    Context().document->modified = 0;
}

}  // namespace

TEST(FilterCommands, NegativeChangesOnlyThePixelsInsideTheSelection)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    PrepareDarkLayer();
    SelectLShape();
    PanelSpy spy(Context());
    const int steps = UndoSteps();
    SendMessageW(window, WM_COMMAND, kNegative, 0);
    EXPECT_EQ(UndoSteps(), steps + 1);
    EXPECT_EQ(Context().document->modified, 1u);
    const struct {
        int x, y;
        uint32_t layer;
    } points[] = {{10, 10, kDarkNegative}, {19, 19, kDarkNegative}, {29, 14, kDarkNegative}, {25, 17, kDark},
                  {9, 10, kDark},          {20, 20, kDark},         {30, 10, kDark},         {0, 0, kDark}};
    const SelectionState& selection = *Context().selection;
    ASSERT_EQ(selection.left, 10);
    ASSERT_EQ(selection.top, 10);
    for (const auto& point : points) {
        SCOPED_TRACE(testing::Message() << point.x << ", " << point.y);
        EXPECT_EQ(Pixel(LayerBitmap(), point.x, point.y), point.layer);
        const int x = point.x - 10, y = point.y - 10;
        if (x >= 0 && y >= 0 && x < selection.width && y < selection.height) {
            EXPECT_EQ(Pixel(selection.content, x, y), point.layer == kDark ? 0u : kDarkNegative)
                << "the content is the result inside the region, transparent outside";
        }
    }
    auto messages = spy.ReceivedBy(Context().layersWindow);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages[0].message, kPanelRefresh);
    messages = spy.ReceivedBy(Context().editAreaWindow);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].message, kEditAreaRedraw);

    // Applied again, the filter gives the first pixels back.
    SendMessageW(window, WM_COMMAND, kNegative, 0);
    EXPECT_EQ(Pixel(LayerBitmap(), 15, 15), kDark);
    StopShell();
}

namespace {

// Closes every dialog of this thread with Cancel as it opens, and keeps its title.
std::vector<std::wstring> gCancelledDialogs;

LRESULT CALLBACK CancelDialogs(int code, WPARAM wParam, LPARAM lParam)
{
    wchar_t className[16] = {};
    if (code == HCBT_ACTIVATE && GetClassNameW(HWND(wParam), className, 16) && lstrcmpW(className, L"#32770") == 0) {
        HWND dialog = HWND(wParam);
        wchar_t title[80] = {};
        GetWindowTextW(dialog, title, 80);
        gCancelledDialogs.push_back(title);
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

TEST(FilterCommands, SimpleFiltersRunAndTheOthersOpenTheirDialogs)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    const struct {
        int command;
        const wchar_t* dialog;  // null: runs at once
    } commands[] = {
        {32852, nullptr}, {32851, nullptr}, {32841, nullptr}, {32847, nullptr}, {32843, nullptr},
        {32850, nullptr}, {32848, nullptr}, {32849, nullptr}, {32844, nullptr}, {32845, nullptr},
        {32846, nullptr}, {32840, L"Brightness and Contrast Settings"}, {32839, L"Colorize Settings"},
        {32853, L"Hue, Saturation and  Luminance Settings"}, {32856, L"Opacity Settings"},
        {32842, L"Heavy Blur Settings"}, {32857, L"Bevel Settings"}, {32854, L"Inner Shadow Settings"},
        {32855, L"Drop Shadow Settings"}, {32883, L"Borderize Settings"}, {32858, L"Custom Filter Settings"}};
    HHOOK hook = SetWindowsHookExW(WH_CBT, CancelDialogs, nullptr, GetCurrentThreadId());
    for (const auto& command : commands) {
        gCancelledDialogs.clear();
        const int steps = UndoSteps();
        SendMessageW(window, WM_COMMAND, command.command, 0);
        // Every command records its step before the layer may change; a dialog changes it
        // only when it closes with OK.
        EXPECT_EQ(UndoSteps(), std::min(steps + 1, 20)) << "command " << command.command << " (the chain keeps 20)";
        EXPECT_EQ(gCancelledDialogs, command.dialog ? std::vector<std::wstring>{command.dialog}
                                                    : std::vector<std::wstring>{})
            << "command " << command.command;
    }
    UnhookWindowsHookEx(hook);
    StopShell();
}

TEST(FilterCommands, AFilterWithoutResultLeavesTheLayerAndSaysSo)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    PrepareDarkLayer();
    SelectLShape();
    // Someone else holds the content's pixels: the filter library can give no result.
    Gdiplus::Bitmap* content = Context().selection->content;
    Gdiplus::BitmapData held{};
    Gdiplus::Rect all(0, 0, int(content->GetWidth()), int(content->GetHeight()));
    ASSERT_EQ(content->LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &held), Gdiplus::Ok);
    const int steps = UndoSteps();
    MessageBoxRecorder boxes;
    SendMessageW(window, WM_COMMAND, kNegative, 0);
    content->UnlockBits(&held);
    ExpectOneBox(boxes, L"The filter could not be applied to the selection.", L"Vexil 1.0");
    for (uint32_t pixel : ReadPixels(LayerBitmap()))
        ASSERT_EQ(pixel, kDark) << "no selected pixel is erased";
    EXPECT_EQ(Context().document->modified, 0u);
    EXPECT_EQ(UndoSteps(), steps) << "no step to undo";
    StopShell();
}

TEST(FilterCommands, AStaleMenuCannotFilterWhereTheMenuIsDisabled)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    Image* image = CurrentImage(Context());
    Layer* layer = CurrentLayer(Context());
    const struct {
        const char* situation;
        uint8_t depth, layerType;
        int pending;
    } cases[] = {{"24 bits", 24, kRasterLayer, 0}, {"vector layer", 32, kFilledVectorLayer, 0},
                 {"pending transformation", 32, kRasterLayer, 1}};
    for (const auto& test : cases) {
        image->bitsPerPixel = test.depth;
        layer->type = test.layerType;
        CurrentShell().transformPending = test.pending;
        const int steps = UndoSteps();
        SendMessageW(window, WM_COMMAND, kNegative, 0);
        EXPECT_EQ(UndoSteps(), steps) << test.situation;
    }
    image->bitsPerPixel = 32;
    layer->type = kRasterLayer;
    CurrentShell().transformPending = 0;
    StopShell();
}
