// Icon and cursor file layout: directory parsing, block sizes, encoding and decoding.
#include <gtest/gtest.h>

#include <cstring>

#include "core/byte_io.h"
#include "core/ico_format.h"
#include "core/palettes.h"
#include "portable_pixels.h"

namespace {

struct Decoded {
    bool ok;
    DecodedPicture picture;
};

Decoded Decode(const std::vector<uint8_t>& block)
{
    Decoded d;
    d.ok = DecodeIconBlock(block.data(), block.size(), &d.picture);
    return d;
}

std::vector<uint8_t> Encode(TestPixels& pixels, int bits)
{
    std::vector<uint8_t> block(IconBlockSize(pixels.width, pixels.height, bits));
    EXPECT_TRUE(EncodeIconBlock(pixels.View(), bits, block.data(), block.size()));
    return block;
}

uint32_t DecodedAt(Decoded& d, int x, int y)
{
    return PixelAt(d.picture.View(), x, y);
}

bool InPalette(uint32_t rgb, const PaletteColor* palette, int count)
{
    for (int i = 0; i < count; i++)
        if (palette[i] == rgb)
            return true;
    return false;
}

// A hand-made block: header fields as given, then `payload` bytes.
std::vector<uint8_t> HandBlock(int width, int doubledHeight, int bits, uint32_t compression,
                               uint32_t colorsUsed, const std::vector<uint8_t>& payload)
{
    std::vector<uint8_t> block(40);
    WriteU32(&block[0], 40);
    WriteU32(&block[4], uint32_t(width));
    WriteU32(&block[8], uint32_t(doubledHeight));
    WriteU16(&block[12], 1);
    WriteU16(&block[14], uint16_t(bits));
    WriteU32(&block[16], compression);
    WriteU32(&block[32], colorsUsed);
    ByteWriter{block}.Bytes(payload.data(), payload.size());
    return block;
}

}  // namespace

