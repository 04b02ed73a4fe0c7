// Drawing a vector layer again from what it stored: its own brush, pen width and smoothing,
// whatever the painting brush is now, on a cleared bitmap.
#include <windows.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <vector>

#include "core/pyx.h"
#include "editarea/shapes/vector_render.h"
#include "harness/test_bitmaps.h"

namespace {

constexpr int kSize = 16;
constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kBlue = 0xFF0000FFu;
constexpr uint32_t kGreen = 0xFF00FF00u;

uint32_t Garbage(int x, int y)
{
    return NoiseColor(x, y, 200);
}

// A vector layer over a rectangle (x, y, w, h) whose bitmap holds garbage first.
Layer* RectangleLayer(uint8_t type, int x, int y, int w, int h, uint32_t color, float penWidth, bool smoothing)
{
    auto* path = new Gdiplus::GraphicsPath();
    path->AddRectangle(Gdiplus::Rect(x, y, w, h));
    Layer* layer = PYX_CreateVectorLayer(MakeBitmap(kSize, kSize, Garbage), path, kRectangleShape);
    layer->type = type;
    layer->brush = BrushSettings{};
    layer->brush.primaryColor = color;
    layer->brush.secondaryColor = kGreen;
    layer->penWidth = penWidth;
    layer->smoothing = smoothing ? 1 : 0;
    return layer;
}

bool Inside(int x, int y, int left, int top, int right, int bottom)  // right, bottom inclusive
{
    return x >= left && x <= right && y >= top && y <= bottom;
}

TEST(VectorRender, PlainShapesColorExactlyTheirPixelsInTheirOwnColor)
{
    struct Case {
        const char* name;
        uint8_t type;
        int bitsPerPixel;
        uint32_t useGradient;
        // the expected pixels: the rectangle (2, 3, 6, 4) filled covers x 2..7, y 3..6; the
        // outline (2, 3, 3, 3) of width 1 is the ring of pixels x 2..5, y 3..6
        bool ring;
    } cases[] = {
        {"filled, 32 bits", kFilledVectorLayer, 32, 0, false},
        {"filled, 24 bits", kFilledVectorLayer, 24, 0, false},
        {"filled, 8 bits ignores the gradient flag", kFilledVectorLayer, 8, 1, false},
        {"outlined, 32 bits", kOutlinedVectorLayer, 32, 0, true},
        {"outlined, 4 bits ignores the gradient flag", kOutlinedVectorLayer, 4, 1, true},
    };
    for (const Case& c : cases) {
        Layer* layer = c.ring ? RectangleLayer(c.type, 2, 3, 3, 3, kBlue, 1, false)
                              : RectangleLayer(c.type, 2, 3, 6, 4, kBlue, 0, false);
        layer->brush.useGradient = c.useGradient;
        layer->brush.gradientKind = 1;
        ASSERT_TRUE(RenderVectorLayer(layer, kSize, kSize, c.bitsPerPixel)) << c.name;
        const std::vector<uint32_t> pixels = ReadPixels(layer->bitmap);
        for (int y = 0; y < kSize; y++) {
            for (int x = 0; x < kSize; x++) {
                const bool colored = c.ring ? Inside(x, y, 2, 3, 5, 6) && !Inside(x, y, 3, 4, 4, 5)
                                            : Inside(x, y, 2, 3, 7, 6);
                EXPECT_EQ(pixels[size_t(y) * kSize + x], colored ? kBlue : 0u)
                    << c.name << " at " << x << "," << y;
            }
        }
        PYX_DeleteLayer(layer);
    }
}

// The layer's own gradient flag counts at 24 bits and more: red at the left edge, green at
// the right, with the blend's gamma between (the brush reaches one pixel beyond the left edge and ends at the right one).
TEST(VectorRender, StoredGradientIsUsedAtTwentyFourBits)
{
    Layer* layer = RectangleLayer(kFilledVectorLayer, 0, 0, kSize, kSize, kRed, 0, false);
    layer->brush.useGradient = 1;
    layer->brush.gradientKind = 1;
    layer->brush.blendFactor = 50;
    layer->brush.blendPosition = 50;
    ASSERT_TRUE(RenderVectorLayer(layer, kSize, kSize, 32));
    const std::vector<uint32_t> pixels = ReadPixels(layer->bitmap);
    const uint32_t left = pixels[8 * kSize + 0];
    const uint32_t right = pixels[8 * kSize + kSize - 1];
    const int leftRed = int((left >> 16) & 0xFF), leftGreen = int((left >> 8) & 0xFF);
    const int rightRed = int((right >> 16) & 0xFF), rightGreen = int((right >> 8) & 0xFF);
    EXPECT_GT(leftRed - leftGreen, 80) << std::hex << left;
    EXPECT_GT(rightGreen - rightRed, 80) << std::hex << right;
    PYX_DeleteLayer(layer);
}

// The smooth outline stays inside the shape (inset), leaves the middle empty and covers its
// ring: a rectangle (2, 2, 10, 10) with a 2-pixel pen.
TEST(VectorRender, SmoothOutlineStaysInsideItsShape)
{
    Layer* layer = RectangleLayer(kOutlinedVectorLayer, 2, 2, 10, 10, kRed, 2, true);
    ASSERT_TRUE(RenderVectorLayer(layer, kSize, kSize, 32));
    const std::vector<uint32_t> pixels = ReadPixels(layer->bitmap);
    int covered = 0;
    for (int y = 0; y < kSize; y++) {
        for (int x = 0; x < kSize; x++) {
            const uint32_t alpha = pixels[size_t(y) * kSize + x] >> 24;
            if (!Inside(x, y, 1, 1, 12, 12)) {
                EXPECT_EQ(alpha, 0u) << "outside the shape at " << x << "," << y;
            }
            if (Inside(x, y, 5, 5, 8, 8)) {
                EXPECT_EQ(alpha, 0u) << "in the middle at " << x << "," << y;
            }
            if (alpha > 128) {
                EXPECT_EQ(pixels[size_t(y) * kSize + x] & 0xFFFFFF, kRed & 0xFFFFFF) << x << "," << y;
            }
            covered += alpha > 128;
        }
    }
    // A 2-pixel ring just inside a 10 x 10 square covers about 10*10 - 6*6 = 64 pixels.
    EXPECT_GE(covered, 40);
    EXPECT_LE(covered, 80);
    PYX_DeleteLayer(layer);
}

TEST(VectorRender, RefusesWhatIsNoVectorLayer)
{
    Layer* raster = PYX_CreateRasterLayer(kSize, kSize);
    EXPECT_FALSE(RenderVectorLayer(raster, kSize, kSize, 32));
    EXPECT_FALSE(RenderVectorLayer(nullptr, kSize, kSize, 32));
    PYX_DeleteLayer(raster);
}

}  // namespace
