// The shape, gradient and text tools as a user drives them: real mouse messages on the canvas
// under Xvfb, a main window that records the reports, and the layers read back.
#include <windows.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "common/document_ops.h"
#include "common/gdiplus_pixels.h"
#include "common/messages.h"
#include "common/selection_state.h"
#include "core/pyx.h"
#include "editarea/easel.h"
#include "editarea/shapes/vector_render.h"
#include "harness/test_bitmaps.h"
#include "harness/test_files.h"
#include "panels/toolbox/toolrack.h"

#include "easel_host.h"

namespace {

constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kBlue = 0xFF0000FFu;
constexpr uint32_t kGreen = 0xFF00FF00u;

bool Inside(int x, int y, int left, int top, int right, int bottom)  // inclusive
{
    return x >= left && x <= right && y >= top && y <= bottom;
}

// The points and point types of a path.
struct PathData {
    std::vector<Gdiplus::PointF> points;
    std::vector<BYTE> types;
};

PathData ReadPath(const Gdiplus::GraphicsPath& path)
{
    PathData data;
    const int count = path.GetPointCount();
    data.points.resize(size_t(count));
    data.types.resize(size_t(count));
    if (count > 0) {
        path.GetPathPoints(data.points.data(), count);
        path.GetPathTypes(data.types.data(), count);
    }
    return data;
}

// Public: the table-driven cases act on it through plain functions.
class ShapeToolsTest : public ImageToolTest {
public:
    void SetUp() override
    {
        ImageToolTest::SetUp();
        UseToolSettings();
        brush.primaryColor = kRed;
        brush.secondaryColor = kBlue;
        brush.gradientKind = 1;
        brush.blendFactor = 50;
        brush.blendPosition = 50;
        options.ellipseSize = options.rectangleSize = options.polygonSize = options.customShapeSize = 1;
        options.hollowTextSize = 1;
        options.rectangleRadiusX = options.rectangleRadiusY = 1;
        options.filledRectangleRadiusX = options.filledRectangleRadiusY = 1;
        options.text = text;
        options.textFont = new Gdiplus::Font(L"Liberation Sans", 12, Gdiplus::FontStyleRegular, Gdiplus::UnitPoint);
    }

    void TearDown() override
    {
        ImageToolTest::TearDown();
        delete options.textFont;
    }

    // A 32 x 32 image with `layers` transparent raster layers, the bottom one current.
    void Open(int layers = 1, int bitsPerPixel = 32)
    {
        image = PYX_CreateImage(kSize, kSize);
        image->bitsPerPixel = uint8_t(bitsPerPixel);
        for (int i = 1; i < layers; i++)
            ASSERT_TRUE(InsertLayer(image, i, PYX_CreateRasterLayer(kSize, kSize), true));
        PlaceImage(image);
        ResetSelection(image);
        CreateArea();
    }

    void DoubleClick(int x, int y)
    {
        SendMessageW(canvas, WM_LBUTTONDBLCLK, MK_LBUTTON, At(x, y));
        Release(x, y);
    }
    void DragShape(int tool, int x0, int y0, int x1, int y1)
    {
        context.currentTool = tool;
        Press(x0, y0);
        Drag((x0 + x1) / 2, (y0 + y1) / 2);
        Drag(x1, y1);
        Release(x1, y1);
    }
    // Clicks through the points and ends with a double click at the last one.
    void ClickShape(int tool, const std::vector<POINT>& points)
    {
        context.currentTool = tool;
        for (const POINT& p : points) {
            Drag(p.x, p.y);
            Click(p.x, p.y);
        }
        DoubleClick(points.back().x, points.back().y);
    }

