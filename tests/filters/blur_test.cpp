// The coverage-weighted blurs and the plain 3 x 3 kernels.
#include <gtest/gtest.h>

#include "common/pixel_filters/blur.h"
#include "common/pixel_filters/small_division.h"
#include "filter_test_support.h"
#include "filters/filter_routines.h"
#include "reference_filters.h"

namespace {

struct NamedFilter {
    const char* name;
    PixelFilter filter;
};

const NamedFilter kCoverageBlurs[] = {
    {"LinearBlur", LinearBlur},
    {"MotionBlur", MotionBlur},
    {"Soften", Soften},
    {"GaussianBlur5x5", GaussianBlur5x5},
};

PixelFilter ReferenceOf(ReferenceBlur kind)
{
    return [kind](const PixelView& s, const PixelView& r) { ReferenceCoverageBlur(kind, s, r); };
}

}  // namespace

TEST(SmallDivision, MatchesTheIntegerQuotientOverItsWholeRange)
{
    for (uint32_t divisor = 1; divisor <= kLargestSmallDivisor; divisor++)
        for (uint32_t dividend = 0; dividend <= kLargestSmallDividend; dividend++)
            ASSERT_EQ(DivideSmall(dividend, divisor), dividend / divisor) << dividend << " / " << divisor;
}

TEST(CoverageBlurs, MatchTheTapByTapFormulasOnRandomPictures)
{
    const ReferenceBlur kinds[] = {ReferenceBlur::kLinear, ReferenceBlur::kMotion, ReferenceBlur::kSoften,
                                   ReferenceBlur::kGaussian};
    std::mt19937 random(11);
    const int sizes[][2] = {{1, 1}, {1, 7}, {6, 1}, {2, 3}, {5, 5}, {17, 9}, {40, 33}};
    for (int k = 0; k < 4; k++)
        for (const auto& size : sizes) {
            TestPixels source = RandomPixels(random, size[0], size[1]);
            EXPECT_EQ(Filtered(source, kCoverageBlurs[k].filter).argb, Filtered(source, ReferenceOf(kinds[k])).argb)
                << kCoverageBlurs[k].name << " on " << size[0] << "x" << size[1];
        }
}

TEST(CoverageBlurs, UniformOpaqueArea)
{
    // The Gaussian's single-precision arithmetic: red keeps its value, green and blue lose
    // 1, and the alpha of a fully opaque window is 254.
    struct Case {
        uint32_t color, gaussian;
    } cases[] = {
        {Argb(255, 100, 150, 200), Argb(254, 100, 149, 199)},
        {Argb(255, 1, 1, 1), Argb(254, 1, 0, 0)},
        {Argb(255, 255, 255, 255), Argb(254, 255, 254, 254)},
        {Argb(255, 7, 0, 0), Argb(254, 7, 0, 0)},
    };
    for (const Case& c : cases) {
        TestPixels source(9, 8, c.color);
        EXPECT_EQ(Filtered(source, GaussianBlur5x5).argb, TestPixels(9, 8, c.gaussian).argb) << std::hex << c.color;
        for (const NamedFilter& blur : {kCoverageBlurs[0], kCoverageBlurs[1], kCoverageBlurs[2]})
            EXPECT_EQ(Filtered(source, blur.filter).argb, source.argb) << blur.name << " " << std::hex << c.color;
    }
}

TEST(CoverageBlurs, FullyTransparentPictureComesBackAsItWas)
{
    std::mt19937 random(5);
    TestPixels source(12, 7);
    for (uint32_t& pixel : source.argb)
        pixel = random() & 0x00FFFFFF;
    for (const NamedFilter& blur : kCoverageBlurs)
        EXPECT_EQ(Filtered(source, blur.filter).argb, source.argb) << blur.name;
}

TEST(CoverageBlurs, SingleOpaquePixelSpreadsItsColorAtReducedAlpha)
{
    const uint32_t color = Argb(255, 30, 60, 90);
    TestPixels source = RectangleOn(7, 7, 3, 3, 4, 4, color);
    TestPixels result = Filtered(source, LinearBlur);
    for (int y = 0; y < 7; y++)
        for (int x = 0; x < 7; x++) {
            const bool near = std::abs(x - 3) <= 1 && std::abs(y - 3) <= 1;
            EXPECT_EQ(result.at(x, y), near ? Argb(255 / 9, 30, 60, 90) : 0u) << x << "," << y;
        }
    // Soften keeps the alpha: the neighbours stay invisible but take the color.
    TestPixels softened = Filtered(source, Soften);
    EXPECT_EQ(softened.at(3, 3), color);
    EXPECT_EQ(softened.at(2, 2), Argb(0, 30, 60, 90));
}