TEST(IconBlockSize, FollowsTheSizeRule)
{
    struct Case {
        int width, height, bits;
        uint32_t size;
    } cases[] = {
        {16, 16, 1, 176},           // 40 + 8 + 64 + 64
        {16, 16, 4, 296},           // 40 + 64 + 128 + 64
        {32, 32, 8, 2216},          // 40 + 1024 + 1024 + 128
        {16, 16, 24, 872},          // 40 + 768 + 64
        {256, 256, 32, 270376},     // 40 + 262144 + 8192
        {3, 1, 24, 56},             // 9 bytes of row padded to 12
        {16, 16, 16, 0},            // no encoding
        {16, 16, 2, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IconBlockSize(c.width, c.height, c.bits), c.size) << c.width << "x" << c.height << "x" << c.bits;
}

TEST(EncodeIconBlock, OneBitWhiteSquareHasTheDocumentedBytes)
{
    TestPixels white(16, 16, Argb(255, 255, 255, 255));
    std::vector<uint8_t> block = Encode(white, 1);
    ASSERT_EQ(block.size(), 176u);
    EXPECT_EQ(ReadU32(&block[0]), 40u);
    EXPECT_EQ(ReadI32(&block[4]), 16);
    EXPECT_EQ(ReadI32(&block[8]), 32);
    EXPECT_EQ(ReadU16(&block[12]), 1);
    EXPECT_EQ(ReadU16(&block[14]), 1);
    EXPECT_EQ(ReadU32(&block[16]), 0u);
    EXPECT_EQ(ReadU32(&block[20]), 64u);
    for (int i = 24; i < 40; i++)
        EXPECT_EQ(block[i], 0) << "header byte " << i;
    const uint8_t table[8] = {0, 0, 0, 0, 255, 255, 255, 0};
    EXPECT_EQ(std::memcmp(&block[40], table, 8), 0);
    for (int row = 0; row < 16; row++) {
        const uint8_t* pixels = &block[48 + row * 4];
        EXPECT_EQ(pixels[0], 0xFF);
        EXPECT_EQ(pixels[1], 0xFF);
        EXPECT_EQ(pixels[2], 0);  // padding stays zero
        EXPECT_EQ(pixels[3], 0);
    }
    for (int i = 112; i < 176; i++)
        EXPECT_EQ(block[i], 0) << "mask byte " << i;
}

TEST(EncodeIconBlock, MaskRuleDependsOnTheDepth)
{
    // Alpha 128 survives at 32 bits with mask bit 0; at 24 bits the mask bit is 1.
    TestPixels pixels(1, 1, Argb(128, 10, 20, 30));
    std::vector<uint8_t> deep = Encode(pixels, 32);
    EXPECT_EQ(deep[40 + 3], 128);
    EXPECT_EQ(deep[44], 0x00);
    std::vector<uint8_t> shallow = Encode(pixels, 24);
    EXPECT_EQ(shallow[44], 0x80);
    // A fully transparent pixel is masked at 32 bits too.
    TestPixels clear(1, 1, Argb(0, 10, 20, 30));
    EXPECT_EQ(Encode(clear, 32)[44], 0x80);
}

TEST(EncodeIconBlock, RowsAreStoredBottomUpAndTheSourceIsLeftAlone)
{
    TestPixels pixels(2, 2);
    pixels.at(0, 0) = Argb(255, 1, 2, 3);
    pixels.at(1, 0) = Argb(255, 4, 5, 6);
    pixels.at(0, 1) = Argb(255, 7, 8, 9);
    pixels.at(1, 1) = Argb(255, 10, 11, 12);
    const TestPixels before = pixels;
    std::vector<uint8_t> block = Encode(pixels, 24);
    const uint8_t firstStoredRow[8] = {9, 8, 7, 12, 11, 10, 0, 0};  // bottom row, BGR
    EXPECT_EQ(std::memcmp(&block[40], firstStoredRow, 8), 0);
    EXPECT_EQ(pixels.argb, before.argb);
}

TEST(IconRoundTrip, EveryDepthReadsBackAsItsRulesSay)
{
    for (int bits : {1, 4, 8, 24, 32}) {
        TestPixels pixels(19, 7);
        for (int y = 0; y < 7; y++)
            for (int x = 0; x < 19; x++)
                pixels.at(x, y) = Argb((x * 37 + y * 11) % 256, x * 13, y * 31, (x + y) * 7);
        Decoded d = Decode(Encode(pixels, bits));
        ASSERT_TRUE(d.ok) << bits;
        ASSERT_EQ(d.picture.width, 19);
        ASSERT_EQ(d.picture.height, 7);
        EXPECT_EQ(d.picture.bitsPerPixel, bits);
        int count = 0;
        const PaletteColor* palette = PaletteForDepth(bits, &count);
        for (int y = 0; y < 7; y++)
            for (int x = 0; x < 19; x++) {
                const uint32_t in = pixels.at(x, y), out = DecodedAt(d, x, y);
                const uint32_t alpha = in >> 24;
                if (bits == 32) {
                    EXPECT_EQ(out, alpha == 0 ? 0u : in) << x << "," << y;
                } else if (alpha != 255) {
                    EXPECT_EQ(out, 0u) << bits << " bits at " << x << "," << y;
                } else if (bits == 24) {
                    EXPECT_EQ(out, in);
                } else {
                    EXPECT_EQ(out >> 24, 255u);
                    EXPECT_TRUE(InPalette(out & 0xFFFFFF, palette, count)) << bits << " bits: " << std::hex << out;
                }
            }
    }
}

TEST(IconFile, WrittenFileHasHeaderEntriesThenBlocks)
{
    TestPixels big(256, 256, Argb(255, 1, 2, 3));
    TestPixels small(16, 16, Argb(255, 255, 255, 255));
    std::vector<uint8_t> file = BuildIconFile(kCursorFileType, {{big.View(), 32, 5, 6}, {small.View(), 1, 300, 7}});
    ASSERT_EQ(file.size(), 6u + 32 + 270376 + 176);
    EXPECT_EQ(ReadU16(&file[0]), 0);
    EXPECT_EQ(ReadU16(&file[2]), 2);
    EXPECT_EQ(ReadU16(&file[4]), 2);
    // 256 is stored as 0; color count 0 at 32 bits, 2 at 1 bit; cursor hot spots.
    const uint8_t entry0[16] = {0, 0, 0, 0, 5, 0, 6, 0, 0x28, 0x20, 0x04, 0, 38, 0, 0, 0};
    EXPECT_EQ(std::memcmp(&file[6], entry0, 16), 0);
    const uint8_t entry1[16] = {16, 16, 2, 0, 0x2C, 0x01, 7, 0, 176, 0, 0, 0, 0x4E, 0x20, 0x04, 0};
    EXPECT_EQ(std::memcmp(&file[22], entry1, 16), 0);

    IconDirectory directory;
    ASSERT_TRUE(ParseIconDirectory(file.data(), file.size(), true, &directory));
    ASSERT_EQ(directory.entries.size(), 2u);
    Decoded d;
    d.ok = DecodeIconBlock(&file[directory.entries[0].blockOffset], directory.entries[0].blockSize, &d.picture);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.picture.width, 256);
    EXPECT_EQ(d.picture.height, 256);
}