    Layer* LayerNumber(int index) const { return LayerAt(image, index); }
    wchar_t text[kToolOptionsTextUnits]{};
};

// Dragged into the raster layer without smoothing: exactly the pixels of the dragged
// rectangle, the one-pixel outline on its border and not beyond it.
TEST_F(ShapeToolsTest, DraggedRectanglesColorExactlyTheirPixels)
{
    const struct Case {
        const char* name;
        int tool;
        POINT from, to;
        bool ring;
    } cases[] = {
        {"hollow, size 1", kRectangleTool, {2, 2}, {5, 5}, true},
        {"hollow, dragged backwards", kRectangleTool, {5, 5}, {2, 2}, true},
        {"filled", kFilledRectangleTool, {2, 2}, {5, 5}, false},
    };
    for (const Case& c : cases) {
        Open();
        DragShape(c.tool, c.from.x, c.from.y, c.to.x, c.to.y);
        const Pixels pixels = ReadPixels(image->firstLayer->bitmap);
        for (int y = 0; y < kSize; y++)
            for (int x = 0; x < kSize; x++) {
                const bool colored = Inside(x, y, 2, 2, 5, 5) && !(c.ring && Inside(x, y, 3, 3, 4, 4));
                ASSERT_EQ(At(pixels, x, y), colored ? kRed : 0u) << c.name << " at " << x << "," << y;
            }
        EXPECT_EQ(gReports.undoEntries, 1) << c.name;
        EXPECT_EQ(gReports.changes, 1) << c.name;
        EXPECT_EQ(gReports.layersAdded, 0) << c.name;
        EXPECT_EQ(context.document->modified, 1u) << c.name;
        EXPECT_EQ(image->layerCount, 1) << c.name;
        EASEL_DestroyWindow();
        gReports = Reports{};
    }
}

// The drawing stays inside the selection.
TEST_F(ShapeToolsTest, RasterShapesAreClippedToTheSelection)
{
    Open();
    Select(CreateRectRgn(0, 0, 4, 32));
    DragShape(kFilledRectangleTool, 2, 2, 7, 7);
    const Pixels pixels = ReadPixels(image->firstLayer->bitmap);
    for (int y = 0; y < kSize; y++)
        for (int x = 0; x < kSize; x++)
            ASSERT_EQ(At(pixels, x, y), Inside(x, y, 2, 2, 3, 7) ? kRed : 0u) << x << "," << y;
}

// Corner radii are at most the half sizes: on a 10 x 10 square radius 100 makes radius 5,
// a circle about (5, 5); radius 3 is kept and is no circle.
TEST_F(ShapeToolsTest, CornerRadiiAreClampedToTheHalfSizes)
{
    const struct Case {
        int radius;
        bool circle;
    } cases[] = {{100, true}, {3, false}};
    for (const Case& c : cases) {
        Open();
        options.filledRectangleRounded = 1;
        options.filledRectangleVectorLayer = 1;
        options.filledRectangleRadiusX = options.filledRectangleRadiusY = c.radius;
        DragShape(kFilledRectangleTool, 0, 0, 9, 9);
        ASSERT_EQ(image->layerCount, 2);
        Layer* layer = LayerNumber(1);
        ASSERT_NE(layer->path, nullptr);
        Gdiplus::GraphicsPath* flat = layer->path->Clone();
        flat->Flatten(nullptr, 0.1f);
        double worst = 0;
        for (const Gdiplus::PointF& p : ReadPath(*flat).points)
            worst = std::max(worst, std::fabs(std::hypot(p.X - 5.0, p.Y - 5.0) - 5.0));
        delete flat;
        if (c.circle)
            EXPECT_LT(worst, 0.25) << "radius " << c.radius;
        else
            EXPECT_GT(worst, 0.5) << "radius " << c.radius;
        Gdiplus::RectF bounds;
        layer->path->GetBounds(&bounds);
        EXPECT_NEAR(bounds.X, 0, 0.1);
        EXPECT_NEAR(bounds.Width, 10, 0.1);
        EASEL_DestroyWindow();
    }
}

// With the Vector Layer option and 20 layers the shapes and texts do nothing, Apply
// included; without the option a shape still draws into the layer; at 19 layers Apply adds
// the twentieth.
TEST_F(ShapeToolsTest, TwentyLayersBlockEveryNewLayer)
{
    const struct Case {
        const char* name;
        int layers;
        int vectorOption;
        void (*act)(ShapeToolsTest&);
        int undoEntries;
        int layersAfter;
    } cases[] = {
        {"ellipse", 20, 1, [](ShapeToolsTest& t) { t.DragShape(kEllipseTool, 2, 2, 9, 9); }, 0, 20},
        {"polygon", 20, 1, [](ShapeToolsTest& t) { t.ClickShape(kFilledPolygonTool, {{2, 2}, {9, 2}, {5, 9}}); }, 0, 20},
        {"custom shape", 20, 1, [](ShapeToolsTest& t) { t.ClickShape(kCustomShapeTool, {{2, 2}, {9, 2}}); }, 0, 20},
        {"text click", 20, 1,
         [](ShapeToolsTest& t) {
             t.context.currentTool = kFilledTextTool;
             t.Click(3, 3);
         },
         0, 20},
        {"text Apply", 20, 1,
         [](ShapeToolsTest& t) {
             t.context.currentTool = kHollowTextTool;
             SendMessageW(t.frame, kTextApply, 0, 0);
         },
         0, 20},
        {"rectangle into the layer", 20, 0, [](ShapeToolsTest& t) { t.DragShape(kRectangleTool, 2, 2, 9, 9); }, 1, 20},
        {"text Apply at 19 layers", 19, 1,
         [](ShapeToolsTest& t) {
             t.context.currentTool = kFilledTextTool;
             SendMessageW(t.frame, kTextApply, 0, 0);
         },
         1, 20},
    };
    for (const Case& c : cases) {
        Open(c.layers);
        options.ellipseVectorLayer = options.filledPolygonVectorLayer = options.customShapeVectorLayer = c.vectorOption;
        options.rectangleVectorLayer = c.vectorOption;
        wcscpy(text, L"Hi");
        c.act(*this);
        EXPECT_EQ(gReports.undoEntries, c.undoEntries) << c.name;
        EXPECT_EQ(image->layerCount, c.layersAfter) << c.name;
        EXPECT_EQ(GetCapture(), nullptr) << c.name;
        EASEL_DestroyWindow();
        gReports = Reports{};
    }
}

// 150 clicks keep 100 control points: the first 99 and the last click, which replaced the
// others one after another. The curve passes through them in order and is closed.
TEST_F(ShapeToolsTest, CustomShapeKeepsAtMostOneHundredPoints)
{
    Open();
    options.customShapeVectorLayer = 1;
    std::vector<POINT> clicks;
    for (int i = 0; i < 150; i++)
        clicks.push_back({(i * 7) % 30 + 1, (i * 11) % 29 + 1});
    ClickShape(kCustomShapeTool, clicks);
    ASSERT_EQ(image->layerCount, 2);
    const PathData path = ReadPath(*LayerNumber(1)->path);
    // A closed curve through n points: the start and three points per segment.
    ASSERT_EQ(path.points.size(), size_t(3 * 100 + 1));
    for (int k = 0; k < 100; k++) {
        const POINT expected = k < 99 ? clicks[size_t(k)] : clicks.back();
        EXPECT_NEAR(path.points[size_t(3 * k)].X, expected.x, 0.01) << "point " << k;
        EXPECT_NEAR(path.points[size_t(3 * k)].Y, expected.y, 0.01) << "point " << k;
    }
    EXPECT_TRUE(path.types.back() & Gdiplus::PathPointTypeCloseSubpath);
}

// Two points make a closed loop through both: the outline reaches both pixels.
TEST_F(ShapeToolsTest, TwoPointCustomShapeIsAClosedLoop)
{
    Open();
    options.customShapeVectorLayer = 1;
    ClickShape(kCustomShapeTool, {{3, 4}, {20, 12}});
    ASSERT_EQ(image->layerCount, 2);
    Layer* layer = LayerNumber(1);
    EXPECT_EQ(layer->type, kOutlinedVectorLayer);
    EXPECT_EQ(layer->shapeKind, kCustomShape);
    const PathData path = ReadPath(*layer->path);
    ASSERT_FALSE(path.points.empty());
    EXPECT_TRUE(path.types.back() & Gdiplus::PathPointTypeCloseSubpath);
    EXPECT_NEAR(path.points.front().X, 3, 0.01);
    EXPECT_NEAR(path.points.front().Y, 4, 0.01);
    const Pixels pixels = ReadPixels(layer->bitmap);
    EXPECT_EQ(At(pixels, 3, 4), kRed);
    EXPECT_EQ(At(pixels, 20, 12), kRed);
    EXPECT_EQ(gReports.layersAdded, 1);
}

// The gradient is spread over the selection's box (1, 1, 5, 4), which the painting brush
// enlarges to (0, 0, 6, 5), even though "Use Gradient Brush" is off.
TEST_F(ShapeToolsTest, GradientSpansTheEnlargedSelectionBox)
{
    Open();
    Select(CreateRectRgn(1, 1, 5, 4));
    brush.useGradient = 0;
    context.currentTool = kGradientTool;
    Click(2, 2);
    // The expected fill, made here from the description: red to blue over (0, 0, 6, 5).
    Gdiplus::Bitmap* expected = NewArgbBitmap(kSize, kSize);
    {
        Gdiplus::LinearGradientBrush ramp(Gdiplus::Rect(0, 0, 6, 5), Gdiplus::Color(kRed), Gdiplus::Color(kBlue), 0.0f,
                                          FALSE);
        ramp.SetWrapMode(Gdiplus::WrapModeTile);
        ramp.SetGammaCorrection(TRUE);
        Gdiplus::Graphics graphics(expected);
        graphics.SetCompositingQuality(Gdiplus::CompositingQualityHighQuality);
        graphics.FillRectangle(&ramp, 1, 1, 4, 3);
    }
    const Pixels want = ReadPixels(expected);
    delete expected;
    const Pixels got = ReadPixels(image->firstLayer->bitmap);
    for (int y = 0; y < kSize; y++)
        for (int x = 0; x < kSize; x++) {
            const uint32_t a = At(got, x, y), b = At(want, x, y);
            for (int shift : {0, 8, 16, 24})
                ASSERT_NEAR(int((a >> shift) & 0xFF), int((b >> shift) & 0xFF), 3) << x << "," << y;
        }
    // Not solid: the ramp runs from red towards blue across the selection.
    EXPECT_GT((At(got, 1, 2) >> 16) & 0xFF, (At(got, 4, 2) >> 16) & 0xFF);
    EXPECT_EQ(gReports.undoEntries, 1);
    EXPECT_EQ(gReports.changes, 1);
}

// A vector layer drawn again keeps its own color after the primary color changed.
TEST_F(ShapeToolsTest, RenderedAgainAVectorLayerKeepsItsOwnColor)
{
    Open();
    options.filledRectangleVectorLayer = 1;
    DragShape(kFilledRectangleTool, 4, 4, 9, 9);
    ASSERT_EQ(image->layerCount, 2);
    Layer* layer = LayerNumber(1);
    EXPECT_EQ(layer->brush.primaryColor, kRed);
    EXPECT_EQ(layer->type, kFilledVectorLayer);
    EXPECT_EQ(layer->penWidth, 0.0f);
    brush.primaryColor = kGreen;
    Gdiplus::Matrix move(1, 0, 0, 1, 10, 0);
    layer->path->Transform(&move);
    ASSERT_TRUE(RenderVectorLayer(layer, kSize, kSize, 32));
    const Pixels pixels = ReadPixels(layer->bitmap);
    for (int y = 0; y < kSize; y++)
        for (int x = 0; x < kSize; x++)
            ASSERT_EQ(At(pixels, x, y), Inside(x, y, 14, 4, 19, 9) ? kRed : 0u) << x << "," << y;
}

// Each shape kind made a vector layer, saved in a project and read back: the same outlines,
// looks and pixels, and the read-back layers render the same pixels again.
TEST_F(ShapeToolsTest, VectorLayersSurviveAProjectRoundTrip)
{
    Open();
    options.ellipseVectorLayer = options.filledRectangleVectorLayer = options.polygonVectorLayer = 1;
    options.filledCustomShapeVectorLayer = 1;
    options.ellipseAntialiased = 1;
    options.ellipseSize = 3;
    brush.useGradient = 1;
    DragShape(kEllipseTool, 2, 2, 20, 14);
    brush.useGradient = 0;
    brush.primaryColor = 0x8000FF00u;
    DragShape(kFilledRectangleTool, 5, 5, 12, 25);
    ClickShape(kPolygonTool, {{1, 1}, {30, 3}, {16, 28}});
    ClickShape(kFilledCustomShapeTool, {{4, 20}, {12, 30}, {28, 22}});
    wcscpy(text, L"Ab");
    context.currentTool = kFilledTextTool;
    Click(2, 8);
    ASSERT_EQ(image->layerCount, 6);
    // Each new layer lands above the current (bottom) one: the newest is layer 1.
    const uint8_t kinds[] = {kTextShape, kCustomShape, kPolygonShape, kRectangleShape, kEllipseShape};
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(LayerNumber(i + 1)->shapeKind, kinds[i]) << "layer " << i + 1;
    EXPECT_EQ(LayerNumber(5)->type, kOutlinedVectorLayer);
    EXPECT_EQ(LayerNumber(5)->penWidth, 3.0f);
    EXPECT_EQ(LayerNumber(5)->smoothing, 1u);
    EXPECT_GT(ReadPath(*LayerNumber(1)->path).points.size(), 8u) << "the text has glyph outlines";

    const std::wstring file = TestPath(L"shapes.pyx");
    ASSERT_EQ(PYX_SaveProjectToFile(nullptr, file.c_str(), context.document), 1);
    Resource* loaded = PYX_LoadProjectFromFile(nullptr, file.c_str());
    ASSERT_NE(loaded, nullptr);
    const Image* back = loaded->firstImage;
    ASSERT_EQ(back->layerCount, 6);
    for (int i = 1; i < 6; i++) {
        const Layer* a = LayerNumber(i);
        Layer* b = LayerAt(back, i);
        EXPECT_EQ(b->type, a->type) << i;
        EXPECT_EQ(b->shapeKind, a->shapeKind) << i;
        EXPECT_EQ(std::memcmp(&b->brush, &a->brush, sizeof(BrushSettings)), 0) << i;
        EXPECT_EQ(b->penWidth, a->penWidth) << i;
        EXPECT_EQ(b->smoothing, a->smoothing) << i;
        const PathData pa = ReadPath(*a->path), pb = ReadPath(*b->path);
        ASSERT_EQ(pb.points.size(), pa.points.size()) << i;
        EXPECT_EQ(pb.types, pa.types) << i;
        for (size_t k = 0; k < pa.points.size(); k++) {
            EXPECT_EQ(pb.points[k].X, pa.points[k].X) << i;
            EXPECT_EQ(pb.points[k].Y, pa.points[k].Y) << i;
        }
        const Pixels drawn = ReadPixels(a->bitmap);
        EXPECT_EQ(ReadPixels(b->bitmap), drawn) << "layer " << i << " read back";
        ASSERT_TRUE(RenderVectorLayer(b, kSize, kSize, back->bitsPerPixel)) << i;
        EXPECT_EQ(ReadPixels(b->bitmap), drawn) << "layer " << i << " rendered again";
    }
    PYX_DoCleanupInternalResource(loaded);
}

// A polygon holds the capture from its first click to the double click and draws only then;
// a double click with no polygon in progress does nothing.
TEST_F(ShapeToolsTest, PolygonHoldsTheCaptureUntilTheDoubleClick)
{
    Open();
    context.currentTool = kFilledPolygonTool;
    DoubleClick(5, 5);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(gReports.undoEntries, 0);
    for (POINT p : std::vector<POINT>{{2, 2}, {20, 2}, {2, 20}}) {
        Click(p.x, p.y);
        EXPECT_EQ(GetCapture(), canvas) << p.x << "," << p.y;
        EXPECT_EQ(gReports.undoEntries, 0);
    }
    DoubleClick(2, 20);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(gReports.undoEntries, 1);
    EXPECT_EQ(gReports.changes, 1);
    const Pixels pixels = ReadPixels(image->firstLayer->bitmap);
    EXPECT_EQ(At(pixels, 5, 5), kRed);
    EXPECT_EQ(At(pixels, 18, 18), 0u);
}

// An empty text makes an empty layer: transparent, but a layer.
TEST_F(ShapeToolsTest, EmptyTextMakesAnEmptyLayer)
{
    Open();
    context.currentTool = kHollowTextTool;
    SendMessageW(frame, kTextApply, 0, 0);
    ASSERT_EQ(image->layerCount, 2);
    Layer* layer = LayerNumber(1);
    EXPECT_EQ(layer->shapeKind, kTextShape);
    EXPECT_EQ(layer->type, kOutlinedVectorLayer);
    for (uint32_t pixel : ReadPixels(layer->bitmap))
        ASSERT_EQ(pixel, 0u);
    EXPECT_EQ(gReports.layersAdded, 1);
}

}  // namespace
