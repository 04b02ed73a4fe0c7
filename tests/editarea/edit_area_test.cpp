// The editing area as the main window drives it: real windows under Xvfb, real messages,
// captures of the canvas.
#include <windows.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/gdiplus_pixels.h"
#include "common/image_encoders.h"
#include "common/messages.h"
#include "core/pyx.h"
#include "editarea/easel.h"
#include "common/selection_state.h"
#include "harness/test_bitmaps.h"

#include "easel_host.h"

namespace {

constexpr uint32_t kBackground = 0xEFEFEF;
constexpr uint32_t kGrid = 0xC3C3C3;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kBlue = 0x0000FF;

// 700 x 500 frame: the canvas is 696 x 439.
constexpr int kFrameW = 700;
constexpr int kFrameH = 500;

uint32_t PixelColor(int x, int y)
{
    return 0xFF000000u | (uint32_t(x * 13 + 7) & 0xFF) << 16 | (uint32_t(y * 17 + 3) & 0xFF) << 8 |
           (uint32_t((x + y) * 5) & 0xFF);
}

RECT ChildRect(HWND child)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring WindowText(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

// A client-area capture as 0x00RRGGBB values.
struct Capture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[size_t(y) * width + x] & 0xFFFFFF; }
};

Capture CaptureClient(HWND window)
{
    Capture capture;
    capture.pixels = ClientPixels(window, ReadBack::kPrintWindow, &capture.width, &capture.height);
    return capture;
}

// Writes a capture where VEXIL_CAPTURE_DIR asks for it, for a person to look at.
void KeepCapture(const Capture& capture, const wchar_t* name)
{
    const wchar_t* folder = _wgetenv(L"VEXIL_CAPTURE_DIR");
    CLSID png;
    if (!folder || !FindImageEncoder(L"image/png", &png))
        return;
    Gdiplus::Bitmap* bitmap = MakeBitmap(capture.width, capture.height, [&](int x, int y) {
        return 0xFF000000u | capture.at(x, y);
    });
    bitmap->Save((std::wstring(folder) + L"\\" + name).c_str(), &png, nullptr);
    delete bitmap;
}

class EditAreaTest : public EaselHostTest {
protected:
    void SetUp() override
    {
        EaselHostTest::SetUp();
        parent = main;
    }

    // Puts a w x h image with distinct pixels in place of the document's images.
    Image* UseImage(int w, int h, int index = 0)
    {
        Image* image = PYX_CreateImage(uint16_t(w), uint16_t(h));
        PaintPixels(image->composite, PixelColor);
        PaintPixels(image->firstLayer->bitmap, PixelColor);
        Image** slot = &context.document->firstImage;
        for (int i = 0; i < index; i++)
            slot = &(*slot)->next;
        if (*slot) {
            image->next = (*slot)->next;
            PYX_DeleteImage(*slot);
        } else {
            context.document->imageCount++;
        }
        *slot = image;
        ResetSelection(image);
        return image;
    }

    void Select(int left, int top, int right, int bottom)
    {
        DeleteObject(selection.region);
        selection.region = CreateRectRgn(left, top, right, bottom);
    }

    void Create(int width = kFrameW, int height = kFrameH)
    {
        CreateArea(width, height);
        PumpMessages();
    }

    void MoveTo(int x, int y, WPARAM keys = 0) { SendMessageW(canvas, WM_MOUSEMOVE, keys, MAKELPARAM(x, y)); }

