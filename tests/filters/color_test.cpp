// Per-pixel color adjustments and the opacity change.
#include <gtest/gtest.h>

#include <algorithm>

#include "filter_test_support.h"
#include "filters/filter_routines.h"
#include "reference_filters.h"

namespace {

uint32_t FilterOnePixel(uint32_t pixel, const PixelFilter& filter)
{
    TestPixels source(1, 1, pixel);
    return Filtered(source, filter).at(0, 0);
}

PixelFilter BrightnessContrastOf(int brightness, int contrast)
{
    return [=](const PixelView& s, const PixelView& r) { BrightnessContrast(s, r, brightness, contrast); };
}

PixelFilter HsvShift(int hue, int saturation, int luminance)
{
    return [=](const PixelView& s, const PixelView& r) { AdjustHsv(s, r, hue, saturation, luminance); };
}

PixelFilter OpacityChange(int change)
{
    return [=](const PixelView& s, const PixelView& r) { AdjustOpacity(s, r, change); };
}

}  // namespace

TEST(ColorAdjustments, ExactValues)
{
    struct Case {
        const char* what;
        PixelFilter filter;
        uint32_t in, out;
    } cases[] = {
        {"grayscale of red", Grayscale, Argb(255, 255, 0, 0), Argb(255, 56, 56, 56)},
        {"grayscale of green", Grayscale, Argb(200, 0, 255, 0), Argb(200, 180, 180, 180)},
        {"grayscale of blue", Grayscale, Argb(1, 0, 0, 255), Argb(1, 18, 18, 18)},
        {"grayscale of white", Grayscale, Argb(255, 255, 255, 255), Argb(255, 255, 255, 255)},
        {"colorize white on black", [](const PixelView& s, const PixelView& r) { Colorize(s, r, 255, 255, 255); },
         Argb(255, 0, 0, 0), Argb(255, 127, 127, 127)},
        {"colorize reads low bytes", [](const PixelView& s, const PixelView& r) { Colorize(s, r, 0x1FF, 0x100, 20); },
         Argb(9, 1, 100, 30), Argb(9, 128, 50, 25)},
        {"negative", Negative, Argb(77, 0, 128, 255), Argb(77, 255, 127, 0)},
        {"brightness 255", BrightnessContrastOf(255, 0), Argb(255, 0, 128, 255), Argb(255, 255, 255, 255)},
        {"no change lowers only above 128", BrightnessContrastOf(0, 0), Argb(3, 255, 128, 0), Argb(3, 254, 128, 0)},
        {"no change keeps 100 and 129 to 128", BrightnessContrastOf(0, 0), Argb(3, 100, 129, 1), Argb(3, 100, 128, 1)},
        {"contrast -100", BrightnessContrastOf(-20, -100), Argb(255, 0, 128, 255), Argb(255, 108, 108, 108)},
        {"contrast -100 limited", BrightnessContrastOf(-255, -100), Argb(255, 0, 128, 255), Argb(255, 0, 0, 0)},
        {"contrast 100", BrightnessContrastOf(0, 100), Argb(255, 100, 128, 192), Argb(255, 72, 128, 255)},
        {"opacity -100 keeps colors", OpacityChange(-100), Argb(200, 1, 2, 3), Argb(0, 1, 2, 3)},
        {"opacity 0", OpacityChange(0), Argb(201, 1, 2, 3), Argb(201, 1, 2, 3)},
        {"opacity +100 tops out", OpacityChange(100), Argb(200, 1, 2, 3), Argb(255, 1, 2, 3)},
        {"opacity -50", OpacityChange(-50), Argb(200, 1, 2, 3), Argb(100, 1, 2, 3)},
        {"opacity leaves alpha 0", OpacityChange(100), Argb(0, 1, 2, 3), Argb(0, 1, 2, 3)},
        {"hsv pure red round trip", HsvShift(0, 0, 0), Argb(255, 255, 0, 0), Argb(255, 255, 0, 0)},
        {"hsv white round trip", HsvShift(0, 0, 0), Argb(17, 255, 255, 255), Argb(17, 255, 255, 255)},
        {"hsv red to green", HsvShift(120, 0, 0), Argb(255, 255, 0, 0), Argb(255, 0, 255, 0)},
        {"hsv desaturate", HsvShift(0, -200, 0), Argb(255, 255, 0, 0), Argb(255, 255, 255, 255)},
        {"hsv darken", HsvShift(0, 0, -200), Argb(255, 10, 200, 30), Argb(255, 0, 0, 0)},
        {"hsv hue wraps above 360", HsvShift(180, 0, 0), Argb(255, 0, 0, 255), Argb(255, 255, 255, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FilterOnePixel(c.in, c.filter), c.out) << c.what;
}

TEST(ColorAdjustments, OpacityFollowsItsFormulaForEveryAlpha)
{
    // a + a x change / 100 in exact arithmetic, truncated: what the single-precision
    // computation gives for every alpha and every change of -100..100.
    for (int change : {-100, -37, 1, 50, 99}) {
        TestPixels source(256, 1);
        for (int a = 0; a < 256; a++)
            source.at(a, 0) = Argb(a, 9, 8, 7);
        TestPixels result = Filtered(source, OpacityChange(change));
        for (int a = 0; a < 256; a++) {
            const int expected = std::min(a * (100 + change) / 100, 255);
            ASSERT_EQ(result.at(a, 0), Argb(uint32_t(expected), 9, 8, 7)) << a << " by " << change;
        }
    }
}

TEST(ColorAdjustments, OpacityDoublesClearsAndHalves)
{
    // Worked out by hand: +100 doubles up to 255, -100 clears, -50 halves rounding down,
    // 0 keeps; alpha 0 stays 0 and the color bytes stay.
    const struct {
        int change;
        uint32_t alpha, expected;
    } cases[] = {
        {100, 1, 2},     {100, 2, 4},     {100, 64, 128},  {100, 100, 200}, {100, 127, 254}, {100, 128, 255},
        {100, 200, 255}, {100, 255, 255}, {100, 0, 0},     {-100, 1, 0},    {-100, 128, 0},  {-100, 255, 0},
        {-50, 1, 0},     {-50, 2, 1},     {-50, 3, 1},     {-50, 100, 50},  {-50, 127, 63},  {-50, 200, 100},
        {-50, 255, 127}, {0, 1, 1},       {0, 77, 77},     {0, 254, 254},   {0, 255, 255},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FilterOnePixel(Argb(c.alpha, 10, 20, 30), OpacityChange(c.change)), Argb(c.expected, 10, 20, 30))
            << "alpha " << c.alpha << " by " << c.change;
}

TEST(ColorAdjustments, NegativeTwiceGivesBackTheSource)
{
    std::mt19937 random(1);
    TestPixels source = RandomPixels(random, 31, 17);
    TestPixels once = Filtered(source, Negative);
    EXPECT_EQ(Filtered(once, Negative).argb, source.argb);
}

TEST(Hsv, IntegerHueSaturationAndValue)
{
    struct Case {
        uint32_t rgb;
        HsvColor hsv;
    } cases[] = {
        {Argb(0, 0, 0, 0), {0, 0, 0}},
        {Argb(0, 128, 128, 128), {0, 0, 50}},
        {Argb(0, 255, 0, 0), {0, 100, 100}},
        {Argb(0, 0, 255, 0), {120, 100, 100}},
        {Argb(0, 0, 0, 255), {240, 100, 100}},
        {Argb(0, 255, 0, 128), {329, 100, 100}},
        {Argb(0, 255, 42, 0), {9, 100, 100}},
    };
    for (const Case& c : cases) {
        const HsvColor hsv = RgbToHsv(c.rgb);
        EXPECT_EQ(hsv.hue, c.hsv.hue) << std::hex << c.rgb;
        EXPECT_EQ(hsv.saturation, c.hsv.saturation) << std::hex << c.rgb;
        EXPECT_EQ(hsv.value, c.hsv.value) << std::hex << c.rgb;
    }
    EXPECT_EQ(HsvToRgb(0, 0, 100), Argb(0, 255, 255, 255));
    EXPECT_EQ(HsvToRgb(60, 100, 100), Argb(0, 255, 255, 0));
    EXPECT_EQ(HsvToRgb(300, 100, 50), Argb(0, 127, 0, 127));
}

TEST(Hsv, HueShiftBelowZeroGivesRedInsteadOfWrapping)
{
    // Hue 9 (red with a little green) shifted by -20: hue 0, pure red at the same
    // saturation and value; shifted by +20 it turns to orange instead.
    EXPECT_EQ(FilterOnePixel(Argb(99, 255, 42, 0), HsvShift(-20, 0, 0)), Argb(99, 255, 0, 0));
    const uint32_t shifted = FilterOnePixel(Argb(99, 255, 42, 0), HsvShift(20, 0, 0));
    EXPECT_EQ(shifted, Argb(99, 255, 123, 0));  // hue 29: green 0.48333 x 255
}

TEST(Hsv, MatchesTheFormulasOnRandomPixelsAndShifts)
{
    std::mt19937 random(12);
    TestPixels source = RandomPixels(random, 64, 64);
    source.at(0, 0) = Argb(255, 128, 128, 128);  // gray: no hue
    source.at(1, 0) = Argb(255, 0, 0, 0);
    const int shifts[][3] = {{0, 0, 0}, {-180, -100, -100}, {180, 100, 100}, {37, -13, 55}, {-91, 77, -3}};
    for (const auto& shift : shifts) {
        TestPixels result = Filtered(source, HsvShift(shift[0], shift[1], shift[2]));
        for (size_t i = 0; i < source.argb.size(); i++)
            ASSERT_EQ(result.argb[i], ReferenceAdjustHsvPixel(source.argb[i], shift[0], shift[1], shift[2]))
                << std::hex << source.argb[i] << std::dec << " shifted " << shift[0] << "," << shift[1] << "," << shift[2];
    }
}