TEST(CoverageBlurs, OnePixelPictureKeepsItsPixelExceptForTheGaussianRounding)
{
    for (uint32_t color : {Argb(255, 10, 20, 30), Argb(128, 200, 100, 0), Argb(0, 1, 2, 3)}) {
        TestPixels source(1, 1, color);
        for (const NamedFilter& blur : {kCoverageBlurs[0], kCoverageBlurs[1], kCoverageBlurs[2]})
            EXPECT_EQ(Filtered(source, blur.filter).at(0, 0), color) << blur.name;
    }
    TestPixels opaque(1, 1, Argb(255, 10, 20, 30));
    EXPECT_EQ(Filtered(opaque, GaussianBlur5x5).at(0, 0), Argb(254, 10, 19, 29));
}

TEST(PlainKernels, UniformAreasAndEdges)
{
    // On a uniform area the weights' sum decides: Sharpen's is 7 (divided back), Defocus's
    // and ColorEmboss's 1, GrayEmboss's 0 (plus 128).
    TestPixels uniform(6, 5, Argb(77, 200, 100, 3));
    EXPECT_EQ(Filtered(uniform, Sharpen).argb, uniform.argb);
    EXPECT_EQ(Filtered(uniform, Defocus).argb, uniform.argb);
    EXPECT_EQ(Filtered(uniform, ColorEmboss).argb, uniform.argb);
    EXPECT_EQ(Filtered(uniform, GrayEmboss).argb, TestPixels(6, 5, Argb(77, 128, 128, 128)).argb);
    EXPECT_EQ(Filtered(uniform, UnsharpMask).argb, uniform.argb);

    // A column of 30 at x = 2 on black: the kernels' taps land where their rows say.
    TestPixels column(5, 3, Argb(255, 0, 0, 0));
    for (int y = 0; y < 3; y++)
        column.at(2, y) = Argb(255, 30, 30, 30);
    const struct {
        const char* what;
        PixelFilter filter;
        int x;
        uint32_t gray;
    } cases[] = {
        {"sharpen on the column", Sharpen, 2, (15 * 30 - 2 * 30) / 7},
        {"sharpen beside it", Sharpen, 1, 0},
        {"defocus beside it", Defocus, 1, 3 * 30},
        {"defocus on it", Defocus, 2, 0},
        {"gray emboss left of it", GrayEmboss, 1, 128 + 2 * 30},   // right column 0, 1, 1
        {"gray emboss right of it", GrayEmboss, 3, 128 - 2 * 30},  // left column -1, -1, 0
        {"color emboss left of it", ColorEmboss, 1, 3 * 30},       // right column 0, 1, 2
        {"color emboss on it", ColorEmboss, 2, 30},                // centre column -1, 1, 1
        {"color emboss right of it", ColorEmboss, 3, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Filtered(column, c.filter).at(c.x, 1), Argb(255, c.gray, c.gray, c.gray)) << c.what;
}

TEST(PlainKernels, TransparentPixelsAreComputedFromTheirColorBytesAndStayTransparent)
{
    TestPixels source(4, 4, Argb(0, 100, 100, 100));
    source.at(1, 1) = Argb(0, 0, 0, 0);
    TestPixels result = Filtered(source, Defocus);
    EXPECT_EQ(result.at(1, 1), Argb(0, 255, 255, 255));
    EXPECT_EQ(result.at(0, 0), Argb(0, 0, 0, 0));  // neighbours 700 - 7 x 100 with one 0 = -100
    EXPECT_EQ(result.at(3, 3), Argb(0, 100, 100, 100));
}

TEST(HeavyBlur, SmallFactorsAreTheNamedBlurs)
{
    std::mt19937 random(3);
    TestPixels source = RandomPixels(random, 23, 19);
    auto heavy = [](int factor) {
        return [factor](const PixelView& s, const PixelView& r) { HeavyBlur(s, r, factor); };
    };
    EXPECT_EQ(Filtered(source, heavy(0)).argb, source.argb);
    EXPECT_EQ(Filtered(source, heavy(1)).argb, Filtered(source, LinearBlur).argb);
    EXPECT_EQ(Filtered(source, heavy(2)).argb, Filtered(source, GaussianBlur5x5).argb);
    TestPixels linear = Filtered(source, LinearBlur), gaussian = Filtered(source, GaussianBlur5x5);
    EXPECT_EQ(Filtered(source, heavy(3)).argb, Filtered(linear, GaussianBlur5x5).argb);
    EXPECT_EQ(Filtered(source, heavy(4)).argb, Filtered(gaussian, GaussianBlur5x5).argb);
}

TEST(HeavyBlur, FactorsAboveFiftyBlurAsFifty)
{
    // Huge factors used to overflow the pyramid's scale arithmetic.
    std::mt19937 random(29);
    TestPixels source = RandomPixels(random, 37, 29);
    auto heavy = [](int factor) {
        return [factor](const PixelView& s, const PixelView& r) { HeavyBlur(s, r, factor); };
    };
    TestPixels widest = Filtered(source, heavy(50));
    for (int factor : {INT32_MAX, INT32_MAX - 1, 536870913, 1000, 51}) {
        EXPECT_EQ(Filtered(source, heavy(factor)).argb, widest.argb) << factor;
        TestPixels area(11, 8);
        HeavyBlurArea({source.View(), 0, 0, 37, 29}, factor, 20, 14, area.View());
        for (int y = 0; y < 8; y++)
            for (int x = 0; x < 11; x++)
                ASSERT_EQ(area.at(x, y), widest.at(x + 20, y + 14)) << factor << " at " << x << "," << y;
    }
}

TEST(HeavyBlur, PyramidSpreadsWiderAsTheFactorGrows)
{
    // A blot in the middle of a large picture: how far its alpha reaches grows with the factor.
    TestPixels source = RectangleOn(101, 101, 40, 40, 61, 61, Argb(255, 0, 0, 255));
    int previousReach = 0;
    uint32_t previousCentre = 256;
    for (int factor : {5, 12, 25, 50}) {
        TestPixels result = Filtered(source, [factor](const PixelView& s, const PixelView& r) { HeavyBlur(s, r, factor); });
        int reach = 0;
        for (int x = 50; x < 101; x++)
            if ((result.at(x, 50) >> 24) != 0)
                reach = x - 50;
        EXPECT_GT(reach, previousReach) << "factor " << factor;
        EXPECT_LT(result.at(50, 50) >> 24, previousCentre) << "factor " << factor;
        previousCentre = result.at(50, 50) >> 24;
        previousReach = reach;
        // No other color creeps in; blue loses a little with each Gaussian pass.
        for (uint32_t pixel : result.argb)
            if (pixel >> 24) {
                ASSERT_EQ(pixel & 0xFFFF00, 0u) << "factor " << factor;
                ASSERT_GE(pixel & 0xFF, 240u) << "factor " << factor;
            }
    }
}

TEST(HeavyBlur, UniformPicturesLoseOneStepPerGaussianPassAtAnySize)
{
    // The pyramid makes six Gaussian passes; resampling keeps a uniform picture uniform, and
    // each pass takes 1 off alpha, green and blue. 12 pixels at factor 50 would shrink to
    // 0 x 0 without the one-pixel floor.
    for (int size : {1, 2, 3, 12, 40}) {
        for (int factor : {5, 50}) {
            TestPixels source(size, size + 1, Argb(255, 40, 80, 120));
            TestPixels result =
                Filtered(source, [factor](const PixelView& s, const PixelView& r) { HeavyBlur(s, r, factor); });
            EXPECT_EQ(result.argb, TestPixels(size, size + 1, Argb(249, 40, 74, 114)).argb)
                << size << " at factor " << factor;
        }
    }
}

TEST(HeavyBlur, AreaIsExactlyThatPartOfTheWholeBlur)
{
    std::mt19937 random(17);
    struct Case {
        int width, height, factor;
    } cases[] = {{64, 48, 50}, {64, 48, 5}, {31, 57, 17}, {3, 2, 40}, {120, 90, 3}};
    for (const Case& c : cases) {
        TestPixels source = RandomPixels(random, c.width, c.height);
        TestPixels whole = Filtered(source, [&](const PixelView& s, const PixelView& r) { HeavyBlur(s, r, c.factor); });
        for (int round = 0; round < 4; round++) {
            const int left = int(random() % c.width), top = int(random() % c.height);
            const int width = 1 + int(random() % (c.width - left)), height = 1 + int(random() % (c.height - top));
            TestPixels area(width, height);
            HeavyBlurArea({source.View(), 0, 0, c.width, c.height}, c.factor, left, top, area.View());
            for (int y = 0; y < height; y++)
                for (int x = 0; x < width; x++)
                    ASSERT_EQ(area.at(x, y), whole.at(left + x, top + y))
                        << c.width << "x" << c.height << " factor " << c.factor << " area " << left << "," << top << " "
                        << width << "x" << height << " at " << x << "," << y;
        }
    }
}

TEST(HeavyBlur, PlacedPictureBlursAsIfDrawnOnATransparentCanvas)
{
    std::mt19937 random(23);
    for (int factor : {2, 5, 21, 50}) {
        TestPixels shape = RandomPixels(random, 30, 22);
        TestPixels canvas(60, 44);
        for (int y = 0; y < 22; y++)
            for (int x = 0; x < 30; x++)
                canvas.at(x + 15, y + 11) = shape.at(x, y);
        TestPixels whole = Filtered(canvas, [factor](const PixelView& s, const PixelView& r) { HeavyBlur(s, r, factor); });
        TestPixels area(33, 20);
        HeavyBlurArea({shape.View(), 15, 11, 60, 44}, factor, 20, 7, area.View());
        for (int y = 0; y < 20; y++)
            for (int x = 0; x < 33; x++)
                ASSERT_EQ(area.at(x, y), whole.at(x + 20, y + 7)) << "factor " << factor << " at " << x << "," << y;
    }
}
