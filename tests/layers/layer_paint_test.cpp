// The panel as drawn: the rounded frame, and three rows (one hidden, one vector, the top
// one current) checked where the row layout fixes them.
#include "layers/layers_fixture.h"

#include <algorithm>
#include <cstdlib>

namespace {

uint32_t Rgb(COLORREF color)
{
    return (uint32_t(GetRValue(color)) << 16) | (uint32_t(GetGValue(color)) << 8) | GetBValue(color);
}

bool Near(uint32_t a, uint32_t b, int tolerance)
{
    for (int shift : {0, 8, 16})
        if (std::abs(int((a >> shift) & 255) - int((b >> shift) & 255)) > tolerance)
            return false;
    return true;
}

// The picture's pixel drawn over an opaque background.
uint32_t Over(Gdiplus::Bitmap* picture, int x, int y, uint32_t background)
{
    Gdiplus::Color color;
    picture->GetPixel(x, y, &color);
    const int alpha = color.GetAlpha();
    const int channels[3] = {color.GetR(), color.GetG(), color.GetB()};
    uint32_t out = 0;
    for (int i = 0; i < 3; i++) {
        const int under = int((background >> (16 - 8 * i)) & 255);
        out |= uint32_t((channels[i] * alpha + under * (255 - alpha) + 127) / 255) << (16 - 8 * i);
    }
    return out;
}

// Counts the pixels of the 16 x 16 square at (left, top) that differ from what is expected.
int SquareMismatches(const Capture& capture, int left, int top, Gdiplus::Bitmap* icon, uint32_t face)
{
    int wrong = 0;
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++) {
            const uint32_t expected = icon ? Over(icon, x, y, face) : face;
            wrong += Near(capture.at(left + x, top + y), expected, 6) ? 0 : 1;
        }
    return wrong;
}

struct InkRange {
    int first = -1, last = -1;
};

// The columns of the name box (x 69..152, rows y..y+44) that hold ink of the given color.
InkRange InkColumns(const Capture& capture, int y, uint32_t ink, uint32_t background)
{
    InkRange range;
    for (int x = 69; x < 153; x++)
        for (int row = y + 5; row < y + 41; row++) {
            const uint32_t pixel = capture.at(x, row);
            if (!Near(pixel, background, 40) && Near(pixel, ink, 100)) {
                if (range.first < 0)
                    range.first = x;
                range.last = x;
                break;
            }
        }
    return range;
}

// The same name drawn by GDI+ with the row font, for its ink columns.
InkRange ExpectedInk(const wchar_t* name)
{
    Gdiplus::Bitmap canvas(176, 45, PixelFormat32bppARGB);
    Gdiplus::Graphics graphics(&canvas);
    graphics.Clear(Gdiplus::Color(255, 255, 255, 255));
    graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    Gdiplus::Font font(L"Arial", 7.3f, Gdiplus::FontStyleBold, Gdiplus::UnitPoint);
    Gdiplus::SolidBrush black(Gdiplus::Color(255, 0, 0, 0));
    graphics.DrawString(name, -1, &font, Gdiplus::PointF(70, (45 - font.GetHeight(&graphics)) / 2), &black);
    InkRange range;
    for (int x = 0; x < 176; x++)
        for (int y = 0; y < 45; y++) {
            Gdiplus::Color color;
            canvas.GetPixel(x, y, &color);
            if (color.GetR() < 215) {
                if (range.first < 0)
                    range.first = x;
                range.last = x;
                break;
            }
        }
    return range;
}

}  // namespace

TEST_F(LayersTest, FrameIsARoundedPanelOnTheHighlightColor)
{
    const Capture capture = CaptureWindow(frame);
    ASSERT_EQ(capture.width, 200);
    const uint32_t highlight = Rgb(GetSysColor(COLOR_HIGHLIGHT)), face = Rgb(GetSysColor(COLOR_BTNFACE));
    EXPECT_TRUE(Near(capture.at(1, 1), highlight, 2));
    EXPECT_TRUE(Near(capture.at(198, 298), highlight, 2));
    EXPECT_TRUE(Near(capture.at(8, 150), face, 2));
    EXPECT_TRUE(Near(capture.at(100, 7), face, 2));
    EXPECT_TRUE(Near(capture.at(3, 150), 0, 60));   // the black outline, 2 wide
    EXPECT_TRUE(Near(capture.at(100, 3), 0, 60));
    EXPECT_TRUE(Near(capture.at(4, 4), highlight, 30));  // outside the rounded corner
}

