// Flips, rotations and scaling as a user drives them: the main window's messages, the strip's
// real buttons and trackbars under Xvfb, and the layer and selection read back.
#include <windows.h>
#include <commctrl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <vector>

#include "common/gdiplus_pixels.h"
#include "common/message_box_recorder.h"
#include "common/messages.h"
#include "common/selection_state.h"
#include "core/pyx.h"
#include "editarea/easel.h"
#include "harness/expect_boxes.h"
#include "harness/test_bitmaps.h"
#include "shapes/vector_render.h"

#include "easel_host.h"

namespace {

uint32_t Opaque(uint32_t rgb)
{
    return 0xFF000000u | rgb;
}

class TransformTest : public EaselHostTest {
protected:
    // A width x height image of the given depth whose layer and composite hold fn's pixels,
    // with nothing selected, in a 700 x 500 editing area.
    void Open(int width, int height, const PixelFunction& fn, int bitsPerPixel = 32)
    {
        image = PYX_CreateImage(uint16_t(width), uint16_t(height));
        image->bitsPerPixel = uint8_t(bitsPerPixel);
        PaintPixels(image->firstLayer->bitmap, fn);
        PaintPixels(image->composite, fn);
        PlaceImage(image);
        frame = nullptr;
        Select(0, 0, width, height);
        CreateArea();
    }

    // A rectangle selection as the rectangle tool leaves it: the layer's block, unmasked.
    void Select(int left, int top, int width, int height)
    {
        ResetSelection(nullptr);
        selection.region = CreateRectRgn(left, top, left + width, top + height);
        selection.content = MakeBitmap(width, height, [&](int x, int y) {
            Gdiplus::Color color;
            image->firstLayer->bitmap->GetPixel(left + x, top + y, &color);
            return uint32_t(color.GetValue());
        });
        selection.left = left;
        selection.top = top;
        selection.width = width;
        selection.height = height;
        if (frame)
            SendMessageW(frame, kEditAreaSelectionChanged, 0, 0);
    }

    HWND Control(int id) const { return GetDlgItem(strip, id); }
    bool Shown(int id) const { return IsWindowVisible(Control(id)) != FALSE; }

    // What a trackbar tells its parent while the thumb is dragged, then when it is let go.
    void DragThumb(int barId, int position)
    {
        HWND bar = Control(barId);
        SendMessageW(bar, TBM_SETPOS, TRUE, position);
        SendMessageW(strip, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, WORD(position)), LPARAM(bar));
    }
    void LetGo(int barId) { SendMessageW(strip, WM_HSCROLL, TB_ENDTRACK, LPARAM(Control(barId))); }
    void Click(int id) { SendMessageW(Control(id), BM_CLICK, 0, 0); }

    Pixels Layer() const { return ReadPixels(image->firstLayer->bitmap); }
    uint32_t LayerAt(int x, int y) const { return Layer()[size_t(y) * image->width + x]; }

    Image* image = nullptr;
};

constexpr int kApply = 1002;
constexpr int kCancel = 1003;
constexpr int kAngle = 1004;
constexpr int kWidth = 1005;
constexpr int kHeight = 1006;
constexpr int kShowGrid = 1001;

// p1 p2 p3 / p4 p5 p6 at (5, 7) of a transparent 32 x 32 layer.
const uint32_t kP[6] = {Opaque(0x110000), Opaque(0x220000), Opaque(0x330000),
                        Opaque(0x004400), Opaque(0x005500), Opaque(0x006600)};

uint32_t ThreeByTwo(int x, int y)
{
    const int i = x - 5, j = y - 7;
    return (i >= 0 && i < 3 && j >= 0 && j < 2) ? kP[j * 3 + i] : 0;
}

