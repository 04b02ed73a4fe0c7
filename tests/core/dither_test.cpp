// Nearest palette color, error diffusion and the alpha threshold.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/dither.h"
#include "core/palettes.h"
#include "portable_pixels.h"

namespace {

int BruteForceNearest(const PaletteColor* palette, int count, int r, int g, int b)
{
    int best = 0, bestDistance = INT32_MAX;
    for (int i = 0; i < count; i++) {
        int dr = PaletteRed(palette[i]) - r, dg = PaletteGreen(palette[i]) - g, db = PaletteBlue(palette[i]) - b;
        int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

TestPixels GreyRow(std::initializer_list<int> greys)
{
    TestPixels pixels(int(greys.size()), 1);
    int x = 0;
    for (int grey : greys)
        pixels.at(x++, 0) = Argb(255, grey, grey, grey);
    return pixels;
}

std::vector<uint16_t> Dither(TestPixels& pixels, const PaletteColor* palette, int count, int level, int threshold)
{
    std::vector<uint16_t> indices(pixels.argb.size(), 0xFFFF);
    DitherToPalette(pixels.View(), NearestColorFinder(palette, count), level, threshold, indices.data());
    return indices;
}

}  // namespace

TEST(NearestColor, MatchesExhaustiveSearchOnEveryPalette)
{
    struct Case {
        const PaletteColor* palette;
        int count;
    } cases[] = {{kPalette256, 256}, {kPalette16, 16}, {kPalette2, 2}};
    std::mt19937 random(7);
    for (const Case& c : cases) {
        NearestColorFinder lazy(c.palette, c.count);
        const NearestColorFinder* shared = NearestColorFinder::ForFixedPalette(c.palette, c.count);
        ASSERT_NE(shared, nullptr);
        for (int i = 0; i < 20000; i++) {
            int r = random() % 256, g = random() % 256, b = random() % 256;
            const int expected = BruteForceNearest(c.palette, c.count, r, g, b);
            ASSERT_EQ(lazy.Find(r, g, b), expected) << "palette of " << c.count << " at " << r << "," << g << "," << b;
            ASSERT_EQ(shared->Find(r, g, b), expected) << "shared, palette of " << c.count;
        }
    }
    const PaletteColor other[] = {0x000000, 0xFFFFFE};
    EXPECT_EQ(NearestColorFinder::ForFixedPalette(other, 2), nullptr);
}

TEST(NearestColor, TiesGoToTheLowestIndex)
{
    // 128 grey lies between black and white at distance 3 * 128^2 vs 3 * 127^2: white wins;
    // a palette with an exact duplicate returns the first of the two.
    const PaletteColor duplicated[] = {0x123456, 0xABCDEF, 0x123456};
    EXPECT_EQ(NearestColorFinder(duplicated, 3).Find(0x12, 0x34, 0x56), 0);
    const PaletteColor equidistant[] = {0x000000, 0x000002};
    EXPECT_EQ(NearestColorFinder(equidistant, 2).Find(0, 0, 1), 0);
    TestPixels tied(1, 1, Argb(255, 0, 0, 1));
    EXPECT_EQ(Dither(tied, equidistant, 2, 1, 0), (std::vector<uint16_t>{0}));
}

TEST(Dither, PaletteColorsComeBackUnchanged)
{
    TestPixels pixels(37, 23);
    for (int y = 0; y < pixels.height; y++)
        for (int x = 0; x < pixels.width; x++)
            pixels.at(x, y) = 0xFF000000u | kPalette256[(x * 7 + y * 13) % 256];
    const TestPixels original = pixels;
    std::vector<uint16_t> indices = Dither(pixels, kPalette256, 256, 3, 200);
    EXPECT_EQ(pixels.argb, original.argb);
    for (size_t i = 0; i < indices.size(); i++)
        EXPECT_EQ(kPalette256[indices[i]], original.argb[i] & 0xFFFFFF) << "pixel " << i;
}

TEST(Dither, GreyPixelDiffusesItsWholeErrorToThreeNeighbours)
{
    // 128 grey becomes white (127 from white, 128 from black); each neighbour gets -127.
    TestPixels pixels(2, 2, Argb(255, 255, 255, 255));
    pixels.at(0, 0) = Argb(255, 128, 128, 128);
    pixels.at(1, 1) = Argb(255, 200, 200, 200);
    std::vector<uint16_t> indices = Dither(pixels, kPalette2, 2, 1, 0);
    // (1,0) and (0,1): 255 - 127 = 128, white again with error -127 each into (1,1):
    // 200 - 127 - 127 - 127 clamps to 0 at each step -> black.
    EXPECT_EQ(indices, (std::vector<uint16_t>{1, 1, 1, 0}));
    EXPECT_EQ(pixels.at(0, 0), Argb(255, 255, 255, 255));
    EXPECT_EQ(pixels.at(1, 1), Argb(255, 0, 0, 0));
}

TEST(Dither, ErrorIsDividedByTheLevelTruncatingTowardZero)
{
    struct Case {
        std::vector<int> greys;
        int level;
        std::vector<uint16_t> expected;
    } cases[] = {
        // -127 / 7 = -18 (not -19): 146 - 18 = 128 stays white.
        {{128, 146}, 7, {1, 1}},
        // Without diffusion 200 would be white; 200 - 127 = 73 is black.
        {{128, 200}, 1, {1, 0}},
        // Positive error: 100 -> black, +100 / 2 = 50 pushes 90 to 140, white.
        {{100, 90}, 2, {0, 1}},
        // Clamped at 0 when the error is larger than the value.
        {{128, 50, 127}, 1, {1, 0, 0}},
    };
    for (const Case& c : cases) {
        TestPixels pixels(int(c.greys.size()), 1);
        for (size_t i = 0; i < c.greys.size(); i++)
            pixels.at(int(i), 0) = Argb(255, c.greys[i], c.greys[i], c.greys[i]);
        EXPECT_EQ(Dither(pixels, kPalette2, 2, c.level, 0), c.expected) << "level " << c.level;
    }
}

TEST(Dither, AlphaThresholdDecidesBetweenOpaqueAndTransparent)
{
    struct Case {
        int alpha;
        int threshold;
        int expectedAlpha;
    } cases[] = {
        {200, 200, 0}, {201, 200, 255}, {255, 255, 0}, {1, 0, 255}, {0, 0, 0}, {128, 10, 255},
    };
    for (const Case& c : cases) {
        TestPixels pixels = GreyRow({255});
        pixels.at(0, 0) = Argb(c.alpha, 255, 255, 255);
        Dither(pixels, kPalette2, 2, 7, c.threshold);
        EXPECT_EQ(pixels.at(0, 0) >> 24, uint32_t(c.expectedAlpha)) << c.alpha << " vs " << c.threshold;

        TestPixels thresholded = GreyRow({10});
        thresholded.at(0, 0) = Argb(c.alpha, 10, 20, 30);
        ThresholdAlpha(thresholded.View(), c.threshold);
        EXPECT_EQ(thresholded.at(0, 0), Argb(c.expectedAlpha, 10, 20, 30));
    }
}

TEST(Dither, NeighboursGetTheirAlphaThresholdedBeforeTheyAreVisited)
{
    // The right neighbour (alpha 150) is thresholded by the first pixel's diffusion, even
    // with a zero error, and stays transparent at threshold 200.
    TestPixels pixels(2, 1, Argb(150, 0, 0, 0));
    pixels.at(0, 0) = Argb(255, 0, 0, 0);
    Dither(pixels, kPalette2, 2, 1, 200);
    EXPECT_EQ(pixels.at(1, 0), Argb(0, 0, 0, 0));
}

TEST(Dither, EdgesDiffuseOnlyInsideThePicture)
{
    // Last column diffuses only down, last row only right: with a one-pixel-wide column the
    // error walks straight down. 1 x 3 of 128: white (-127), 1 -> black (+1), 129 -> white.
    TestPixels column(1, 3, Argb(255, 128, 128, 128));
    EXPECT_EQ(Dither(column, kPalette2, 2, 1, 0), (std::vector<uint16_t>{1, 0, 1}));
    TestPixels row(3, 1, Argb(255, 128, 128, 128));
    EXPECT_EQ(Dither(row, kPalette2, 2, 1, 0), (std::vector<uint16_t>{1, 0, 1}));
    TestPixels single(1, 1, Argb(255, 128, 128, 128));
    EXPECT_EQ(Dither(single, kPalette2, 2, 1, 0), (std::vector<uint16_t>{1}));
}

TEST(Dither, FlippedViewDiffusesFromTheBottomRowUp)
{
    TestPixels pixels(1, 2, Argb(255, 255, 255, 255));
    pixels.at(0, 1) = Argb(255, 128, 128, 128);  // the bottom row is visited first
    pixels.at(0, 0) = Argb(255, 200, 200, 200);
    std::vector<uint16_t> indices(2);
    DitherToPalette(FlippedView(pixels.View()), NearestColorFinder(kPalette2, 2), 1, 0, indices.data());
    EXPECT_EQ(indices, (std::vector<uint16_t>{1, 0}));
    EXPECT_EQ(pixels.at(0, 0), Argb(255, 0, 0, 0));
}

namespace {

// The walk as described, one pixel at a time: nearest entry by exhaustive search, the
// whole error to the right, lower and lower-right neighbours, clamped per addition, the
// neighbour's alpha thresholded each time.
void PixelByPixelDither(const PixelView& work, const PaletteColor* palette, int count, int level, int threshold,
                        uint16_t* indices)
{
    auto add = [&](uint8_t* q, const int error[3]) {
        for (int c = 0; c < 3; c++)
            q[c] = uint8_t(std::clamp(q[c] + error[c], 0, 255));
        q[kAlpha] = q[kAlpha] > threshold ? 255 : 0;
    };
    for (int y = 0; y < work.height; y++)
        for (int x = 0; x < work.width; x++) {
            uint8_t* p = work.At(x, y);
            const int index = BruteForceNearest(palette, count, p[kRed], p[kGreen], p[kBlue]);
            const PaletteColor e = palette[index];
            const int error[3] = {(p[kBlue] - PaletteBlue(e)) / level, (p[kGreen] - PaletteGreen(e)) / level,
                                  (p[kRed] - PaletteRed(e)) / level};
            if (x + 1 < work.width)
                add(work.At(x + 1, y), error);
            if (y + 1 < work.height)
                add(work.At(x, y + 1), error);
            if (x + 1 < work.width && y + 1 < work.height)
                add(work.At(x + 1, y + 1), error);
            p[kBlue] = PaletteBlue(e);
            p[kGreen] = PaletteGreen(e);
            p[kRed] = PaletteRed(e);
            p[kAlpha] = p[kAlpha] > threshold ? 255 : 0;
            indices[y * work.width + x] = uint16_t(index);
        }
}

}  // namespace

TEST(Dither, MatchesThePixelByPixelWalkOnRandomPictures)
{
    // Duplicates and near neighbours make ties and long candidate lists.
    const PaletteColor crowded[] = {0x808080, 0x818181, 0x808080, 0x7F8081, 0x000000, 0xFFFFFF, 0x808081};
    struct Case {
        const PaletteColor* palette;
        int count;
        int level, threshold, width, height, padding;
        bool flipped;
    } cases[] = {
        {kPalette256, 256, 3, 200, 67, 41, 0, false}, {kPalette256, 256, 1, 0, 1, 9, 3, true},
        {kPalette16, 16, 7, 200, 33, 17, 1, true},    {kPalette16, 16, 2, 255, 5, 5, 0, false},
        {kPalette2, 2, 7, 200, 31, 13, 2, false},     {kPalette2, 2, 1, 128, 2, 1, 0, false},
        {crowded, 7, 3, 100, 19, 23, 0, false},
    };
    // More than 256 entries take the path without the fine cells.
    std::mt19937 random(11);
    std::vector<PaletteColor> large(300);
    for (PaletteColor& color : large)
        color = random() & 0xFFFFFF;
    const Case largeCase = {large.data(), int(large.size()), 3, 200, 21, 11, 1, false};
    // Palettes of their own, filled as the walk reaches their cells: up to 16 entries look
    // up whole cells, more look up fine cells.
    const Case ownTwelve = {large.data() + 100, 12, 5, 200, 45, 13, 3, true};
    const Case ownForty = {large.data() + 200, 40, 2, 100, 39, 17, 0, false};
    std::vector<Case> all(std::begin(cases), std::end(cases));
    all.insert(all.end(), {largeCase, ownTwelve, ownForty});
    // Every level divides the error exactly; wide pictures walk many rows at once.
    for (int level = 1; level <= 255; level++)
        all.push_back({level % 2 ? kPalette16 : kPalette2, level % 2 ? 16 : 2, level, 128, 9 + level % 5, 3, 0, false});
    all.push_back({kPalette256, 256, 3, 200, 301, 12, 5, false});
    all.push_back({kPalette2, 2, 7, 200, 130, 7, 0, true});
    for (const Case& c : all) {
        const int rowPixels = c.width + c.padding;
        std::vector<uint32_t> pixels(size_t(rowPixels) * c.height);
        for (uint32_t& pixel : pixels)
            pixel = uint32_t(random());
        std::vector<uint32_t> expected = pixels;
        PixelView view{c.width, c.height, std::ptrdiff_t(rowPixels) * 4, reinterpret_cast<uint8_t*>(pixels.data())};
        PixelView expectedView = view;
        expectedView.pixels = reinterpret_cast<uint8_t*>(expected.data());
        if (c.flipped) {
            view = FlippedView(view);
            expectedView = FlippedView(expectedView);
        }
        std::vector<uint16_t> indices(size_t(c.width) * c.height), expectedIndices(indices.size());
        PixelByPixelDither(expectedView, c.palette, c.count, c.level, c.threshold, expectedIndices.data());
        const NearestColorFinder* shared = NearestColorFinder::ForFixedPalette(c.palette, c.count);
        const NearestColorFinder own(c.palette, c.count);
        DitherToPalette(view, shared ? *shared : own, c.level, c.threshold, indices.data());
        EXPECT_EQ(pixels, expected) << c.count << " colors, " << c.width << " x " << c.height;  // padding too
        EXPECT_EQ(indices, expectedIndices) << c.count << " colors, " << c.width << " x " << c.height;
    }
}
