// Bevel, shadows and borderize, and the compositing they rest on.
#include <gtest/gtest.h>

#include <cmath>

#include "common/pixel_filters/blend.h"
#include "filter_test_support.h"
#include "filters/bevel_relief.h"
#include "filters/filter_routines.h"
#include "reference_filters.h"

namespace {

const uint32_t kSquareColor = Argb(255, 40, 90, 200);

// `top` (an opaque color's channel at alpha `alpha`) over an opaque channel value.
uint32_t Over(uint32_t top, uint32_t alpha, uint32_t bottom)
{
    return uint32_t(std::lround((top * alpha + bottom * (255.0 - alpha)) / 255.0));
}

uint32_t ColorOver(uint32_t topColor, uint32_t alpha, uint32_t opaqueBottom)
{
    return Argb(255, Over((topColor >> 16) & 0xFF, alpha, (opaqueBottom >> 16) & 0xFF),
                Over((topColor >> 8) & 0xFF, alpha, (opaqueBottom >> 8) & 0xFF),
                Over(topColor & 0xFF, alpha, opaqueBottom & 0xFF));
}

PixelFilter BevelWith(BevelLight light)
{
    return [light](const PixelView& s, const PixelView& r) { Bevel(s, r, light); };
}

PixelFilter ShadowWith(ShadowSettings shadow)
{
    return [shadow](const PixelView& s, const PixelView& r) { CastShadow(s, r, shadow); };
}

PixelFilter BorderizeWith(uint32_t colorRef, int depth)
{
    return [=](const PixelView& s, const PixelView& r) { Borderize(s, r, colorRef, depth); };
}

const BevelLight kWhiteOverBlack = {0xFFFFFFFF, 255, 0xFF000000, 255, 1, 3};

}  // namespace

TEST(Blend, SourceOverNonPremultiplied)
{
    struct Case {
        uint32_t top, bottom, out;
    } cases[] = {
        {Argb(0, 9, 9, 9), Argb(77, 1, 2, 3), Argb(77, 1, 2, 3)},
        {Argb(255, 9, 8, 7), Argb(77, 1, 2, 3), Argb(255, 9, 8, 7)},
        {Argb(100, 9, 8, 7), Argb(0, 0, 0, 0), Argb(100, 9, 8, 7)},
        {Argb(128, 255, 255, 255), Argb(255, 0, 0, 0), Argb(255, 128, 128, 128)},
        {Argb(128, 255, 0, 0), Argb(128, 0, 0, 255), Argb(192, 170, 0, 85)},
    };
    for (const Case& c : cases) {
        uint32_t bottom = c.bottom;
        BlendPixelOver(reinterpret_cast<const uint8_t*>(&c.top), reinterpret_cast<uint8_t*>(&bottom));
        EXPECT_EQ(bottom, c.out) << std::hex << c.top << " over " << c.bottom;
    }
}

TEST(Blend, DrawOverCutsToTheTargetAtAnyOffset)
{
    TestPixels top(3, 2, Argb(255, 1, 1, 1));
    const long long offsets[][2] = {{-2, -1}, {4, 3}, {-3, 0}, {0, 5}, {-(1LL << 40), 0}, {2147483647, -2147483648LL}};
    for (const auto& offset : offsets) {
        TestPixels bottom(5, 5);
        DrawOver(top.View(), bottom.View(), offset[0], offset[1]);
        for (int y = 0; y < 5; y++)
            for (int x = 0; x < 5; x++) {
                const bool inside = x >= offset[0] && x < offset[0] + 3 && y >= offset[1] && y < offset[1] + 2;
                ASSERT_EQ(bottom.at(x, y), inside ? Argb(255, 1, 1, 1) : 0u) << offset[0] << "," << offset[1];
            }
    }
}

TEST(Bevel, ReliefMatchesTheWindowSumsForEveryDirectionAndDepth)
{
    std::mt19937 random(21);
    const int sizes[][2] = {{1, 1}, {3, 2}, {9, 14}, {25, 20}};
    for (const auto& size : sizes) {
        TestPixels source = RandomPixels(random, size[0], size[1]);
        for (int depth : {3, 5, 7})
            for (int direction = 1; direction <= 8; direction++)
                ASSERT_EQ(BevelRelief(source.View(), BevelRadius(depth), direction),
                          ReferenceBevelRelief(source.View(), depth, direction))
                    << size[0] << "x" << size[1] << " depth " << depth << " direction " << direction;
    }
}

