// LustreApplyEffect on real outlines: which pairs are offered, what the mask keeps, the
// separate highlights, text fitted per glyph, the reflex scale, and the picture sizes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "common/gdiplus_pixels.h"
#include "effect_fixtures.h"
#include "harness/test_bitmaps.h"

using namespace Gdiplus;

namespace {

struct EffectRun {
    int32_t result = -1;
    std::vector<uint32_t> before;      // the target before the call
    std::vector<uint32_t> after;       // the target after the call
    std::vector<uint32_t> highlights;  // empty unless separate highlights were made
};

struct RunOptions {
    EffectStyle style{50, 100, 100, 100};
    bool separate = false;
};

EffectRun RunEffect(GraphicsPath* path, Bitmap* target, EffectShape shape, int32_t effect, const RunOptions& options)
{
    EffectRequest request(path, target, shape, EffectKind(effect));
    request.style = options.style;
    request.params.separateHighlights = options.separate ? 1 : 0;
    EffectRun run;
    run.before = ReadPixels(target);
    run.result = request.Apply();
    run.after = ReadPixels(target);
    if (request.params.highlights) {
        run.highlights = ReadPixels(request.params.highlights);
        delete request.params.highlights;
    }
    return run;
}

// Renders the shape's layer at the given size and runs the effect on it.
EffectRun RunOnShape(EffectShape shape, int32_t effect, int size, const RunOptions& options = {})
{
    auto outline = OutlineOf(shape, size, size);
    Bitmap* target = RenderedShape(outline.get(), size, size);
    EffectRun run = RunEffect(outline.get(), target, shape, effect, options);
    delete target;
    return run;
}

int CountDifferent(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b)
{
    int count = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); i++)
        count += a[i] != b[i];
    return count;
}

std::string Context(EffectShape shape, int32_t effect)
{
    return std::string(EffectName(effect)) + " on " + ShapeName(shape);
}

}  // namespace

TEST(Lustre, IsExportedAtOrdinalOne)
{
    HMODULE lustre = GetModuleHandleW(L"lustre.dll");
    ASSERT_NE(lustre, nullptr);
    EXPECT_EQ(GetProcAddress(lustre, MAKEINTRESOURCEA(1)), GetProcAddress(lustre, "LustreApplyEffect"));
    EXPECT_NE(GetProcAddress(lustre, MAKEINTRESOURCEA(1)), nullptr);
}

TEST(Lustre, RefusedPairsLeaveTheTargetAsItWas)
{
    for (EffectShape shape : kAllShapes) {
        for (EffectKind effect : kAllEffects) {
            for (bool separate : {false, true}) {
                SCOPED_TRACE(Context(shape, effect) + (separate ? ", separate highlights" : ", in place"));
                RunOptions options;
                options.separate = separate;
                const EffectRun run = RunOnShape(shape, effect, 40, options);
                if (IsOffered(shape, effect)) {
                    EXPECT_EQ(run.result, 1);
                    EXPECT_EQ(run.highlights.empty(), !separate);
                } else {
                    EXPECT_EQ(run.result, 0);
                    EXPECT_EQ(run.after, run.before);
                    EXPECT_TRUE(run.highlights.empty());
                }
            }
        }
    }
}

TEST(Lustre, ATargetLockedElsewhereIsLeftAsItWasWithNoHighlights)
{
    for (bool separate : {false, true}) {
        SCOPED_TRACE(separate ? "separate highlights" : "in place");
        auto outline = OutlineOf(kEffectEllipse, 40, 40);
        Bitmap* target = RenderedShape(outline.get(), 40, 40);
        const std::vector<uint32_t> before = ReadPixels(target);
        EffectRequest request(outline.get(), target, kEffectEllipse, kPearlEffect);
        request.style = {100, 100, 100, 100};
        request.params.separateHighlights = separate ? 1 : 0;
        int32_t result = -1;
        {
            BitmapLock held(target, ImageLockModeRead);
            ASSERT_TRUE(held.ok());
            result = request.Apply();
        }
        EXPECT_EQ(result, 0);
        EXPECT_EQ(request.params.highlights, nullptr);
        delete request.params.highlights;
        EXPECT_EQ(ReadPixels(target), before);
        delete target;
    }
}

