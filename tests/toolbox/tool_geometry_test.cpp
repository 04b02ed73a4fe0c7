// Button placement and the hit test of the toolbox.
#include <gtest/gtest.h>

#include "panels/toolbox/tool_geometry.h"

TEST(ToolGeometry, ButtonsSitInTwoColumnsOfTwentyFourPixels)
{
    struct Case {
        int n, x, y;
    };
    for (const Case& c : {Case{0, 6, 10}, Case{1, 30, 10}, Case{2, 6, 34}, Case{13, 30, 154},
                          Case{20, 6, 250}, Case{21, 30, 250}}) {
        const ButtonOrigin origin = ButtonOriginOf(c.n);
        EXPECT_EQ(origin.x, c.x) << "button " << c.n;
        EXPECT_EQ(origin.y, c.y) << "button " << c.n;
    }
}

TEST(ToolGeometry, EveryPixelOfAButtonHitsThatButton)
{
    for (int n = 0; n < kToolCount; ++n) {
        const ButtonOrigin origin = ButtonOriginOf(n);
        for (int dy = 0; dy < kButtonSize; ++dy)
            for (int dx = 0; dx < kButtonSize; ++dx)
                ASSERT_EQ(HitTestButton(origin.x + dx, origin.y + dy), n)
                    << "(" << origin.x + dx << ", " << origin.y + dy << ")";
    }
}

TEST(ToolGeometry, PointsBesideTheButtonsHitNothing)
{
    struct Case {
        int x, y;
    };
    // Right of the columns, left of them, above them, and the row a 23rd tool would take.
    for (const Case& c : {Case{54, 20}, Case{59, 100}, Case{5, 20}, Case{-3, 20}, Case{20, 9},
                          Case{20, -1}, Case{10, 275}, Case{40, 297}, Case{30, 490}}) {
        EXPECT_EQ(HitTestButton(c.x, c.y), kNoButton) << "(" << c.x << ", " << c.y << ")";
    }
    EXPECT_EQ(HitTestButton(53, 20), 1);
    EXPECT_EQ(HitTestButton(53, 273), 21);
}
