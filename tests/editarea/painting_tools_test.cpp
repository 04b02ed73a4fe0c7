// The painting tools as a user drives them: real mouse messages on the canvas under Xvfb, a
// main window that records what the editing area reports, and the layer's pixels read back.
#include <windows.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "common/gdiplus_pixels.h"
#include "common/messages.h"
#include "common/selection_state.h"
#include "core/pyx.h"
#include "editarea/easel.h"
#include "harness/test_bitmaps.h"
#include "panels/toolbox/toolrack.h"

#include "easel_host.h"

namespace {

// How many pixels of the window's client area are pure black.
int BlackPixels(HWND window)
{
    const Pixels pixels = ClientPixels(window, ReadBack::kPrintWindow);
    return int(std::count(pixels.begin(), pixels.end(), 0u));
}

// Where two pictures `width` pixels wide first differ, or nothing when they are the same.
std::string FirstDifference(const std::vector<uint32_t>& got, const std::vector<uint32_t>& expected, int width)
{
    if (got.size() != expected.size())
        return "sizes differ";
    for (size_t i = 0; i < got.size(); i++)
        if (got[i] != expected[i]) {
            char text[80];
            std::snprintf(text, sizeof(text), "at %d,%d: %08X instead of %08X", int(i % size_t(width)),
                          int(i / size_t(width)), unsigned(got[i]), unsigned(expected[i]));
            return text;
        }
    return "";
}

// The client area as it is on screen now, or as the window draws itself afresh.
std::vector<uint32_t> ScreenPixels(HWND window)
{
    return ClientPixels(window, ReadBack::kScreen);
}

std::vector<uint32_t> PrintedPixels(HWND window)
{
    return ClientPixels(window, ReadBack::kPrintClient);
}

constexpr uint32_t kOpaqueRed = 0xFFFF0000u;

int Channel(uint32_t c, int shift)
{
    return int((c >> shift) & 0xFF);
}

double DistanceFrom(int x, int y, double cx, double cy)
{
    return std::hypot(x - cx, y - cy);
}

class PaintingTest : public ImageToolTest {
protected:
    void SetUp() override
    {
        ImageToolTest::SetUp();
        KeepUndoCopies();
        UseToolSettings();
        brush.primaryColor = kOpaqueRed;
        brush.secondaryColor = 0xFF0000FFu;
        brush.gradientKind = 1;
        brush.blendFactor = 50;
        brush.blendPosition = 50;
        options.penSize = 9;
        options.eraserSize = 5;
        options.blurSize = 10;
        options.lineSize = 3;
    }

    // A 32 x 32 image of the given depth whose layer (and composite) holds fn's pixels, with
    // nothing selected, in a 700 x 500 editing area.
    void Open(const PixelFunction& fn, int bitsPerPixel = 32)
    {
        image = PYX_CreateImage(kSize, kSize);
        image->bitsPerPixel = uint8_t(bitsPerPixel);
        PaintPixels(image->firstLayer->bitmap, fn);
        PaintPixels(image->composite, fn);
        PlaceImage(image);
        ResetSelection(image);
        CreateArea();
        before = Layer();
    }

    // Press at the first point, drag through the others, release at the last.
    void Stroke(const std::vector<POINT>& points)
    {
        Press(points.front().x, points.front().y);
        for (size_t i = 1; i < points.size(); i++)
            Drag(points[i].x, points[i].y);
        Release(points.back().x, points.back().y);
    }

    Pixels Layer() const { return ReadPixels(image->firstLayer->bitmap); }
    Pixels Composite() const { return ReadPixels(image->composite); }
    Pixels Content() const { return ReadPixels(selection.content); }

    // The pixels that differ from the layer as it was when the image was opened.
    std::vector<POINT> Changed(const Pixels& now) const
    {
        std::vector<POINT> changed;
        for (int y = 0; y < kSize; y++)
            for (int x = 0; x < kSize; x++)
                if (At(now, x, y) != At(before, x, y))
                    changed.push_back({x, y});
        return changed;
    }