TEST(Lustre, UnknownEffectsAndShapesGetShadowAndMaskOnly)
{
    const struct {
        int32_t shape, effect;
    } cases[] = {{kEffectEllipse, 0}, {kEffectEllipse, 8}, {0, kWaveEffect}, {6, kGlassyBallEffect}};
    for (const auto& c : cases) {
        SCOPED_TRACE("shape " + std::to_string(c.shape) + ", effect " + std::to_string(c.effect));
        auto outline = OutlineOf(kEffectEllipse, 40, 40);
        Bitmap* target = RenderedShape(outline.get(), 40, 40);
        RunOptions noShadow;
        noShadow.style = {0, 100, 100, 100};
        const EffectRun run = RunEffect(outline.get(), target, EffectShape(c.shape), c.effect, noShadow);
        delete target;
        EXPECT_EQ(run.result, 1);
        // No highlights and no shadow: colors stay, only the alphas are masked.
        for (size_t i = 0; i < run.after.size(); i++)
            ASSERT_EQ(ColorOf(run.after[i]), ColorOf(run.before[i])) << "pixel " << i;
    }
}

TEST(Lustre, PixelsOutsideTheShapeStayTransparent)
{
    for (EffectShape shape : kAllShapes) {
        for (EffectKind effect : kAllEffects) {
            if (!IsOffered(shape, effect))
                continue;
            for (bool separate : {false, true}) {
                SCOPED_TRACE(Context(shape, effect) + (separate ? ", separate highlights" : ", in place"));
                RunOptions options;
                options.separate = separate;
                options.style = {100, 100, 100, 100};
                const EffectRun run = RunOnShape(shape, effect, 64, options);
                const std::vector<uint32_t>& painted = separate ? run.highlights : run.after;
                ASSERT_EQ(painted.size(), run.before.size());
                int outside = 0, lit = 0;
                for (size_t i = 0; i < painted.size(); i++) {
                    outside += AlphaOf(run.before[i]) == 0 && AlphaOf(painted[i]) != 0;
                    lit += painted[i] != run.before[i];
                }
                EXPECT_EQ(outside, 0);
                EXPECT_GT(lit, 0) << "the effect painted nothing";
            }
        }
    }
}

TEST(Lustre, WithEveryIntensityZeroOnlyTheMaskActs)
{
    for (EffectShape shape : kAllShapes) {
        for (EffectKind effect : kAllEffects) {
            if (!IsOffered(shape, effect))
                continue;
            SCOPED_TRACE(Context(shape, effect));
            RunOptions options;
            options.style = {0, 0, 0, 100};
            const EffectRun run = RunOnShape(shape, effect, 48, options);
            ASSERT_EQ(run.result, 1);
            for (size_t i = 0; i < run.after.size(); i++) {
                const uint32_t o = AlphaOf(run.before[i]);
                // The target's alpha scaled by itself (the saved copy is the shape).
                const double expected = double(o) * double(o) / 255.0;
                ASSERT_EQ(ColorOf(run.after[i]), ColorOf(run.before[i])) << "pixel " << i;
                ASSERT_NEAR(double(AlphaOf(run.after[i])), expected, 1.0) << "pixel " << i << ", alpha " << o;
                if (o == 255 || o == 0) {
                    ASSERT_EQ(AlphaOf(run.after[i]), o) << "pixel " << i;
                }
            }
        }
    }
}

