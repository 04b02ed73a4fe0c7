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

Bytes Masks4(uint32_t red, uint32_t green, uint32_t blue, uint32_t alpha)
{
    Bytes masks = Masks(red, green, blue);
    masks.resize(16);
    WriteU32(&masks[12], alpha);
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
        {"32 bits, alpha all zero is opaque", {2, 1, 32, 0, 0, 40, {}, {}, {1, 2, 3, 0, 4, 5, 6, 0}},
         {0xFF030201, 0xFF060504}},
        {"32 bits, one alpha byte set keeps the zeros transparent", {2, 1, 32, 0, 0, 40, {}, {}, {1, 2, 3, 0, 4, 5, 6, 1}},
         {0x00030201, 0x01060504}},
        {"32 bits, partial alpha", {1, 2, 32, 0, 0, 40, {}, {}, {1, 2, 3, 0x80, 4, 5, 6, 0xFF}},
         {0xFF060504, 0x80030201}},
        {"32 bits, top row first", {1, -2, 32, 0, 0, 40, {}, {}, {1, 2, 3, 0x80, 4, 5, 6, 0xFF}},
         {0x80030201, 0xFF060504}},
        {"32 bits, usual masks after the header", {1, 1, 32, 3, 0, 40, Masks(0xFF0000, 0xFF00, 0xFF), {}, {1, 2, 3, 4}},
         {0x04030201}},
        {"32 bits, masks inside a version 5 header", {1, 1, 32, 3, 0, 124, {}, {}, {1, 2, 3, 4}}, {0x04030201}},
        {"32 bits, red in the low byte", {1, 1, 32, 3, 0, 40, Masks(0xFF, 0xFF00, 0xFF0000), {}, {1, 2, 3, 4}},
         {0x04010203}},
        {"32 bits, masks and an alpha mask after the header", {2, 1, 32, 6, 0, 40,
                                                              Masks4(0xFF0000, 0xFF00, 0xFF, 0xFF000000), {},
                                                              {1, 2, 3, 0, 4, 5, 6, 0x7F}},
         {0x00030201, 0x7F060504}},
        {"16 bits, 5-5-5 without masks", {3, 1, 16, 0, 0, 40, {}, {}, {0xFF, 0x7F, 0x1F, 0x00, 0x10, 0x42, 0, 0}},
         {0xFFFFFFFF, 0xFF0000FF, 0xFF848484}},
        {"16 bits, 5-6-5 masks", {2, 1, 16, 3, 0, 40, Masks(0xF800, 0x07E0, 0x001F), {}, {0xE0, 0x07, 0x00, 0xF8}},
         {0xFF00FF00, 0xFFFF0000}},
        {"16 bits, 4-4-4-4 with alpha", {2, 1, 16, 6, 0, 40, Masks4(0x0F00, 0x00F0, 0x000F, 0xF000), {},
                                         {0x00, 0x8F, 0x3C, 0xF0}},
         {0x88FF0000, 0xFF0033CC}},
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
        {"a mask of scattered bits", Build({1, 1, 32, 3, 0, 40, Masks(0xF0F0, 0xFF0000, 0xFF), {}, row32})},
        {"a channel without a mask", Build({1, 1, 32, 3, 0, 40, Masks(0, 0xFF00, 0xFF), {}, row32})},
        {"a 16-bit mask wider than the pixel", Build({1, 1, 16, 3, 0, 40, Masks(0x1F0000, 0x3E0, 0x1F), {}, row32})},
        {"masks the block does not hold", Build({1, 1, 32, 3, 0, 40, {}, {}, Bytes(8, 0)})},
        {"masks on a 24-bit picture", Build({1, 1, 24, 3, 0, 40, Masks(0xFF0000, 0xFF00, 0xFF), {}, row32})},
        {"run-length compression", Build({1, 1, 8, 1, 1, 40, {}, {0, 0, 0, 0}, row32})},
        {"masks on an 8-bit picture", Build({1, 1, 8, 3, 1, 40, Masks(0xFF0000, 0xFF00, 0xFF), {0, 0, 0, 0}, row32})},
        {"16 bits, rows missing", Build({3, 2, 16, 0, 0, 40, {}, {}, Bytes(15, 0)})},
        {"wider than a clipboard picture may be", Build({16385, 1, 32, 0, 0, 40, {}, {}, Bytes(16385 * 4, 0)})},
        {"taller than a clipboard picture may be, top row first", Build({1, -16385, 8, 0, 1, 40, {}, {0, 0, 0, 0},
                                                                        Bytes(16385 * 4, 0)})},
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

// Paste prefers a version 5 block only when its header names an alpha mask.
TEST(ClipboardDib, VersionFiveBlocksWithAnAlphaMask)
{
    struct Case {
        const char* name;
        uint32_t headerSize;
        uint16_t bits;
        uint32_t alphaMask;
        size_t blockSize;
        bool expected;
    };
    const Case cases[] = {
        {"32 bits, alpha in the fourth byte", 124, 32, 0xFF000000, 128, true},
        {"16 bits, alpha in the top bit", 124, 16, 0x8000, 128, true},
        {"no alpha mask", 124, 32, 0, 128, false},
        {"a plain header has no alpha mask field", 40, 32, 0xFF000000, 128, false},
        {"24 bits", 124, 24, 0xFF000000, 128, false},
        {"a block cut before the alpha mask", 124, 32, 0xFF000000, 55, false},
    };
    for (const Case& test : cases) {
        Bytes block(128, 0);
        WriteU32(&block[0], test.headerSize);
        WriteU16(&block[14], test.bits);
        WriteU32(&block[52], test.alphaMask);
        EXPECT_EQ(ClipboardBlockHasAlphaMask(block.data(), test.blockSize), test.expected) << test.name;
    }
}

TEST(ClipboardDib, PngSizeComesFromItsHeaderChunk)
{
    auto png = [](uint32_t width, uint32_t height) {
        Bytes bytes = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
        for (uint32_t value : {width, height})
            for (int shift : {24, 16, 8, 0})
                bytes.push_back(uint8_t(value >> shift));
        for (uint8_t byte : {8, 6, 0, 0, 0, 1, 2, 3, 4})  // depth, RGBA, methods, CRC
            bytes.push_back(byte);
        return bytes;
    };
    struct Case {
        const char* name;
        Bytes bytes;
        bool ok;
        int width, height;
    };
    Bytes badSignature = png(3, 2), otherChunk = png(3, 2), longChunk = png(3, 2);
    badSignature[1] = 'p';
    otherChunk[12] = 'i';
    longChunk[11] = 14;
    const Bytes full = png(300, 20);
    const Case cases[] = {
        {"300 x 20", full, true, 300, 20},
        {"the largest side we take", png(16384, 1), true, 16384, 1},
        {"wider than that", png(16385, 1), false, 0, 0},
        {"taller than that", png(1, 0x80000000u), false, 0, 0},
        {"no width", png(0, 5), false, 0, 0},
        {"not a PNG signature", badSignature, false, 0, 0},
        {"another chunk first", otherChunk, false, 0, 0},
        {"a header chunk of the wrong length", longChunk, false, 0, 0},
        {"cut inside the header chunk", Bytes(full.begin(), full.end() - 5), false, 0, 0},
    };
    for (const Case& test : cases) {
        int width = 0, height = 0;
        EXPECT_EQ(ReadPngSize(test.bytes.data(), test.bytes.size(), &width, &height), test.ok) << test.name;
        EXPECT_EQ(width, test.width) << test.name;
        EXPECT_EQ(height, test.height) << test.name;
    }
}
