// The painting brush's arithmetic, the blur dab's block and the masked copy, worked out by hand.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "painting/brush_geometry.h"
#include "painting/masked_copy.h"

namespace {

bool Same(const BrushRect& a, const BrushRect& b)
{
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

}  // namespace

TEST(BrushGeometry, TheBrushRectangleGrowsByOneUpAndLeft)
{
    EXPECT_TRUE(Same(EnlargedBrushRect({0, 0, 32, 32}), {-1, -1, 33, 33}));
    EXPECT_TRUE(Same(EnlargedBrushRect({10, 20, 1, 2}), {9, 19, 2, 3}));
}

TEST(BrushGeometry, SolidBelowTwentyFourBitsAndWhenTheGradientIsOff)
{
    const struct Case {
        int bits;
        bool useGradient;
        GradientForce force;
        uint32_t kind;
        BrushKind expected;
    } cases[] = {
        {1, true, GradientForce::kForced, 1, BrushKind::kSolid},
        {4, true, GradientForce::kAsSet, 2, BrushKind::kSolid},
        {8, true, GradientForce::kForced, 2, BrushKind::kSolid},
        {24, false, GradientForce::kAsSet, 1, BrushKind::kSolid},
        {24, false, GradientForce::kForced, 2, BrushKind::kRadial},
        {32, true, GradientForce::kAsSet, 1, BrushKind::kLinear},
        {32, true, GradientForce::kAsSet, 2, BrushKind::kRadial},
        {32, true, GradientForce::kAsSet, 0, BrushKind::kSolid},
        {32, true, GradientForce::kAsSet, 3, BrushKind::kSolid},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PaintingBrushKind(c.bits, c.useGradient, c.force, c.kind), c.expected)
            << c.bits << " bits, kind " << c.kind;
}

TEST(BrushGeometry, RadialCircleReachesTheFarthestCorner)
{
    const struct Case {
        BrushRect enlarged;
        int cx, cy;
        RadialCircle expected;
    } cases[] = {
        {{-1, -1, 33, 33}, 50, 50, {15, 15, 25}},   // 17, 17: sqrt 578 = 24.04
        {{-1, -1, 33, 33}, 0, 0, {-1, -1, 47}},     // 33, 33: sqrt 2178 = 46.67
        {{9, 19, 21, 11}, 100, 25, {30, 21, 23}},   // 21, 9: sqrt 522 = 22.85
        {{0, 0, 10, 10}, 200, -7, {10, 0, 15}},     // kept at 100 and 0: 10, 10: sqrt 200 = 14.14
    };
    for (const Case& c : cases) {
        const RadialCircle circle = RadialGradientCircle(c.enlarged, c.cx, c.cy);
        EXPECT_EQ(circle.centerX, c.expected.centerX) << c.cx << "," << c.cy;
        EXPECT_EQ(circle.centerY, c.expected.centerY) << c.cx << "," << c.cy;
        EXPECT_EQ(circle.radius, c.expected.radius) << c.cx << "," << c.cy;
    }
}

TEST(BrushGeometry, BlendPointsAreFractionsWithinZeroToOne)
{
    const struct Case {
        float factor, position;
        float expectedFactor, expectedPosition;
    } cases[] = {{30, 70, 0.3f, 0.7f}, {0, 100, 0, 1}, {150, -5, 1, 0}};
    for (const Case& c : cases) {
        const ThreePointBlend blend = BlendFromPercents(c.factor, c.position);
        EXPECT_FLOAT_EQ(blend.factors[0], 0);
        EXPECT_FLOAT_EQ(blend.factors[1], c.expectedFactor);
        EXPECT_FLOAT_EQ(blend.factors[2], 1);
        EXPECT_FLOAT_EQ(blend.positions[0], 0);
        EXPECT_FLOAT_EQ(blend.positions[1], c.expectedPosition);
        EXPECT_FLOAT_EQ(blend.positions[2], 1);
    }
}

TEST(BrushGeometry, BlurDabBlockIsClampedAtTheTopLeftAndCutAtTheFarEdges)
{
    const struct Case {
        int x, y, size, w, h;
        BrushRect expected;
    } cases[] = {
        {0, 0, 10, 32, 32, {0, 0, 10, 10}},
        {20, 12, 10, 32, 32, {15, 7, 10, 10}},
        {30, 31, 8, 32, 32, {26, 27, 6, 5}},
        {5, 5, 1, 32, 32, {5, 5, 1, 1}},
        {3, 3, 50, 16, 16, {0, 0, 16, 16}},
        {15, 15, 2, 16, 16, {14, 14, 2, 2}},
        {15, 15, 3, 16, 16, {14, 14, 2, 2}},
    };
    for (const Case& c : cases) {
        const BrushRect block = BlurDabBlock(c.x, c.y, c.size, c.w, c.h);
        EXPECT_TRUE(Same(block, c.expected)) << c.x << "," << c.y << " size " << c.size << ": " << block.x << ","
                                             << block.y << " " << block.width << " x " << block.height;
    }
}

TEST(MaskedCopy, CopiesOnlyWhereTheRectanglesAndBothPicturesAre)
{
    const struct Case {
        const char* name;
        int sourceLeft, sourceTop;
        std::vector<PixelRect> rects;
        std::vector<uint32_t> expected;  // 4 x 4 target, row by row
    } cases[] = {
        {"whole", 1, 2, {{0, 0, 4, 4}}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 0, 0, 3, 4, 0}},
        {"right half", 1, 2, {{2, 0, 4, 4}}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 4, 0}},
        {"source past the corner", 3, 3, {{0, 0, 9, 9}}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}},
        {"source before the corner", -1, -1, {{-5, -5, 9, 9}}, {4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"two rectangles", 0, 0, {{0, 0, 1, 1}, {1, 1, 2, 2}}, {1, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        std::vector<uint32_t> target(16, 0);
        std::vector<uint32_t> source{1, 2, 3, 4};
        const PixelView targetView{4, 4, 16, reinterpret_cast<uint8_t*>(target.data())};
        const PixelView sourceView{2, 2, 8, reinterpret_cast<uint8_t*>(source.data())};
        CopyPixelsInRects(targetView, sourceView, c.sourceLeft, c.sourceTop, c.rects);
        EXPECT_EQ(target, c.expected) << c.name;
    }
    const std::vector<PixelRect> shifted = ShiftedRects({{1, 2, 3, 4}}, -1, 5);
    ASSERT_EQ(shifted.size(), 1u);
    EXPECT_EQ(shifted[0].left, 0);
    EXPECT_EQ(shifted[0].top, 7);
    EXPECT_EQ(shifted[0].right, 2);
    EXPECT_EQ(shifted[0].bottom, 9);
}