TEST(Bevel, SquareLitFromTheTop)
{
    TestPixels source = RectangleOn(20, 20, 4, 4, 16, 16, kSquareColor);
    TestPixels result = Filtered(source, BevelWith(kWhiteOverBlack));
    // From the edge inwards: white at 255, 170, 85 on top, black at 255, 204, 102 below.
    const uint32_t topAlphas[3] = {255, 170, 85}, bottomAlphas[3] = {255, 204, 102};
    for (int x = 7; x <= 12; x++)
        for (int i = 0; i < 3; i++) {
            EXPECT_EQ(result.at(x, 4 + i), ColorOver(0xFFFFFF, topAlphas[i], kSquareColor)) << x << " row " << i;
            EXPECT_EQ(result.at(x, 15 - i), ColorOver(0x000000, bottomAlphas[i], kSquareColor)) << x << " row " << i;
        }
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 20; x++) {
            const bool nearCorner = (y < 7 || y > 12) && (x < 7 || x > 12) && x >= 4 && x < 16 && y >= 4 && y < 16;
            const bool litOrShaded = (y < 7 || y > 12) && x >= 7 && x <= 12;
            if (!nearCorner && !litOrShaded) {
                ASSERT_EQ(result.at(x, y), source.at(x, y)) << x << "," << y;
            }
        }
}

TEST(Bevel, OpaquePictureIsLitAlongItsOwnEdges)
{
    TestPixels source(10, 10, kSquareColor);
    TestPixels result = Filtered(source, BevelWith(kWhiteOverBlack));
    // The window of the columns 3..6 lies within the picture sideways; nearer the side
    // edges the margin thins the lit band.
    for (int x = 0; x < 10; x++) {
        if (x >= 3 && x <= 6) {
            EXPECT_EQ(result.at(x, 0), Argb(255, 255, 255, 255)) << x;
            EXPECT_EQ(result.at(x, 9), Argb(255, 0, 0, 0)) << x;
        }
        for (int y = 3; y <= 6; y++)
            EXPECT_EQ(result.at(x, y), kSquareColor) << x << "," << y;
    }
    // Lit from the left (7) instead: the columns change, not the rows.
    BevelLight fromLeft = kWhiteOverBlack;
    fromLeft.direction = 7;
    TestPixels sideways = Filtered(source, BevelWith(fromLeft));
    for (int y = 3; y <= 6; y++) {
        EXPECT_EQ(sideways.at(0, y), Argb(255, 255, 255, 255)) << y;
        EXPECT_EQ(sideways.at(9, y), Argb(255, 0, 0, 0)) << y;
        EXPECT_EQ(sideways.at(5, y), kSquareColor) << y;
    }
}

TEST(Bevel, NothingToDoLeavesThePictureAsItWas)
{
    std::mt19937 random(8);
    TestPixels noise = RandomPixels(random, 13, 11);
    BevelLight dark = kWhiteOverBlack;
    dark.lightOpacity = 0;
    dark.shadowOpacity = 0;
    EXPECT_EQ(Filtered(noise, BevelWith(dark)).argb, noise.argb);
    TestPixels transparent(13, 11, Argb(0, 5, 6, 7));
    EXPECT_EQ(Filtered(transparent, BevelWith(kWhiteOverBlack)).argb, transparent.argb);
    BevelLight badDepth = kWhiteOverBlack;
    badDepth.depth = 4;
    EXPECT_EQ(Filtered(noise, BevelWith(badDepth)).argb, noise.argb);
}

TEST(Borderize, BandAlphasByHowManyWindowPixelsAreNotOpaque)
{
    const uint32_t opaque = Argb(255, 10, 20, 30), band = 0x00C08040;  // red 0x40, green 0x80, blue 0xC0
    const uint32_t bandColor = 0x4080C0;
    TestPixels source(9, 9, opaque);
    source.at(3, 4) = source.at(4, 4) = source.at(5, 4) = 0;  // a hole three pixels long
    TestPixels result = Filtered(source, BorderizeWith(band, 3));
    EXPECT_EQ(result.at(4, 3), ColorOver(bandColor, 225, opaque));  // sees three holes
    EXPECT_EQ(result.at(3, 3), ColorOver(bandColor, 150, opaque));  // sees two
    EXPECT_EQ(result.at(2, 3), ColorOver(bandColor, 60, opaque));   // sees one
    EXPECT_EQ(result.at(1, 3), opaque);
    EXPECT_EQ(result.at(4, 1), opaque);
    EXPECT_EQ(result.at(4, 4) >> 24, 0u);  // the hole stays transparent
}

TEST(Borderize, StraightEdgesNarrowShapesAndOpaquePictures)
{
    const uint32_t opaque = Argb(255, 200, 100, 50);
    TestPixels half = RectangleOn(10, 6, 0, 0, 5, 6, opaque);
    TestPixels result = Filtered(half, BorderizeWith(0x0000FF, 3));
    for (int y = 0; y < 6; y++) {
        EXPECT_EQ(result.at(4, y), ColorOver(0xFF0000, 225, opaque)) << y;
        EXPECT_EQ(result.at(3, y), opaque) << y;
        for (int x = 5; x < 10; x++)
            EXPECT_EQ(result.at(x, y), 0u) << x << "," << y;
    }
    // A bar two pixels wide is all border at depth 5, in the color at full strength.
    TestPixels bar = RectangleOn(8, 8, 3, 0, 5, 8, opaque);
    TestPixels barResult = Filtered(bar, BorderizeWith(0x00FF00, 5));
    for (int y = 0; y < 8; y++)
        for (int x = 3; x < 5; x++)
            EXPECT_EQ(barResult.at(x, y), Argb(255, 0, 255, 0)) << x << "," << y;
    TestPixels full(7, 5, opaque);
    for (int depth : {3, 5, 7, 9})
        EXPECT_EQ(Filtered(full, BorderizeWith(0xFFFFFF, depth)).argb, full.argb) << depth;
}

