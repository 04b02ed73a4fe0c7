// The transformations' pixel arithmetic, worked out by hand.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "common/pixel_filters/blend.h"
#include "transform/content_pixels.h"

namespace {

// A width x height view over 0xAARRGGBB values (little-endian: blue, green, red, alpha).
struct Picture {
    Picture(int width, int height, std::vector<uint32_t> values) : pixels(std::move(values))
    {
        view.width = width;
        view.height = height;
        view.stride = width * 4;
        view.pixels = reinterpret_cast<uint8_t*>(pixels.data());
    }
    std::vector<uint32_t> pixels;
    PixelView view;
};

TEST(TransformPixels, MirrorsRowsAndColumns)
{
    Picture columns(3, 2, {1, 2, 3, 4, 5, 6});
    MirrorColumns(columns.view);
    EXPECT_EQ(columns.pixels, (std::vector<uint32_t>{3, 2, 1, 6, 5, 4}));
    Picture rows(3, 2, {1, 2, 3, 4, 5, 6});
    MirrorRows(rows.view);
    EXPECT_EQ(rows.pixels, (std::vector<uint32_t>{4, 5, 6, 1, 2, 3}));
}

TEST(TransformPixels, BlankMeansEveryAlphaZero)
{
    struct Case {
        std::vector<uint32_t> pixels;
        bool blank;
    } cases[] = {
        {{0, 0x00FFFFFFu, 0x00123456u, 0}, true},
        {{0, 0, 0x01000000u, 0}, false},
        {{0xFF000000u, 0, 0, 0}, false},
    };
    for (const Case& c : cases) {
        Picture picture(2, 2, c.pixels);
        EXPECT_EQ(IsBlank(picture.view), c.blank);
    }
}

TEST(TransformPixels, CopyBlockFillsOutsideTheSourceWithTransparency)
{
    Picture source(2, 2, {1, 2, 3, 4});
    Picture target(3, 3, std::vector<uint32_t>(9, 0xDEADBEEFu));
    CopyBlock(target.view, source.view, -1, 0);  // the source placed at (1, 0)
    EXPECT_EQ(target.pixels, (std::vector<uint32_t>{0, 1, 2, 0, 3, 4, 0, 0, 0}));
}

TEST(TransformPixels, DrawOverBlendsStraightAlpha)
{
    struct Case {
        uint32_t below, over, expected;
    } cases[] = {
        {0xFF102030u, 0x00FFFFFFu, 0xFF102030u},  // a transparent source leaves the layer
        {0xFF102030u, 0xFF405060u, 0xFF405060u},  // an opaque one replaces it
        {0x00000000u, 0x01C86432u, 0x01C86432u},  // over nothing: exactly the source
        {0xFF000000u, 0x80FF0000u, 0xFF800000u},  // half red over black: 255 * 128 / 255
        {0x80000000u, 0x80FFFFFFu, 0xC0AAAAAAu},  // a = 128 + 128 * 127 / 255, c = 255 * 128 / 192
    };
    for (const Case& c : cases) {
        Picture target(1, 1, {c.below});
        Picture source(1, 1, {c.over});
        DrawOver(source.view, target.view, 0, 0);
        EXPECT_EQ(target.pixels[0], c.expected) << std::hex << c.below << " under " << c.over;
    }
}

TEST(TransformPixels, DrawOverIsClippedToTheTarget)
{
    Picture target(2, 2, {0, 0, 0, 0});
    Picture source(2, 2, {0xFF000001u, 0xFF000002u, 0xFF000003u, 0xFF000004u});
    DrawOver(source.view, target.view, 1, -1);
    EXPECT_EQ(target.pixels, (std::vector<uint32_t>{0, 0xFF000003u, 0, 0}));
}

TEST(TransformPixels, SquareSideAndScaleRanges)
{
    EXPECT_EQ(RotationSquareSide(10, 4), 17);
    EXPECT_EQ(RotationSquareSide(4, 10), 17);
    EXPECT_EQ(RotationSquareSide(1, 1), 3);
    EXPECT_EQ(RotationSquareSide(256, 3), 386);
    EXPECT_EQ(ScaleBarMaximum(300), 300);
    EXPECT_EQ(ScaleBarMaximum(20), 256);
}

}  // namespace

TEST(TransformPixels, QuarterTurnsMoveWholePixels)
{
    // 1 2 3
    // 4 5 6
    struct Case {
        int turns, width, height;
        std::vector<uint32_t> expected;
    } cases[] = {
        {1, 2, 3, {4, 1, 5, 2, 6, 3}},  // clockwise: the left column becomes the top row
        {2, 3, 2, {6, 5, 4, 3, 2, 1}},
        {3, 2, 3, {3, 6, 2, 5, 1, 4}},
    };
    for (const Case& c : cases) {
        Picture source(3, 2, {1, 2, 3, 4, 5, 6});
        Picture target(c.width, c.height, std::vector<uint32_t>(6, 0));
        TurnQuarters(target.view, source.view, c.turns);
        EXPECT_EQ(target.pixels, c.expected) << c.turns;
    }
}