    // Exactly one undo entry of Image 0, taken before anything changed, and one report.
    void ExpectOneFinishedChange(const char* what)
    {
        EXPECT_EQ(gReports.undoEntries, 1) << what;
        EXPECT_EQ(gReports.undoImage, 0) << what;
        EXPECT_EQ(gReports.changes, 1) << what;
        EXPECT_EQ(context.document->modified, 1u) << what;
        ASSERT_EQ(gChain->count, 1) << what;
        ASSERT_NE(gChain->firstRing->images, nullptr) << what;
        EXPECT_EQ(ReadPixels(gChain->firstRing->images->firstLayer->bitmap), before)
            << what << ": the undo copy holds the layer as it was";
    }

    Pixels before;
};

uint32_t Transparent(int, int)
{
    return 0;
}

uint32_t Noise(int x, int y)
{
    return NoiseColor(x, y, 255);
}

// A click without moving leaves one round dot of the pen size around the pixel: all of it in
// the primary color (no smoothing), nothing beyond half the size (plus a pixel for the
// rasterizer's rounding), everything within half the size less a pixel, and as wide as tall.
TEST_F(PaintingTest, PenClickLeavesOneRoundDotOfThePenSize)
{
    for (int size : {3, 6, 9, 15, 50}) {
        SCOPED_TRACE(size);
        gReports = Reports{};
        options.penSize = size;
        Open(Transparent);
        context.currentTool = kPenTool;
        Click(16, 16);
        const Pixels layer = Layer();
        const std::vector<POINT> dot = Changed(layer);
        ASSERT_FALSE(dot.empty());
        int left = kSize, right = -1, top = kSize, bottom = -1;
        for (const POINT& p : dot) {
            EXPECT_EQ(At(layer, p.x, p.y), kOpaqueRed) << p.x << "," << p.y;
            EXPECT_LE(DistanceFrom(p.x, p.y, 16, 16), size / 2.0 + 1) << p.x << "," << p.y;
            left = std::min<int>(left, p.x), right = std::max<int>(right, p.x);
            top = std::min<int>(top, p.y), bottom = std::max<int>(bottom, p.y);
        }
        for (int y = 0; y < kSize; y++)
            for (int x = 0; x < kSize; x++)
                if (DistanceFrom(x, y, 16, 16) <= size / 2.0 - 1) {
                    EXPECT_EQ(At(layer, x, y), kOpaqueRed) << x << "," << y;
                }
        if (size < kSize) {
            EXPECT_NEAR(right - left + 1, size, 1);
            EXPECT_NEAR(bottom - top + 1, size, 1);
            EXPECT_LE(std::abs((right - left) - (bottom - top)), 1) << "round, not stretched";
        }
        EXPECT_EQ(Composite(), layer) << "the composite shows the dot";
        ExpectOneFinishedChange("pen click");
        EASEL_DestroyWindow();
        PYX_DeleteUndoChain(gChain);
        gChain = PYX_InitNewUndoChain();
    }
}

// The layer as a stroke leaves it: the opened pixels with the whole path of `points` drawn
// once, the way a single drawing of the finished path looks. Built here with its own pen.
Pixels WholePathOver(const Pixels& opened, const std::vector<POINT>& points, bool eraser, float width,
                     bool antialiased, uint32_t color, HRGN clip)
{
    Gdiplus::Bitmap* layer = MakeBitmap(kSize, kSize, [&](int x, int y) { return opened[size_t(y) * kSize + x]; });
    {
        Gdiplus::Graphics graphics(layer);
        graphics.SetSmoothingMode(antialiased ? Gdiplus::SmoothingModeAntiAlias : Gdiplus::SmoothingModeNone);
        if (!eraser)
            graphics.SetCompositingQuality(Gdiplus::CompositingQualityHighQuality);
        graphics.SetCompositingMode(eraser ? Gdiplus::CompositingModeSourceCopy : Gdiplus::CompositingModeSourceOver);
        Gdiplus::Region region(clip);
        graphics.SetClip(&region);
        Gdiplus::GraphicsPath path;
        for (size_t i = 1; i < points.size(); i++)
            path.AddLine(int(points[i - 1].x), int(points[i - 1].y), int(points[i].x), int(points[i].y));
        Gdiplus::SolidBrush brush{Gdiplus::Color(Gdiplus::ARGB(eraser ? 0u : color))};
        Gdiplus::Pen pen(&brush, width);
        pen.SetLineCap(Gdiplus::LineCapRound, Gdiplus::LineCapRound, Gdiplus::DashCapRound);
        pen.SetLineJoin(Gdiplus::LineJoinRound);
        graphics.DrawPath(&pen, &path);
    }
    Pixels pixels = ReadPixels(layer);
    delete layer;
    return pixels;
}

// A move redraws only around its new segment, yet after every move the layer, the composite
// and the canvas on screen are what drawing the whole path once over the opened layer gives:
// long segments back across earlier ones, the pointer beyond the image (the point held at
// the image's edge), and a selection of two pieces clipping it.
TEST_F(PaintingTest, EveryMoveOfAStrokeEqualsTheWholePathDrawnOnce)
{
    const struct Case {
        const char* name;
        int tool;
        int size;
        int antialiased;
        bool twoPieces;
    } cases[] = {{"smooth pen", kPenTool, 5, 1, false},
                 {"smooth pen, two-piece selection", kPenTool, 5, 1, true},
                 {"aliased wide pen", kPenTool, 9, 0, false},
                 {"eraser, two-piece selection", kEraserTool, 5, 0, true}};
    // Pointer positions in image pixels (some beyond the image) and the points they give.
    const std::vector<POINT> pointer = {{3, 5}, {28, 27}, {29, 4}, {-3, 40}, {17, 1}, {16, 30}, {40, 15}, {2, 16}};
    const std::vector<POINT> held = {{3, 5}, {28, 27}, {29, 4}, {0, 31}, {17, 1}, {16, 30}, {31, 15}, {2, 16}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        gReports = Reports{};
        options.penSize = c.size;
        options.eraserSize = c.size;
        options.penAntialiased = c.antialiased;
        brush.primaryColor = 0x800000FFu;
        Open(Noise);
        HRGN clip = CreateRectRgn(0, 0, kSize, kSize);
        if (c.twoPieces) {
            HRGN second = CreateRectRgn(20, 18, 30, 29);
            SetRectRgn(clip, 2, 3, 15, 25);
            CombineRgn(clip, clip, second, RGN_OR);
            DeleteObject(second);
            HRGN shared = CreateRectRgn(0, 0, 0, 0);
            CombineRgn(shared, clip, nullptr, RGN_COPY);
            Select(shared);
        }
        context.currentTool = c.tool;
        Press(pointer[0].x, pointer[0].y);
        for (size_t i = 1; i < pointer.size(); i++) {
            Drag(pointer[i].x, pointer[i].y);
            const std::vector<POINT> sofar(held.begin(), held.begin() + long(i) + 1);
            const Pixels expected = WholePathOver(before, sofar, c.tool == kEraserTool, float(c.size),
                                                  c.antialiased != 0, brush.primaryColor, clip);
            ASSERT_EQ(FirstDifference(Layer(), expected, kSize), "") << "layer after move " << i;
            ASSERT_EQ(FirstDifference(Composite(), expected, kSize), "") << "composite after move " << i;
            RECT client{};
            GetClientRect(canvas, &client);
            ASSERT_EQ(FirstDifference(ScreenPixels(canvas), PrintedPixels(canvas), client.right), "")
                << "canvas after move " << i;
        }
        Release(pointer.back().x, pointer.back().y);
        DeleteObject(clip);
        EASEL_DestroyWindow();
    }
}

// A stroke that pulls the view along shows the scrolled canvas whole, not just the pixels
// its segment changed.
TEST_F(PaintingTest, AStrokeThatScrollsTheViewRepaintsAllOfIt)
{
    Open(Noise);
    context.currentTool = kZoomInTool;
    SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(348, 219));
    SendMessageW(canvas, WM_LBUTTONUP, 0, MAKELPARAM(348, 219));
    ASSERT_NE(GetWindowLongW(canvas, GWL_STYLE) & WS_VSCROLL, 0) << "zoomed in far enough for a bar";
    const int scrolled = GetScrollPos(canvas, SB_VERT);
    context.currentTool = kPenTool;
    SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(348, 200));
    SendMessageW(canvas, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(348, 600));  // below the canvas
    ASSERT_GT(GetScrollPos(canvas, SB_VERT), scrolled) << "the view was pulled down";
    RECT client{};
    GetClientRect(canvas, &client);
    EXPECT_EQ(FirstDifference(ScreenPixels(canvas), PrintedPixels(canvas), client.right), "");
    SendMessageW(canvas, WM_LBUTTONUP, 0, MAKELPARAM(348, 600));
}