TEST(IconFile, SingleIconHasItsBlockAtOffset22)
{
    TestPixels pixels(16, 16, Argb(255, 255, 255, 255));
    std::vector<uint8_t> file = BuildIconFile(kIconFileType, {{pixels.View(), 1, 9, 9}});
    ASSERT_EQ(file.size(), 22u + 176);
    const uint8_t entry[16] = {16, 16, 2, 0, 1, 0, 1, 0, 176, 0, 0, 0, 22, 0, 0, 0};
    EXPECT_EQ(std::memcmp(&file[6], entry, 16), 0);
    std::vector<uint8_t> block = Encode(pixels, 1);
    EXPECT_EQ(std::memcmp(&file[22], block.data(), block.size()), 0);
}

TEST(IconFile, DepthWithoutEncodingIsWrittenAt32Bits)
{
    TestPixels pixels(4, 4, Argb(255, 9, 8, 7));
    std::vector<uint8_t> file = BuildIconFile(kIconFileType, {{pixels.View(), 16, 0, 0}});
    IconDirectory directory;
    ASSERT_TRUE(ParseIconDirectory(file.data(), file.size(), false, &directory));
    EXPECT_EQ(directory.entries[0].bitsOrHotspotY, 32);
    EXPECT_EQ(directory.entries[0].blockSize, IconBlockSize(4, 4, 32));
}

TEST(IconDirectoryParse, RefusesWhatTheFileDoesNotBack)
{
    TestPixels pixels(2, 2, Argb(255, 1, 1, 1));
    const std::vector<uint8_t> good = BuildIconFile(kIconFileType, {{pixels.View(), 32, 0, 0}});
    IconDirectory directory;
    ASSERT_TRUE(ParseIconDirectory(good.data(), good.size(), false, &directory));

    struct Case {
        const char* what;
        size_t at;
        std::vector<uint8_t> bytes;
        size_t keep;  // bytes of the file kept; 0 = all
        bool acceptCursor;
    } cases[] = {
        {"reserved not zero", 0, {1}, 0, true},
        {"unknown type", 2, {3}, 0, true},
        {"cursor type with the icon reader", 2, {2}, 0, false},
        {"entry runs past the file", 0, {}, 6 + 10, true},
        {"block size past the end", 14, {0xFF, 0xFF}, 0, true},
        {"block offset past the end", 18, {0xFF, 0xFF, 0xFF, 0x7F}, 0, true},
        {"block size zero", 14, {0, 0, 0, 0}, 0, true},
        {"block cut short", 0, {}, 40, true},
        {"too short for a header", 0, {}, 4, true},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> file = good;
        std::copy(c.bytes.begin(), c.bytes.end(), file.begin() + c.at);
        if (c.keep)
            file.resize(c.keep);
        EXPECT_FALSE(ParseIconDirectory(file.data(), file.size(), c.acceptCursor, &directory)) << c.what;
    }

    const uint8_t empty[6] = {0, 0, 1, 0, 0, 0};
    ASSERT_TRUE(ParseIconDirectory(empty, 6, false, &directory));
    EXPECT_TRUE(directory.entries.empty());
}

