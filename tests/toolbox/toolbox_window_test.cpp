// The toolbox window driven with real mouse and application messages.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "toolbox/toolrack_fixture.h"

namespace {

constexpr UINT kToolChanged = WM_APP + 80;
constexpr UINT kChooseTool = WM_APP + 96;

LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }

void Click(HWND window, int x, int y)
{
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y));
    SendMessageW(window, WM_LBUTTONUP, 0, Point(x, y));
}

int Red(uint32_t pixel) { return (pixel >> 16) & 255; }
int Green(uint32_t pixel) { return (pixel >> 8) & 255; }
int Blue(uint32_t pixel) { return pixel & 255; }

int Saturation(uint32_t pixel)
{
    const int r = Red(pixel), g = Green(pixel), b = Blue(pixel);
    return std::max({r, g, b}) - std::min({r, g, b});
}

// The largest channel spread inside the 20 x 20 icon of button n.
int IconSaturation(const Capture& capture, int n)
{
    const int x0 = 6 + 24 * (n % 2) + 2, y0 = 10 + 24 * (n / 2) + 2;
    int most = 0;
    for (int y = y0; y < y0 + 20; ++y)
        for (int x = x0; x < x0 + 20; ++x)
            most = std::max(most, Saturation(capture.at(x, y)));
    return most;
}

// A pixel just inside the left edge of button n, beside its icon: shows the button's fill.
uint32_t ButtonFill(const Capture& capture, int n)
{
    return capture.at(6 + 24 * (n % 2) + 1, 10 + 24 * (n / 2) + 12);
}

void ExpectNear(uint32_t actual, int r, int g, int b, int tolerance, const char* what)
{
    EXPECT_NEAR(Red(actual), r, tolerance) << what;
    EXPECT_NEAR(Green(actual), g, tolerance) << what;
    EXPECT_NEAR(Blue(actual), b, tolerance) << what;
}

// The tooltip window that holds the toolbox's buttons (its owner is the main window, the
// toolbox's top-level ancestor).
HWND FindTooltip(HWND toolbox)
{
    struct Search {
        HWND toolbox;
        HWND found;
    } search{toolbox, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM lParam) -> BOOL {
            auto* search = reinterpret_cast<Search*>(lParam);
            TOOLINFOW info{};
            info.cbSize = TTTOOLINFOW_V2_SIZE;
            info.hwnd = search->toolbox;
            info.uId = 1;
            if (ClassName(window) == TOOLTIPS_CLASSW &&
                SendMessageW(window, TTM_GETTOOLINFOW, 0, LPARAM(&info)))
                search->found = window;
            return search->found == nullptr;
        },
        LPARAM(&search));
    return search.found;
}

}  // namespace

TEST(ToolboxCreation, RefusesMissingParentOrContext)
{
    AppContext context{};
    context.currentTool = 5;
    EXPECT_EQ(TOOLRACK_CreateWindow(nullptr, 1, 1, &context), nullptr);
    EXPECT_EQ(TOOLRACK_CreateWindow(GetDesktopWindow(), 1, 1, nullptr), nullptr);
    EXPECT_EQ(context.currentTool, 5);
}

TEST_F(ToolrackTest, ToolboxIsAVisibleChildOfItsClassAndSize)
{
    EXPECT_EQ(ClassName(toolbox), L"VxToolBox");
    EXPECT_EQ(GetParent(toolbox), parent);
    EXPECT_TRUE(IsWindowVisible(toolbox));
    const LONG style = GetWindowLongW(toolbox, GWL_STYLE);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_TRUE(style & WS_CLIPSIBLINGS);
    EXPECT_TRUE(style & WS_CLIPCHILDREN);
    RECT rect;
    GetWindowRect(toolbox, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, 1);
    EXPECT_EQ(rect.top, 40);
    EXPECT_EQ(rect.right - rect.left, 60);
    EXPECT_EQ(rect.bottom - rect.top, 500);
    EXPECT_EQ(context.currentTool, 0);
}

