// The selection tools as a user drives them: real mouse messages on the canvas under Xvfb,
// the selection record and the layer's pixels read back, and what the main window was told.
#include <windows.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/gdiplus_pixels.h"
#include "common/messages.h"
#include "common/selection/region_ops.h"
#include "common/selection/selection_ops.h"
#include "core/pyx.h"
#include "editarea/easel.h"
#include "harness/test_bitmaps.h"
#include "panels/toolbox/toolrack.h"

#include "easel_host.h"

namespace {

constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kBlue = 0xFF0000FFu;
constexpr uint32_t kWhite = 0xFFFFFFFFu;

uint32_t Noise(int x, int y)
{
    // Half of the pixels half transparent: a move must give those back exactly too.
    return NoiseColor(x, y, (x + y) % 2 ? 255 : 128);
}

uint32_t LeftRedRightBlue(int x, int)
{
    return x < 16 ? kRed : kBlue;
}

// Red pixels on white that touch only at their corners.
uint32_t Diagonal(int x, int y)
{
    return x == y && x >= 4 && x <= 8 ? kRed : kWhite;
}

uint32_t OneColor(int, int)
{
    return kBlue;
}

class SelectionToolsTest : public ImageToolTest {
protected:
    void SetUp() override
    {
        ImageToolTest::SetUp();
        KeepUndoCopies();
        UseToolSettings();
    }

    // A 32 x 32 image whose layer and composite hold fn's pixels, nothing selected, in a
    // 700 x 500 editing area (zoom 13, image origin (140, 11) in the canvas).
    void Open(const PixelFunction& fn)
    {
        image = PYX_CreateImage(kSize, kSize);
        PaintPixels(image->firstLayer->bitmap, fn);
        PaintPixels(image->composite, fn);
        PlaceImage(image);
        ::ResetSelection(&context);
        CreateArea();
        before = Layer();
    }

    void DragSelection(int x0, int y0, int x1, int y1)
    {
        context.currentTool = kRectSelectTool;
        Press(x0, y0);
        Drag(x1, y1);
        Release(x1, y1);
    }

    Pixels Layer() const { return ReadPixels(image->firstLayer->bitmap); }

    // The selected pixels as rows of '#' and '.' over the image.
    std::vector<std::string> Selected() const
    {
        std::vector<std::string> rows;
        for (int y = 0; y < kSize; y++) {
            std::string row;
            for (int x = 0; x < kSize; x++)
                row += RegionHasPixel(selection.region, x, y) ? '#' : '.';
            rows.push_back(row);
        }
        return rows;
    }

    // The region is exactly the rectangle; the content its size, at its corner, holding the
    // layer's pixels there.
    void ExpectSelectedRect(int left, int top, int right, int bottom)
    {
        const PixelRect box = RegionBox(selection.region);
        EXPECT_EQ(box.left, left);
        EXPECT_EQ(box.top, top);
        EXPECT_EQ(box.right, right);
        EXPECT_EQ(box.bottom, bottom);
        EXPECT_EQ(RegionRectangles(selection.region).size(), 1u);
        EXPECT_EQ(selection.left, left);
        EXPECT_EQ(selection.top, top);
        ASSERT_EQ(selection.width, right - left);
        ASSERT_EQ(selection.height, bottom - top);
        const Pixels content = ReadPixels(selection.content);
        const Pixels layer = Layer();
        for (int y = top; y < bottom; y++)
            for (int x = left; x < right; x++)
                ASSERT_EQ(At(content, x - left, y - top, right - left), At(layer, x, y)) << x << "," << y;
    }

    Pixels before;
};

TEST_F(SelectionToolsTest, DraggingARectangleSelectsBothCornersInclusive)
{
    const struct {
        int x0, y0, x1, y1;
        int left, top, right, bottom;
    } cases[] = {
        {10, 10, 3, 5, 3, 5, 11, 11},  // 8 x 6 pixels
        {3, 5, 10, 10, 3, 5, 11, 11},
        {7, 7, 7, 7, 7, 7, 8, 8},  // moved, but back onto the anchor: one pixel
        {0, 0, 31, 31, 0, 0, 32, 32},
    };
    Open(Noise);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x0 << "," << c.y0 << " -> " << c.x1 << "," << c.y1);
        DragSelection(c.x0, c.y0, c.x1, c.y1);
        ExpectSelectedRect(c.left, c.top, c.right, c.bottom);
    }
    EXPECT_EQ(gReports.undoEntries, 0) << "selecting records no undo entry";
    EXPECT_EQ(Layer(), before) << "selecting changes no pixel";
}

TEST_F(SelectionToolsTest, ARectangleDragPastTheCanvasClampsToTheImage)
{
    Open(Noise);
    context.currentTool = kRectSelectTool;
    Press(20, 20);
    SendMessageW(canvas, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(690, 435));  // beyond the image's corner
    SendMessageW(canvas, WM_LBUTTONUP, 0, MAKELPARAM(690, 435));
    ExpectSelectedRect(20, 20, 32, 32);
}