    void Click(int x, int y)
    {
        SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(canvas, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }

    void Press(int x, int y) { SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
    void Release(int x, int y) { SendMessageW(canvas, WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }

    // A 256 x 256 image zoomed to 2 at row 200: the vertical bar shows, scrolled to its end.
    // Returns the end position; `originX` is where the image starts across.
    int ZoomedLargeImage(int* originX)
    {
        UseImage(256, 256);
        Create();
        context.currentTool = kZoomInTool;
        Click(220 + 10, 91 + 200);
        RECT client{};
        GetClientRect(canvas, &client);
        *originX = (client.right - 512) / 2;
        return 512 - client.bottom;
    }

    int VerticalPosition() const { return ScrollInfo(SB_VERT).nPos; }
    void ScrollTo(int position) { SendMessageW(canvas, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, position), 0); }

    void DoubleClick(int x, int y)
    {
        Click(x, y);
        SendMessageW(canvas, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(canvas, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }

    std::wstring ReadoutAt(int x, int y)
    {
        MoveTo(x, y);
        return WindowText(strip);
    }

    bool HasStyle(DWORD style) const { return (GetWindowLongW(canvas, GWL_STYLE) & style) != 0; }

    SCROLLINFO ScrollInfo(int bar) const
    {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_ALL;
        GetScrollInfo(canvas, bar, &info);
        return info;
    }

    HCURSOR EaselCursor(int id) const { return LoadCursorW(GetModuleHandleW(L"easel.dll"), MAKEINTRESOURCEW(id)); }

    // The readout expected for image pixel (x, y).
    static std::wstring Readout(int x, int y)
    {
        const uint32_t c = PixelColor(x, y);
        return L"Show Grid Lines\tA : 255\tR : " + std::to_wstring((c >> 16) & 0xFF) + L"\tG : " +
               std::to_wstring((c >> 8) & 0xFF) + L"\tB : " + std::to_wstring(c & 0xFF) + L"\t\tX : " +
               std::to_wstring(x) + L"\tY : " + std::to_wstring(y);
    }

    HWND parent = nullptr;  // the main window the editing area is a child of
};

const std::wstring kEmptyReadout = L"Show Grid Lines\tA : \tR : \tG : \tB : \t\tX : \tY : ";

TEST_F(EditAreaTest, CreatesTheThreeWindowsWithTheirControls)
{
    EXPECT_EQ(EASEL_CreateWindow(nullptr, 0, 0, 100, 100, &context), nullptr);
    EXPECT_EQ(EASEL_CreateWindow(parent, 0, 0, 100, 100, nullptr), nullptr);
    Create();
    wchar_t className[32] = {};
    GetClassNameW(frame, className, 32);
    EXPECT_STREQ(className, L"VxEditArea");
    EXPECT_TRUE(IsWindowVisible(frame));
    const RECT canvasRect = ChildRect(canvas);
    EXPECT_EQ(canvasRect.left, 2);
    EXPECT_EQ(canvasRect.top, 2);
    EXPECT_EQ(canvasRect.right - canvasRect.left, kFrameW - 4);
    EXPECT_EQ(canvasRect.bottom - canvasRect.top, kFrameH - 61);
    const RECT stripRect = ChildRect(strip);
    EXPECT_EQ(stripRect.left, 2);
    EXPECT_EQ(stripRect.top, kFrameH - 57);
    EXPECT_EQ(stripRect.right - stripRect.left, kFrameW - 4);
    EXPECT_EQ(stripRect.bottom - stripRect.top, 55);

    HWND box = GetDlgItem(strip, 1001);
    ASSERT_NE(box, nullptr);
    const RECT boxRect = ChildRect(box);
    EXPECT_EQ(boxRect.left, 13);
    EXPECT_EQ(boxRect.top, 13);
    EXPECT_EQ(boxRect.right - boxRect.left, 15);
    EXPECT_EQ(boxRect.bottom - boxRect.top, 14);
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_TRUE(IsWindowVisible(box));
    for (int id = 1002; id <= 1006; id++) {
        ASSERT_NE(GetDlgItem(strip, id), nullptr) << id;
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(strip, id))) << "transformation control " << id;
    }
    EXPECT_EQ(ChildRect(GetDlgItem(strip, 1002)).left, kFrameW - 74);
    EXPECT_EQ(ChildRect(GetDlgItem(strip, 1003)).left, kFrameW - 44);
    EXPECT_EQ(WindowText(strip), kEmptyReadout);

    // Destroying removes the windows; a second editing area can be made afterwards.
    EASEL_DestroyWindow();
    EXPECT_FALSE(IsWindow(frame));
    Create();
    EXPECT_TRUE(IsWindow(frame));
}

TEST_F(EditAreaTest, SmallImageFitsAtZoom27AndShowsEachPixelAsABlock)
{
    UseImage(16, 16);
    Create();
    EXPECT_FALSE(HasStyle(WS_HSCROLL | WS_VSCROLL));
    // Zoom 27: the image starts at ((696 - 432) / 2, (439 - 432) / 2) = (132, 3).
    const Capture capture = CaptureClient(canvas);
    KeepCapture(capture, L"canvas_zoom27.png");
    ASSERT_EQ(capture.width, 696);
    ASSERT_EQ(capture.height, 439);
    int wrong = 0;
    for (int y = 3; y < 3 + 432; y++)
        for (int x = 132; x < 132 + 432; x++) {
            const int px = (x - 132) / 27, py = (y - 3) / 27;
            // The outline of the whole-image selection covers the image's outermost screen pixels.
            const bool border = x == 132 || y == 3 || x == 132 + 431 || y == 3 + 431;
            if (!border && capture.at(x, y) != (PixelColor(px, py) & 0xFFFFFF))
                wrong++;
        }
    EXPECT_EQ(wrong, 0) << "pixels inside the image not showing their image pixel";
    EXPECT_EQ(capture.at(131, 100), kBackground);
    EXPECT_EQ(capture.at(132, 100), kRed) << "left border line under the selection outline";
    EXPECT_EQ(capture.at(132, 101), kBlue);
    EXPECT_EQ(capture.at(132 + 432, 100), kGrid) << "right border line";
    EXPECT_EQ(capture.at(300, 3 + 432), kGrid) << "bottom border line";
    EXPECT_EQ(capture.at(132 + 27, 100), PixelColor(1, 3) & 0xFFFFFF) << "no inner grid while the box is off";
    EXPECT_EQ(capture.at(600, 200), kBackground);

    EXPECT_EQ(ReadoutAt(132 + 27 * 3, 3 + 27 * 2), Readout(3, 2));
    EXPECT_EQ(ReadoutAt(132 + 432 - 1, 3 + 432 - 1), Readout(15, 15)) << "last screen pixel of the image";
    EXPECT_EQ(ReadoutAt(132 + 432, 100), kEmptyReadout) << "one pixel further";
    EXPECT_EQ(ReadoutAt(10, 10), kEmptyReadout);
}

TEST_F(EditAreaTest, StripDrawsThePanelAndTheReadout)
{
    UseImage(16, 16);
    Create();
    MoveTo(132 + 27 * 3, 3 + 27 * 2);
    const Capture capture = CaptureClient(strip);
    KeepCapture(capture, L"controls_strip.png");
    ASSERT_EQ(capture.width, kFrameW - 4);
    const uint32_t frameColor = GetSysColor(COLOR_HIGHLIGHT);
    const uint32_t face = GetSysColor(COLOR_BTNFACE);
    auto rgb = [](COLORREF c) { return uint32_t(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c); };
    EXPECT_EQ(capture.at(0, 0), rgb(frameColor)) << "frame color outside the rounded panel";
    EXPECT_EQ(capture.at(capture.width - 2, 27), rgb(frameColor));
    EXPECT_EQ(capture.at(3, 27), 0u) << "black outline at the left edge";
    EXPECT_EQ(capture.at(600, 40), rgb(face)) << "panel face";
    // The readout's text lies in the row of the checkbox, right of it.
    int textPixels = 0;
    for (int y = 13; y < 30; y++)
        for (int x = 29; x < 500; x++)
            textPixels += capture.at(x, y) != rgb(face);
    EXPECT_GT(textPixels, 200) << "readout text drawn";

    // A wider frame stretches the panel; the readout still changes over it.
    SetWindowPos(frame, nullptr, 0, 0, kFrameW + 100, kFrameH, SWP_NOMOVE | SWP_NOZORDER);
    MoveTo(132 + 27 * 3, 3 + 27 * 5);
    const Capture wider = CaptureClient(strip);
    ASSERT_EQ(wider.width, kFrameW + 96);
    EXPECT_EQ(wider.at(wider.width - 2, 27), rgb(frameColor)) << "frame color right of the panel";
    EXPECT_EQ(wider.at(wider.width - 40, 40), rgb(face)) << "panel face where the old panel ended";
    EXPECT_EQ(wider.at(wider.width - 30, 8), rgb(face)) << "near the new top right corner";
    EXPECT_EQ(wider.at(3, 27), 0u);
}

TEST_F(EditAreaTest, TransformationButtonsShowTheirPictures)
{
    Create();
    // The buttons stay hidden until a transformation opens; shown here to look at them.
    for (int id : {1002, 1003}) {
        HWND button = GetDlgItem(strip, id);
        ShowWindow(button, SW_SHOW);
        const Capture capture = CaptureClient(button);
        KeepCapture(capture, id == 1002 ? L"apply_button.png" : L"cancel_button.png");
        ASSERT_EQ(capture.width, 25);
        int green = 0, red = 0;
        for (uint32_t p : capture.pixels) {
            const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF;
            green += g > r + 60;
            red += r > g + 60;
        }
        if (id == 1002)
            EXPECT_GT(green, 30) << "green tick on the apply button";
        else
            EXPECT_GT(red, 30) << "red cross on the cancel button";
    }
}

TEST_F(EditAreaTest, GridLinesFollowTheCheckboxAboveZoomFive)
{
    UseImage(16, 16);
    Create();
    HWND box = GetDlgItem(strip, 1001);
    SendMessageW(box, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    Capture capture = CaptureClient(canvas);
    KeepCapture(capture, L"canvas_grid.png");
    for (int k = 1; k <= 16; k++) {
        EXPECT_EQ(capture.at(132 + 27 * k, 100), kGrid) << "vertical line " << k;
        EXPECT_EQ(capture.at(300, 3 + 27 * k), kGrid) << "horizontal line " << k;
    }
    EXPECT_EQ(capture.at(132 + 27 + 1, 100), PixelColor(1, 3) & 0xFFFFFF);
    SendMessageW(box, BM_CLICK, 0, 0);
    capture = CaptureClient(canvas);
    EXPECT_EQ(capture.at(132 + 27, 100), PixelColor(1, 3) & 0xFFFFFF) << "grid off again";

    // 80 x 80 fits at zoom 5 (439 / 80): only the border, whatever the box says.
    UseImage(80, 80);
    SendMessageW(frame, kEditAreaImageChanged, 0, 0);
    SendMessageW(box, BM_CLICK, 0, 0);
    capture = CaptureClient(canvas);
    const int left = (696 - 400) / 2, top = (439 - 400) / 2;
    EXPECT_EQ(capture.at(left + 400, top + 50), kGrid);
    EXPECT_EQ(capture.at(left + 5, top + 50), PixelColor(1, 10) & 0xFFFFFF) << "no cell lines at zoom 5";
}

TEST_F(EditAreaTest, SelectionOutlineIsTheRedBlueCheckerboardInsideTheRegion)
{
    UseImage(16, 16);
    Select(2, 2, 6, 6);
    Create();
    // The region (2, 2)-(6, 6) at zoom 27 spans x 186..293 and y 57..164 on screen.
    Capture capture = CaptureClient(canvas);
    KeepCapture(capture, L"canvas_selection.png");
    auto pattern = [](int x, int y) { return (x + y) % 2 == 0 ? kRed : kBlue; };
    for (int y = 60; y < 160; y += 7) {
        EXPECT_EQ(capture.at(186, y), pattern(186, y)) << "left edge, y " << y;
        EXPECT_EQ(capture.at(293, y), pattern(293, y)) << "right edge, y " << y;
        EXPECT_EQ(capture.at(187, y), PixelColor(2, (y - 3) / 27) & 0xFFFFFF) << "one pixel thick";
    }
    EXPECT_EQ(capture.at(200, 57), pattern(200, 57)) << "top edge";
    EXPECT_EQ(capture.at(200, 164), pattern(200, 164)) << "bottom edge";
    EXPECT_EQ(capture.at(185, 100), PixelColor(1, 3) & 0xFFFFFF) << "outside the region";

    // With the grid on above zoom 5 the outline is two pixels thick.
    SendMessageW(GetDlgItem(strip, 1001), BM_CLICK, 0, 0);
    capture = CaptureClient(canvas);
    EXPECT_EQ(capture.at(187, 100), pattern(187, 100));
    EXPECT_EQ(capture.at(188, 100), PixelColor(2, 3) & 0xFFFFFF);

    // A new selection shows after WM_APP+105.
    Select(10, 10, 12, 12);
    SendMessageW(frame, kEditAreaSelectionChanged, 0, 0);
    capture = CaptureClient(canvas);
    EXPECT_EQ(capture.at(186, 100), kGrid) << "old outline gone; a grid line is there";
    EXPECT_EQ(capture.at(187, 100), PixelColor(2, 3) & 0xFFFFFF);
    EXPECT_EQ(capture.at(132 + 270, 3 + 275), pattern(132 + 270, 3 + 275));
}

TEST_F(EditAreaTest, ZoomToolsClickDoubleClickAndLimits)
{
    UseImage(16, 16);
    Create();
    context.currentTool = kZoomInTool;
    const int cx = 132 + 27 * 8 + 5, cy = 3 + 27 * 8 + 5;  // pixel (8, 8)
    Click(cx, cy);  // 28: 448 > 439, the vertical bar comes
    EXPECT_TRUE(HasStyle(WS_VSCROLL));
    EXPECT_FALSE(HasStyle(WS_HSCROLL));
    EXPECT_EQ(ScrollInfo(SB_VERT).nMax, 16 * 28 - 1);
    Click(cx, cy);
    Click(cx, cy);
    EXPECT_EQ(ScrollInfo(SB_VERT).nMax, 16 * 30 - 1);
    EXPECT_EQ(GetCursor(), EaselCursor(122)) << "zoom-limit cursor at 30";
    Click(cx, cy);
    EXPECT_EQ(ScrollInfo(SB_VERT).nMax, 16 * 30 - 1) << "no zoom beyond 30";

    context.currentTool = kZoomOutTool;
    MoveTo(cx, cy);
    EXPECT_EQ(GetCursor(), EaselCursor(118));
    DoubleClick(cx, cy);
    EXPECT_FALSE(HasStyle(WS_HSCROLL | WS_VSCROLL));
    // Zoom 1: the image starts at ((696 - 16) / 2, (439 - 16) / 2) = (340, 211).
    EXPECT_EQ(ReadoutAt(345, 215), Readout(5, 4));
    EXPECT_EQ(GetCursor(), EaselCursor(122)) << "zoom-limit cursor at 1";
    Click(345, 215);
    EXPECT_EQ(ReadoutAt(345, 215), Readout(5, 4)) << "no zoom below 1";

    // Clicks off the image do nothing.
    context.currentTool = kZoomInTool;
    Click(5, 5);
    EXPECT_EQ(ReadoutAt(345, 215), Readout(5, 4));
}

// Drag tools hold the capture from press to release and pull the view along while they hold
// it; click tools take no capture, so moving off the canvas scrolls nothing.
TEST_F(EditAreaTest, DragToolsHoldTheCaptureFromPressToRelease)
{
    int originX = 0;
    const int end = ZoomedLargeImage(&originX);
    ASSERT_EQ(VerticalPosition(), end);
    ASSERT_GT(end, 20);
    const struct Case {
        int tool;
        bool drags;
    } cases[] = {
        {kRectSelectTool, true},   {kMoveTool, true},         {kMagicWandTool, false},
        {kPenTool, true},          {kEraserTool, true},       {kPaintBucketTool, false},
        {kGradientTool, false},    {kBlurTool, true},         {kHollowTextTool, false},
        {kFilledTextTool, false},  {kEllipseTool, true},      {kFilledEllipseTool, true},
        {kRectangleTool, true},    {kFilledRectangleTool, true}, {kLineTool, true},
        {kColorPickerTool, false},
    };
    for (const Case& c : cases) {
        context.currentTool = c.tool;
        Press(originX + 20, 20);
        EXPECT_EQ(GetCapture(), c.drags ? canvas : nullptr) << "tool " << c.tool;
        MoveTo(originX + 20, -15, MK_LBUTTON);  // 15 pixels above the canvas
        EXPECT_EQ(VerticalPosition(), c.drags ? end - 15 : end) << "tool " << c.tool;
        Release(originX + 20, -15);
        EXPECT_EQ(GetCapture(), nullptr) << "tool " << c.tool;
        MoveTo(originX + 20, -15, MK_LBUTTON);
        EXPECT_EQ(VerticalPosition(), c.drags ? end - 15 : end) << "tool " << c.tool << ": the drag has ended";
        ScrollTo(end);
    }

    // A drag belongs to the tool that started it, even when the toolbox changes meanwhile.
    context.currentTool = kPenTool;
    Press(originX + 20, 20);
    context.currentTool = kMagicWandTool;
    MoveTo(originX + 20, -10, MK_LBUTTON);
    EXPECT_EQ(VerticalPosition(), end - 10);
    Release(originX + 20, -10);
    EXPECT_EQ(GetCapture(), nullptr);

    // A press off the image starts nothing.
    context.currentTool = kPenTool;
    Press(originX - 5, 20);
    EXPECT_EQ(GetCapture(), nullptr);
    Release(originX - 5, 20);
}

// Another window taking the capture (or a release from outside) ends the drag as its button-up
// would: no more auto-scroll, and the late button-up neither ends it again nor takes the
// capture away from its new owner. A new press starts a new drag.
TEST_F(EditAreaTest, LosingTheCaptureEndsTheDragOnce)
{
    int originX = 0;
    const int end = ZoomedLargeImage(&originX);
    const struct Loss {
        const char* name;
        HWND taker;
    } losses[] = {{"another window takes the capture", parent}, {"the capture is released", nullptr}};
    for (const Loss& loss : losses) {
        context.currentTool = kPenTool;
        Press(originX + 20, 20);
        ASSERT_EQ(GetCapture(), canvas) << loss.name;
        if (loss.taker)
            SetCapture(loss.taker);
        else
            ReleaseCapture();
        EXPECT_EQ(GetCapture(), loss.taker) << loss.name;
        MoveTo(originX + 20, -15, MK_LBUTTON);
        EXPECT_EQ(VerticalPosition(), end) << loss.name << ": the drag has ended";
        Release(originX + 20, -15);
        EXPECT_EQ(GetCapture(), loss.taker) << loss.name << ": the late button-up leaves the capture alone";
        ReleaseCapture();

        Press(originX + 20, 20);
        EXPECT_EQ(GetCapture(), canvas) << loss.name << ": a new drag";
        MoveTo(originX + 20, -15, MK_LBUTTON);
        EXPECT_EQ(VerticalPosition(), end - 15) << loss.name;
        Release(originX + 20, -15);
        EXPECT_EQ(GetCapture(), nullptr) << loss.name;
        ScrollTo(end);
    }
}

// A number that is no tool is refused: presses, moves, double clicks and releases change
// nothing, take no capture and show the arrow. A tool that cannot act here ignores the press.
TEST_F(EditAreaTest, NumbersThatAreNoToolAndToolsThatCannotActAreIgnored)
{
    Image* image = UseImage(16, 16);
    Create();
    const int x = 132 + 27 * 8 + 5, y = 3 + 27 * 8 + 5;  // pixel (8, 8) at zoom 27
    for (int tool : {-1, kToolCount, kToolCount + 1, 1000, INT_MIN, INT_MAX}) {
        context.currentTool = tool;
        Press(x, y);
        EXPECT_EQ(GetCapture(), nullptr) << "tool " << tool;
        MoveTo(x, y, MK_LBUTTON);
        EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW)) << "tool " << tool;
        Release(x, y);
        DoubleClick(x, y);
        EXPECT_EQ(GetCapture(), nullptr) << "tool " << tool;
        EXPECT_FALSE(HasStyle(WS_HSCROLL | WS_VSCROLL)) << "tool " << tool << ": zoom unchanged";
        EXPECT_EQ(ReadoutAt(132 + 27, 3 + 27), Readout(1, 1)) << "tool " << tool << ": zoom still 27";
    }

    // The pen without a raster layer and the blur brush below 32 bits take no capture.
    context.currentTool = kPenTool;
    context.currentLayer = 5;
    SendMessageW(frame, kEditAreaLayerChanged, 0, 0);
    Press(x, y);
    EXPECT_EQ(GetCapture(), nullptr) << "pen without a layer";
    Release(x, y);
    context.currentLayer = 0;
    SendMessageW(frame, kEditAreaLayerChanged, 0, 0);
    image->bitsPerPixel = 24;
    context.currentTool = kBlurTool;
    Press(x, y);
    EXPECT_EQ(GetCapture(), nullptr) << "blur on a 24-bit image";
    Release(x, y);
    context.currentTool = kPenTool;
    Press(x, y);
    EXPECT_EQ(GetCapture(), canvas) << "the pen acts on the 24-bit raster layer";
    Release(x, y);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(EditAreaTest, LargeImageScrollsAndMapsThroughTheOffset)
{
    UseImage(256, 256);
    Create();
    EXPECT_FALSE(HasStyle(WS_HSCROLL | WS_VSCROLL)) << "256 x 256 fits at zoom 1";
    context.currentTool = kZoomInTool;
    Click(220 + 10, 91 + 200);  // pixel (10, 200) at zoom 1 (origin (220, 91))
    ASSERT_TRUE(HasStyle(WS_VSCROLL)) << "512 > 439";
    EXPECT_FALSE(HasStyle(WS_HSCROLL)) << "512 <= 696 minus the bar";
    RECT client{};
    GetClientRect(canvas, &client);
    SCROLLINFO info = ScrollInfo(SB_VERT);
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 511);
    EXPECT_EQ(int(info.nPage), client.bottom);
    // Centered on row 200: half - 2 * 200 is past the end, so scrolled to the end.
    EXPECT_EQ(info.nPos, 512 - client.bottom);

    SendMessageW(canvas, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 40), 0);
    EXPECT_EQ(ScrollInfo(SB_VERT).nPos, 40);
    const int originX = (client.right - 512) / 2;
    EXPECT_EQ(ReadoutAt(originX + 6, 0), Readout(3, 20));
    SendMessageW(canvas, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(ScrollInfo(SB_VERT).nPos, 41);
    SendMessageW(canvas, WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
    EXPECT_EQ(ScrollInfo(SB_VERT).nPos, 41) << "other codes change nothing";
    SendMessageW(canvas, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 512 - client.bottom), 0);
    SendMessageW(canvas, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(ScrollInfo(SB_VERT).nPos, 512 - client.bottom) << "never past the end";
    SendMessageW(canvas, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0), 0);
    SendMessageW(canvas, WM_VSCROLL, MAKEWPARAM(SB_LINEUP, 0), 0);
    EXPECT_EQ(ScrollInfo(SB_VERT).nPos, 0) << "never above the start";

    // The canvas shows rows from the offset on.
    SendMessageW(canvas, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 41), 0);
    const Capture capture = CaptureClient(canvas);
    KeepCapture(capture, L"canvas_scrolled.png");
    EXPECT_EQ(capture.at(originX + 4, 0), PixelColor(2, 20) & 0xFFFFFF) << "half of row 20 is scrolled away";
    EXPECT_EQ(capture.at(originX + 4, 1), PixelColor(2, 21) & 0xFFFFFF);