TEST_F(TransformTest, FlipsMirrorTheContentAboutItsOwnCentre)
{
    struct Case {
        unsigned message;
        uint32_t expected[6];
    } cases[] = {
        {kEditAreaFlipHorizontal, {kP[2], kP[1], kP[0], kP[5], kP[4], kP[3]}},
        {kEditAreaFlipVertical, {kP[3], kP[4], kP[5], kP[0], kP[1], kP[2]}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message - kAppMessageBase);
        Open(32, 32, ThreeByTwo);
        Select(5, 7, 3, 2);
        gReports = Reports{};
        SendMessageW(frame, c.message, 0, 0);
        for (int j = 0; j < 2; j++)
            for (int i = 0; i < 3; i++)
                EXPECT_EQ(LayerAt(5 + i, 7 + j), c.expected[j * 3 + i]) << i << "," << j;
        int opaque = 0;
        for (uint32_t pixel : Layer())
            opaque += pixel != 0;
        EXPECT_EQ(opaque, 6) << "nothing else on the layer changes";
        EXPECT_EQ(selection.left, 5);
        EXPECT_EQ(selection.top, 7);
        EXPECT_EQ(gReports.undoEntries, 1);
        EXPECT_EQ(gReports.changes, 1);
        EXPECT_EQ(context.document->modified, 1u);
        EASEL_DestroyWindow();
    }
}

// A 10 x 4 opaque block at (10, 14), its top-left pixel red: centre (15, 16).
uint32_t TenByFour(int x, int y)
{
    if (x < 10 || x >= 20 || y < 14 || y >= 18)
        return 0;
    return (x == 10 && y == 14) ? Opaque(0xFF0000) : Opaque(0x0000FF);
}

TEST_F(TransformTest, FixedRotationsTurnTheContentAboutItsCentre)
{
    struct Case {
        unsigned message;
        int width, height;    // after the final crop
        int cornerX, cornerY;  // where the source's top-left pixel lands in the content
    } cases[] = {
        {kEditAreaRotateCW, 4, 10, 3, 0},
        {kEditAreaRotateCCW, 4, 10, 0, 9},
        {kEditAreaRotate180, 10, 4, 9, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message - kAppMessageBase);
        Open(32, 32, TenByFour);
        Select(10, 14, 10, 4);
        gReports = Reports{};
        SendMessageW(frame, c.message, 0, 0);
        ASSERT_EQ(selection.width, c.width);
        ASSERT_EQ(selection.height, c.height);
        EXPECT_LE(std::abs(2 * selection.left + c.width - 30), 2) << "centre x within one pixel of 15";
        EXPECT_LE(std::abs(2 * selection.top + c.height - 32), 2) << "centre y within one pixel of 16";
        int opaque = 0;
        for (uint32_t pixel : Layer())
            opaque += (pixel >> 24) == 255;
        EXPECT_EQ(opaque, 40);
        EXPECT_EQ(LayerAt(selection.left + c.cornerX, selection.top + c.cornerY), Opaque(0xFF0000));
        EXPECT_EQ(gReports.undoEntries, 1);
        EXPECT_EQ(gReports.changes, 1);
        EASEL_DestroyWindow();
    }
}

// Three colors, one of them transparent, in a 12 x 8 patch.
uint32_t ThreeColors(int x, int y)
{
    if (x < 8 || x >= 20 || y < 10 || y >= 18)
        return 0;
    static const uint32_t colors[3] = {Opaque(0xC02020), Opaque(0x20C020), 0};
    return colors[(x * 7 + y * 3) % 3];
}

TEST_F(TransformTest, RotationOnEightBitsSamplesNearestNeighbour)
{
    Open(32, 32, ThreeColors, 8);
    SendMessageW(frame, kEditAreaCustomRotate, 0, 0);
    for (int angle : {30, -57, 133}) {
        DragThumb(kAngle, angle);
        LetGo(kAngle);
        for (uint32_t pixel : Layer()) {
            ASSERT_TRUE(pixel == 0 || pixel == Opaque(0xC02020) || pixel == Opaque(0x20C020))
                << "angle " << angle << ": new color or partial alpha " << std::hex << pixel;
        }
    }
    Click(kApply);
    const Pixels applied = Layer();
    EXPECT_EQ(std::set<uint32_t>(applied.begin(), applied.end()).size(), 3u);
}

