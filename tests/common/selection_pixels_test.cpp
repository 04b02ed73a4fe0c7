// The selection's platform-free pixel work: rectangles of a pixel set, the magic wand's
// choice, and laying the content back over the layer.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/pixel_filters/blend.h"
#include "common/selection/content_pixels.h"
#include "common/selection/magic_wand.h"
#include "common/selection/pixel_set.h"

namespace {

// A picture of 0xAARRGGBB values kept as blue-green-red-alpha bytes.
struct Picture {
    int width;
    int height;
    std::vector<uint32_t> pixels;

    Picture(int w, int h, uint32_t fill) : width(w), height(h), pixels(size_t(w) * size_t(h), fill) {}
    PixelView View() { return {width, height, std::ptrdiff_t(width) * 4, reinterpret_cast<uint8_t*>(pixels.data())}; }
    uint32_t& At(int x, int y) { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

// A mask drawn as text: '#' chosen, anything else not.
PixelMask MaskOf(const std::vector<std::string>& rows)
{
    PixelMask mask;
    mask.height = int(rows.size());
    mask.width = int(rows.front().size());
    for (const std::string& row : rows)
        for (char c : row)
            mask.bits.push_back(c == '#');
    return mask;
}

std::vector<std::string> TextOf(const PixelMask& mask)
{
    std::vector<std::string> rows;
    for (int y = 0; y < mask.height; y++) {
        std::string row;
        for (int x = 0; x < mask.width; x++)
            row += mask.At(x, y) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

// Every pixel covered by exactly as many rectangles as the mask says (0 or 1).
void ExpectExactCover(const PixelMask& mask, const std::vector<PixelRect>& rects)
{
    for (int y = 0; y < mask.height; y++)
        for (int x = 0; x < mask.width; x++) {
            int covered = 0;
            for (const PixelRect& r : rects)
                covered += x >= r.left && x < r.right && y >= r.top && y < r.bottom;
            EXPECT_EQ(covered, mask.At(x, y) ? 1 : 0) << x << "," << y;
        }
}

TEST(SelectionPixels, RectanglesCoverExactlyTheChosenPixels)
{
    const struct {
        const char* what;
        std::vector<std::string> rows;
        size_t rects;  // how many rectangles the banding needs
    } cases[] = {
        {"nothing", {"....", "...."}, 0},
        {"everything", {"####", "####", "####"}, 1},
        {"one pixel", {"....", ".#..", "...."}, 1},
        {"two columns, one band", {"#..#", "#..#", "#..#"}, 2},
        {"an L", {"#...", "#...", "####"}, 2},
        {"a ring", {"####", "#..#", "####"}, 4},
        {"diagonal", {"#..", ".#.", "..#"}, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const PixelMask mask = MaskOf(c.rows);
        const std::vector<PixelRect> rects = RectsFromMask(mask);
        EXPECT_EQ(rects.size(), c.rects);
        ExpectExactCover(mask, rects);
    }
}

TEST(SelectionPixels, BoundingBoxOfRectangles)
{
    const PixelRect box = BoundingBox({{3, 5, 4, 6}, {-2, 7, 1, 9}, {0, 0, 2, 1}});
    EXPECT_EQ(box.left, -2);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 4);
    EXPECT_EQ(box.bottom, 9);
    const PixelRect none = BoundingBox({});
    EXPECT_EQ(none.right - none.left, 0);
}

constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kWhite = 0xFFFFFFFFu;

// A 6 x 4 picture drawn as text: 'r' red, 'w' white, digits a gray of that many steps of 10.
Picture PictureOf(const std::vector<std::string>& rows)
{
    Picture picture(int(rows.front().size()), int(rows.size()), 0);
    for (int y = 0; y < picture.height; y++)
        for (int x = 0; x < picture.width; x++) {
            const char c = rows[size_t(y)][size_t(x)];
            const uint32_t gray = uint32_t(c >= '0' && c <= '9' ? (c - '0') * 10 : 0);
            picture.At(x, y) = c == 'r' ? kRed : c == 'w' ? kWhite : 0xFF000000u | gray << 16 | gray << 8 | gray;
        }
    return picture;
}

TEST(SelectionPixels, WandChoosesMatchingPixels)
{
    const struct {
        const char* what;
        std::vector<std::string> picture;
        int seedX, seedY;
        WandOptions options;
        std::vector<std::string> chosen;
    } cases[] = {
        {"one color, tolerance 0, contiguous", {"rrrr", "rrrr"}, 1, 1, {0, 0, true}, {"####", "####"}},
        {"one color, tolerance 0, anywhere", {"rrrr", "rrrr"}, 3, 0, {0, 0, false}, {"####", "####"}},
        {"diagonal neighbours are not connected", {"rww", "wrw", "wwr"}, 0, 0, {0, 0, true}, {"#..", "...", "..."}},
        {"anywhere reaches across the diagonal", {"rww", "wrw", "wwr"}, 0, 0, {0, 0, false}, {"#..", ".#.", "..#"}},
        {"white around a red cross", {"wrw", "rrr", "wrw"}, 0, 0, {0, 0, true}, {"#..", "...", "..."}},
        {"the red cross is one area", {"wrw", "rrr", "wrw"}, 1, 0, {0, 0, true}, {".#.", "###", ".#."}},
        // Gray steps of 10 from the seed 3 (30): tolerance 10 takes 20..40, bounds inclusive.
        {"tolerance bounds are inclusive", {"0123456"}, 3, 0, {10, 0, false}, {"..###.."}},
        {"tolerance 9 takes the seed only", {"0123456"}, 3, 0, {9, 0, false}, {"...#..."}},
        {"a gap stops the contiguous fill", {"3339333"}, 0, 0, {0, 0, true}, {"###...."}},
        {"a U is filled around its bend", {"r.r", "r.r", "rrr"}, 0, 0, {0, 0, true}, {"#.#", "#.#", "###"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Picture picture = PictureOf(c.picture);
        EXPECT_EQ(TextOf(WandMask(picture.View(), c.seedX, c.seedY, c.options)), c.chosen);
    }
}

TEST(SelectionPixels, WandComparesAlphaWithItsOwnTolerance)
{
    Picture picture(4, 1, 0);
    const uint32_t alphas[] = {0x00, 0x40, 0x50, 0x51};
    for (int x = 0; x < 4; x++)
        picture.At(x, 0) = alphas[x] << 24 | 0x102030u;
    // Seed alpha 0x40: an alpha tolerance of 16 reaches 0x50 but not 0x51 or 0x00; a color
    // tolerance does not stand in for it.
    EXPECT_EQ(TextOf(WandMask(picture.View(), 1, 0, {255, 16, false})), std::vector<std::string>{".##."});
    EXPECT_EQ(TextOf(WandMask(picture.View(), 1, 0, {0, 0, false})), std::vector<std::string>{".#.."});
}

TEST(SelectionPixels, WandSeedOutsideChoosesNothing)
{
    Picture picture(3, 3, kRed);
    for (const auto& seed : {std::pair{-1, 0}, std::pair{0, 3}, std::pair{3, 0}}) {
        const PixelMask mask = WandMask(picture.View(), seed.first, seed.second, {0, 0, true});
        EXPECT_TRUE(RectsFromMask(mask).empty()) << seed.first << "," << seed.second;
    }
}

// A maze of one-pixel corridors: the fill must follow every turn to the far end.
TEST(SelectionPixels, WandFollowsAWindingCorridor)
{
    std::vector<std::string> rows;
    for (int y = 0; y < 63; y++)
        rows.push_back(y % 2 == 0 ? std::string(64, 'r')
                                  : (y % 4 == 1 ? std::string(63, 'w') + "r" : "r" + std::string(63, 'w')));
    Picture picture = PictureOf(rows);
    const PixelMask mask = WandMask(picture.View(), 0, 0, {0, 0, true});
    EXPECT_TRUE(mask.At(0, 62));
    EXPECT_TRUE(mask.At(63, 61));
    EXPECT_FALSE(mask.At(1, 1));
    int chosen = 0;
    for (uint8_t bit : mask.bits)
        chosen += bit;
    EXPECT_EQ(chosen, 32 * 64 + 31);
}

TEST(SelectionPixels, BlendingOverAPixel)
{
    const struct {
        const char* what;
        uint32_t target, source, result;
    } cases[] = {
        {"transparent source keeps the target", 0xFF102030u, 0x00FFFFFFu, 0xFF102030u},
        {"opaque source replaces", 0xFF102030u, 0xFF405060u, 0xFF405060u},
        {"over a transparent target the source is copied exactly", 0x00FFFFFFu, 0x37123456u, 0x37123456u},
        // Half red over opaque blue: alpha 128/255 of red, the rest blue.
        {"half over opaque", 0xFF0000FFu, 0x80FF0000u, 0xFF80007Fu},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        uint32_t target = c.target;
        const uint32_t source = c.source;
        BlendPixelOver(reinterpret_cast<const uint8_t*>(&source), reinterpret_cast<uint8_t*>(&target));
        EXPECT_EQ(target, c.result);
    }
}

TEST(SelectionPixels, PlacingContentClipsToTheLayerAndKeepsTheBase)
{
    Picture base(4, 3, 0xFF00FF00u);
    Picture content(2, 2, kRed);
    content.At(1, 1) = 0;  // transparent: the base shows through
    const struct {
        int left, top;
        std::vector<std::string> red;  // '#' where the result is red
    } cases[] = {
        {0, 0, {"##..", "#...", "...."}},
        {3, 2, {"....", "....", "...#"}},
        {-1, -1, {"....", "....", "...."}},
        {-5, 0, {"....", "....", "...."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.left) + "," + std::to_string(c.top));
        Picture target(4, 3, 0x12345678u);
        ASSERT_TRUE(PlaceContent(target.View(), base.View(), content.View(), c.left, c.top));
        for (int y = 0; y < 3; y++)
            for (int x = 0; x < 4; x++)
                EXPECT_EQ(target.At(x, y), c.red[size_t(y)][size_t(x)] == '#' ? kRed : 0xFF00FF00u) << x << "," << y;
    }
    Picture wrongSize(3, 3, 0x12345678u);
    EXPECT_FALSE(PlaceContent(wrongSize.View(), base.View(), content.View(), 0, 0));
    EXPECT_EQ(wrongSize.At(0, 0), 0x12345678u) << "nothing written";
}

TEST(SelectionPixels, CopyingRegionPixelsSkipsWhatEitherSideLacks)
{
    Picture source(3, 3, kRed);
    Picture target(4, 4, 0);
    // The source's (0, 0) lies at target (2, 2); the rectangles reach past both pictures.
    CopyRegionPixels(target.View(), source.View(), 2, 2, {{-5, -5, 10, 3}, {3, 3, 9, 9}});
    const std::vector<std::string> expected = {"....", "....", "..##", "...#"};
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 4; x++)
            EXPECT_EQ(target.At(x, y), expected[size_t(y)][size_t(x)] == '#' ? kRed : 0u) << x << "," << y;
}

}  // namespace
