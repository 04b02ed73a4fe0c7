// The user-defined kernel.
#include <gtest/gtest.h>

#include <vector>

#include "filter_test_support.h"
#include "filters/filter_routines.h"
#include "reference_filters.h"

namespace {

PixelFilter Custom(const std::vector<int32_t>& weights, int size, int scale, int offset)
{
    return [&weights, size, scale, offset](const PixelView& s, const PixelView& r) {
        CustomFilter({weights.data(), size, scale, offset}, s, r);
    };
}

}  // namespace

TEST(CustomFilter, KernelsWithKnownResults)
{
    std::mt19937 random(2);
    TestPixels source = RandomPixels(random, 8, 6);
    const std::vector<int32_t> zero(25, 0);
    EXPECT_EQ(Filtered(source, Custom(zero, 5, 1, 0)).argb, TestPixels(8, 6, 0).argb);
    EXPECT_EQ(Filtered(source, Custom(zero, 5, 1, 10)).argb, TestPixels(8, 6, 0x0A0A0A0A).argb);

    std::vector<int32_t> identity(25, 0);
    identity[12] = 1;
    EXPECT_EQ(Filtered(source, Custom(identity, 5, 0, 0)).argb, source.argb) << "scale 0 counts as 1";
    EXPECT_EQ(Filtered(source, Custom(identity, 5, -3, 0)).argb, source.argb) << "negative scale counts as 1";
    identity[12] = 3;
    EXPECT_EQ(Filtered(source, Custom(identity, 5, 3, 0)).argb, source.argb) << "divided by the scale";
    identity[12] = -1;
    TestPixels inverted = Filtered(source, Custom(identity, 5, 1, 255));
    for (size_t i = 0; i < source.argb.size(); i++)
        ASSERT_EQ(inverted.argb[i], ~source.argb[i]) << "255 - every channel, alpha included, at " << i;

    // Row 0 of the kernel is the top row and column 0 the left column.
    std::vector<int32_t> upperLeft(9, 0);
    upperLeft[0] = 1;
    TestPixels shifted = Filtered(source, Custom(upperLeft, 3, 1, 0));
    for (int y = 0; y < 6; y++)
        for (int x = 0; x < 8; x++)
            ASSERT_EQ(shifted.at(x, y), source.at(std::max(x - 1, 0), std::max(y - 1, 0))) << x << "," << y;
}

TEST(CustomFilter, NoTapsForSizeZeroOrLessOrNoKernel)
{
    TestPixels source(3, 3, Argb(255, 1, 2, 3));
    const std::vector<int32_t> none;
    for (int size : {0, -1, -1000})
        EXPECT_EQ(Filtered(source, Custom(none, size, 1, 7)).argb, TestPixels(3, 3, 0x07070707).argb) << size;
    TestPixels result(3, 3);
    CustomFilter({nullptr, 5, 1, 9}, source.View(), result.View());
    EXPECT_EQ(result.argb, TestPixels(3, 3, 0x09090909).argb);
}

TEST(CustomFilter, MatchesTheTapByTapSumForAnyKernel)
{
    std::mt19937 random(9);
    struct Case {
        int size, range, scale, offset;
    } cases[] = {
        {5, 9, 1, 0}, {5, 20, 7, 128}, {3, 4, 0, -50}, {1, 3, 1, 0}, {2, 6, 2, 10}, {4, 5, 3, 0},
        {7, 3, 9, 0}, {5, 1 << 30, 1 << 20, 0},  // sums far beyond 32 bits: added in double
    };
    for (const Case& c : cases) {
        std::vector<int32_t> weights(size_t(c.size) * c.size);
        for (int32_t& weight : weights)
            weight = int32_t(random() % (2u * c.range + 1)) - c.range;
        for (int size : {1, 4, 13}) {
            TestPixels source = RandomPixels(random, size + 2, size);
            const PixelFilter reference = [&](const PixelView& s, const PixelView& r) {
                ReferenceCustomFilter(weights.data(), c.size, c.scale, c.offset, s, r);
            };
            EXPECT_EQ(Filtered(source, Custom(weights, c.size, c.scale, c.offset)).argb, Filtered(source, reference).argb)
                << "kernel " << c.size << " weights up to " << c.range << " on " << size + 2 << "x" << size;
        }
    }
}
