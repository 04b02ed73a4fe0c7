// The dialogs' arithmetic, every expected number worked out by hand.
#include <gtest/gtest.h>

#include "panels/imagelist/image_dialog_rules.h"

namespace {

TEST(ImageDialogRules, PreviewPlacement)
{
    struct Case {
        int W, H, w, h;
        float shrink;
        PreviewPlace expected;
    } cases[] = {
        {196, 198, 48, 48, 2, {74, 75, 48, 48}},      // fits: 1:1, centered
        {196, 198, 256, 128, 2, {1, 51, 194, 96}},    // scaled by 196/256, two pixels smaller
        {196, 198, 256, 128, 0, {0, 50, 196, 98}},    // the animated preview keeps the full size
        {100, 100, 256, 256, 2, {1, 1, 98, 98}},
        {20, 20, 16, 16, 2, {2, 2, 16, 16}},
    };
    for (const Case& c : cases) {
        const PreviewPlace place = PlacePreview(c.W, c.H, c.w, c.h, c.shrink);
        EXPECT_FLOAT_EQ(place.left, c.expected.left) << c.w << "x" << c.h;
        EXPECT_FLOAT_EQ(place.top, c.expected.top) << c.w << "x" << c.h;
        EXPECT_FLOAT_EQ(place.width, c.expected.width) << c.w << "x" << c.h;
        EXPECT_FLOAT_EQ(place.height, c.expected.height) << c.w << "x" << c.h;
    }
}

TEST(ImageDialogRules, HotSpotFromClick)
{
    const PreviewPlace small{74, 75, 48, 48};
    const PreviewPlace wide{1, 51, 194, 96};
    struct Case {
        PreviewPlace place;
        int w, h, x, y;
        bool hit;
        HotSpot expected;
    } cases[] = {
        {small, 48, 48, 84, 95, true, {10, 20}},
        {small, 48, 48, 74, 75, true, {0, 0}},
        {small, 48, 48, 121, 122, true, {47, 47}},
        {small, 48, 48, 122, 100, false, {}},  // one past the right edge
        {small, 48, 48, 73, 100, false, {}},
        {wide, 256, 128, 1, 51, true, {0, 0}},
        {wide, 256, 128, 98, 99, true, {128, 63}},  // (97, 48) x 256 / 194
        {wide, 256, 128, 194, 146, true, {254, 125}},  // (193, 95) x 256 / 194
    };
    for (const Case& c : cases) {
        HotSpot spot{-1, -1};
        ASSERT_EQ(HotSpotFromClick(c.place, c.w, c.h, c.x, c.y, &spot), c.hit) << c.x << "," << c.y;
        if (c.hit) {
            EXPECT_EQ(spot.x, c.expected.x) << c.x << "," << c.y;
            EXPECT_EQ(spot.y, c.expected.y) << c.x << "," << c.y;
        }
    }
}

TEST(ImageDialogRules, SizeEditCorrections)
{
    struct Case {
        const wchar_t* text;
        const wchar_t* typed;  // what it becomes at once ("" keeps it)
        const wchar_t* left;   // what it becomes when the edit loses the focus
    } cases[] = {
        {L"300", L"256", L"256"}, {L"5", L"", L"16"}, {L"", L"48", L""},  {L"0", L"", L"16"},
        {L"15", L"", L"16"},      {L"16", L"", L""},  {L"256", L"", L""}, {L"257", L"256", L"256"},
        {L"4x", L"48", L""},      {L"12345", L"256", L"256"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CorrectTypedSize(c.text), c.typed) << c.text;
        EXPECT_EQ(CorrectLeftSize(c.text), c.left) << c.text;
    }
}

TEST(ImageDialogRules, ClampsOfOk)
{
    struct Case {
        int value, size, hotSpot;
    } spots[] = {{0, 48, 0}, {47, 48, 47}, {48, 48, 47}, {300, 16, 15}, {-3, 16, 0}};
    for (const Case& c : spots)
        EXPECT_EQ(ClampHotSpot(c.value, c.size), c.hotSpot) << c.value << " in " << c.size;
    const int sizes[][2] = {{0, 16}, {15, 16}, {16, 16}, {100, 100}, {256, 256}, {9999, 256}};
    for (const auto& s : sizes)
        EXPECT_EQ(ClampImageSize(s[0]), s[1]) << s[0];
}

TEST(ImageDialogRules, DepthItems)
{
    const int depths[5] = {32, 24, 8, 4, 1};
    for (int item = 0; item < 5; ++item) {
        EXPECT_EQ(DepthOfItem(item), depths[item]);
        EXPECT_EQ(ItemOfDepth(depths[item]), item);
    }
}

TEST(ImageDialogRules, StandardFormatGrid)
{
    // 300 x 170: columns start at 13, 84, 156, 228; rows at 13, 52, 91, 130.
    const int columns[4] = {13, 84, 156, 228}, rows[4] = {13, 52, 91, 130};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(StandardColumnX(300, i), columns[i]);
        EXPECT_EQ(StandardRowY(170, i), rows[i]);
    }
    struct Case {
        int column, row, x, y;
    } cells[] = {{0, 0, 24, 9}, {3, 3, 255, 142}, {1, 2, 103, 95}, {2, 1, 179, 60}};
    for (const Case& c : cells) {
        const GridCell cell = StandardFormatCell(300, 170, c.column, c.row);
        EXPECT_EQ(cell.x, c.x) << c.column << "," << c.row;
        EXPECT_EQ(cell.y, c.y) << c.column << "," << c.row;
    }
}

TEST(ImageDialogRules, StandardFormatOrderAndAvailability)
{
    const StandardFormat expected[16] = {{16, 4}, {24, 4}, {32, 4}, {48, 4}, {16, 8},  {24, 8},
                                         {32, 8}, {48, 8}, {16, 24}, {24, 24}, {32, 24}, {48, 24},
                                         {16, 32}, {24, 32}, {32, 32}, {48, 32}};
    const auto order = StandardFormatOrder();
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(order[size_t(i)].size, expected[i].size) << i;
        EXPECT_EQ(order[size_t(i)].depth, expected[i].depth) << i;
    }
    struct Case {
        int depth, w, h;
        bool available;
    } cases[] = {{32, 48, 48, true}, {32, 256, 256, true}, {32, 32, 32, false},
                 {32, 64, 48, false}, {24, 64, 64, false}, {8, 48, 48, false}};
    for (const Case& c : cases)
        EXPECT_EQ(StandardFormatsAvailable(c.depth, c.w, c.h), c.available) << c.depth << " " << c.w << "x" << c.h;
}

TEST(ImageDialogRules, AnimationWaits)
{
    const unsigned frames[][2] = {{0, 0}, {1, 17}, {5, 83}, {60, 1000}, {9999, 166650}};
    for (const auto& f : frames)
        EXPECT_EQ(FrameMilliseconds(f[0]), f[1]) << f[0];
    // A round of rate-0 Images rests one jiffy; any other round needs no extra rest.
    EXPECT_EQ(RoundRestMilliseconds(0), 17u);
    EXPECT_EQ(RoundRestMilliseconds(1), 0u);
    EXPECT_EQ(RoundRestMilliseconds(83), 0u);
}

}  // namespace