// A half-transparent stroke that crosses itself is one coat: no pixel gets more alpha than
// the color has, the crossing included. Smoothed edges may have less.
TEST_F(PaintingTest, SelfCrossingHalfTransparentStrokeHasOneAlphaEverywhere)
{
    const struct Case {
        const char* name;
        int antialiased;
    } cases[] = {{"aliased", 0}, {"antialiased", 1}};
    for (const Case& c : cases) {
        gReports = Reports{};
        options.penSize = 5;
        options.penAntialiased = c.antialiased;
        brush.primaryColor = 0x800000FFu;
        Open(Transparent);
        context.currentTool = kPenTool;
        Stroke({{4, 16}, {28, 16}, {16, 4}, {16, 28}, {4, 20}});
        const Pixels layer = Layer();
        const std::vector<POINT> painted = Changed(layer);
        ASSERT_GT(painted.size(), 100u) << c.name;
        for (const POINT& p : painted) {
            EXPECT_LE(Alpha(At(layer, p.x, p.y)), 0x81u) << c.name << " at " << p.x << "," << p.y;
            if (!c.antialiased) {
                EXPECT_EQ(At(layer, p.x, p.y), 0x800000FFu) << c.name << " at " << p.x << "," << p.y;
            }
        }
        for (POINT p : std::vector<POINT>{{16, 16}, {10, 16}, {16, 10}, {22, 16}, {16, 24}})
            EXPECT_NEAR(int(Alpha(At(layer, p.x, p.y))), 0x80, 1) << c.name << ": crossing and segments at " << p.x
                                                                  << "," << p.y;
        EXPECT_EQ(gReports.undoEntries, 1) << c.name;
        EXPECT_EQ(gReports.changes, 1) << c.name;
        EASEL_DestroyWindow();
    }
}