// The same outline over targets of one uniform alpha: shadow and highlights do not depend
// on the target's pixels, so the separate highlights differ only by the mask.
TEST(Lustre, SeparateHighlightsLeaveTheTargetAndAreAThirdOnTheSoftEdge)
{
    for (EffectKind effect : {kWaveEffect, kJellyEffect, kAquaBallEffect}) {
        SCOPED_TRACE(EffectName(effect));
        auto outline = OutlineOf(kEffectEllipse, 48, 48);
        RunOptions options;
        options.separate = true;
        options.style = {80, 100, 100, 100};
        std::vector<uint32_t> lit[3];
        const uint32_t alphas[3] = {255, 201, 200};
        for (int k = 0; k < 3; k++) {
            Bitmap* target = MakeBitmap(48, 48, [&](int x, int y) { return NoiseColor(x, y, alphas[k]); });
            const EffectRun run = RunEffect(outline.get(), target, kEffectEllipse, effect, options);
            delete target;
            ASSERT_EQ(run.result, 1);
            EXPECT_EQ(run.after, run.before) << "the target changed";
            lit[k] = run.highlights;
            ASSERT_EQ(lit[k].size(), run.before.size());
        }
        int strong = 0;
        for (size_t i = 0; i < lit[0].size(); i++) {
            const double a = AlphaOf(lit[0][i]);
            strong += a > 60;
            ASSERT_NEAR(double(AlphaOf(lit[1][i])), a * 201 / 255, 1.0) << "pixel " << i << " over alpha 201";
            ASSERT_NEAR(double(AlphaOf(lit[2][i])), a * 200 / 255 / 3, 1.0) << "pixel " << i << " over alpha 200";
            if (AlphaOf(lit[2][i]) != 0) {
                ASSERT_EQ(ColorOf(lit[2][i]), ColorOf(lit[0][i])) << "pixel " << i;
            }
        }
        EXPECT_GT(strong, 50) << "too few highlight pixels to tell";
    }
}

// Each glyph of a text gets the highlight it would get alone; fitted to the whole text, the
// second glyph's would differ.
TEST(Lustre, TextHighlightsAreFittedPerGlyph)
{
    const int width = 96, height = 56;
    auto text = TextOutline(L"LT", 44, 2, 2);
    auto glyphL = TextOutline(L"L", 44, 2, 2);
    ASSERT_GT(text->GetPointCount(), glyphL->GetPointCount());
    RectF boundsL;
    glyphL->GetBounds(&boundsL);
    const int splitX = int(boundsL.X + boundsL.Width) + 1;

    Bitmap* target = RenderedShape(text.get(), width, height);
    RunOptions options;
    options.separate = true;
    options.style = {0, 100, 100, 100};
    for (EffectKind effect : {kMarbleEffect, kWaveEffect, kSweetEffect}) {
        SCOPED_TRACE(EffectName(effect));
        const EffectRun perGlyph = RunEffect(text.get(), target, kEffectText, effect, options);
        const EffectRun whole = RunEffect(text.get(), target, kEffectRectangle, effect, options);
        const EffectRun aloneL = RunEffect(glyphL.get(), target, kEffectText, effect, options);
        ASSERT_EQ(perGlyph.result, 1);
        double differenceL = 0, differenceWhole = 0;
        for (int y = 0; y < height; y++) {
            for (int x = 0; x < width; x++) {
                const size_t i = size_t(y) * width + x;
                if (x < splitX)
                    differenceL = std::max(differenceL, std::abs(double(AlphaOf(perGlyph.highlights[i])) -
                                                                 double(AlphaOf(aloneL.highlights[i]))));
                differenceWhole += std::abs(double(AlphaOf(perGlyph.highlights[i])) -
                                            double(AlphaOf(whole.highlights[i])));
            }
        }
        EXPECT_LE(differenceL, 2.0) << "the L's highlight depends on the T";
        EXPECT_GT(differenceWhole, 1000.0) << "fitting per glyph made no difference";
    }
    delete target;
}

TEST(Lustre, OnlyAquaBallFollowsTheReflexScale)
{
    for (EffectKind effect : kAllEffects) {
        const EffectShape shape = IsOffered(kEffectEllipse, effect) ? kEffectEllipse : kEffectRectangle;
        SCOPED_TRACE(Context(shape, effect));
        RunOptions narrow, wide;
        narrow.style = {50, 100, 100, 60};
        wide.style = {50, 100, 100, 100};
        const EffectRun a = RunOnShape(shape, effect, 48, narrow);
        const EffectRun b = RunOnShape(shape, effect, 48, wide);
        if (effect == kAquaBallEffect)
            EXPECT_GT(CountDifferent(a.after, b.after), 20);
        else
            EXPECT_EQ(a.after, b.after);
    }
}

