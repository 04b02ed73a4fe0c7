// The canvas's zoom, scroll and mapping arithmetic, and its pixel work.
#include <gtest/gtest.h>

#include "canvas_geometry.h"
#include "canvas_pixels.h"
#include "core/portable_pixels.h"
#include "cursor_choice.h"
#include "readout_text.h"

namespace {

// A 700 x 500 frame gives a 696 x 439 canvas.
constexpr int kCanvasW = 696;
constexpr int kCanvasH = 439;

CanvasView View(int w, int h, int zoom, int clientW, int clientH, int flags = kNoBars, int scrollX = 0,
                int scrollY = 0)
{
    CanvasView view;
    view.imageWidth = w;
    view.imageHeight = h;
    view.zoom = zoom;
    view.clientWidth = clientW;
    view.clientHeight = clientH;
    view.scrollFlags = flags;
    view.scrollX = scrollX;
    view.scrollY = scrollY;
    UpdateDrawnExtent(view);
    return view;
}

}  // namespace

TEST(CanvasGeometry, FitZoomStaysWithinOneToThirty)
{
    struct Case {
        int w, h, expected;
    } cases[] = {{16, 16, 27}, {256, 256, 1}, {1, 1, 30}, {48, 48, 9}, {1000, 10, 1}, {14, 14, 30}, {23, 1, 30},
                 {24, 1, 29}};
    for (const Case& c : cases)
        EXPECT_EQ(FitZoom(kCanvasW, kCanvasH, c.w, c.h), c.expected) << c.w << " x " << c.h;
}