// With a rectangular selection the pen and the eraser change the selected pixels up to the
// edge and nothing beyond; the eraser's pixels have all four channels 0; the selection
// content holds the new pixels afterwards.
TEST_F(PaintingTest, PenAndEraserStopExactlyAtTheSelectionEdge)
{
    const struct Case {
        int tool;
        uint32_t painted;
    } cases[] = {{kPenTool, kOpaqueRed}, {kEraserTool, 0u}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tool);
        gReports = Reports{};
        options.penSize = 5;
        options.eraserSize = 5;
        Open(Noise);
        Select(CreateRectRgn(8, 8, 24, 24));  // x and y 8..23
        context.currentTool = c.tool;
        Stroke({{2, 16}, {30, 16}, {20, 10}});
        const Pixels layer = Layer();
        for (const POINT& p : Changed(layer)) {
            EXPECT_TRUE(p.x >= 8 && p.x < 24 && p.y >= 8 && p.y < 24) << "outside at " << p.x << "," << p.y;
            EXPECT_EQ(At(layer, p.x, p.y), c.painted) << p.x << "," << p.y;
        }
        for (int x = 8; x < 24; x++)
            EXPECT_EQ(At(layer, x, 16), c.painted) << "along the stroke at x " << x;
        EXPECT_EQ(At(layer, 7, 16), At(before, 7, 16));
        EXPECT_EQ(At(layer, 24, 16), At(before, 24, 16));
        EXPECT_EQ(At(layer, 20, 10), c.painted) << "the last segment, inside";
        EXPECT_EQ(At(Content(), 8, 16), c.painted) << "the selection content was refreshed";
        EXPECT_EQ(At(Content(), 20, 10), c.painted);
        ExpectOneFinishedChange("stroke");
        EASEL_DestroyWindow();
        PYX_DeleteUndoChain(gChain);
        gChain = PYX_InitNewUndoChain();
    }
}

