// The quick PNG reader: the forms it decodes, with pixels worked out by hand from the
// pictures' contents (the files were written by an independent encoder), and the files it
// leaves to the system decoder.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/png_decoder.h"

namespace {

// clang-format off
const std::vector<uint8_t> kRgbaSubPaeth = {
    137, 80, 78, 71, 13, 10, 26, 10, 0, 0, 0, 13, 73, 72, 68, 82, 0, 0, 0, 2, 0, 0, 0, 2, 8, 6, 0, 0, 0,
    114, 182, 13, 36, 0, 0, 0, 4, 103, 65, 77, 65, 0, 0, 177, 143, 11, 252, 97, 5, 0, 0, 0, 23, 73, 68, 65,
    84, 120, 218, 99, 228, 18, 145, 211, 96, 5, 2, 22, 70, 32, 216, 233, 205, 127, 9, 0, 11, 217, 2, 103,
    196, 129, 121, 56, 0, 0, 0, 0, 73, 69, 78, 68, 174, 66, 96, 130};
const std::vector<uint8_t> kGray1TrnsUp = {
    137, 80, 78, 71, 13, 10, 26, 10, 0, 0, 0, 13, 73, 72, 68, 82, 0, 0, 0, 3, 0, 0, 0, 2, 1, 0, 0, 0, 0,
    181, 15, 91, 183, 0, 0, 0, 2, 116, 82, 78, 83, 0, 1, 1, 148, 253, 174, 0, 0, 0, 12, 73, 68, 65, 84, 120,
    218, 99, 88, 192, 180, 0, 0, 2, 136, 1, 67, 107, 45, 114, 123, 0, 0, 0, 0, 73, 69, 78, 68, 174, 66, 96,
    130};
const std::vector<uint8_t> kPalette2Trns = {
    137, 80, 78, 71, 13, 10, 26, 10, 0, 0, 0, 13, 73, 72, 68, 82, 0, 0, 0, 3, 0, 0, 0, 1, 2, 3, 0, 0, 0,
    102, 142, 252, 39, 0, 0, 0, 9, 80, 76, 84, 69, 255, 0, 0, 0, 255, 0, 0, 0, 255, 45, 74, 205, 138, 0, 0,
    0, 1, 116, 82, 78, 83, 128, 173, 94, 91, 70, 0, 0, 0, 10, 73, 68, 65, 84, 120, 218, 99, 144, 0, 0, 0,
    26, 0, 25, 128, 0, 142, 187, 0, 0, 0, 0, 73, 69, 78, 68, 174, 66, 96, 130};
const std::vector<uint8_t> kGrayalphaAvg = {
    137, 80, 78, 71, 13, 10, 26, 10, 0, 0, 0, 13, 73, 72, 68, 82, 0, 0, 0, 2, 0, 0, 0, 1, 8, 4, 0, 0, 0, 94,
    43, 183, 1, 0, 0, 0, 13, 73, 68, 65, 84, 120, 218, 99, 78, 57, 193, 112, 3, 0, 4, 212, 2, 8, 58, 163,
    136, 26, 0, 0, 0, 0, 73, 69, 78, 68, 174, 66, 96, 130};
const std::vector<uint8_t> kRgbTrns = {
    137, 80, 78, 71, 13, 10, 26, 10, 0, 0, 0, 13, 73, 72, 68, 82, 0, 0, 0, 2, 0, 0, 0, 1, 8, 2, 0, 0, 0,
    123, 64, 232, 221, 0, 0, 0, 6, 116, 82, 78, 83, 0, 1, 0, 2, 0, 3, 201, 75, 171, 245, 0, 0, 0, 15, 73,
    68, 65, 84, 120, 218, 99, 96, 100, 98, 102, 97, 101, 3, 0, 0, 63, 0, 22, 152, 193, 104, 19, 0, 0, 0, 0,
    73, 69, 78, 68, 174, 66, 96, 130};
const std::vector<uint8_t> kOtherGamma = {
    137, 80, 78, 71, 13, 10, 26, 10, 0, 0, 0, 13, 73, 72, 68, 82, 0, 0, 0, 1, 0, 0, 0, 1, 8, 6, 0, 0, 0, 31,
    21, 196, 137, 0, 0, 0, 4, 103, 65, 77, 65, 0, 1, 134, 160, 49, 232, 150, 95, 0, 0, 0, 13, 73, 68, 65,
    84, 120, 218, 99, 224, 228, 96, 103, 3, 0, 0, 85, 0, 31, 114, 148, 80, 225, 0, 0, 0, 0, 73, 69, 78, 68,
    174, 66, 96, 130};
const std::vector<uint8_t> kProfile = {
    137, 80, 78, 71, 13, 10, 26, 10, 0, 0, 0, 13, 73, 72, 68, 82, 0, 0, 0, 1, 0, 0, 0, 1, 8, 6, 0, 0, 0, 31,
    21, 196, 137, 0, 0, 0, 14, 105, 67, 67, 80, 120, 0, 0, 120, 156, 75, 76, 74, 6, 0, 2, 77, 1, 39, 195,
    237, 32, 120, 0, 0, 0, 13, 73, 68, 65, 84, 120, 218, 99, 224, 228, 96, 103, 3, 0, 0, 85, 0, 31, 114,
    148, 80, 225, 0, 0, 0, 0, 73, 69, 78, 68, 174, 66, 96, 130};
const std::vector<uint8_t> kBadCrc = {
    137, 80, 78, 71, 13, 10, 26, 10, 0, 0, 0, 13, 73, 72, 68, 82, 0, 0, 0, 1, 0, 0, 0, 1, 8, 6, 0, 0, 0, 31,
    21, 196, 137, 0, 0, 0, 13, 73, 68, 65, 84, 120, 218, 99, 224, 228, 96, 103, 3, 0, 0, 85, 0, 31, 114,
    148, 80, 224, 0, 0, 0, 0, 73, 69, 78, 68, 174, 66, 96, 130};
const std::vector<uint8_t> kBadAdler = {
    137, 80, 78, 71, 13, 10, 26, 10, 0, 0, 0, 13, 73, 72, 68, 82, 0, 0, 0, 1, 0, 0, 0, 1, 8, 6, 0, 0, 0, 31,
    21, 196, 137, 0, 0, 0, 13, 73, 68, 65, 84, 120, 156, 99, 224, 228, 96, 103, 3, 0, 0, 85, 0, 224, 128,
    200, 173, 124, 0, 0, 0, 0, 73, 69, 78, 68, 174, 66, 96, 130};
const std::vector<uint8_t> kShortData = {
    137, 80, 78, 71, 13, 10, 26, 10, 0, 0, 0, 13, 73, 72, 68, 82, 0, 0, 0, 2, 0, 0, 0, 1, 8, 6, 0, 0, 0,
    244, 34, 127, 138, 0, 0, 0, 13, 73, 68, 65, 84, 120, 218, 99, 224, 228, 96, 103, 3, 0, 0, 85, 0, 31,
    114, 148, 80, 225, 0, 0, 0, 0, 73, 69, 78, 68, 174, 66, 96, 130};
const std::vector<uint8_t> kNoEnd = {
    137, 80, 78, 71, 13, 10, 26, 10, 0, 0, 0, 13, 73, 72, 68, 82, 0, 0, 0, 1, 0, 0, 0, 1, 8, 6, 0, 0, 0, 31,
    21, 196, 137, 0, 0, 0, 13, 73, 68, 65, 84, 120, 218, 99, 224, 228, 96, 103, 3, 0, 0, 85, 0, 31, 114,
    148, 80, 225};
const std::vector<uint8_t> kBadFilter = {
    137, 80, 78, 71, 13, 10, 26, 10, 0, 0, 0, 13, 73, 72, 68, 82, 0, 0, 0, 1, 0, 0, 0, 1, 8, 6, 0, 0, 0, 31,
    21, 196, 137, 0, 0, 0, 13, 73, 68, 65, 84, 120, 218, 99, 229, 228, 96, 103, 3, 0, 0, 110, 0, 36, 13,
    136, 120, 240, 0, 0, 0, 0, 73, 69, 78, 68, 174, 66, 96, 130};
const std::vector<uint8_t> kIndexPastPalette = {
    137, 80, 78, 71, 13, 10, 26, 10, 0, 0, 0, 13, 73, 72, 68, 82, 0, 0, 0, 2, 0, 0, 0, 1, 1, 3, 0, 0, 0,
    206, 236, 237, 201, 0, 0, 0, 3, 80, 76, 84, 69, 1, 2, 3, 13, 135, 100, 213, 0, 0, 0, 10, 73, 68, 65, 84,
    120, 218, 99, 112, 0, 0, 0, 66, 0, 65, 132, 191, 142, 98, 0, 0, 0, 0, 73, 69, 78, 68, 174, 66, 96, 130};
const std::vector<uint8_t> kSplitData = {
    137, 80, 78, 71, 13, 10, 26, 10, 0, 0, 0, 13, 73, 72, 68, 82, 0, 0, 0, 2, 0, 0, 0, 2, 8, 6, 0, 0, 0,
    114, 182, 13, 36, 0, 0, 0, 5, 73, 68, 65, 84, 120, 156, 99, 228, 18, 241, 130, 158, 2, 0, 0, 0, 18, 73,
    68, 65, 84, 145, 211, 96, 5, 2, 22, 70, 32, 216, 233, 205, 127, 9, 0, 11, 217, 2, 103, 21, 220, 239,
    231, 0, 0, 0, 0, 73, 69, 78, 68, 174, 66, 96, 130};
const std::vector<uint8_t> kStoredBlock = {
    137, 80, 78, 71, 13, 10, 26, 10, 0, 0, 0, 13, 73, 72, 68, 82, 0, 0, 0, 1, 0, 0, 0, 1, 8, 6, 0, 0, 0, 31,
    21, 196, 137, 0, 0, 0, 16, 73, 68, 65, 84, 120, 1, 1, 5, 0, 250, 255, 0, 9, 8, 7, 6, 0, 85, 0, 31, 76,
    46, 22, 191, 0, 0, 0, 0, 73, 69, 78, 68, 174, 66, 96, 130};
const std::vector<uint8_t> kInterlaced = {
    137, 80, 78, 71, 13, 10, 26, 10, 0, 0, 0, 13, 73, 72, 68, 82, 0, 0, 0, 1, 0, 0, 0, 1, 8, 6, 0, 0, 1,
    104, 18, 244, 31, 0, 0, 0, 13, 73, 68, 65, 84, 120, 218, 99, 224, 228, 96, 103, 3, 0, 0, 85, 0, 31, 114,
    148, 80, 225, 0, 0, 0, 0, 73, 69, 78, 68, 174, 66, 96, 130};
const std::vector<uint8_t> kSixteenBit = {
    137, 80, 78, 71, 13, 10, 26, 10, 0, 0, 0, 13, 73, 72, 68, 82, 0, 0, 0, 1, 0, 0, 0, 1, 16, 6, 0, 0, 0,
    79, 133, 24, 202, 0, 0, 0, 11, 73, 68, 65, 84, 120, 218, 99, 96, 128, 2, 0, 0, 9, 0, 1, 104, 246, 207,
    78, 0, 0, 0, 0, 73, 69, 78, 68, 174, 66, 96, 130};
// clang-format on

struct Bgra {
    uint8_t b, g, r, a;
    bool operator==(const Bgra&) const = default;
};

bool Decode(const std::vector<uint8_t>& png, std::vector<Bgra>* pixels, int* width = nullptr, int* height = nullptr)
{
    PngLayout layout;
    if (!ReadPngLayout(png.data(), png.size(), 256, &layout))
        return false;
    pixels->assign(size_t(layout.width) * size_t(layout.height), Bgra{1, 1, 1, 1});
    PixelView view{layout.width, layout.height, layout.width * 4, reinterpret_cast<uint8_t*>(pixels->data())};
    std::vector<uint8_t> scratch;
    if (width)
        *width = layout.width, *height = layout.height;
    return DecodePngInto(png.data(), png.size(), view, &scratch);
}

TEST(PngDecoder, DecodesThePlainFormsWithTheirFiltersAndTransparency)
{
    const Bgra kClearWhite{255, 255, 255, 0}, kBlack{0, 0, 0, 255};
    const struct {
        const char* name;
        const std::vector<uint8_t>& png;
        int width, height;
        std::vector<Bgra> pixels;
    } cases[] = {
        {"RGBA, Sub then Paeth", kRgbaSubPaeth, 2, 2, {{30, 20, 10, 40}, {35, 25, 15, 45}, {31, 21, 11, 41}, {50, 100, 200, 255}}},
        {"RGBA in two data chunks", kSplitData, 2, 2, {{30, 20, 10, 40}, {35, 25, 15, 45}, {31, 21, 11, 41}, {50, 100, 200, 255}}},
        {"stored deflate block", kStoredBlock, 1, 1, {{7, 8, 9, 6}}},
        {"1-bit gray, white keyed out, Up", kGray1TrnsUp, 3, 2, {kClearWhite, kBlack, kClearWhite, kBlack, kClearWhite, kBlack}},
        {"2-bit palette, first entry half clear", kPalette2Trns, 3, 1, {{0, 0, 255, 128}, {0, 255, 0, 255}, {255, 0, 0, 255}}},
        {"gray and alpha, Average", kGrayalphaAvg, 2, 1, {{100, 100, 100, 200}, {50, 50, 50, 60}}},
        {"RGB with a keyed colour", kRgbTrns, 2, 1, {{3, 2, 1, 0}, {6, 5, 4, 255}}},
    };
    for (const auto& c : cases) {
        std::vector<Bgra> pixels;
        int width = 0, height = 0;
        ASSERT_TRUE(Decode(c.png, &pixels, &width, &height)) << c.name;
        EXPECT_EQ(width, c.width) << c.name;
        EXPECT_EQ(height, c.height) << c.name;
        EXPECT_TRUE(pixels == c.pixels) << c.name;
    }
}

TEST(PngDecoder, LeavesOtherFormsAndDamagedFilesToTheSystemDecoder)
{
    PngLayout layout;
    EXPECT_FALSE(ReadPngLayout(kInterlaced.data(), kInterlaced.size(), 256, &layout));
    EXPECT_FALSE(ReadPngLayout(kSixteenBit.data(), kSixteenBit.size(), 256, &layout));
    EXPECT_FALSE(ReadPngLayout(kRgbaSubPaeth.data(), kRgbaSubPaeth.size(), 1, &layout)) << "larger than allowed";
    EXPECT_FALSE(ReadPngLayout(kRgbaSubPaeth.data(), 20, 256, &layout)) << "cut inside the header";
    std::vector<uint8_t> huge = kRgbaSubPaeth;
    huge[18] = huge[22] = 0x0F;  // 3842 x 3842: 59 MB of rows from 23 bytes of data
    EXPECT_FALSE(ReadPngLayout(huge.data(), huge.size(), 4096, &layout)) << "more rows than the data can hold";
    const struct {
        const char* name;
        const std::vector<uint8_t>& png;
    } declined[] = {
        {"gamma other than 1/2.2", kOtherGamma}, {"colour profile", kProfile},
        {"bad chunk checksum", kBadCrc},         {"bad stream checksum", kBadAdler},
        {"too little data", kShortData},         {"no end chunk", kNoEnd},
        {"unknown filter", kBadFilter},          {"index past the palette", kIndexPastPalette},
    };
    for (const auto& c : declined) {
        std::vector<Bgra> pixels;
        EXPECT_FALSE(Decode(c.png, &pixels)) << c.name;
    }
}

}  // namespace