TEST(DecodeIconBlock, RefusesHeadersThatCannotDescribeTheBlock)
{
    const std::vector<uint8_t> rows(64 * 64, 0);
    struct Case {
        const char* what;
        std::vector<uint8_t> block;
    } cases[] = {
        {"width zero", HandBlock(0, 2, 32, 0, 0, rows)},
        {"negative width", HandBlock(-4, 8, 32, 0, 0, rows)},
        {"height zero", HandBlock(4, 0, 32, 0, 0, rows)},
        {"top-down height", HandBlock(4, -8, 32, 0, 0, rows)},
        {"huge width", HandBlock(100000, 2, 1, 0, 0, rows)},
        {"depth 2", HandBlock(4, 8, 2, 0, 0, rows)},
        {"run-length compression", HandBlock(4, 8, 8, 1, 0, rows)},
        {"odd bit fields", HandBlock(4, 8, 32, 3, 0, std::vector<uint8_t>(12 + 64 + 16, 1))},
        {"pixel rows cut short", HandBlock(16, 32, 32, 0, 0, std::vector<uint8_t>(16 * 16 * 4 - 1, 0))},
        {"color table larger than the block", HandBlock(4, 8, 8, 0, 0x40000000, rows)},
        {"short header", std::vector<uint8_t>(39, 0)},
    };
    for (const Case& c : cases) {
        DecodedPicture picture;
        EXPECT_FALSE(DecodeIconBlock(c.block.data(), c.block.size(), &picture)) << c.what;
    }
}

TEST(DecodeIconBlock, ReadsTheFormsThatWindowsShows)
{
    // 16 bits, 5-5-5: pure red 0x7C00 and white.
    std::vector<uint8_t> payload = {0x00, 0x7C, 0xFF, 0x7F, 0, 0, 0, 0};  // 2 x 1, mask row
    Decoded rgb555 = Decode(HandBlock(2, 2, 16, 0, 0, payload));
    ASSERT_TRUE(rgb555.ok);
    EXPECT_EQ(DecodedAt(rgb555, 0, 0), Argb(255, 255, 0, 0));
    EXPECT_EQ(DecodedAt(rgb555, 1, 0), Argb(255, 255, 255, 255));

    // 16 bits, 5-6-5 with bit fields: pure green 0x07E0.
    std::vector<uint8_t> masks565 = {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0};
    std::vector<uint8_t> green = masks565;
    green.insert(green.end(), {0xE0, 0x07, 0, 0, 0, 0, 0, 0});
    Decoded rgb565 = Decode(HandBlock(1, 2, 16, 3, 0, green));
    ASSERT_TRUE(rgb565.ok);
    EXPECT_EQ(DecodedAt(rgb565, 0, 0), Argb(255, 0, 255, 0));

    // 32 bits with the usual bit fields reads like plain 32 bits.
    std::vector<uint8_t> fields = {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0, 1, 2, 3, 200, 0, 0, 0, 0};
    Decoded bitfields = Decode(HandBlock(1, 2, 32, 3, 0, fields));
    ASSERT_TRUE(bitfields.ok);
    EXPECT_EQ(DecodedAt(bitfields, 0, 0), Argb(200, 3, 2, 1));

    // 32 bits whose alpha is all 0: opaque where the mask is clear, as Windows draws it.
    std::vector<uint8_t> legacy = {1, 2, 3, 0, 4, 5, 6, 0, 0x40, 0, 0, 0};
    Decoded old = Decode(HandBlock(2, 2, 32, 0, 0, legacy));
    ASSERT_TRUE(old.ok);
    EXPECT_EQ(DecodedAt(old, 0, 0), Argb(255, 3, 2, 1));
    EXPECT_EQ(DecodedAt(old, 1, 0), 0u);

    // A palette index past a short color table reads as black, never past the table.
    std::vector<uint8_t> indexed = {0xFF, 0xFF, 0xFF, 0, 0x00, 0x01, 0, 0, 0, 0, 0, 0};  // 1 entry, 8-bit
    Decoded shortTable = Decode(HandBlock(2, 2, 8, 0, 1, indexed));
    ASSERT_TRUE(shortTable.ok);
    EXPECT_EQ(DecodedAt(shortTable, 1, 0), Argb(255, 0, 0, 0));
}

// 32-bit entries that end right after their pixel rows (no transparency mask) take their
// transparency from the alpha channel alone; one byte less is still refused.
TEST(DecodeIconBlock, ThirtyTwoBitBlocksWithoutMask)
{
    // 2 x 2: rows of 8 bytes, bottom row first; 40 + 16 = 56 bytes in all.
    const std::vector<uint8_t> rows = {10, 20, 30, 255, 0, 0, 0, 0,  // bottom row
                                       1, 2, 3, 128, 40, 50, 60, 0};  // top row
    const std::vector<uint8_t> block = HandBlock(2, 4, 32, 0, 0, rows);
    ASSERT_EQ(block.size(), 56u);
    Decoded d = Decode(block);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.picture.width, 2);
    EXPECT_EQ(d.picture.height, 2);
    EXPECT_EQ(DecodedAt(d, 0, 0), Argb(128, 3, 2, 1));
    EXPECT_EQ(DecodedAt(d, 1, 0), Argb(0, 60, 50, 40));
    EXPECT_EQ(DecodedAt(d, 0, 1), Argb(255, 30, 20, 10));
    EXPECT_EQ(DecodedAt(d, 1, 1), 0u);

    const std::vector<uint8_t> cut(block.begin(), block.end() - 1);
    EXPECT_FALSE(Decode(cut).ok) << "a block shorter than its pixel rows";
}