    // A resize keeps the zoom and scrolls back to the start.
    SetWindowPos(frame, nullptr, 0, 0, 600, 480, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(ChildRect(canvas).right - ChildRect(canvas).left, 596);
    EXPECT_EQ(ChildRect(strip).top, 480 - 57);
    EXPECT_EQ(ScrollInfo(SB_VERT).nPos, 0);
    EXPECT_EQ(ScrollInfo(SB_VERT).nMax, 511) << "zoom unchanged";
}

TEST_F(EditAreaTest, BothBarsScrollAndKeepPartialPixelsAligned)
{
    UseImage(300, 300);
    Create();
    context.currentTool = kZoomInTool;
    Click(198 + 10, 69 + 10);  // zoom 1 puts the image at (198, 69); pixel (10, 10)
    // Zoom 2 brings the vertical bar only; the image is centered across the rest.
    ASSERT_TRUE(HasStyle(WS_VSCROLL));
    ASSERT_FALSE(HasStyle(WS_HSCROLL));
    const int originX = (696 - GetSystemMetrics(SM_CXVSCROLL) - 600) / 2;
    Click(originX + 20, 20);  // pixel (10, 10) again: zoom 3 needs both bars
    ASSERT_TRUE(HasStyle(WS_HSCROLL));
    ASSERT_TRUE(HasStyle(WS_VSCROLL));
    EXPECT_EQ(ScrollInfo(SB_HORZ).nMax, 899);
    EXPECT_EQ(ScrollInfo(SB_VERT).nMax, 899);
    EXPECT_EQ(ScrollInfo(SB_HORZ).nPos, 0);

    SendMessageW(canvas, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 4), 0);
    SendMessageW(canvas, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 7), 0);
    EXPECT_EQ(ReadoutAt(0, 0), Readout(1, 2));
    EXPECT_EQ(ReadoutAt(2, 2), Readout(2, 3));
    const Capture capture = CaptureClient(canvas);
    KeepCapture(capture, L"canvas_both_bars.png");
    // Column 1 spans screen x -1..1 and column 2 starts at 2; row 2 spans y -1..1.
    EXPECT_EQ(capture.at(0, 0), PixelColor(1, 2) & 0xFFFFFF);
    EXPECT_EQ(capture.at(1, 1), PixelColor(1, 2) & 0xFFFFFF);
    EXPECT_EQ(capture.at(2, 0), PixelColor(2, 2) & 0xFFFFFF);
    EXPECT_EQ(capture.at(0, 2), PixelColor(1, 3) & 0xFFFFFF);
    EXPECT_EQ(capture.at(capture.width - 1, capture.height - 1),
              PixelColor((capture.width - 1 + 4) / 3, (capture.height - 1 + 7) / 3) & 0xFFFFFF)
        << "the image fills the whole client area";
}

