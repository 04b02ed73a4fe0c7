// Clipboard pictures: the block Copy makes, and every picture form Paste reads.
#include <gtest/gtest.h>

#include <cstring>

#include "core/byte_io.h"
#include "core/clipboard_dib.h"
#include "portable_pixels.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Dib {
    int32_t width, height;
    uint16_t bits;
    uint32_t compression = 0;
    uint32_t colorsUsed = 0;
    uint32_t headerSize = 40;
    Bytes afterHeader;  // masks
    Bytes table;        // B, G, R, 0 per entry
    Bytes rows;
};

Bytes Build(const Dib& dib)
{
    Bytes block(dib.headerSize, 0);
    WriteU32(&block[0], dib.headerSize);
    WriteU32(&block[4], uint32_t(dib.width));
    WriteU32(&block[8], uint32_t(dib.height));
    WriteU16(&block[12], 1);
    WriteU16(&block[14], dib.bits);
    WriteU32(&block[16], dib.compression);
    WriteU32(&block[32], dib.colorsUsed);
    for (const Bytes* part : {&dib.afterHeader, &dib.table, &dib.rows})
        block.insert(block.end(), part->begin(), part->end());
    return block;
}

Bytes Masks(uint32_t red, uint32_t green, uint32_t blue)
{
    Bytes masks(12);
    WriteU32(&masks[0], red);
    WriteU32(&masks[4], green);
    WriteU32(&masks[8], blue);
    return masks;
}

std::vector<uint32_t> Decode(const Bytes& block, bool* ok)
{
    DecodedPicture picture;
    *ok = DecodeClipboardBlock(block.data(), block.size(), &picture);
    std::vector<uint32_t> pixels;
    if (*ok)
        for (int y = 0; y < picture.height; y++)
            for (int x = 0; x < picture.width; x++)
                pixels.push_back(PixelAt(picture.View(), x, y));
    return pixels;
}

const Bytes kBlackWhite = {0, 0, 0, 0, 255, 255, 255, 0};

}  // namespace