TEST(DecodeIconBlock, EntryWithPngSignatureIsClassifiedAsPng)
{
    const uint8_t png[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0};
    EXPECT_EQ(ClassifyIconBlock(png, sizeof png), IconBlockKind::kPng);
    TestPixels pixels(1, 1);
    std::vector<uint8_t> block = Encode(pixels, 32);
    EXPECT_EQ(ClassifyIconBlock(block.data(), block.size()), IconBlockKind::kBitmap);
}

namespace {

// The pixel and mask rows of a 24- or 32-bit block the plain way: one pixel at a time,
// bottom row first, mask bit 7 for the first pixel of each byte.
std::vector<uint8_t> PlainRowsAndMask(const PixelView& view, int bits)
{
    const size_t rowBytes = (size_t(view.width) * bits + 31) / 32 * 4, maskBytes = (size_t(view.width) + 31) / 32 * 4;
    std::vector<uint8_t> out((rowBytes + maskBytes) * view.height, 0);
    for (int y = 0; y < view.height; y++) {
        const int from = view.height - 1 - y;
        for (int x = 0; x < view.width; x++) {
            const uint8_t* p = view.At(x, from);
            std::memcpy(&out[y * rowBytes + x * (bits / 8)], p, bits / 8);
            const bool transparent = bits == 32 ? p[kAlpha] == 0 : p[kAlpha] != 255;
            if (transparent)
                out[rowBytes * view.height + y * maskBytes + x / 8] |= uint8_t(0x80 >> (x % 8));
        }
    }
    return out;
}

}  // namespace

TEST(IconRoundTrip, WholeRowPathsMatchThePixelByPixelRules)
{
    // Widths below, at and past sixteen pixels, rows with padding beyond the picture, and
    // alpha mostly 0 or 255 so that whole mask bytes are set and clear.
    struct Case {
        int width, height, padding;
    } cases[] = {{1, 3, 0}, {7, 5, 2}, {16, 4, 0}, {17, 9, 3}, {33, 6, 1}, {64, 3, 0}, {75, 11, 5}};
    uint32_t state = 99;
    auto next = [&] { return state = state * 1664525u + 1013904223u; };
    for (const Case& c : cases) {
        std::vector<uint32_t> memory(size_t(c.width + c.padding) * c.height);
        for (uint32_t& pixel : memory) {
            const uint32_t pick = next() >> 28, alpha = pick < 6 ? 0 : pick < 13 ? 255 : next() >> 24;
            pixel = alpha << 24 | (next() >> 8);
        }
        const PixelView view{c.width, c.height, std::ptrdiff_t(c.width + c.padding) * 4,
                             reinterpret_cast<uint8_t*>(memory.data())};
        for (int bits : {24, 32}) {
            std::vector<uint8_t> block(IconBlockSize(c.width, c.height, bits));
            ASSERT_TRUE(EncodeIconBlock(view, bits, block.data(), block.size()));
            EXPECT_EQ(std::vector<uint8_t>(block.begin() + kBitmapHeaderSize, block.end()), PlainRowsAndMask(view, bits))
                << c.width << " x " << c.height << " at " << bits << " bits";
            Decoded d = Decode(block);
            ASSERT_TRUE(d.ok);
            for (int y = 0; y < c.height; y++)
                for (int x = 0; x < c.width; x++) {
                    const uint32_t in = PixelAt(view, x, y), alpha = in >> 24;
                    const uint32_t expected = bits == 32 ? (alpha == 0 ? 0 : in) : (alpha == 255 ? in : 0);
                    ASSERT_EQ(DecodedAt(d, x, y), expected) << c.width << " wide, " << bits << " bits at " << x << "," << y;
                }
        }
    }
}