TEST_F(EditAreaTest, MainWindowMessagesLookTheImageUpAgain)
{
    UseImage(16, 16);
    UseImage(64, 32, 1);
    Create();
    EXPECT_EQ(ReadoutAt(132 + 27, 3 + 27), Readout(1, 1));

    // A different image: WM_APP+102 refits (64 x 32 -> zoom min(10, 13) = 10).
    context.currentImage = 1;
    SendMessageW(frame, kEditAreaImageChanged, 0, 0);
    EXPECT_EQ(ReadoutAt((696 - 640) / 2 + 10 * 63, (439 - 320) / 2 + 10 * 31), Readout(63, 31));

    // WM_APP+106: with 0 the view stays unless the image's size changed; with 1 it is refitted.
    context.currentImage = 0;
    SendMessageW(frame, kEditAreaUndone, 0, 0);
    EXPECT_EQ(ReadoutAt(132 + 27, 3 + 27), Readout(1, 1)) << "another size: refitted to 27";
    context.currentTool = kZoomInTool;
    Click(132 + 27, 3 + 27);
    EXPECT_EQ(ScrollInfo(SB_VERT).nMax, 16 * 28 - 1);
    SendMessageW(frame, kEditAreaUndone, 0, 0);
    EXPECT_EQ(ScrollInfo(SB_VERT).nMax, 16 * 28 - 1) << "zoom 28 kept";
    SendMessageW(frame, kEditAreaUndone, 1, 0);
    EXPECT_FALSE(HasStyle(WS_VSCROLL)) << "refitted to 27";
    EXPECT_EQ(ReadoutAt(132 + 27, 3 + 27), Readout(1, 1));

    // WM_APP+100 shows changed composite pixels; WM_APP+101 accepts a new layer index.
    Image* image = context.document->firstImage;
    PaintPixels(image->composite, [](int, int) { return 0xFF102030u; });
    SendMessageW(frame, kEditAreaRedraw, 0, 0);
    EXPECT_EQ(CaptureClient(canvas).at(300, 200), 0x102030u);
    context.currentLayer = 5;  // out of range: no layer, nothing breaks
    SendMessageW(frame, kEditAreaLayerChanged, 0, 0);
    context.currentTool = kPenTool;  // the pen needs a raster layer
    MoveTo(300, 200);
    EXPECT_EQ(GetCursor(), EaselCursor(108));
    context.currentLayer = 0;
    SendMessageW(frame, kEditAreaLayerChanged, 0, 0);
    MoveTo(300, 200);
    EXPECT_EQ(GetCursor(), EaselCursor(114));

    // An index past the document leaves an empty canvas.
    context.currentImage = 7;
    SendMessageW(frame, kEditAreaImageChanged, 0, 0);
    EXPECT_EQ(CaptureClient(canvas).at(300, 200), kBackground);
    EXPECT_EQ(ReadoutAt(300, 200), kEmptyReadout);
}