TEST_F(TransformTest, ScaleBarsRangeOverTheContentOrAtLeast256)
{
    struct Case {
        int width, height;
        int widthMax, heightMax;
    } cases[] = {{300, 20, 300, 256}, {16, 16, 256, 256}, {20, 300, 256, 300}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        Open(c.width, c.height, [](int, int) { return Opaque(0x808080); });
        SendMessageW(frame, kEditAreaScale, 0, 0);
        EXPECT_EQ(SendMessageW(Control(kWidth), TBM_GETRANGEMIN, 0, 0), 1);
        EXPECT_EQ(SendMessageW(Control(kWidth), TBM_GETRANGEMAX, 0, 0), c.widthMax);
        EXPECT_EQ(SendMessageW(Control(kWidth), TBM_GETPOS, 0, 0), c.width);
        EXPECT_EQ(SendMessageW(Control(kHeight), TBM_GETRANGEMIN, 0, 0), 1);
        EXPECT_EQ(SendMessageW(Control(kHeight), TBM_GETRANGEMAX, 0, 0), c.heightMax);
        EXPECT_EQ(SendMessageW(Control(kHeight), TBM_GETPOS, 0, 0), c.height);
        EXPECT_TRUE(Shown(kWidth) && Shown(kHeight) && Shown(kApply) && Shown(kCancel));
        EXPECT_FALSE(Shown(kAngle) || Shown(kShowGrid));
        Click(kCancel);
        EASEL_DestroyWindow();
    }
}

TEST_F(TransformTest, ScaleKeepsTheTopLeftCornerAndApplies)
{
    Open(32, 32, [](int x, int y) { return (x >= 4 && x < 12 && y >= 6 && y < 10) ? Opaque(0x3060C0) : 0; });
    SendMessageW(frame, kEditAreaScale, 0, 0);
    DragThumb(kWidth, 16);
    DragThumb(kHeight, 2);
    LetGo(kHeight);
    Click(kApply);
    PumpMessages();
    EXPECT_EQ(selection.left, 4);
    EXPECT_EQ(selection.top, 6);
    EXPECT_EQ(selection.width, 16);
    EXPECT_EQ(selection.height, 2);
    int opaque = 0;
    for (int y = 0; y < 32; y++)
        for (int x = 0; x < 32; x++)
            opaque += (LayerAt(x, y) >> 24) != 0;
    EXPECT_EQ(opaque, 32) << "a 16 x 2 block";
    EXPECT_EQ(LayerAt(19, 7) >> 24, 255u);
    EXPECT_EQ(gReports.undoEntries, 1);
    EXPECT_EQ(gReports.changes, 1);
    EXPECT_EQ(gReports.ended, 1);
    EXPECT_FALSE(Shown(kApply) || Shown(kWidth) || Shown(kHeight));
    EXPECT_TRUE(Shown(kShowGrid));
}

uint32_t HalfTransparentNoise(int x, int y)
{
    if (x < 6 || x >= 22 || y < 9 || y >= 20)
        return 0;
    return NoiseColor(x, y, uint32_t(40 + (x * 13 + y * 7) % 216));
}

// Several steps, then Cancel: the layer, the composite and the selection exactly as before.
TEST_F(TransformTest, CancelAfterSeveralStepsRestoresEverything)
{
    struct Case {
        unsigned opening;
        int bar;
        std::vector<int> steps;
    } cases[] = {
        {kEditAreaCustomRotate, kAngle, {10, 45, -120, 179}},
        {kEditAreaScale, kWidth, {3, 40, 200}},
        {kEditAreaScale, kHeight, {1, 77}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bar);
        Open(32, 32, HalfTransparentNoise);
        Select(4, 5, 20, 17);  // takes in transparent pixels around the patch
        const Pixels layer = Layer();
        const Pixels composite = ReadPixels(image->composite);
        const Pixels content = ReadPixels(selection.content);
        gReports = Reports{};
        SendMessageW(frame, c.opening, 0, 0);
        for (int step : c.steps) {
            DragThumb(c.bar, step);
            LetGo(c.bar);
        }
        EXPECT_NE(Layer(), layer) << "the preview changed the layer";
        Click(kCancel);
        PumpMessages();
        EXPECT_EQ(Layer(), layer);
        EXPECT_EQ(ReadPixels(image->composite), composite);
        EXPECT_EQ(ReadPixels(selection.content), content);
        EXPECT_EQ(selection.left, 4);
        EXPECT_EQ(selection.top, 5);
        EXPECT_EQ(selection.width, 20);
        EXPECT_EQ(selection.height, 17);
        HRGN expected = CreateRectRgn(4, 5, 24, 22);
        EXPECT_TRUE(EqualRgn(selection.region, expected));
        DeleteObject(expected);
        EXPECT_EQ(gReports.undoEntries, 1) << "one undo entry for the whole transformation";
        EXPECT_EQ(gReports.changes, 0);
        EXPECT_EQ(gReports.ended, 1);
        EXPECT_TRUE(Shown(kShowGrid));
        EXPECT_FALSE(Shown(kCancel) || Shown(c.bar));
        EASEL_DestroyWindow();
    }
}

