// The exported reductions: dithering against the shared palette objects, alpha threshold.
#include <gtest/gtest.h>

#include <set>

#include "core/palette_objects.h"
#include "core/palettes.h"
#include "core/pyx.h"
#include "harness/test_bitmaps.h"

namespace {

class ColorReduction : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(CreateSharedPalettes(&palettes_)); }
    void TearDown() override { DeleteSharedPalettes(&palettes_); }
    SharedPalettes palettes_;
};

}  // namespace

TEST_F(ColorReduction, PaletteObjectsHoldTheFixedTables)
{
    PALETTEENTRY entries[256];
    ASSERT_EQ(GetPaletteEntries(palettes_.palette256, 0, 256, entries), 256u);
    for (int i = 0; i < 256; i++) {
        EXPECT_EQ(RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue),
                  RGB(PaletteRed(kPalette256[i]), PaletteGreen(kPalette256[i]), PaletteBlue(kPalette256[i])));
        EXPECT_EQ(entries[i].peFlags, 0);
    }
    EXPECT_EQ(GetPaletteEntries(palettes_.palette16, 0, 0, nullptr), 16u);
    EXPECT_EQ(GetPaletteEntries(palettes_.palette2, 0, 0, nullptr), 2u);
}

TEST_F(ColorReduction, OurNearestColorAgreesWithTheSystemLookup)
{
    // Dithering with level 255 diffuses almost nothing, so each index is the nearest entry.
    Bitmap* source = MakeBitmap(64, 64, [](int x, int y) { return NoiseColor(x, y, 255); });
    std::vector<uint16_t> indices(64 * 64);
    Bitmap* result = PYX_GetDitheredImageBasedOnPalette(source, palettes_.palette256, 256, 255, 0, indices.data(), 1);
    ASSERT_NE(result, nullptr);
    std::vector<uint32_t> in = ReadPixels(source);
    int checked = 0;
    for (int i = 0; i < 64 * 64; i += 61) {
        // Only pixels that received no error (those with no upper-left neighbours) compare directly.
        if (i % 64 != 0 && i >= 64)
            continue;
        const uint32_t c = in[i];
        EXPECT_EQ(indices[i], GetNearestPaletteIndex(palettes_.palette256, RGB(c >> 16 & 255, c >> 8 & 255, c & 255)));
        checked++;
    }
    EXPECT_GT(checked, 0);
    delete result;
    delete source;
}

TEST_F(ColorReduction, DitheredPicturesUseOnlyPaletteColorsAndBinaryAlpha)
{
    Bitmap* source = MakeBitmap(40, 30, [](int x, int y) { return NoiseColor(x, y, (x * 9) % 256); });
    const std::vector<uint32_t> before = ReadPixels(source);
    struct Case {
        HPALETTE palette;
        uint16_t count;
        const PaletteColor* colors;
        uint8_t level;
    } cases[] = {{palettes_.palette256, 256, kPalette256, 3},
                 {palettes_.palette16, 16, kPalette16, 6},
                 {palettes_.palette2, 2, kPalette2, 7}};
    for (const Case& c : cases) {
        std::set<uint32_t> allowed(c.colors, c.colors + c.count);
        Bitmap* result = PYX_GetDitheredImageBasedOnPalette(source, c.palette, c.count, c.level, 10, nullptr, 0);
        ASSERT_NE(result, nullptr);
        EXPECT_EQ(result->GetWidth(), 40u);
        std::vector<uint32_t> out = ReadPixels(result);
        for (size_t i = 0; i < out.size(); i++) {
            ASSERT_TRUE(allowed.count(out[i] & 0xFFFFFF)) << c.count << " colors, pixel " << i;
            ASSERT_TRUE(out[i] >> 24 == 0 || out[i] >> 24 == 255);
        }
        delete result;
    }
    EXPECT_EQ(ReadPixels(source), before) << "the source is not changed";
    delete source;
}

TEST_F(ColorReduction, GreyExampleThroughTheExport)
{
    Bitmap* source = MakeBitmap(2, 2, [](int x, int y) { return x + y == 0 ? 0xFF808080u : 0xFFFFFFFFu; });
    std::vector<uint16_t> indices(4, 99);
    Bitmap* result = PYX_GetDitheredImageBasedOnPalette(source, palettes_.palette2, 2, 1, 0, indices.data(), 1);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(indices, (std::vector<uint16_t>{1, 1, 1, 0}));
    EXPECT_EQ(ReadPixels(result), (std::vector<uint32_t>{0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF000000}));
    delete result;
    delete source;
}

TEST_F(ColorReduction, RefusesMissingArguments)
{
    Bitmap* source = MakeBitmap(2, 2, [](int, int) { return 0xFF000000u; });
    uint16_t indices[4];
    EXPECT_EQ(PYX_GetDitheredImageBasedOnPalette(nullptr, palettes_.palette2, 2, 1, 0, indices, 1), nullptr);
    EXPECT_EQ(PYX_GetDitheredImageBasedOnPalette(source, nullptr, 2, 1, 0, indices, 1), nullptr);
    EXPECT_EQ(PYX_GetDitheredImageBasedOnPalette(source, palettes_.palette2, 0, 1, 0, indices, 1), nullptr);
    EXPECT_EQ(PYX_GetDitheredImageBasedOnPalette(source, palettes_.palette2, 2, 0, 0, indices, 1), nullptr);
    EXPECT_EQ(PYX_GetDitheredImageBasedOnPalette(source, palettes_.palette2, 2, 1, 0, nullptr, 1), nullptr);
    EXPECT_EQ(PYX_GetAlphaThresholdedImage(nullptr, 10), nullptr);
    delete source;
}

TEST_F(ColorReduction, AlphaThresholdKeepsColorAndSplitsAlpha)
{
    Bitmap* source = MakeBitmap(4, 1, [](int x, int) {
        const uint32_t alphas[] = {0, 10, 11, 255};
        return alphas[x] << 24 | 0x00123456u;
    });
    Bitmap* result = PYX_GetAlphaThresholdedImage(source, 10);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(ReadPixels(result), (std::vector<uint32_t>{0x00123456, 0x00123456, 0xFF123456, 0xFF123456}));
    EXPECT_EQ(ReadPixels(source)[1], 0x0A123456u);
    delete result;
    delete source;
}