TEST_F(ToolrackTest, ClicksSelectTheButtonUnderThePointer)
{
    struct Case {
        int x, y;
        int tool;  // -1: no button, the tool stays
    };
    const Case cases[] = {
        {6, 10, 0},   {29, 33, 0},  {30, 10, 1},  {53, 20, 1},  {54, 20, -1}, {5, 20, -1}, {40, 129, 9},
        {20, 9, -1},  {10, 34, 2},  {40, 130, 11}, {6, 250, 20}, {53, 273, 21},
        {10, 275, -1}, {40, 290, -1},
    };
    for (const Case& c : cases) {
        SendMessageW(toolbox, kChooseTool, 5, 0);
        TakeMessages();
        Click(toolbox, c.x, c.y);
        const auto messages = TakeMessages();
        const int expected = c.tool < 0 ? 5 : c.tool;
        SCOPED_TRACE(testing::Message() << "click at (" << c.x << ", " << c.y << ")");
        EXPECT_EQ(context.currentTool, expected);
        if (c.tool < 0) {
            EXPECT_TRUE(messages.empty());
            continue;
        }
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].message, kToolChanged);
        EXPECT_EQ(messages[0].wParam, WPARAM(c.tool));
        EXPECT_EQ(messages[0].lParam, 5);
    }
}

TEST_F(ToolrackTest, ChoosingTheCurrentToolTellsNobody)
{
    Click(toolbox, 10, 20);  // tool 0 is already current
    SendMessageW(toolbox, kChooseTool, 0, 0);
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(context.currentTool, 0);
}

TEST_F(ToolrackTest, ToolNumbersFromTheMenuAboveTheLastAreIgnored)
{
    SendMessageW(toolbox, kChooseTool, 18, 0);
    auto messages = TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].wParam, 18u);
    EXPECT_EQ(messages[0].lParam, 0);
    EXPECT_EQ(context.currentTool, 18);
    for (WPARAM tool : {WPARAM(22), WPARAM(255), WPARAM(-1)}) {
        SendMessageW(toolbox, kChooseTool, tool, 0);
        EXPECT_TRUE(TakeMessages().empty()) << tool;
        EXPECT_EQ(context.currentTool, 18) << tool;
    }
}

TEST_F(ToolrackTest, CurrentButtonIsWhiteWithItsColorIconAndTheOthersGray)
{
    SendMessageW(toolbox, kChooseTool, 3, 0);
    const Capture capture = CaptureWindow(toolbox);
    ASSERT_EQ(capture.width, 60);
    const uint32_t face = capture.at(30, 300);  // panel below the separator
    const uint32_t frame = GetSysColor(COLOR_HIGHLIGHT);
    ExpectNear(capture.at(0, 0), GetRValue(frame), GetGValue(frame), GetBValue(frame), 0, "frame");
    ExpectNear(capture.at(30, 2), 0, 0, 0, 60, "panel outline");
    ExpectNear(ButtonFill(capture, 3), 255, 255, 255, 0, "current button");
    ExpectNear(ButtonFill(capture, 2), Red(face), Green(face), Blue(face), 0, "other button");
    EXPECT_GT(IconSaturation(capture, 3), 80) << "the pen shows in color";
    for (int n = 0; n < 22; ++n) {
        if (n == 3)
            continue;
        EXPECT_LT(IconSaturation(capture, n), Saturation(face) + 12) << "gray icon " << n;
    }
}

TEST_F(ToolrackTest, HoveredButtonIsVeiledUntilThePointerLeaves)
{
    SendMessageW(toolbox, WM_MOUSEMOVE, 0, Point(40, 60));  // button 5
    Capture capture = CaptureWindow(toolbox);
    const uint32_t face = capture.at(30, 300);
    auto veiled = [](int channel) { return channel + (255 - channel) * 130 / 255; };
    ExpectNear(ButtonFill(capture, 5), veiled(Red(face)), veiled(Green(face)), veiled(Blue(face)), 3,
               "hovered button");
    EXPECT_GT(IconSaturation(capture, 5), 80) << "the bucket shows in color";
    EXPECT_EQ(context.currentTool, 0) << "hovering selects nothing";

    SendMessageW(toolbox, WM_MOUSEMOVE, 0, Point(40, 285));  // below the buttons
    capture = CaptureWindow(toolbox);
    ExpectNear(ButtonFill(capture, 5), Red(face), Green(face), Blue(face), 0, "no button hovered");

    SendMessageW(toolbox, WM_MOUSEMOVE, 0, Point(40, 60));
    SendMessageW(toolbox, WM_MOUSELEAVE, 0, 0);
    capture = CaptureWindow(toolbox);
    ExpectNear(ButtonFill(capture, 5), Red(face), Green(face), Blue(face), 0, "after leaving");
    EXPECT_LT(IconSaturation(capture, 5), Saturation(face) + 12);
}

