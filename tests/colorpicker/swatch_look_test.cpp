// The panel really paints under Xvfb: the pixels its layout fixes.
#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "colorpicker/swatch_fixture.h"
#include "common/panel_colors.h"

namespace {

int Red(uint32_t pixel) { return (pixel >> 16) & 255; }
int Green(uint32_t pixel) { return (pixel >> 8) & 255; }
int Blue(uint32_t pixel) { return pixel & 255; }
int Brightness(uint32_t pixel) { return Red(pixel) + Green(pixel) + Blue(pixel); }

uint32_t Rgb(COLORREF color) { return uint32_t(GetRValue(color)) << 16 | GetGValue(color) << 8 | GetBValue(color); }

// The largest brightness difference along a line of the preview square's inside.
int Spread(const Capture& capture, bool alongRow, int fixed)
{
    int low = 3 * 255, high = 0;
    for (int i = 137; i <= 183; ++i) {
        const uint32_t pixel = alongRow ? capture.at(i, fixed) : capture.at(fixed, i - 5);
        low = std::min(low, Brightness(pixel));
        high = std::max(high, Brightness(pixel));
    }
    return high - low;
}

}  // namespace

TEST_F(SwatchTest, PaintsFrameSwatchesStripAndPreview)
{
    const PanelColors colors = LoadPanelColors();
    const Capture capture = CaptureWindow(panel);
    ASSERT_EQ(capture.width, 200);
    ASSERT_EQ(capture.height, 325);
    const struct {
        int x, y;
        uint32_t color;
        const char* what;
    } pixels[] = {
        {0, 0, Rgb(colors.frame), "outside the rounded panel"},
        {199, 324, Rgb(colors.frame), "outside the rounded panel"},
        {100, 318, Rgb(colors.face), "panel face"},
        {100, 322, 0x000000, "panel outline"},
        {20, 38, 0x000000, "primary fill"},
        {36, 60, 0xFFFFFF, "secondary fill"},
        {12, 30, 0x000000, "primary outline"},
        {10, 28, 0x000000, "selected primary, outer outline"},
        {185, 90, 0xFFFFFF, "palette strip, gray ramp top"},
        {185, 109, 0x000000, "palette strip, gray ramp bottom"},
        {10, 99, 0xFF0B0B, "palette strip, red column"},
        {134, 129, 0x000000, "preview outline"},
        {187, 182, 0x000000, "preview outline"},
    };
    for (const auto& p : pixels)
        EXPECT_EQ(capture.at(p.x, p.y), p.color) << p.what << " at " << p.x << ", " << p.y;
}

TEST_F(SwatchTest, RepaintsTheSelectedSwatchAndItsOutline)
{
    SetSelColor(0xFF123456);
    Click(36, 60);  // select the secondary
    const Capture capture = CaptureWindow(panel);
    EXPECT_EQ(capture.at(20, 38), 0x123456u);
    EXPECT_EQ(capture.at(42, 60), 0x000000u) << "selected secondary, outer outline";
    EXPECT_NE(capture.at(10, 28), 0x000000u) << "the primary is no longer outlined";
}

TEST_F(SwatchTest, PreviewRunsAlongTheAngleOfThePoint)
{
    // At 360 degrees the gradient runs left to right: every column is one color, and the
    // two sides differ; pointing up turns it by a quarter.
    Capture capture = CaptureWindow(panel);
    EXPECT_LE(Spread(capture, false, 140), 6) << "a column at 360 degrees";
    EXPECT_LE(Spread(capture, false, 180), 6) << "a column at 360 degrees";
    EXPECT_GE(Spread(capture, true, 156), 300) << "a row at 360 degrees";

    Click(161, 130);
    capture = CaptureWindow(panel);
    EXPECT_LE(Spread(capture, true, 135), 6) << "a row pointing up";
    EXPECT_LE(Spread(capture, true, 178), 6) << "a row pointing up";
    EXPECT_GE(Spread(capture, false, 161), 300) << "a column pointing up";
}

TEST_F(SwatchTest, RadialPreviewIsSymmetricAroundItsCenter)
{
    SendMessageW(Control(IDC_RADIAL), BM_CLICK, 0, 0);
    PumpMessages();
    const Capture capture = CaptureWindow(panel);
    // Around the middle point (161, 156) mirrored pixels agree, and center and corner differ.
    const struct {
        int dx, dy;
    } offsets[] = {{5, 0}, {12, 7}, {20, 20}, {0, 24}};
    for (const auto& o : offsets) {
        const int a = Brightness(capture.at(161 + o.dx, 156 + o.dy));
        const int b = Brightness(capture.at(161 - o.dx, 156 - o.dy));
        EXPECT_LE(std::abs(a - b), 12) << o.dx << ", " << o.dy;
    }
    EXPECT_GE(std::abs(Brightness(capture.at(161, 156)) - Brightness(capture.at(136, 131))), 150);
}