// The bucket fills the whole selection region, connected or not, blending a half-transparent
// primary color over the pixels there: half red over opaque blue is (255, 128, 0, 127).
TEST_F(PaintingTest, BucketFillsTheWholeSelectionRegionBlending)
{
    const auto twoPieces = [] {
        HRGN region = CreateRectRgn(2, 2, 6, 30);
        HRGN other = CreateRectRgn(20, 10, 31, 14);
        CombineRgn(region, region, other, RGN_OR);
        DeleteObject(other);
        return region;
    };
    const struct Case {
        const char* name;
        std::function<HRGN()> region;
        std::function<bool(int, int)> inside;
    } cases[] = {
        {"nothing selected", [] { return CreateRectRgn(0, 0, kSize, kSize); }, [](int, int) { return true; }},
        {"rectangle", [] { return CreateRectRgn(4, 4, 12, 20); },
         [](int x, int y) { return x >= 4 && x < 12 && y >= 4 && y < 20; }},
        {"two pieces", twoPieces,
         [](int x, int y) { return (x >= 2 && x < 6 && y >= 2 && y < 30) || (x >= 20 && x < 31 && y >= 10 && y < 14); }},
    };
    for (const Case& c : cases) {
        gReports = Reports{};
        brush.primaryColor = 0x80FF0000u;
        Open([](int, int) { return 0xFF0000FFu; });
        Select(c.region());
        context.currentTool = kPaintBucketTool;
        Click(25, 25);  // where the click lands does not matter
        const Pixels layer = Layer();
        for (int y = 0; y < kSize; y++) {
            for (int x = 0; x < kSize; x++) {
                const uint32_t p = At(layer, x, y);
                if (!c.inside(x, y)) {
                    EXPECT_EQ(p, 0xFF0000FFu) << c.name << " at " << x << "," << y;
                    continue;
                }
                EXPECT_EQ(Alpha(p), 255u) << c.name << " at " << x << "," << y;
                EXPECT_NEAR(Channel(p, 16), 128, 2) << c.name << " at " << x << "," << y;
                EXPECT_EQ(Channel(p, 8), 0) << c.name << " at " << x << "," << y;
                EXPECT_NEAR(Channel(p, 0), 127, 2) << c.name << " at " << x << "," << y;
            }
        }
        EXPECT_EQ(Composite(), layer) << c.name;
        ExpectOneFinishedChange(c.name);
        EASEL_DestroyWindow();
        PYX_DeleteUndoChain(gChain);
        gChain = PYX_InitNewUndoChain();
    }
}

// A blur dab of size s at (x, y) blurs the block from (x - s/2, y - s/2), clamped to the
// image, s pixels wide, and changes only the ellipse inscribed in that block: at (0, 0)
// with size 10 the block is 0..9 and its corners stay.
TEST_F(PaintingTest, BlurDabChangesOnlyInsideTheInscribedEllipse)
{
    const struct Case {
        int x, y, size;
        int left, top, width, height;  // the block
    } cases[] = {
        {0, 0, 10, 0, 0, 10, 10},
        {20, 12, 10, 15, 7, 10, 10},
        {30, 31, 8, 26, 27, 6, 5},  // cut at the far edges
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        gReports = Reports{};
        options.blurSize = c.size;
        Open(Noise);
        context.currentTool = kBlurTool;
        Click(c.x, c.y);
        const std::vector<POINT> changed = Changed(Layer());
        EXPECT_GT(int(changed.size()), c.width * c.height / 2) << "most of the ellipse changes";
        const double cx = c.left + c.width / 2.0, cy = c.top + c.height / 2.0;
        for (const POINT& p : changed) {
            const double u = (p.x + 0.5 - cx) / (c.width / 2.0), v = (p.y + 0.5 - cy) / (c.height / 2.0);
            EXPECT_LE(u * u + v * v, 1.25) << "outside the ellipse at " << p.x << "," << p.y;
            EXPECT_TRUE(p.x >= c.left && p.x < c.left + c.width && p.y >= c.top && p.y < c.top + c.height)
                << "outside the block at " << p.x << "," << p.y;
        }
        const Pixels layer = Layer();
        for (POINT corner : std::vector<POINT>{{c.left, c.top},
                                               {c.left + c.width - 1, c.top},
                                               {c.left, c.top + c.height - 1},
                                               {c.left + c.width - 1, c.top + c.height - 1}})
            EXPECT_EQ(At(layer, corner.x, corner.y), At(before, corner.x, corner.y)) << corner.x << "," << corner.y;
        ExpectOneFinishedChange("blur dab");
        EASEL_DestroyWindow();
        PYX_DeleteUndoChain(gChain);
        gChain = PYX_InitNewUndoChain();
    }
}