TEST_F(ToolrackTest, PointerOverTheToolboxGivesTheKeyboardToTheMainWindow)
{
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 200, 200, 80, 20, parent,
                                nullptr, nullptr, nullptr);
    SetFocus(edit);
    ASSERT_EQ(GetFocus(), edit);
    SendMessageW(toolbox, WM_MOUSEMOVE, 0, Point(20, 20));
    EXPECT_EQ(GetFocus(), parent);
    DestroyWindow(edit);
}

TEST_F(ToolrackTest, ResizingRedrawsThePanelToTheNewHeight)
{
    SetWindowPos(toolbox, nullptr, 0, 0, 60, 320, SWP_NOMOVE | SWP_NOZORDER);
    const Capture capture = CaptureWindow(toolbox);
    ASSERT_EQ(capture.height, 320);
    const uint32_t frame = capture.at(30, 319);
    ExpectNear(capture.at(30, 317), 0, 0, 0, 60, "bottom outline at height - 3");
    EXPECT_NE(capture.at(30, 310), frame);
    EXPECT_EQ(capture.at(0, 319), frame);
}

TEST_F(ToolrackTest, TooltipsNameEveryButton)
{
    const wchar_t* const names[22] = {
        L"Rectangular Selection Tool", L"Move Tool", L"Magic Wand Tool", L"Pen Tool",
        L"Eraser Tool", L"Paint Bucket Tool", L"Gradient Tool", L"Blur Tool",
        L"Hollow Text Tool", L"Filled Text Tool", L"Ellipse Tool", L"Filled Ellipse Tool",
        L"Rectangle Tool", L"Filled Rectangle Tool", L"Polygon Tool", L"Filled Polygon Tool",
        L"Custom Shape Tool", L"Filled Custom Shape Tool", L"Line Tool", L"Color Picker Tool",
        L"Zoom In Tool", L"Zoom Out Tool",
    };
    HWND tooltip = FindTooltip(toolbox);
    ASSERT_NE(tooltip, nullptr);
    EXPECT_TRUE(GetWindowLongW(tooltip, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongW(tooltip, GWL_STYLE) & TTS_ALWAYSTIP);
    EXPECT_TRUE(GetWindowLongW(tooltip, GWL_STYLE) & TTS_NOPREFIX);
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 22);
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 1000);
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 2000);
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETDELAYTIME, TTDT_RESHOW, 0), 300);
    for (int n = 0; n < 22; ++n) {
        wchar_t text[80] = {};
        TOOLINFOW info{};
        info.cbSize = TTTOOLINFOW_V2_SIZE;
        info.hwnd = toolbox;
        info.uId = n + 1;
        info.lpszText = text;
        ASSERT_TRUE(SendMessageW(tooltip, TTM_GETTOOLINFOW, 0, LPARAM(&info))) << n;
        EXPECT_STREQ(text, names[n]);
        const int x = 6 + 24 * (n % 2), y = 10 + 24 * (n / 2);
        EXPECT_EQ(info.rect.left, x) << n;
        EXPECT_EQ(info.rect.top, y) << n;
        EXPECT_EQ(info.rect.right, x + 24) << n;
        EXPECT_EQ(info.rect.bottom, y + 24) << n;
    }
}

TEST_F(ToolrackTest, DestroyingTheToolboxRemovesItsWindows)
{
    HWND tooltip = FindTooltip(toolbox);
    ASSERT_NE(tooltip, nullptr);
    TOOLRACK_DestroyWindow();
    EXPECT_FALSE(IsWindow(toolbox));
    EXPECT_FALSE(IsWindow(tooltip));
    // A second toolbox can be made after the first is gone.
    toolbox = TOOLRACK_CreateWindow(parent, 1, 1, &context);
    EXPECT_NE(toolbox, nullptr);
}

// Pictures of the toolbox and the options bar beside the test program, for a person to look
// at: the pen current, the bucket hovered, the rectangle options shown.
TEST_F(ToolrackTest, WritesPicturesOfThePanels)
{
    SendMessageW(toolbox, kChooseTool, 3, 0);
    SendMessageW(toolbox, WM_MOUSEMOVE, 0, Point(40, 60));
    SendMessageW(bar, WM_APP + 80, 12, 3);
    EXPECT_TRUE(SaveCapture(CaptureWindow(toolbox), L"toolbox.png"));
    EXPECT_TRUE(SaveCapture(CaptureScreenOf(bar), L"tool_options_bar.png"));
}
