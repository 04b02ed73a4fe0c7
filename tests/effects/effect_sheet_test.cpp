// A picture a person can look at: the seven effects side by side at 128 x 128, written into
// the build folder as effect_sheet.png (top row painted into the layer, bottom row the
// separate highlights over grey).
#include <gtest/gtest.h>

#include <string>

#include "common/image_encoders.h"
#include "effect_fixtures.h"
#include "harness/program_window.h"
#include "harness/test_bitmaps.h"

using namespace Gdiplus;

namespace {

constexpr int kTile = 128;

// A rounded rectangle for Sweet, which has no ellipse form.
std::unique_ptr<GraphicsPath> RoundedRectangle(float x, float y, float w, float h, float r)
{
    auto path = std::make_unique<GraphicsPath>(FillModeWinding);
    path->AddArc(x, y, 2 * r, 2 * r, 180, 90);
    path->AddArc(x + w - 2 * r, y, 2 * r, 2 * r, 270, 90);
    path->AddArc(x + w - 2 * r, y + h - 2 * r, 2 * r, 2 * r, 0, 90);
    path->AddArc(x, y + h - 2 * r, 2 * r, 2 * r, 90, 90);
    path->CloseFigure();
    return path;
}

// Paints one tile pair and returns how many pixels the effect changed.
int PaintTiles(Graphics* sheet, EffectKind effect, int column)
{
    const bool round = IsOffered(kEffectEllipse, effect);
    auto outline = round ? OutlineOf(kEffectEllipse, kTile, kTile) : RoundedRectangle(8, 14, 112, 100, 24);
    Bitmap* layer = RenderedShape(outline.get(), kTile, kTile);
    const std::vector<uint32_t> before = ReadPixels(layer);
    EffectRequest request(outline.get(), layer, round ? kEffectEllipse : kEffectRectangle, effect);
    request.style = {60, 100, 90, 80};
    EXPECT_EQ(request.Apply(), 1) << EffectName(effect);
    request.params.separateHighlights = 1;
    Bitmap* plain = RenderedShape(outline.get(), kTile, kTile);
    request.params.target = plain;
    EXPECT_EQ(request.Apply(), 1) << EffectName(effect);
    sheet->DrawImage(layer, column * kTile, 0, kTile, kTile);
    if (request.params.highlights)
        sheet->DrawImage(request.params.highlights, column * kTile, kTile, kTile, kTile);
    const std::vector<uint32_t> after = ReadPixels(layer);
    int changed = 0;
    for (size_t i = 0; i < after.size(); i++)
        changed += after[i] != before[i];
    delete request.params.highlights;
    delete plain;
    delete layer;
    return changed;
}

}  // namespace

TEST(EffectSheet, SevenEffectsSideBySide)
{
    Bitmap sheet(7 * kTile, 2 * kTile, PixelFormat32bppARGB);
    Graphics graphics(&sheet);
    graphics.Clear(Color(255, 235, 235, 235));
    SolidBrush grey(Color(255, 110, 110, 110));
    graphics.FillRectangle(&grey, 0, kTile, 7 * kTile, kTile);
    int column = 0;
    for (EffectKind effect : kAllEffects) {
        EXPECT_GT(PaintTiles(&graphics, effect, column), kTile * kTile / 10) << EffectName(effect);
        column++;
    }
    CLSID png;
    ASSERT_TRUE(FindImageEncoder(L"image/png", &png));
    const std::wstring file = PathBesideThisProgram(L"effect_sheet.png");
    EXPECT_EQ(sheet.Save(file.c_str(), &png, nullptr), Ok);
}