// Below 24 bits the gradient is ignored and the pen paints the solid primary color; at 32
// bits the same settings paint the gradient's colors, linear or radial, with either blend.
TEST_F(PaintingTest, PenPaintsSolidPrimaryBelowTwentyFourBits)
{
    brush.useGradient = 1;
    brush.primaryColor = 0xFF00FF00u;
    brush.secondaryColor = 0xFFFF0000u;
    brush.centerX = 50;
    brush.centerY = 50;
    brush.blendFocus = 50;
    brush.blendScale = 100;
    options.penSize = 15;
    const struct Case {
        int depth;
        uint32_t kind;
        uint32_t bell;
        bool solid;
    } cases[] = {{1, 1, 0, true}, {4, 2, 0, true}, {8, 1, 1, true}, {32, 1, 0, false}, {32, 2, 0, false},
                 {32, 2, 1, false}, {32, 1, 1, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.depth << " bits, kind " << c.kind << ", bell " << c.bell);
        brush.gradientKind = c.kind;
        brush.bellBlend = c.bell;
        Open(Transparent, c.depth);
        context.currentTool = kPenTool;
        Click(16, 16);
        const Pixels layer = Layer();
        const std::vector<POINT> painted = Changed(layer);
        ASSERT_FALSE(painted.empty());
        int solid = 0;
        for (const POINT& p : painted)
            solid += At(layer, p.x, p.y) == 0xFF00FF00u;
        if (c.solid)
            EXPECT_EQ(solid, int(painted.size()));
        else
            EXPECT_LT(solid, int(painted.size()) / 2) << "the gradient shows at 32 bits";
        EASEL_DestroyWindow();
    }
}

// The color picker reads the composite (not the layer), alpha included, into the primary
// color and reports it once; it records no undo entry and changes nothing.
TEST_F(PaintingTest, ColorPickerReadsTheCompositeAndReportsIt)
{
    Open(Noise);
    PaintPixels(image->composite, [](int x, int y) { return x == 3 ? 0x00123456u : NoiseColor(y, x, 200); });
    context.currentTool = kColorPickerTool;
    const struct Case {
        int x, y;
        uint32_t expected;
    } cases[] = {{5, 7, NoiseColor(7, 5, 200)}, {3, 9, 0x00123456u}, {31, 0, NoiseColor(0, 31, 200)}};
    int picks = 0;
    for (const Case& c : cases) {
        brush.primaryColor = 0xDEADBEEFu;
        Click(c.x, c.y);
        EXPECT_EQ(brush.primaryColor, c.expected) << c.x << "," << c.y;
        EXPECT_EQ(gReports.picks, ++picks);
    }
    EXPECT_EQ(gReports.undoEntries, 0);
    EXPECT_EQ(gReports.changes, 0);
    EXPECT_EQ(Layer(), before);
    EXPECT_EQ(context.document->modified, 0u);
}

