// The effects' own arithmetic: highlight alphas, the offer table's dispatch, the shadow's
// width and the mask by the shape's alpha. Exact values.
#include <gtest/gtest.h>

#include <vector>

#include "effects/effect_arithmetic.h"
#include "effects/offer_table.h"

namespace {

struct Pixels {
    int width, height;
    std::vector<uint8_t> bytes;
    Pixels(int w, int h) : width(w), height(h), bytes(size_t(w) * h * 4) {}
    PixelView View() { return {width, height, std::ptrdiff_t(width) * 4, bytes.data()}; }
    uint8_t& Alpha(int i) { return bytes[size_t(i) * 4 + kAlpha]; }
};

}  // namespace

TEST(EffectArithmetic, HighlightAlphaTruncatesIntensityTimesTwoPointFiveFive)
{
    const struct {
        int32_t intensity;
        int alpha;
    } cases[] = {{0, 0}, {1, 2}, {50, 127}, {99, 252}, {100, 254}, {-5, 0}, {180, 254}};
    for (const auto& c : cases)
        EXPECT_EQ(HighlightAlpha(c.intensity), c.alpha) << "intensity " << c.intensity;
    EXPECT_EQ(WithAlpha(0x12345678, 0x9A), 0x9A345678u);
    EXPECT_EQ(ReflexEndAlpha(254), 76);
    EXPECT_EQ(ReflexEndAlpha(0), 0);
}

TEST(EffectArithmetic, ShadowWidthAndStrength)
{
    const struct {
        int width, height, d;
    } widths[] = {{240, 240, 26}, {240, 30, 3}, {17, 100, 1}, {18, 18, 2}, {27, 40, 3}, {0, 5, 1}};
    for (const auto& c : widths)
        EXPECT_EQ(EdgeShadowWidth(c.width, c.height), c.d) << c.width << " x " << c.height;
    EXPECT_EQ(ShadowOpacityChange(0), -100);
    EXPECT_EQ(ShadowOpacityChange(50), 0);
    EXPECT_EQ(ShadowOpacityChange(100), 100);
}

TEST(EffectArithmetic, UnknownNumbersPaintNoHighlightsButAreNotRefused)
{
    EXPECT_EQ(OfferFor(kEffectEllipse, 0), EffectOffer::kNoHighlights);
    EXPECT_EQ(OfferFor(kEffectEllipse, 8), EffectOffer::kNoHighlights);
    EXPECT_EQ(OfferFor(0, kWaveEffect), EffectOffer::kNoHighlights);
    EXPECT_EQ(OfferFor(6, kGlassyBallEffect), EffectOffer::kNoHighlights);
    EXPECT_EQ(OfferFor(kEffectText, kSweetEffect), EffectOffer::kEachSubpath);
    EXPECT_EQ(OfferFor(kEffectCustomShape, kMarbleEffect), EffectOffer::kEachSubpath);
    EXPECT_EQ(OfferFor(kEffectPolygon, kJellyEffect), EffectOffer::kWholePath);
    EXPECT_EQ(OfferFor(kEffectRectangle, kGlassyBallEffect), EffectOffer::kNotOffered);
    EXPECT_EQ(OfferFor(kEffectEllipse, kSweetEffect), EffectOffer::kNotOffered);
}

// Every pair of shape alpha o and destination alpha a, against the product o x a / 255
// (a third of it on the soft edge for separate highlights).
TEST(EffectArithmetic, MaskScalesEachAlphaByTheShapesAlpha)
{
    for (MaskedLayer layer : {MaskedLayer::kTarget, MaskedLayer::kSeparateHighlights}) {
        Pixels shape(256, 256), destination(256, 256);
        for (int i = 0; i < 256 * 256; i++) {
            shape.Alpha(i) = uint8_t(i / 256);
            destination.Alpha(i) = uint8_t(i % 256);
            destination.bytes[size_t(i) * 4 + kRed] = uint8_t(i * 7);
        }
        MaskByShapeAlpha(shape.View(), destination.View(), layer);
        for (int i = 0; i < 256 * 256; i++) {
            const int o = i / 256, a = i % 256;
            const bool third = layer == MaskedLayer::kSeparateHighlights && o <= 200;
            const double exact = double(o) * a / 255.0 / (third ? 3.0 : 1.0);
            ASSERT_NEAR(destination.Alpha(i), exact, 1.0) << "o " << o << ", a " << a;
            ASSERT_LE(destination.Alpha(i), exact + 1e-3) << "rounded up: o " << o << ", a " << a;
            ASSERT_EQ(destination.bytes[size_t(i) * 4 + kRed], uint8_t(i * 7));
        }
        EXPECT_EQ(destination.Alpha(255 * 256 + 255), 255) << "an opaque shape keeps an opaque pixel";
        EXPECT_EQ(destination.Alpha(201 * 256 + 255), 201);
        EXPECT_EQ(destination.Alpha(200 * 256 + 255), layer == MaskedLayer::kTarget ? 200 : 66);
    }
}