TEST_F(SelectionToolsTest, AClickWithoutMovingKeepsTheRegionAndTakesItsPixelsAgain)
{
    Open(Noise);
    DragSelection(4, 4, 9, 9);
    PaintPixels(image->firstLayer->bitmap, OneColor);  // as if painted since
    context.currentTool = kRectSelectTool;
    Click(20, 20);
    ExpectSelectedRect(4, 4, 10, 10);
    EXPECT_EQ(ReadPixels(selection.content).front(), kBlue);
}

TEST_F(SelectionToolsTest, TheWandSelectsByColorAndKeys)
{
    const std::string red(16, '#'), blue(16, '.');
    const std::vector<std::string> leftHalf(kSize, red + blue), rightHalf(kSize, blue + red),
        everything(kSize, std::string(kSize, '#'));
    const struct {
        const char* what;
        std::vector<std::pair<POINT, WPARAM>> clicks;
        const std::vector<std::string>& selected;
    } cases[] = {
        {"a click selects its color", {{{3, 3}, 0}}, leftHalf},
        {"a click elsewhere replaces", {{{3, 3}, 0}, {{20, 3}, 0}}, rightHalf},
        {"Ctrl adds", {{{3, 3}, 0}, {{20, 3}, MK_CONTROL}}, everything},
        {"Ctrl wins over Shift", {{{3, 3}, 0}, {{20, 3}, MK_CONTROL | MK_SHIFT}}, everything},
        {"Shift subtracts", {{{3, 3}, 0}, {{20, 3}, MK_CONTROL}, {{20, 9}, MK_SHIFT}}, leftHalf},
        {"Shift emptying the selection selects everything", {{{3, 3}, 0}, {{3, 3}, MK_SHIFT}}, everything},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Open(LeftRedRightBlue);
        context.currentTool = kMagicWandTool;
        for (const auto& click : c.clicks)
            Click(click.first.x, click.first.y, click.second);
        EXPECT_EQ(Selected(), c.selected);
        const PixelRect box = RegionBox(selection.region);
        EXPECT_EQ(selection.left, box.left);
        EXPECT_EQ(selection.width, box.right - box.left);
        EXPECT_EQ(Layer(), before);
        EASEL_DestroyWindow();
    }
    EXPECT_EQ(gReports.undoEntries, 0);
}

