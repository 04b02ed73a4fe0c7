// Raw 32-bit pictures: header, pixel bytes, and blocks too short for their size.
#include <gtest/gtest.h>

#include <cstring>

#include "core/byte_io.h"
#include "core/raw_image.h"
#include "portable_pixels.h"

TEST(RawImage, BuildsAndParsesTheSameBytes)
{
    TestPixels pixels(3, 2);
    for (int i = 0; i < 6; i++)
        pixels.argb[i] = Argb(i * 40, 200, i, 7);  // alpha 0 keeps its color
    std::vector<uint8_t> block = BuildRawImage(pixels.View());
    ASSERT_EQ(block.size(), 16u + 24);
    EXPECT_EQ(std::memcmp(block.data(), "QORVEN32", 8), 0);
    EXPECT_EQ(ReadU32(&block[8]), 3u);
    EXPECT_EQ(ReadU32(&block[12]), 2u);
    PixelView view;
    ASSERT_TRUE(ParseRawImage(block.data(), block.size(), &view));
    EXPECT_EQ(view.width, 3);
    EXPECT_EQ(view.height, 2);
    EXPECT_EQ(PixelAt(view, 0, 0), Argb(0, 200, 0, 7));
    EXPECT_EQ(PixelAt(view, 2, 1), Argb(200, 200, 5, 7));
}

TEST(RawImage, MagicIsNotExaminedButTheLengthIs)
{
    std::vector<uint8_t> block(20, 0);
    std::memcpy(block.data(), "NOTMAGIC", 8);
    WriteU32(&block[8], 1);
    WriteU32(&block[12], 1);
    block[16] = 1, block[17] = 2, block[18] = 3, block[19] = 4;
    PixelView view;
    ASSERT_TRUE(ParseRawImage(block.data(), block.size(), &view));
    EXPECT_EQ(PixelAt(view, 0, 0), Argb(4, 3, 2, 1));

    block.pop_back();
    EXPECT_FALSE(ParseRawImage(block.data(), block.size(), &view)) << "one byte short";
    WriteU32(&block[8], 0xFFFFFFFF);
    EXPECT_FALSE(ParseRawImage(block.data(), block.size(), &view)) << "absurd width";
    EXPECT_FALSE(ParseRawImage(block.data(), 15, &view)) << "no header";
}