TEST(CanvasGeometry, ScrollBarsFollowTheOrderOfTheChecks)
{
    struct Case {
        int sw, sh, expected;
        const char* why;
    } cases[] = {
        {256, 256, kNoBars, "fits"},
        {696, 439, kNoBars, "exactly the canvas"},
        {512, 512, kVerticalBar, "taller only; 512 <= 696 - 16"},
        {690, 512, kVerticalBar | kHorizontalBar, "the vertical bar eats the width"},
        {697, 100, kHorizontalBar, "wider only"},
        {697, 430, kHorizontalBar | kVerticalBar, "the horizontal bar eats the height"},
        {697, 423, kHorizontalBar, "still fits under the bar"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScrollBarsNeeded(c.sw, c.sh, kCanvasW, kCanvasH, 16, 16), c.expected) << c.why;
}

TEST(CanvasGeometry, DrawnExtentPerBar)
{
    EXPECT_EQ(View(16, 16, 27, kCanvasW, kCanvasH).drawnWidth, 432);
    const CanvasView both = View(300, 300, 4, 680, 423, kHorizontalBar | kVerticalBar);
    EXPECT_EQ(both.drawnWidth, 4 * (170 + 2));
    EXPECT_EQ(both.drawnHeight, 4 * (105 + 2));
    const CanvasView vertical = View(100, 300, 4, 680, 439, kVerticalBar);
    EXPECT_EQ(vertical.drawnWidth, 400);
    EXPECT_EQ(vertical.drawnHeight, 4 * (109 + 2));
}

TEST(CanvasGeometry, PointsMapToClampedPixels)
{
    // 16 x 16 at zoom 27: the image starts at ((696 - 432) / 2, (439 - 432) / 2) = (132, 3).
    const CanvasView view = View(16, 16, 27, kCanvasW, kCanvasH);
    struct Case {
        int mx, my, px, py;
        bool inside;
    } cases[] = {
        {132, 3, 0, 0, true},     {563, 434, 15, 15, true},   {564, 434, 15, 15, false},
        {131, 100, 0, 3, false},  {158, 29, 0, 0, true},      {159, 30, 1, 1, true},
        {-50, -50, 0, 0, false},  {5000, 200, 15, 7, false},
    };
    for (const Case& c : cases) {
        const PixelHit hit = MapPointToPixel(view, c.mx, c.my);
        EXPECT_EQ(hit.x, c.px) << c.mx << ", " << c.my;
        EXPECT_EQ(hit.y, c.py) << c.mx << ", " << c.my;
        EXPECT_EQ(hit.inside, c.inside) << c.mx << ", " << c.my;
    }
    // With a horizontal bar the image starts at the scroll offset.
    const CanvasView scrolled = View(400, 100, 2, 680, 423, kHorizontalBar, -101, 0);
    const PixelHit hit = MapPointToPixel(scrolled, 0, 112);
    EXPECT_EQ(hit.x, 50);
    EXPECT_EQ(hit.y, 0);
    EXPECT_TRUE(hit.inside);
}

TEST(CanvasGeometry, ScrollingStopsAtBothEnds)
{
    EXPECT_EQ(ScrollLineTowardStart(-1), 0);
    EXPECT_EQ(ScrollLineTowardStart(0), 0);
    EXPECT_EQ(ScrollLineTowardEnd(0, 423, 512), -1);
    EXPECT_EQ(ScrollLineTowardEnd(-89, 423, 512), -89);
    // Auto-scrolling during a drag moves by the distance outside.
    EXPECT_EQ(AutoScrolledOffset(-30, -12, 423, 512), -18);
    EXPECT_EQ(AutoScrolledOffset(-5, -12, 423, 512), 0);
    EXPECT_EQ(AutoScrolledOffset(-80, 12, 423, 512), -89);
    EXPECT_EQ(AutoScrolledOffset(-30, 0, 423, 512), -30);
}

TEST(CanvasGeometry, ZoomToolsCenterOnTheClickedPixel)
{
    struct Case {
        int client, zoom, size, p, expected;
    } cases[] = {
        {400, 4, 256, 10, 0},               // near the start: no scrolling
        {400, 4, 256, 100, 200 - 400},      // in the middle: centered
        {400, 4, 256, 250, 400 - 1024},     // near the end: scrolled to the end
    };
    for (const Case& c : cases)
        EXPECT_EQ(CenteredOffset(c.client, c.zoom, c.size, c.p), c.expected) << "pixel " << c.p;

    EXPECT_EQ(ZoomAfterClick(29, ZoomDirection::kIn, false), 30);
    EXPECT_EQ(ZoomAfterClick(30, ZoomDirection::kIn, false), 30);
    EXPECT_EQ(ZoomAfterClick(4, ZoomDirection::kIn, true), 30);
    EXPECT_EQ(ZoomAfterClick(2, ZoomDirection::kOut, false), 1);
    EXPECT_EQ(ZoomAfterClick(1, ZoomDirection::kOut, false), 1);
    EXPECT_EQ(ZoomAfterClick(17, ZoomDirection::kOut, true), 1);
}

TEST(CanvasGeometry, GridShowsCellsOnlyAboveZoomFive)
{
    const CanvasView five = View(4, 3, 5, 200, 200);
    const std::vector<GridLine> border = GridLines(five, {10, 20}, true);
    ASSERT_EQ(border.size(), 4u);
    EXPECT_EQ(border[1].y, 20 + 15) << "bottom line below the last row";
    EXPECT_EQ(border[3].x, 10 + 20) << "right line after the last column";
    EXPECT_EQ(border[0].width, 21) << "top line reaches the right line";

    const CanvasView six = View(4, 3, 6, 200, 200);
    const std::vector<GridLine> full = GridLines(six, {10, 20}, true);
    ASSERT_EQ(full.size(), 4u + 5u);
    for (int row = 0; row <= 3; row++)
        EXPECT_EQ(full[row].y, 20 + row * 6);
    for (int column = 0; column <= 4; column++)
        EXPECT_EQ(full[4 + column].x, 10 + column * 6);
    EXPECT_EQ(GridLines(six, {10, 20}, false).size(), 4u) << "checkbox off";

    EXPECT_EQ(SelectionOutlineThickness(5, true), 1);
    EXPECT_EQ(SelectionOutlineThickness(6, true), 2);
    EXPECT_EQ(SelectionOutlineThickness(6, false), 1);
}

TEST(CanvasGeometry, VisibleAreaKeepsPartialPixelsAligned)
{
    const CanvasView view = View(300, 300, 3, 680, 423, kHorizontalBar | kVerticalBar, -7, -9);
    const MagnifiedArea area = VisibleArea(view);
    EXPECT_EQ(area.sourceX, 2);
    EXPECT_EQ(area.destX, -1);
    EXPECT_EQ(area.sourceY, 3);
    EXPECT_EQ(area.destY, 0);
    EXPECT_EQ(area.columns, 226 + 2);
    // Scrolled to the end, no columns beyond the image.
    const CanvasView end = View(300, 300, 3, 680, 423, kHorizontalBar | kVerticalBar, 680 - 900, 0);
    const MagnifiedArea last = VisibleArea(end);
    EXPECT_EQ(last.sourceX + last.columns, 300);
}

TEST(CanvasPixels, MagnifiesWithBlendingAndClipping)
{
    TestPixels source(2, 2);
    source.at(0, 0) = Argb(255, 200, 10, 20);
    source.at(1, 0) = Argb(0, 255, 0, 0);      // transparent: the background shows
    source.at(0, 1) = Argb(128, 0, 0, 255);    // half: blended
    source.at(1, 1) = Argb(255, 1, 2, 3);
    TestPixels target(7, 7);
    FillPixels(target.View(), kCanvasBackground);
    DrawMagnified(target.View(), source.View(), {0, 0, 2, 2, -1, 1}, 3, kCanvasBackground);

    EXPECT_EQ(target.at(0, 0), kCanvasBackground) << "above the image";
    EXPECT_EQ(target.at(0, 1), Argb(255, 200, 10, 20)) << "the first block, cut at the left edge";
    EXPECT_EQ(target.at(1, 3), Argb(255, 200, 10, 20));
    EXPECT_EQ(target.at(2, 1), kCanvasBackground) << "transparent pixel";
    const uint32_t blended = Argb(255, (239 * 127 + 127) / 255, (239 * 127 + 127) / 255, (255 * 128 + 239 * 127 + 127) / 255);
    EXPECT_EQ(target.at(1, 4), blended);
    EXPECT_EQ(target.at(4, 6), Argb(255, 1, 2, 3));
    EXPECT_EQ(target.at(5, 6), kCanvasBackground) << "right of the image";
}

TEST(CanvasPixels, GridAndClearingStayInsideTheBuffer)
{
    TestPixels target(5, 5, Argb(255, 9, 9, 9));
    FillGridLines(target.View(), {{-3, 2, 20, 1}, {4, -10, 1, 30}}, kGridColor);
    EXPECT_EQ(target.at(0, 2), kGridColor);
    EXPECT_EQ(target.at(4, 0), kGridColor);
    EXPECT_EQ(target.at(3, 3), Argb(255, 9, 9, 9));
    ClearRectangles(target.View(), {{1, 1, 3, 9}, {-5, -5, 1, 1}});
    EXPECT_EQ(target.at(0, 0), 0u);
    EXPECT_EQ(target.at(2, 4), 0u);
    EXPECT_EQ(target.at(3, 1), Argb(255, 9, 9, 9));
}

TEST(CanvasReadout, ExactTexts)
{
    EXPECT_EQ(PixelReadout(0x80FF0A00u, 15, 0),
              L"Show Grid Lines\tA : 128\tR : 255\tG : 10\tB : 0\t\tX : 15\tY : 0");
    EXPECT_EQ(EmptyReadout(), L"Show Grid Lines\tA : \tR : \tG : \tB : \t\tX : \tY : ");
}

TEST(CanvasCursors, ToolsThatCannotActShowNotAllowed)
{
    auto situation = [](int tool) {
        CursorSituation s;
        s.tool = tool;
        s.overImage = true;
        s.rasterLayer = true;
        s.layerCount = 1;
        s.zoom = 10;
        return s;
    };
    struct Case {
        CursorSituation s;
        int expected;
        const char* why;
    } cases[] = {
        {situation(kPenTool), kPenCursor, "pen"},
        {[&] { auto s = situation(kPenTool); s.overImage = false; return s; }(), kArrowCursor, "off the image"},
        {[&] { auto s = situation(kPenTool); s.transformPending = true; return s; }(), kNotAllowedCursor, "pending"},
        {[&] { auto s = situation(kPenTool); s.rasterLayer = false; return s; }(), kNotAllowedCursor, "vector layer"},
        {[&] { auto s = situation(kMoveTool); s.rasterLayer = false; return s; }(), kMoveCursor, "move on vector"},
        {[&] { auto s = situation(kGradientTool); s.bitsPerPixel = 8; return s; }(), kNotAllowedCursor, "8-bit gradient"},
        {[&] { auto s = situation(kGradientTool); s.bitsPerPixel = 24; return s; }(), kGradientCursor, "24-bit gradient"},
        {[&] { auto s = situation(kBlurTool); s.bitsPerPixel = 24; return s; }(), kNotAllowedCursor, "24-bit blur"},
        {[&] { auto s = situation(kFilledTextTool); s.layerCount = 20; return s; }(), kNotAllowedCursor, "20 layers"},
        {[&] { auto s = situation(kRectangleTool); s.layerCount = 20; s.vectorLayerOption = false; return s; }(),
         kRectangleCursor, "raster shape with 20 layers"},
        {[&] { auto s = situation(kMagicWandTool); s.ctrl = s.shift = true; return s; }(), kWandAddCursor, "ctrl wins"},
        {[&] { auto s = situation(kMagicWandTool); s.shift = true; return s; }(), kWandSubtractCursor, "shift"},
        {[&] { auto s = situation(kZoomInTool); s.zoom = 30; return s; }(), kZoomLimitCursor, "zoom in at 30"},
        {[&] { auto s = situation(kZoomOutTool); s.zoom = 1; s.rasterLayer = false; return s; }(), kZoomLimitCursor,
         "zoom out at 1"},
        {situation(kFilledCustomShapeTool), kFilledCustomShapeCursor, "filled custom shape"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CursorForSituation(c.s), c.expected) << c.why;
}
