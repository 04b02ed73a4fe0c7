// Halving a picture drawn at twice the size: the 2 x 2 blocks averaged by alpha.
#include <gtest/gtest.h>

#include "common/pixel_filters/resample.h"
#include "filter_test_support.h"

namespace {

// The 2 x 2 block of four given pixels, halved to one.
uint32_t HalvedBlock(uint32_t a, uint32_t b, uint32_t c, uint32_t d)
{
    TestPixels block(2, 2);
    block.at(0, 0) = a;
    block.at(1, 0) = b;
    block.at(0, 1) = c;
    block.at(1, 1) = d;
    TestPixels half(1, 1, 0xDEADBEEF);
    HalveByAveraging(block.View(), half.View());
    return half.at(0, 0);
}

}  // namespace

TEST(HalveByAveraging, TransparentPixelsLendNoColor)
{
    // Half covered by opaque red: red at half alpha, not a red darkened by the black of
    // the transparent pixels.
    EXPECT_EQ(HalvedBlock(0xFFFF0000, 0, 0xFFFF0000, 0), 0x80FF0000u);
    EXPECT_EQ(HalvedBlock(0, 0, 0, 0x00FFFFFF), 0u);
    EXPECT_EQ(HalvedBlock(0x40102030, 0x40102030, 0x40102030, 0x40102030), 0x40102030u);
}

TEST(HalveByAveraging, WeighsColorsByAlphaAndRounds)
{
    // Alphas 255 and 85 (3 : 1): red (255 x 255 + 0 x 85) / 340 = 191.25 -> 191;
    // blue (0 x 255 + 255 x 85) / 340 = 63.75 -> 64; alpha 340 / 4 = 85.
    EXPECT_EQ(HalvedBlock(0xFFFF0000, 0x550000FF, 0, 0), 0x55BF0040u);
    // A mean alpha that rounds to 0 is transparent through and through.
    EXPECT_EQ(HalvedBlock(0x01FFFFFF, 0, 0, 0), 0u);
    EXPECT_EQ(HalvedBlock(0x02FFFFFF, 0, 0, 0), 0x01FFFFFFu);
}

TEST(HalveByAveraging, MatchesTheAverageOfEveryBlockOfARandomPicture)
{
    std::mt19937 random(7);
    TestPixels source = RandomPixels(random, 34, 18);
    TestPixels half(17, 9, 0xDEADBEEF);
    HalveByAveraging(source.View(), half.View());
    for (int y = 0; y < 9; y++)
        for (int x = 0; x < 17; x++) {
            double alpha = 0, red = 0, green = 0, blue = 0;
            for (int dy = 0; dy < 2; dy++)
                for (int dx = 0; dx < 2; dx++) {
                    const uint32_t p = source.at(2 * x + dx, 2 * y + dy);
                    const double a = p >> 24;
                    alpha += a;
                    red += a * ((p >> 16) & 0xFF);
                    green += a * ((p >> 8) & 0xFF);
                    blue += a * (p & 0xFF);
                }
            const uint32_t got = half.at(x, y);
            ASSERT_NEAR(double(got >> 24), alpha / 4, 0.5) << x << "," << y;
            if (got >> 24 == 0) {
                ASSERT_EQ(got, 0u);
                continue;
            }
            EXPECT_NEAR(double((got >> 16) & 0xFF), red / alpha, 0.5);
            EXPECT_NEAR(double((got >> 8) & 0xFF), green / alpha, 0.5);
            EXPECT_NEAR(double(got & 0xFF), blue / alpha, 0.5);
        }
}
