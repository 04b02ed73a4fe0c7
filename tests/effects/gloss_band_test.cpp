// The effect routines paint their working picture in bands, several at once. Whatever the
// bands, the canvas must come out as from one piece: no seam where two bands meet.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "effect_fixtures.h"
#include "effects/effect_paint.h"

using namespace Gdiplus;

namespace {

struct RoutineCase {
    GlossRoutine routine;
    EffectShape shape;
    const char* name;
};

const RoutineCase kRoutines[] = {
    {WaveGloss, kEffectEllipse, "Wave"},          {PearlGloss, kEffectEllipse, "Pearl"},
    {MarbleGloss, kEffectEllipse, "Marble"},      {JellyGloss, kEffectEllipse, "Jelly"},
    {GlassyBallGloss, kEffectEllipse, "Glassy Ball"}, {AquaBallGloss, kEffectEllipse, "Aqua Ball"},
    {SweetGloss, kEffectRectangle, "Sweet"},
};

constexpr int kSize = 256;

// The canvas that one routine paints on a fresh copy of the outline, with `bandRows` rows
// per band (0: as the library chooses).
std::vector<uint32_t> PaintedCanvas(const RoutineCase& routine, int bandRows)
{
    auto outline = OutlineOf(routine.shape, kSize, kSize);
    Bitmap* target = RenderedShape(outline.get(), kSize, kSize);
    ScratchBitmap canvas = NewScratchBitmap(kSize, kSize);
    EffectPaint paint{0xFF000000, 0xFEFFFFFF, 0xFEFFF0A0, 50, 0.8f, canvas.bitmap, canvas.pixels.View(), bandRows};
    GraphicsPath* working = outline->Clone();
    routine.routine(target, working, paint, outline.get());
    delete working;
    delete target;
    const uint32_t* pixels = reinterpret_cast<const uint32_t*>(canvas.pixels.View().pixels);
    std::vector<uint32_t> result(pixels, pixels + kSize * kSize);
    DeleteScratchBitmap(&canvas);
    return result;
}

// How much more alpha row y of `b` holds than that of `a`.
int RowAlphaDifference(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, int y)
{
    int difference = 0;
    for (int x = 0; x < kSize; x++)
        difference += int(AlphaOf(b[size_t(y * kSize + x)])) - int(AlphaOf(a[size_t(y * kSize + x)]));
    return difference;
}

}  // namespace

// A band painted from the wrong working rows (a pixel or more off), twice or not at all
// moves many pixels' worth of alpha in the rows around its edge; drawn shifted into another
// band, the outline may round a few edge pixels differently, which moves far less than four
// opaque pixels' worth. (A shift of half a pixel or less is within that rounding.)
TEST(GlossBands, ManyBandsPaintWhatOneBandPaints)
{
    constexpr int kMostRowDifference = 4 * 255;
    for (const RoutineCase& routine : kRoutines) {
        SCOPED_TRACE(routine.name);
        const std::vector<uint32_t> whole = PaintedCanvas(routine, kSize * 2);
        int painted = 0;
        for (uint32_t pixel : whole)
            painted += AlphaOf(pixel) > 0;
        ASSERT_GT(painted, kSize * kSize / 4) << "the routine painted almost nothing";
        for (int bandRows : {1, 7, 64}) {
            const std::vector<uint32_t> banded = PaintedCanvas(routine, bandRows);
            int worstRow = 0;
            for (int y = 0; y < kSize; y++)
                if (std::abs(RowAlphaDifference(whole, banded, y)) > std::abs(RowAlphaDifference(whole, banded, worstRow)))
                    worstRow = y;
            EXPECT_LE(std::abs(RowAlphaDifference(whole, banded, worstRow)), kMostRowDifference)
                << bandRows << " rows per band: row " << worstRow;
        }
    }
}