TEST(Lustre, OnePixelAndFullSizeTargetsWork)
{
    for (int size : {1, 256}) {
        for (EffectKind effect : kAllEffects) {
            const EffectShape shape = IsOffered(kEffectEllipse, effect) ? kEffectEllipse : kEffectRectangle;
            SCOPED_TRACE(Context(shape, effect) + " at " + std::to_string(size));
            auto outline = std::make_unique<GraphicsPath>(FillModeWinding);
            outline->AddEllipse(0.0f, 0.0f, float(size), float(size));
            Bitmap* target = MakeBitmap(size, size, [&](int x, int y) {
                const int dx = 2 * x + 1 - size, dy = 2 * y + 1 - size;
                return dx * dx + dy * dy <= size * size ? 0xFF2080C0u : 0u;
            });
            const EffectRun run = RunEffect(outline.get(), target, shape, effect, RunOptions{});
            delete target;
            EXPECT_EQ(run.result, 1);
            ASSERT_EQ(run.after.size(), size_t(size) * size);
            for (size_t i = 0; i < run.after.size(); i++) {
                if (AlphaOf(run.before[i]) == 0) {
                    ASSERT_EQ(AlphaOf(run.after[i]), 0u) << "pixel " << i;
                }
            }
        }
    }
}

TEST(Lustre, EdgeShadowDarkensTheRimNotTheMiddle)
{
    auto outline = OutlineOf(kEffectEllipse, 64, 64);
    Bitmap* target = MakeBitmap(64, 64, [](int, int) { return 0xFFFFFFFFu; });
    RunOptions options;
    options.style = {100, 0, 0, 100};
    const EffectRun run = RunEffect(outline.get(), target, kEffectEllipse, kWaveEffect, options);
    delete target;
    ASSERT_EQ(run.result, 1);
    auto blue = [&](int x, int y) { return int(run.after[size_t(y) * 64 + x] & 0xFF); };
    EXPECT_EQ(blue(32, 32), 255) << "the middle is shaded";
    for (const POINT rim : {POINT{5, 32}, POINT{58, 32}, POINT{32, 5}, POINT{32, 58}})
        EXPECT_LT(blue(rim.x, rim.y), 200) << "rim pixel " << rim.x << ", " << rim.y;
}

// Outlines that give the effect nothing to work on inside the picture: the call returns and
// leaves a target of opaque and clear pixels as it was (the mask keeps alphas 255 and 0).
TEST(Lustre, EmptyAndFarAwayOutlinesAreHarmless)
{
    std::vector<std::unique_ptr<GraphicsPath>> outlines;
    outlines.push_back(std::make_unique<GraphicsPath>(FillModeWinding));
    outlines.push_back(std::make_unique<GraphicsPath>(FillModeWinding));
    outlines.back()->AddEllipse(5000.0f, 5000.0f, 40.0f, 40.0f);
    outlines.push_back(std::make_unique<GraphicsPath>(FillModeWinding));
    outlines.back()->AddRectangle(RectF(-1e9f, -1e9f, 3e9f, 10.0f));
    outlines.push_back(std::make_unique<GraphicsPath>(FillModeWinding));
    outlines.back()->AddLine(10.0f, 10.0f, 10.0f, 10.0f);
    for (size_t k = 0; k < outlines.size(); k++) {
        for (EffectKind effect : {kWaveEffect, kJellyEffect, kSweetEffect}) {
            SCOPED_TRACE("outline " + std::to_string(k) + ", " + EffectName(effect));
            Bitmap* target = MakeBitmap(32, 32, [](int x, int y) { return NoiseColor(x, y, x < 16 ? 255u : 0u); });
            const EffectRun run = RunEffect(outlines[k].get(), target, kEffectText, effect, RunOptions{});
            delete target;
            EXPECT_EQ(run.result, 1);
            EXPECT_EQ(run.after, run.before);
        }
    }
    EffectParams missing{};
    EXPECT_EQ(LustreApplyEffect(&missing), 0);
    EXPECT_EQ(LustreApplyEffect(nullptr), 0);
}
