// The vectorised filters against per-pixel formulas and the tap-by-tap references, on
// pictures whose widths are odd, below the vector width or not a multiple of it, and whose
// rows are padded (the padding must come back untouched).
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>

#include "filter_test_support.h"
#include "common/pixel_filters/pixel_buffer.h"
#include "common/pixel_filters/resample.h"
#include "filters/filter_routines.h"
#include "reference_filters.h"

namespace {

// A width x height picture inside rows of width + padding pixels; the padding is a fixed
// pattern the filter must not write.
struct PaddedPicture {
    int width, height, padding;
    std::vector<uint32_t> argb;

    PaddedPicture(int w, int h, int pad, uint32_t fill) : width(w), height(h), padding(pad), argb(size_t(w + pad) * h, fill) {}
    PixelView View() { return {width, height, std::ptrdiff_t(width + padding) * 4, reinterpret_cast<uint8_t*>(argb.data())}; }
    uint32_t& at(int x, int y) { return argb[size_t(y) * (width + padding) + x]; }
};

constexpr uint32_t kPaddingPattern = 0x5A5A5A5A;

PaddedPicture RandomPadded(std::mt19937& random, int width, int height, int padding)
{
    TestPixels pixels = RandomPixels(random, width, height);
    PaddedPicture picture(width, height, padding, kPaddingPattern);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            picture.at(x, y) = pixels.at(x, y);
    return picture;
}

struct Shape {
    int width, height, padding;
};
// 1..3 lie below four pixels, 5 and 7 leave a tail after a vector, 37 several vectors.
const Shape kShapes[] = {{1, 1, 0}, {3, 2, 1}, {4, 3, 0}, {5, 4, 3}, {7, 5, 2}, {8, 2, 1}, {37, 9, 5}, {64, 3, 0}};

// Runs `filter` on a random padded picture of every shape and hands each result pixel to
// `check` with its source pixel; the padding must stay as it was.
void ForEveryShape(unsigned seed, const PixelFilter& filter,
                   const std::function<void(uint32_t source, uint32_t result)>& check)
{
    std::mt19937 random(seed);
    for (const Shape& shape : kShapes) {
        PaddedPicture source = RandomPadded(random, shape.width, shape.height, shape.padding);
        PaddedPicture result(shape.width, shape.height, shape.padding, kPaddingPattern);
        filter(source.View(), result.View());
        for (int y = 0; y < shape.height; y++) {
            for (int x = 0; x < shape.width; x++)
                check(source.at(x, y), result.at(x, y));
            for (int x = shape.width; x < shape.width + shape.padding; x++)
                ASSERT_EQ(result.at(x, y), kPaddingPattern) << "padding written, width " << shape.width;
        }
    }
}

}  // namespace

TEST(VectorPaths, GrayscaleAndNegativeFollowTheirFormulas)
{
    ForEveryShape(3, Grayscale, [](uint32_t source, uint32_t result) {
        const uint32_t gray = (222 * RedOf(source) + 707 * GreenOf(source) + 71 * BlueOf(source)) / 1000;
        ASSERT_EQ(result, PackPixel(AlphaOf(source), gray, gray, gray)) << std::hex << source;
    });
    ForEveryShape(4, Negative, [](uint32_t source, uint32_t result) {
        ASSERT_EQ(result, PackPixel(AlphaOf(source), 255 - RedOf(source), 255 - GreenOf(source), 255 - BlueOf(source)));
    });
}

TEST(VectorPaths, GrayscaleIsExactForEveryColor)
{
    // The quotient by 1000 is where a vector path could round; every color is tried once,
    // one red value per 256 x 256 picture.
    TestPixels source(256, 256);
    for (int red = 0; red < 256; red++) {
        for (int i = 0; i < 65536; i++)
            source.argb[size_t(i)] = Argb(255, uint32_t(red), uint32_t(i >> 8), uint32_t(i & 0xFF));
        const TestPixels result = Filtered(source, Grayscale);
        for (int i = 0; i < 65536; i++) {
            const uint32_t gray = (222 * uint32_t(red) + 707 * uint32_t(i >> 8) + 71 * uint32_t(i & 0xFF)) / 1000;
            ASSERT_EQ(result.argb[size_t(i)], Argb(255, gray, gray, gray)) << "red " << red << ", " << i;
        }
    }
}