TEST_F(EditAreaTest, CursorsFollowTheToolAndTheKeys)
{
    Image* image = UseImage(16, 16);
    Create();
    const int x = 132 + 100, y = 100;
    struct Case {
        int tool;
        WPARAM keys;
        int cursor;
    } cases[] = {{kRectSelectTool, 0, 102}, {kMoveTool, 0, 112}, {kMagicWandTool, 0, 111},
                 {kMagicWandTool, MK_CONTROL, 124}, {kMagicWandTool, MK_SHIFT, 125}, {kPaintBucketTool, 0, 113},
                 {kBlurTool, 0, 120}, {kCustomShapeTool, 0, 129}, {kColorPickerTool, 0, 101},
                 {kZoomInTool, 0, 117}};
    for (const Case& c : cases) {
        context.currentTool = c.tool;
        MoveTo(x, y, c.keys);
        EXPECT_EQ(GetCursor(), EaselCursor(c.cursor)) << "tool " << c.tool;
    }
    MoveTo(5, 5);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW)) << "off the image";

    image->bitsPerPixel = 8;
    context.currentTool = kGradientTool;
    MoveTo(x, y);
    EXPECT_EQ(GetCursor(), EaselCursor(108)) << "gradient on an 8-bit image";

    // Ctrl pressed over the image switches the wand's cursor at once (keys come through the frame).
    context.currentTool = kMagicWandTool;
    POINT screen{x, y};
    ClientToScreen(canvas, &screen);
    SetCursorPos(screen.x, screen.y);
    POINT now{};
    for (int i = 0; i < 50 && GetCursorPos(&now) && (now.x != screen.x || now.y != screen.y); i++) {
        Sleep(10);
        PumpMessages();
    }
    ASSERT_EQ(now.x, screen.x) << "the pointer did not move";
    Sleep(50);
    PumpMessages();  // the system's own report of the pointer's arrival
    MoveTo(x, y);
    EXPECT_EQ(GetCursor(), EaselCursor(111));
    PostMessageW(frame, WM_KEYDOWN, VK_CONTROL, 0);
    PumpMessages();
    EXPECT_EQ(GetCursor(), EaselCursor(124));
    PostMessageW(frame, WM_KEYUP, VK_CONTROL, 0);
    PumpMessages();
    EXPECT_EQ(GetCursor(), EaselCursor(111));
}