TEST(ClipboardDib, CopyBlockIsAThirtyTwoBitIconImageWithItsOwnHeight)
{
    TestPixels pixels(33, 2);
    for (int i = 0; i < 66; i++)
        pixels.argb[i] = Argb(uint32_t(i * 3), 10, 20, uint32_t(i));
    const size_t size = ClipboardBlockSize(33, 2);
    ASSERT_EQ(size, 40u + (33 * 4 + 8) * 2) << "the mask part has 8 bytes per row";
    Bytes block(size);
    ASSERT_TRUE(EncodeClipboardBlock(pixels.View(), block.data(), block.size()));
    EXPECT_EQ(ReadU32(&block[0]), 40u);
    EXPECT_EQ(ReadU32(&block[4]), 33u);
    EXPECT_EQ(ReadU32(&block[8]), 2u) << "not the doubled icon height";
    EXPECT_EQ(ReadU16(&block[14]), 32);
    EXPECT_EQ(ReadU32(&block[16]), 0u);
    // The first stored row is the bottom one.
    EXPECT_EQ(ReadU32(&block[40]), pixels.at(0, 1));
    bool ok = false;
    std::vector<uint32_t> back = Decode(block, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(back, pixels.argb) << "alpha included";
}

TEST(ClipboardDib, ReadsEveryDepth)
{
    struct Case {
        const char* name;
        Dib dib;
        std::vector<uint32_t> expected;  // rows top to bottom
    };
    const Case cases[] = {
        {"1 bit, black and white", {3, 2, 1, 0, 0, 40, {}, kBlackWhite, {0xA0, 0, 0, 0, 0x40, 0, 0, 0}},
         {0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}},
        {"4 bits, high nibble first", {3, 1, 4, 0, 2, 40, {}, {1, 2, 3, 0, 4, 5, 6, 0}, {0x01, 0x00, 0, 0}},
         {0xFF030201, 0xFF060504, 0xFF030201}},
        {"8 bits, rows padded to 4", {5, 2, 8, 0, 3, 40, {}, {9, 9, 9, 0, 1, 1, 1, 0, 2, 2, 2, 0},
                                      {2, 2, 2, 2, 2, 0, 0, 0, 0, 1, 0, 1, 0, 1, 0, 0}},
         {0xFF090909, 0xFF010101, 0xFF090909, 0xFF010101, 0xFF090909,
          0xFF020202, 0xFF020202, 0xFF020202, 0xFF020202, 0xFF020202}},
        {"24 bits", {2, 1, 24, 0, 0, 40, {}, {}, {1, 2, 3, 4, 5, 6, 0, 0}}, {0xFF030201, 0xFF060504}},
        {"32 bits, alpha all zero", {2, 1, 32, 0, 0, 40, {}, {}, {1, 2, 3, 0, 4, 5, 6, 0}}, {0x00030201, 0x00060504}},
        {"32 bits, partial alpha", {1, 2, 32, 0, 0, 40, {}, {}, {1, 2, 3, 0x80, 4, 5, 6, 0xFF}},
         {0xFF060504, 0x80030201}},
        {"32 bits, top row first", {1, -2, 32, 0, 0, 40, {}, {}, {1, 2, 3, 0x80, 4, 5, 6, 0xFF}},
         {0x80030201, 0xFF060504}},
        {"32 bits, usual masks after the header", {1, 1, 32, 3, 0, 40, Masks(0xFF0000, 0xFF00, 0xFF), {}, {1, 2, 3, 4}},
         {0x04030201}},
        {"32 bits, masks inside a version 5 header", {1, 1, 32, 3, 0, 124, {}, {}, {1, 2, 3, 4}}, {0x04030201}},
        {"24 bits with a color table to skip", {1, 1, 24, 0, 1, 40, {}, {7, 7, 7, 0}, {1, 2, 3, 0}}, {0xFF030201}},
    };
    for (const Case& test : cases) {
        Dib dib = test.dib;
        Bytes block = Build(dib);
        if (dib.headerSize == 124) {
            const Bytes masks = Masks(0xFF0000, 0xFF00, 0xFF);
            std::memcpy(&block[40], masks.data(), masks.size());
        }
        bool ok = false;
        EXPECT_EQ(Decode(block, &ok), test.expected) << test.name;
        EXPECT_TRUE(ok) << test.name;
    }
}

TEST(ClipboardDib, RefusesWhatItCannotRead)
{
    struct Case {
        const char* name;
        Bytes block;
    };
    const Bytes row32 = {1, 2, 3, 4};
    Bytes shortTable = Build({2, 2, 8, 0, 0, 40, {}, Bytes(8, 0), Bytes(8, 0)});
    const Case cases[] = {
        {"shorter than a header", Bytes(39, 0)},
        {"rows missing", Build({2, 2, 32, 0, 0, 40, {}, {}, Bytes(12, 0)})},
        {"a color table the block does not hold", shortTable},
        {"unusual masks", Build({1, 1, 32, 3, 0, 40, Masks(0xFF, 0xFF00, 0xFF0000), {}, row32})},
        {"masks on a 24-bit picture", Build({1, 1, 24, 3, 0, 40, Masks(0xFF0000, 0xFF00, 0xFF), {}, row32})},
        {"run-length compression", Build({1, 1, 8, 1, 1, 40, {}, {0, 0, 0, 0}, row32})},
        {"16 bits", Build({1, 1, 16, 0, 0, 40, {}, {}, row32})},
        {"zero width", Build({0, 1, 32, 0, 0, 40, {}, {}, row32})},
        {"zero height", Build({1, 0, 32, 0, 0, 40, {}, {}, row32})},
        {"header size past the block", Build({1, 1, 32, 0, 0, 40, {}, {}, row32})},
        {"a huge color count", Build({1, 1, 8, 0, 0x40000000, 40, {}, {}, row32})},
    };
    for (const Case& test : cases) {
        Bytes block = test.block;
        if (std::string(test.name) == "header size past the block")
            WriteU32(&block[0], 1000);
        bool ok = true;
        Decode(block, &ok);
        EXPECT_FALSE(ok) << test.name;
    }
}

// A color index past a short color table paints black instead of reading past the table.
TEST(ClipboardDib, IndexesPastTheTableAreBlack)
{
    const Bytes block = Build({2, 1, 8, 0, 1, 40, {}, {10, 20, 30, 0}, {0, 5, 0, 0}});
    bool ok = false;
    EXPECT_EQ(Decode(block, &ok), (std::vector<uint32_t>{0xFF1E140A, 0xFF000000}));
    EXPECT_TRUE(ok);
}