// Every stroke or click records exactly one undo entry, holding the layer as it was, and one
// change report, however many moves it has.
TEST_F(PaintingTest, EachStrokeRecordsOneUndoEntry)
{
    const struct Case {
        const char* name;
        int tool;
        std::vector<POINT> path;
    } cases[] = {
        {"pen", kPenTool, {{3, 3}, {10, 5}, {20, 20}, {5, 25}, {5, 25}, {28, 28}}},
        {"eraser", kEraserTool, {{3, 3}, {10, 5}, {20, 20}}},
        {"blur", kBlurTool, {{3, 3}, {4, 3}, {10, 10}, {20, 20}}},
        {"line", kLineTool, {{3, 3}, {10, 5}, {20, 20}, {28, 6}}},
        {"bucket", kPaintBucketTool, {{3, 3}}},
    };
    for (const Case& c : cases) {
        gReports = Reports{};
        Open(Noise);
        context.currentTool = c.tool;
        Stroke(c.path);
        EXPECT_FALSE(Changed(Layer()).empty()) << c.name;
        ExpectOneFinishedChange(c.name);
        EASEL_DestroyWindow();
        PYX_DeleteUndoChain(gChain);
        gChain = PYX_InitNewUndoChain();
    }
}

// The line shows only its outline while dragged and is drawn into the layer on release, as
// wide as the line size; a click without a drag draws nothing and records nothing.
TEST_F(PaintingTest, LineIsDrawnOnReleaseOnly)
{
    options.lineSize = 3;
    Open(Transparent);
    context.currentTool = kLineTool;
    EXPECT_EQ(BlackPixels(canvas), 0);
    Press(4, 10);
    Drag(20, 10);
    Drag(28, 10);
    EXPECT_EQ(Layer(), before) << "nothing drawn while dragging";
    EXPECT_GT(BlackPixels(canvas), 13 * 24) << "the outline shows, 2 pixels wide over 24 image pixels at zoom 13";
    EXPECT_EQ(gReports.undoEntries, 0) << "the line records its undo entry at its end";
    Release(28, 10);
    EXPECT_EQ(BlackPixels(canvas), 0) << "the outline goes on release";
    const Pixels layer = Layer();
    for (int x = 5; x < 28; x++) {
        EXPECT_EQ(At(layer, x, 10), kOpaqueRed) << x;
        EXPECT_EQ(At(layer, x, 9), kOpaqueRed) << x;
        EXPECT_EQ(At(layer, x, 11), kOpaqueRed) << x;
    }
    for (const POINT& p : Changed(layer))
        EXPECT_TRUE(p.y >= 8 && p.y <= 12 && p.x >= 3 && p.x <= 29) << p.x << "," << p.y;
    ExpectOneFinishedChange("line");

    Click(6, 20);
    EXPECT_EQ(gReports.undoEntries, 1) << "a click without a drag records nothing";
    EXPECT_EQ(gReports.changes, 1);
}

// A stroke whose capture is taken away ends as its button-up would: the document is marked
// modified, the change reported, the selection content refreshed, and the next press starts
// a new stroke with its own undo entry.
TEST_F(PaintingTest, LosingTheCaptureFinishesTheStroke)
{
    const struct Case {
        const char* name;
        int tool;
    } cases[] = {{"pen", kPenTool}, {"eraser", kEraserTool}, {"line", kLineTool}, {"blur", kBlurTool}};
    for (const Case& c : cases) {
        gReports = Reports{};
        Open(Noise);
        context.currentTool = c.tool;
        Press(5, 5);
        Drag(12, 5);
        Drag(20, 5);
        SetCapture(main);
        ReleaseCapture();
        EXPECT_EQ(gReports.changes, 1) << c.name;
        EXPECT_EQ(context.document->modified, 1u) << c.name;
        EXPECT_EQ(Content(), Layer()) << c.name << ": the selection content follows the layer";
        EXPECT_NE(Layer(), before) << c.name;
        Release(20, 5);
        EXPECT_EQ(gReports.changes, 1) << c.name << ": the late release ends nothing";
        Press(5, 20);
        Drag(20, 20);
        Release(20, 20);
        EXPECT_EQ(gReports.undoEntries, 2) << c.name;
        EXPECT_EQ(gReports.changes, 2) << c.name;
        EASEL_DestroyWindow();
    }
}

}  // namespace