TEST_F(EditAreaTest, PointerOverAnyPartHandsTheFocusBack)
{
    UseImage(48, 48);
    Create();
    for (HWND window : {canvas, strip, frame}) {
        SetFocus(GetDlgItem(strip, 1001));
        ASSERT_EQ(GetFocus(), GetDlgItem(strip, 1001));
        SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
        EXPECT_EQ(GetFocus(), parent);
    }
    // Color and theme changes are taken without losing the view.
    SendMessageW(frame, WM_SYSCOLORCHANGE, 0, 0);
    SendMessageW(frame, WM_THEMECHANGED, 0, 0);
    SendMessageW(frame, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    EXPECT_EQ(CaptureClient(canvas).at(132 + 100, 100), PixelColor(11, 10) & 0xFFFFFF)
        << "the 48 x 48 image at zoom 9 still shows";
}

TEST_F(EditAreaTest, ApplyAndCancelPicturesAreInTheLibrary)
{
    HMODULE easel = GetModuleHandleW(L"easel.dll");
    ASSERT_NE(easel, nullptr);
    Bitmap* apply = PYX_LoadCustomImageResource(easel, 127, L"RT_CIM");
    Bitmap* cancel = PYX_LoadCustomImageResource(easel, 126, L"RT_CIM");
    ASSERT_NE(apply, nullptr);
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(apply->GetWidth(), 20u);
    EXPECT_EQ(cancel->GetHeight(), 20u);
    auto dominant = [](Bitmap* bitmap) {
        int green = 0, red = 0;
        for (uint32_t p : ReadPixels(bitmap)) {
            const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF;
            if ((p >> 24) == 255 && g > r + 60)
                green++;
            if ((p >> 24) == 255 && r > g + 60)
                red++;
        }
        return std::make_pair(green, red);
    };
    EXPECT_GT(dominant(apply).first, 30) << "a green tick";
    EXPECT_GT(dominant(cancel).second, 30) << "a red cross";
    delete apply;
    delete cancel;
    for (int id : {101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115, 116, 117, 118, 119,
                   120, 121, 122, 124, 125, 129, 130})
        EXPECT_NE(LoadCursorW(easel, MAKEINTRESOURCEW(id)), nullptr) << "cursor " << id;
}

}  // namespace