TEST(Borderize, MatchesTheWindowCountsOnRandomPictures)
{
    std::mt19937 random(4);
    for (int depth : {3, 5, 7, 9}) {
        TestPixels source = RandomPixels(random, 23, 17);
        TestPixels result = Filtered(source, BorderizeWith(0x123456, depth));
        const std::vector<int> counts = ReferenceOpaqueCounts(source.View(), depth);
        for (int i = 0; i < int(counts.size()); i++) {
            const int missing = depth * depth - counts[i];
            uint32_t expected = source.argb[i];
            if (missing > 0) {
                const uint32_t alpha = missing == 1 ? 60 : missing == 2 ? 150 : missing == 3 ? 225 : expected >> 24;
                const uint32_t top = alpha << 24 | 0x563412;
                BlendPixelOver(reinterpret_cast<const uint8_t*>(&top), reinterpret_cast<uint8_t*>(&expected));
                expected = (expected & 0xFFFFFF) | (source.argb[i] & 0xFF000000);
            }
            ASSERT_EQ(result.argb[i], expected) << "depth " << depth << " pixel " << i;
        }
    }
}

TEST(Shadows, DropShadowWithoutOffsetOrBlurLiesExactlyUnderTheShape)
{
    TestPixels source = RectangleOn(9, 7, 2, 1, 7, 6, Argb(255, 10, 200, 30));
    source.at(3, 3) = Argb(100, 250, 0, 0);  // shows the shadow through it
    const ShadowSettings shadow = {ShadowKind::kDrop, 0xFF0000FF, 100, 0, 0, 0};
    TestPixels result = Filtered(source, ShadowWith(shadow));
    for (int i = 0; i < int(source.argb.size()); i++) {
        const uint32_t alpha = source.argb[i] >> 24;
        uint32_t expected = alpha ? (alpha << 24 | 0x0000FF) : 0;
        BlendPixelOver(reinterpret_cast<const uint8_t*>(&source.argb[i]), reinterpret_cast<uint8_t*>(&expected));
        ASSERT_EQ(result.argb[i], expected) << i;
    }
    EXPECT_NE(result.at(3, 3), source.at(3, 3));
}

TEST(Shadows, DropShadowFallsBesideTheShapeAtTheOffset)
{
    TestPixels source = RectangleOn(12, 12, 2, 2, 6, 6, Argb(255, 255, 255, 255));
    const ShadowSettings shadow = {ShadowKind::kDrop, 0x000000, 50, 3, 4, 0};
    TestPixels result = Filtered(source, ShadowWith(shadow));
    for (int y = 0; y < 12; y++)
        for (int x = 0; x < 12; x++) {
            const bool inShape = x >= 2 && x < 6 && y >= 2 && y < 6;
            const bool inShadow = x >= 5 && x < 9 && y >= 6 && y < 10;
            const uint32_t expected = inShape ? Argb(255, 255, 255, 255) : (inShadow ? Argb(127, 0, 0, 0) : 0);
            ASSERT_EQ(result.at(x, y), expected) << x << "," << y;
        }
}

TEST(Shadows, InnerShadowFillsTheRimTheMovedShapeUncovers)
{
    const uint32_t color = Argb(255, 100, 150, 200);
    TestPixels source = RectangleOn(14, 14, 2, 2, 12, 12, color);
    TestPixels unmoved = Filtered(source, ShadowWith({ShadowKind::kInner, 0x000000, 100, 0, 0, 7}));
    EXPECT_EQ(unmoved.argb, source.argb);
    TestPixels result = Filtered(source, ShadowWith({ShadowKind::kInner, 0xFF0000, 100, 2, 2, 0}));
    for (int y = 0; y < 14; y++)
        for (int x = 0; x < 14; x++) {
            const bool inShape = x >= 2 && x < 12 && y >= 2 && y < 12;
            const bool rim = inShape && (x < 4 || y < 4);
            ASSERT_EQ(result.at(x, y), rim ? Argb(255, 255, 0, 0) : source.at(x, y)) << x << "," << y;
        }
    // A blurred shadow still stays inside the shape and darkens the rim most.
    TestPixels soft = Filtered(source, ShadowWith({ShadowKind::kInner, 0x000000, 100, 2, 2, 5}));
    for (int y = 0; y < 14; y++)
        for (int x = 0; x < 14; x++)
            ASSERT_EQ(soft.at(x, y) >> 24, source.at(x, y) >> 24) << x << "," << y;
    EXPECT_LT(soft.at(2, 6) & 0xFF, soft.at(8, 8) & 0xFF);
}
