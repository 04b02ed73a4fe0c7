// The type table: each type reaches its routine with the words the table names.
#include <gtest/gtest.h>

#include "filter_test_support.h"
#include "filters/filter_request.h"
#include "filters/filter_routines.h"

namespace {

struct TypeCase {
    const char* what;
    FilterRequest request;
    PixelFilter expected;
};

}  // namespace

TEST(Dispatch, EachTypeReadsItsOwnWords)
{
    static const int32_t kernel[9] = {0, 1, 0, 1, -2, 1, 0, 2, 0};
    static const uint32_t shadowColor = 0xAA102030;
    // Unused words carry noise, so a routine that read the wrong word would show it.
    auto request = [](int type) {
        FilterRequest r{type, kernel, 4, 5, 6, 77, &shadowColor, 8, 9, 10, 11};
        return r;
    };
    auto with = [&](int type, auto change) {
        FilterRequest r = request(type);
        change(r);
        return r;
    };
    const TypeCase cases[] = {
        {"custom", with(kCustomFilter, [](FilterRequest& r) { r.word4 = 3; r.word5 = 2; r.word6 = 40; }),
         [](const PixelView& s, const PixelView& o) { CustomFilter({kernel, 3, 2, 40}, s, o); }},
        {"colorize", with(kColorize, [](FilterRequest& r) { r.word4 = 0x1FF; r.word5 = 30; r.word6 = 200; }),
         [](const PixelView& s, const PixelView& o) { Colorize(s, o, 255, 30, 200); }},
        {"brightness", with(kBrightnessContrast, [](FilterRequest& r) { r.word4 = -40; r.word5 = 60; }),
         [](const PixelView& s, const PixelView& o) { BrightnessContrast(s, o, -40, 60); }},
        {"linear", request(kLinearBlur), LinearBlur},
        {"motion", request(kMotionBlur), MotionBlur},
        {"soften", request(kSoften), Soften},
        {"sharpen", request(kSharpen), Sharpen},
        {"unsharp", request(kUnsharpMask), UnsharpMask},
        {"gaussian", request(kGaussianBlur5x5), GaussianBlur5x5},
        {"color emboss", request(kColorEmboss), ColorEmboss},
        {"gray emboss", request(kGrayEmboss), GrayEmboss},
        {"defocus", request(kDefocus), Defocus},
        {"negative", request(kNegative), Negative},
        {"grayscale", request(kGrayscale), Grayscale},
        {"hsv", with(kAdjustHsv, [](FilterRequest& r) { r.word4 = -90; r.word5 = 40; r.word6 = -30; }),
         [](const PixelView& s, const PixelView& o) { AdjustHsv(s, o, -90, 40, -30); }},
        {"inner shadow", with(kInnerShadow, [](FilterRequest& r) { r.word4 = 2; r.word5 = -1; r.word6 = 0x150; r.word9 = 6; }),
         [](const PixelView& s, const PixelView& o) { CastShadow(s, o, {ShadowKind::kInner, 0xAA102030, 0x50, 2, -1, 6}); }},
        {"drop shadow", with(kDropShadow, [](FilterRequest& r) { r.word4 = -3; r.word5 = 2; r.word6 = 70; r.word9 = 7; }),
         [](const PixelView& s, const PixelView& o) { CastShadow(s, o, {ShadowKind::kDrop, 0xAA102030, 70, -3, 2, 7}); }},
        {"opacity", with(kAdjustOpacity, [](FilterRequest& r) { r.word4 = -35; }),
         [](const PixelView& s, const PixelView& o) { AdjustOpacity(s, o, -35); }},
        {"bevel", with(kBevel, [](FilterRequest& r) {
             r.word4 = 200; r.word5 = 150; r.word6 = 4; r.word10 = 5; r.word11 = 0x00FFEE00; r.word12 = 0x11000022;
         }),
         [](const PixelView& s, const PixelView& o) { Bevel(s, o, {0x00FFEE00, 200, 0x11000022, 150, 4, 5}); }},
        {"heavy blur", with(kHeavyBlur, [](FilterRequest& r) { r.word9 = 9; }),
         [](const PixelView& s, const PixelView& o) { HeavyBlur(s, o, 9); }},
        {"borderize", with(kBorderize, [](FilterRequest& r) { r.word4 = 5; r.word11 = 0x0000FF; }),
         [](const PixelView& s, const PixelView& o) { Borderize(s, o, 0x0000FF, 5); }},
    };
    std::mt19937 random(6);
    TestPixels source = RandomPixels(random, 21, 16);
    for (int y = 4; y < 12; y++)
        for (int x = 5; x < 15; x++)
            source.at(x, y) |= 0xFF000000;  // an opaque block for the shape filters
    for (const TypeCase& c : cases) {
        const FilterRequest r = c.request;
        TestPixels dispatched = Filtered(source, [&r](const PixelView& s, const PixelView& o) { RunFilter(r, s, o); });
        EXPECT_EQ(dispatched.argb, Filtered(source, c.expected).argb) << c.what;
    }
}