TEST(VectorPaths, HueSaturationAndLuminanceFollowTheFormulasForAnyShift)
{
    // Shifts past a whole turn either way, and near the extremes of the words they come
    // from (the reference adds in 32 bits, so the hue shift stays a turn inside).
    const int shifts[][3] = {{0, 0, 0},       {359, 200, -200}, {360, 1, -1},      {-1, 0, 0},
                             {-361, 50, 50},  {-362, 0, 0},     {1000, -7, 9},     {-1000, 3, -3},
                             {INT_MAX - 360, INT_MAX, INT_MAX}, {INT_MIN + 360, INT_MIN, INT_MIN}};
    for (const auto& shift : shifts)
        ForEveryShape(5, [&](const PixelView& s, const PixelView& r) { AdjustHsv(s, r, shift[0], shift[1], shift[2]); },
                      [&](uint32_t source, uint32_t result) {
                          ASSERT_EQ(result, ReferenceAdjustHsvPixel(source, shift[0], shift[1], shift[2]))
                              << std::hex << source << std::dec << " shifted " << shift[0] << "," << shift[1];
                      });
}

namespace {

// The filter and its reference on the same random padded pictures of every shape; results
// (padding included) must agree.
void MatchesReferenceOnEveryShape(unsigned seed, const PixelFilter& filter, const PixelFilter& reference,
                                  const char* name)
{
    std::mt19937 random(seed);
    for (const Shape& shape : kShapes) {
        PaddedPicture source = RandomPadded(random, shape.width, shape.height, shape.padding);
        PaddedPicture result(shape.width, shape.height, shape.padding, kPaddingPattern);
        PaddedPicture expected = result;
        filter(source.View(), result.View());
        reference(source.View(), expected.View());
        ASSERT_EQ(result.argb, expected.argb) << name << " on " << shape.width << " x " << shape.height;
    }
}

}  // namespace

TEST(VectorPaths, CustomKernelsMatchTheTapByTapSum)
{
    // Small weights keep every sum within 16 bits; larger ones need 32 bits, the largest
    // 32-bit products. A scale of 1 (or below) makes the result the sum plus the offset.
    struct Case {
        const char* name;
        int range, scale, offset;
    } cases[] = {{"16-bit sums", 4, 3, 7},           {"32-bit sums", 300, 50, -20}, {"32-bit weights", 100000, 77777, 3},
                 {"scale 1, offset", 4, 1, 100},      {"scale 0 counts as 1", 4, 0, -50},
                 {"offset past 16 bits", 4, 1, 40000}};
    std::mt19937 random(21);
    for (const Case& c : cases) {
        std::vector<int32_t> weights(25);
        for (int32_t& weight : weights)
            weight = int32_t(random() % (2u * c.range + 1)) - c.range;
        MatchesReferenceOnEveryShape(
            22, [&](const PixelView& s, const PixelView& r) { CustomFilter({weights.data(), 5, c.scale, c.offset}, s, r); },
            [&](const PixelView& s, const PixelView& r) {
                ReferenceCustomFilter(weights.data(), 5, c.scale, c.offset, s, r);
            },
            c.name);
    }
}

TEST(VectorPaths, CoverageBlursMatchTheTapByTapFormulas)
{
    const struct {
        const char* name;
        void (*fast)(const PixelView&, const PixelView&);
        ReferenceBlur kind;
    } blurs[] = {{"Gaussian", GaussianBlur5x5, ReferenceBlur::kGaussian},
                 {"linear", LinearBlur, ReferenceBlur::kLinear},
                 {"soften", Soften, ReferenceBlur::kSoften}};
    for (const auto& blur : blurs)
        MatchesReferenceOnEveryShape(
            31, blur.fast, [&](const PixelView& s, const PixelView& r) { ReferenceCoverageBlur(blur.kind, s, r); },
            blur.name);
}