// The trackbar itself, driven from the keyboard, tells the strip; each key's release is
// the final step of that change.
TEST_F(TransformTest, AngleBarKeysPreviewAndApply)
{
    Open(32, 32, TenByFour);
    Select(10, 14, 10, 4);
    SendMessageW(frame, kEditAreaCustomRotate, 0, 0);
    HWND bar = Control(kAngle);
    EXPECT_EQ(SendMessageW(bar, TBM_GETRANGEMIN, 0, 0), -180);
    EXPECT_EQ(SendMessageW(bar, TBM_GETRANGEMAX, 0, 0), 180);
    EXPECT_EQ(SendMessageW(bar, TBM_GETPOS, 0, 0), 0);
    SendMessageW(bar, TBM_SETPAGESIZE, 0, 90);
    SendMessageW(bar, WM_KEYDOWN, VK_NEXT, 0);
    SendMessageW(bar, WM_KEYUP, VK_NEXT, 0);
    ASSERT_EQ(SendMessageW(bar, TBM_GETPOS, 0, 0), 90);
    Click(kApply);
    PumpMessages();
    EXPECT_EQ(selection.width, 4);
    EXPECT_EQ(selection.height, 10);
    EXPECT_EQ(LayerAt(selection.left + 3, selection.top), Opaque(0xFF0000)) << "turned clockwise";
    EXPECT_EQ(gReports.ended, 1);
    EXPECT_EQ(gReports.changes, 1);
    EXPECT_EQ(context.document->modified, 1u);
}

TEST_F(TransformTest, BlankContentIsRefusedWithABoxAndNoUndoEntry)
{
    struct Case {
        unsigned message;
        const wchar_t* text;
        int ended;  // the openings still end the main window's wait
    } cases[] = {
        {kEditAreaFlipHorizontal, L"You can not flip a blank area.", 0},
        {kEditAreaFlipVertical, L"You can not flip a blank area.", 0},
        {kEditAreaRotateCW, L"You can not rotate or scale a blank area.", 0},
        {kEditAreaRotateCCW, L"You can not rotate or scale a blank area.", 0},
        {kEditAreaRotate180, L"You can not rotate or scale a blank area.", 0},
        {kEditAreaCustomRotate, L"You can not rotate or scale a blank area.", 1},
        {kEditAreaScale, L"You can not rotate or scale a blank area.", 1},
    };
    // Transparent white, as Clear All leaves it: blank whatever the color bytes say.
    Open(32, 32, [](int, int) { return 0x00FFFFFFu; });
    const Pixels layer = Layer();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message - kAppMessageBase);
        gReports = Reports{};
        MessageBoxRecorder recorder;
        SendMessageW(frame, c.message, 0, 0);
        PumpMessages();
        ExpectOneBox(recorder, c.text, L"Transform Error");
        EXPECT_EQ(gReports.undoEntries, 0);
        EXPECT_EQ(gReports.changes, 0);
        EXPECT_EQ(gReports.ended, c.ended);
        EXPECT_EQ(Layer(), layer);
        EXPECT_FALSE(Shown(kApply));
        EXPECT_TRUE(Shown(kShowGrid));
    }
    EXPECT_EQ(context.document->modified, 0u);
}