TEST_F(LayersTest, RowsShowHighlightIconsThumbnailsAndNames)
{
    BuildLayers({LayerRecipe{.color = 0xFF00C000}, LayerRecipe{.vector = true, .visible = false}, LayerRecipe{}});
    Click(100, RowMiddle(2));
    TakeMessages();
    const Capture capture = CaptureWindow(list);
    ASSERT_GE(capture.width, 157);
    ASSERT_EQ(capture.height, 276);
    const uint32_t face = Rgb(GetSysColor(COLOR_BTNFACE)), highlight = Rgb(GetSysColor(COLOR_HIGHLIGHT));
    const uint32_t shadow = Rgb(GetSysColor(COLOR_BTNSHADOW)), light = Rgb(GetSysColor(COLOR_BTNHIGHLIGHT));
    const uint32_t text = Rgb(GetSysColor(COLOR_BTNTEXT)), highlightText = Rgb(GetSysColor(COLOR_HIGHLIGHTTEXT));
    HMODULE module = GetModuleHandleW(L"layerpane.dll");
    Gdiplus::Bitmap* eye = PYX_LoadCustomImageResource(module, 110, L"REAL32");
    Gdiplus::Bitmap* brush = PYX_LoadCustomImageResource(module, 109, L"REAL32");
    ASSERT_NE(eye, nullptr);
    ASSERT_NE(brush, nullptr);
    EXPECT_EQ(eye->GetWidth(), 16u);
    EXPECT_EQ(brush->GetHeight(), 16u);

    struct Row {
        const wchar_t* name;
        bool current, visible;
        uint32_t thumbnailMiddle;
    };
    const uint32_t grey = 0x898787, white = 0xFFFFFF;
    const Row rows[] = {
        {L"Layer 3:Raster", true, true, 0},  // row 0: transparent, the checkerboard shows
        {L"Layer 2:Vector", false, false, 0},
        {L"Layer 1:Raster", false, true, 0x00C000},
    };
    for (int r = 0; r < 3; r++) {
        const Row& row = rows[r];
        const int y = 45 * r + 1;
        SCOPED_TRACE(testing::Message() << "row " << r);
        const uint32_t fill = row.current ? highlight : face;
        EXPECT_TRUE(Near(capture.at(25, y + 10), fill, 2));
        EXPECT_TRUE(Near(capture.at(60, y + 43), fill, 2));
        EXPECT_TRUE(Near(capture.at(10, y + 4), shadow, 2));   // the upper square's sunken edge
        EXPECT_TRUE(Near(capture.at(5, y + 10), shadow, 2));
        EXPECT_TRUE(Near(capture.at(10, y + 21), light, 2));
        EXPECT_TRUE(Near(capture.at(22, y + 30), light, 2));
        EXPECT_LE(SquareMismatches(capture, 6, y + 5, row.visible ? eye : nullptr, face), 4);
        EXPECT_LE(SquareMismatches(capture, 6, y + 25, row.current ? brush : nullptr, face), 4);
        if (row.thumbnailMiddle) {
            EXPECT_TRUE(Near(capture.at(47, y + 23), row.thumbnailMiddle, 2));
        } else {
            EXPECT_TRUE(Near(capture.at(29, y + 5), grey, 2));   // checkerboard (1, 1)
            EXPECT_TRUE(Near(capture.at(33, y + 5), white, 2));  // checkerboard (5, 1)
            EXPECT_TRUE(Near(capture.at(33, y + 9), grey, 2));   // checkerboard (5, 5)
        }
        const InkRange expected = ExpectedInk(row.name);
        const InkRange ink = InkColumns(capture, y, row.current ? highlightText : text, fill);
        EXPECT_NEAR(ink.first, expected.first, 1) << "name starts";
        EXPECT_NEAR(ink.last, expected.last, 1) << "name ends";
    }
    delete eye;
    delete brush;
}

TEST_F(LayersTest, ANewImageShowsOneRowWithBothIcons)
{
    const Capture capture = CaptureWindow(list);
    const uint32_t face = Rgb(GetSysColor(COLOR_BTNFACE)), highlight = Rgb(GetSysColor(COLOR_HIGHLIGHT));
    HMODULE module = GetModuleHandleW(L"layerpane.dll");
    Gdiplus::Bitmap* eye = PYX_LoadCustomImageResource(module, 110, L"REAL32");
    Gdiplus::Bitmap* brush = PYX_LoadCustomImageResource(module, 109, L"REAL32");
    EXPECT_LE(SquareMismatches(capture, 6, 6, eye, face), 4);
    EXPECT_LE(SquareMismatches(capture, 6, 26, brush, face), 4);
    EXPECT_TRUE(Near(capture.at(25, 11), highlight, 2));
    EXPECT_TRUE(Near(capture.at(25, 60), face, 2));  // no second row
    const InkRange expected = ExpectedInk(L"Layer 1:Raster");
    const InkRange ink = InkColumns(capture, 1, Rgb(GetSysColor(COLOR_HIGHLIGHTTEXT)), highlight);
    EXPECT_NEAR(ink.last, expected.last, 1);
    delete eye;
    delete brush;
}