TEST_F(SelectionToolsTest, TheWandOnOneColorTakesTheWholeLayerAndNeverCrossesADiagonal)
{
    const struct {
        const char* what;
        PixelFunction picture;
        int contiguous;
        POINT click;
        int selectedPixels;
    } cases[] = {
        {"one color, contiguous", OneColor, 1, {5, 9}, kSize * kSize},
        {"one color, anywhere", OneColor, 0, {5, 9}, kSize * kSize},
        {"a diagonal line, contiguous", Diagonal, 1, {6, 6}, 1},
        {"a diagonal line, anywhere", Diagonal, 0, {6, 6}, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        options.wandContiguous = c.contiguous;
        Open(c.picture);
        context.currentTool = kMagicWandTool;
        Click(c.click.x, c.click.y);
        int selected = 0;
        for (const std::string& row : Selected())
            selected += int(std::count(row.begin(), row.end(), '#'));
        EXPECT_EQ(selected, c.selectedPixels);
        EXPECT_TRUE(RegionHasPixel(selection.region, c.click.x, c.click.y));
        EASEL_DestroyWindow();
    }
}

// The content is taken near the right edge, so five pixels to the right carry part of it off
// the image; five back must restore every pixel.
TEST_F(SelectionToolsTest, MovingFiveRightAndBackLeavesTheLayerAsItWas)
{
    Open(Noise);
    DragSelection(20, 8, 29, 19);
    context.currentTool = kMoveTool;
    Press(22, 12);
    Drag(27, 12);
    const Pixels moved = Layer();
    EXPECT_EQ(selection.left, 25);
    EXPECT_EQ(RegionBox(selection.region).right, 35) << "the region follows, past the edge";
    EXPECT_EQ(At(moved, 30, 10), At(before, 25, 10)) << "the content shows at its new place";
    EXPECT_EQ(At(moved, 21, 10), 0u) << "what it left is empty";
    EXPECT_EQ(At(moved, 10, 10), At(before, 10, 10)) << "the rest stays";
    Drag(22, 12);
    Release(22, 12);
    EXPECT_EQ(Layer(), before);
    EXPECT_EQ(ReadPixels(image->composite), before) << "the composite follows";
    EXPECT_EQ(selection.left, 20);
    EXPECT_EQ(gReports.undoEntries, 1);
    EXPECT_EQ(gReports.changes, 1);
    EXPECT_EQ(context.document->modified, 1u);
}

// A region moved partly off the image is kept to the image before the content is cut to it
// again: by the rectangle tool's click and by the wand's Ctrl+click.
TEST_F(SelectionToolsTest, RegionsOutsideTheImageAreKeptToItBeforeTakingPixels)
{
    const struct {
        const char* what;
        int tool;
        WPARAM keys;
    } cases[] = {
        {"rectangle click", kRectSelectTool, 0},
        {"wand Ctrl+click", kMagicWandTool, MK_CONTROL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        options.wandContiguous = 1;
        Open(Diagonal);
        DragSelection(20, 20, 29, 29);
        context.currentTool = kMoveTool;
        Press(25, 25);
        Drag(31, 31);  // the region now covers 26..35
        Release(31, 31);
        context.currentTool = c.tool;
        Click(4, 4, c.keys);  // a lone red pixel for the wand
        const PixelRect box = RegionBox(selection.region);
        EXPECT_LE(box.right, kSize);
        EXPECT_LE(box.bottom, kSize);
        EXPECT_TRUE(RegionHasPixel(selection.region, 31, 31));
        EXPECT_EQ(selection.left + selection.width, box.right);
        EXPECT_EQ(selection.top + selection.height, box.bottom);
        ASSERT_NE(selection.content, nullptr);
        EXPECT_EQ(int(selection.content->GetWidth()), box.right - box.left);
        EASEL_DestroyWindow();
    }
}

int ClipboardPictureSize(HWND owner, int* height)
{
    int width = -1;
    if (!OpenClipboard(owner))
        return width;
    HANDLE data = GetClipboardData(CF_DIB);
    const auto* header = data ? static_cast<const BITMAPINFOHEADER*>(GlobalLock(data)) : nullptr;
    if (header) {
        width = header->biWidth;
        *height = std::abs(header->biHeight);
        GlobalUnlock(data);
    }
    CloseClipboard();
    return width;
}

TEST_F(SelectionToolsTest, CutWithNothingSelectedTakesTheWholeLayer)
{
    Open(Noise);
    SendMessageW(frame, kEditAreaCut, 0, 0);
    EXPECT_EQ(Layer(), Pixels(kSize * kSize, 0u)) << "the layer is left fully transparent";
    int height = 0;
    EXPECT_EQ(ClipboardPictureSize(main, &height), kSize);
    EXPECT_EQ(height, kSize);
    EXPECT_EQ(gReports.undoEntries, 1);
    EXPECT_EQ(gReports.changes, 1);
    EXPECT_EQ(context.document->modified, 1u);
    ExpectSelectedRect(0, 0, kSize, kSize);
}

TEST_F(SelectionToolsTest, CutTakesOnlyTheSelectedPixels)
{
    Open(Noise);
    DragSelection(2, 3, 5, 4);
    SendMessageW(frame, kEditAreaCut, 0, 0);
    const Pixels layer = Layer();
    for (int y = 0; y < kSize; y++)
        for (int x = 0; x < kSize; x++) {
            const bool cut = x >= 2 && x <= 5 && y >= 3 && y <= 4;
            ASSERT_EQ(At(layer, x, y), cut ? 0u : At(before, x, y)) << x << "," << y;
        }
    int height = 0;
    EXPECT_EQ(ClipboardPictureSize(main, &height), 4);
    EXPECT_EQ(height, 2);
}

// A vector layer's pixels are drawn from its outline: a cut there would leave the outline to
// bring the shape back, so it does nothing at all.
TEST_F(SelectionToolsTest, CutOnAVectorLayerDoesNothing)
{
    Open(Noise);
    image->firstLayer->type = kFilledVectorLayer;
    SendMessageW(frame, kEditAreaLayerChanged, 0, 0);
    SendMessageW(frame, kEditAreaCut, 0, 0);
    EXPECT_EQ(Layer(), before);
    EXPECT_EQ(gReports.undoEntries, 0);
    EXPECT_EQ(gReports.changes, 0);
    EXPECT_EQ(context.document->modified, 0u);
}

// A vector layer moves as a whole: its outline follows the pointer, even off the image, and the
// shape comes back whole; afterwards the whole layer is selected again.
TEST_F(SelectionToolsTest, MovingAVectorLayerMovesItsOutlineAndKeepsWhatLeftTheImage)
{
    Open(OneColor);
    ::Layer* layer = image->firstLayer;
    layer->type = kFilledVectorLayer;
    layer->path = new Gdiplus::GraphicsPath();
    layer->path->AddRectangle(Gdiplus::Rect(24, 4, 6, 6));  // pixels 24..29
    layer->brush.primaryColor = kRed;
    SendMessageW(frame, kEditAreaLayerChanged, 0, 0);
    context.currentTool = kMoveTool;
    Press(10, 10);
    Drag(16, 10);  // six to the right: pixels 30..35, two of them left on the image
    Pixels moved = Layer();
    EXPECT_EQ(At(moved, 31, 6), kRed);
    EXPECT_EQ(Alpha(At(moved, 27, 6)), 0u) << "the layer is drawn again, not painted over";
    Drag(10, 10);
    Release(10, 10);
    const Pixels back = Layer();
    for (int y = 0; y < kSize; y++)
        for (int x = 0; x < kSize; x++) {
            const bool inside = x >= 24 && x < 30 && y >= 4 && y < 10;
            ASSERT_EQ(At(back, x, y), inside ? kRed : 0u) << x << "," << y;
        }
    EXPECT_EQ(gReports.undoEntries, 1);
    EXPECT_EQ(gReports.changes, 1);
    ExpectSelectedRect(0, 0, kSize, kSize);
}

}  // namespace