// A filled red 5 x 3 rectangle at (4, 6) on a vector layer, the image's only layer.
class VectorTransformTest : public TransformTest {
protected:
    void OpenVector()
    {
        Open(32, 32, [](int, int) { return 0u; });
        EASEL_DestroyWindow();
        auto* path = new Gdiplus::GraphicsPath();
        path->AddRectangle(Gdiplus::Rect(4, 6, 5, 3));
        ::Layer* layer = PYX_CreateVectorLayer(MakeBitmap(32, 32, [](int, int) { return 0u; }), path, 0);
        ASSERT_NE(layer, nullptr);
        layer->type = kFilledVectorLayer;
        layer->brush.primaryColor = kRed;
        layer->penWidth = 0;
        layer->smoothing = 0;
        ASSERT_TRUE(RenderVectorLayer(layer, 32, 32, 32));
        PYX_DeleteLayer(image->firstLayer);
        image->firstLayer = layer;
        Select(0, 0, 32, 32);
        frame = EASEL_CreateWindow(main, 10, 10, 700, 500, &context);
        ASSERT_NE(frame, nullptr);
        strip = FindWindowExW(frame, nullptr, L"VxCtrlsArea", nullptr);
        before = Layer();
    }

    Gdiplus::RectF PathBounds() const
    {
        Gdiplus::RectF bounds;
        image->firstLayer->path->GetBounds(&bounds);
        return bounds;
    }

    static constexpr uint32_t kRed = 0xFFFF0000u;
    Pixels before;
};

// 200 % doubles the shape and its distance from the image's top-left corner.
TEST_F(VectorTransformTest, ScaleOfAVectorLayerScalesItsPathAboutTheOrigin)
{
    OpenVector();
    SendMessageW(frame, kEditAreaScale, 0, 0);
    for (int id : {kWidth, kHeight}) {
        EXPECT_EQ(SendMessageW(Control(id), TBM_GETRANGEMIN, 0, 0), 25);
        EXPECT_EQ(SendMessageW(Control(id), TBM_GETRANGEMAX, 0, 0), 400);
        EXPECT_EQ(SendMessageW(Control(id), TBM_GETPOS, 0, 0), 100);
    }
    DragThumb(kWidth, 200);
    DragThumb(kHeight, 200);
    LetGo(kHeight);
    const Pixels scaled = Layer();
    for (int y = 0; y < 32; y++)
        for (int x = 0; x < 32; x++) {
            const bool inside = x >= 8 && x < 18 && y >= 12 && y < 18;
            ASSERT_EQ(scaled[size_t(y) * 32 + x], inside ? kRed : 0u) << x << "," << y;
        }
    Click(kApply);
    PumpMessages();
    EXPECT_EQ(ReadPixels(selection.content), scaled) << "the selection is the whole layer again";
    EXPECT_EQ(selection.left, 0);
    EXPECT_EQ(selection.width, 32);
    HRGN whole = CreateRectRgn(0, 0, 32, 32);
    EXPECT_TRUE(EqualRgn(selection.region, whole));
    DeleteObject(whole);
    EXPECT_EQ(gReports.undoEntries, 1);
    EXPECT_EQ(gReports.changes, 1);
    EXPECT_EQ(gReports.ended, 1);
}

TEST_F(VectorTransformTest, RotationTurnsThePathAboutItsMiddleAndCancelPutsItBack)
{
    OpenVector();
    SendMessageW(frame, kEditAreaCustomRotate, 0, 0);
    DragThumb(kAngle, 90);
    LetGo(kAngle);
    const Gdiplus::RectF turned = PathBounds();
    EXPECT_NEAR(turned.X, 5.0, 1e-3);
    EXPECT_NEAR(turned.Y, 5.0, 1e-3);
    EXPECT_NEAR(turned.Width, 3.0, 1e-3);
    EXPECT_NEAR(turned.Height, 5.0, 1e-3);
    EXPECT_NE(Layer(), before);
    DragThumb(kAngle, -33);
    Click(kCancel);
    PumpMessages();
    const Gdiplus::RectF back = PathBounds();
    EXPECT_NEAR(back.X, 4.0, 1e-3);
    EXPECT_NEAR(back.Y, 6.0, 1e-3);
    EXPECT_NEAR(back.Width, 5.0, 1e-3);
    EXPECT_NEAR(back.Height, 3.0, 1e-3);
    EXPECT_EQ(Layer(), before);
    EXPECT_EQ(gReports.ended, 1);
    EXPECT_EQ(gReports.changes, 0);
}

}  // namespace