namespace {

// Scaling one pixel at a time as the description reads: a tent over 1 / scale source pixels
// when shrinking (1 when enlarging) around each output centre, edges repeated, weights
// normalised, rows blended before columns in premultiplied floats, then divided back.
uint32_t ReferenceScaledPixel(const PixelView& from, int toWidth, int toHeight, int x, int y)
{
    const auto taps = [](int inCount, int outCount, int i) {
        const double scale = double(outCount) / inCount, radius = scale < 1 ? 1 / scale : 1;
        const double centre = (i + 0.5) / scale - 0.5;
        std::vector<std::pair<int, float>> found;
        double total = 0;
        for (int j = int(std::ceil(centre - radius)); j <= int(std::floor(centre + radius)); j++) {
            const double weight = 1 - std::fabs(j - centre) / radius;
            if (weight > 0) {
                found.push_back({ClampIndex(j, inCount), float(weight)});
                total += weight;
            }
        }
        for (auto& tap : found)
            tap.second = float(tap.second / total);
        return found;
    };
    float sum[4] = {0, 0, 0, 0};
    for (const auto& [column, columnWeight] : taps(from.width, toWidth, x)) {
        float blended[4] = {0, 0, 0, 0};
        for (const auto& [row, rowWeight] : taps(from.height, toHeight, y)) {
            const uint32_t pixel = PixelRow(from, row)[column];
            const float alpha = float(AlphaOf(pixel));
            const float premultiplied[4] = {float(BlueOf(pixel)) * alpha, float(GreenOf(pixel)) * alpha,
                                            float(RedOf(pixel)) * alpha, alpha};
            for (int c = 0; c < 4; c++)
                blended[c] = blended[c] + premultiplied[c] * rowWeight;
        }
        for (int c = 0; c < 4; c++)
            sum[c] = sum[c] + blended[c] * columnWeight;
    }
    const int alpha = int(sum[3] + 0.5f);
    if (alpha <= 0)
        return 0;
    const float reciprocal = 1.0f / sum[3];
    const auto channel = [&](int c) { return ClampToByte(int(sum[c] * reciprocal + 0.5f)); };
    return PackPixel(ClampToByte(alpha), channel(2), channel(1), channel(0));
}

}  // namespace

TEST(VectorPaths, ScalingMatchesThePixelByPixelFormula)
{
    // Shrinking far (many taps), a little, and enlarging (two taps a column, one where a
    // centre falls on a source pixel), to widths below and past four pixels.
    const int targets[][2] = {{1, 1}, {3, 2}, {5, 4}, {9, 7}, {17, 3}, {37, 40}, {90, 20}};
    std::mt19937 random(41);
    for (const Shape& shape : kShapes)
        for (const auto& target : targets) {
            PaddedPicture source = RandomPadded(random, shape.width, shape.height, shape.padding);
            PaddedPicture result(target[0], target[1], 3, kPaddingPattern);
            ResampleBilinear(source.View(), result.View());
            for (int y = 0; y < target[1]; y++) {
                for (int x = 0; x < target[0]; x++)
                    ASSERT_EQ(result.at(x, y), ReferenceScaledPixel(source.View(), target[0], target[1], x, y))
                        << shape.width << " x " << shape.height << " to " << target[0] << " x " << target[1] << " at "
                        << x << ", " << y;
                for (int x = target[0]; x < target[0] + 3; x++)
                    ASSERT_EQ(result.at(x, y), kPaddingPattern);
            }
        }
}

TEST(VectorPaths, GaussianQuotientsOfUniformColorsMatchTheFormula)
{
    // One color over random holes: every covered weight from 1 to 100 turns up, and the
    // sums are its exact multiples, where a quotient that falls just short shows.
    std::mt19937 random(51);
    for (uint32_t level = 0; level < 256; level++) {
        TestPixels source(23, 19);
        for (uint32_t& pixel : source.argb) {
            const uint32_t alpha = random() % 3 == 0 ? 0 : (random() % 2 ? 255 : random() % 256);
            pixel = Argb(alpha, level, 255 - level, (level * 7) & 0xFF);
        }
        const TestPixels result = Filtered(source, GaussianBlur5x5);
        const TestPixels expected =
            Filtered(source, [](const PixelView& s, const PixelView& r) { ReferenceCoverageBlur(ReferenceBlur::kGaussian, s, r); });
        ASSERT_EQ(result.argb, expected.argb) << "level " << level;
    }
}
