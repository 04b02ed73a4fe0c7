#include "effects/gloss_frame.h"

#include <algorithm>
#include <vector>

#include "common/gdiplus_pixels.h"
#include "common/pixel_filters/pixel_buffer.h"
#include "common/pixel_filters/resample.h"  // HalveByAveraging
#include "common/pool_work.h"

using namespace Gdiplus;

namespace {

void TransformPath(GraphicsPath* path, REAL scale, REAL dx, REAL dy)
{
    Matrix matrix(scale, 0, 0, scale, dx, dy);
    path->Transform(&matrix);
}

// Twice the size for smoother edges, then 96 % of that, centred where the doubled
// outline was, so the highlights keep a little distance from the edge.
void ScaleAndCentre(GraphicsPath* path)
{
    TransformPath(path, 2, 0, 0);
    const Rect doubled = IntegerBounds(path);
    TransformPath(path, 0.96f, 0, 0);
    const Rect shrunk = IntegerBounds(path);
    TransformPath(path, 1, REAL((doubled.Width - shrunk.Width) / 2 + (doubled.X - shrunk.X)),
                  REAL((doubled.Height - shrunk.Height) / 2 + (doubled.Y - shrunk.Y)));
}

// Target pixels beyond the clip's integer bounds that are still worked on, in case the
// clip's pixels round outwards.
constexpr int kClipRoom = 1;

bool ReachOfClip(const GraphicsPath* clip, int width, int height, Rect* reach)
{
    *reach = IntegerBounds(clip);
    reach->Inflate(kClipRoom, kClipRoom);
    return reach->Intersect(Rect(0, 0, width, height)) && !reach->IsEmptyArea();
}

// Target rows per band. Every band fills every region again, so bands cost a little each;
// but a band's fills stay small: the scratch memory a fill takes (the region's bounds in the
// band) remains below the size from which some heaps hand blocks back to the system on every
// free, and fresh pages are slow to touch.
constexpr int kBandRows = 16;
constexpr int kMostBands = 64;

// Rows [top, bottom) of the reach, counted from its top, with the band's own paths.
struct Band {
    RowBand rows;
    GraphicsPath* shape = nullptr;
    GraphicsPath* clip = nullptr;
};

// What the bands of one routine share, read only while they run.
struct GlossWork {
    Rect reach;           // the target pixels the clip can reach
    GlossFrame geometry;  // x, y, w, h of the shrunk outline
    std::vector<Band> bands;
};

bool MakeBands(GlossWork* work, const GraphicsPath* shape, const GraphicsPath* clip, int bandRows)
{
    for (const RowBand& rows : SplitIntoBands(work->reach.Height, bandRows > 0 ? bandRows : kBandRows, kMostBands)) {
        work->bands.push_back({rows, shape->Clone(), clip->Clone()});
        if (!work->bands.back().shape || !work->bands.back().clip)
            return false;
    }
    return true;
}

void FreeBands(GlossWork* work)
{
    for (Band& band : work->bands) {
        delete band.shape;
        delete band.clip;
    }
    work->bands.clear();
}

// Paints the effect's fills into `rows`, the working rows from `firstRow` on.
void PaintWorkingRows(const GlossWork& work, const Band& band, int firstRow, const PixelView& rows,
                      const EffectPaint& paint, GlossFills fills)
{
    Bitmap* bitmap = BitmapOverPixels(rows);
    if (!bitmap)
        return;
    {
        Graphics graphics(bitmap);
        graphics.SetSmoothingMode(SmoothingModeAntiAlias);
        graphics.TranslateTransform(REAL(-2 * work.reach.X), REAL(-2 * work.reach.Y - firstRow));
        GlossFrame frame = work.geometry;
        frame.graphics = &graphics;
        frame.shape = band.shape;
        fills(frame, paint);
    }
    delete bitmap;
}

// Draws the band's shrunk rows into the canvas, clipped to the clip path.
void DrawIntoCanvas(const GlossWork& work, const Band& band, const PixelView& shrunk, const EffectPaint& paint,
                    FinalCompositing compositing)
{
    const Rect& reach = work.reach;
    const int top = reach.Y + band.rows.top;
    Bitmap* source = BitmapOverPixels(shrunk);
    Bitmap* destination = BitmapOverPixels(SubView(paint.canvasPixels, reach.X, top, shrunk.width, shrunk.height));
    if (source && destination) {
        Graphics canvas(destination);
        canvas.SetSmoothingMode(SmoothingModeAntiAlias);
        // Already at the canvas's scale: copied pixel for pixel.
        canvas.SetInterpolationMode(InterpolationModeNearestNeighbor);
        if (compositing == FinalCompositing::kHighQuality)
            canvas.SetCompositingQuality(CompositingQualityHighQuality);
        canvas.TranslateTransform(REAL(-reach.X), REAL(-top));
        canvas.SetClip(band.clip);
        canvas.DrawImage(source, Rect(reach.X, top, shrunk.width, shrunk.height));
    }
    delete source;
    delete destination;
}

// One band from start to end: its working rows painted at twice the size, halved and drawn
// into the canvas. Bands share no memory but the canvas, whose rows they divide.
void PaintBand(const GlossWork& work, const Band& band, const EffectPaint& paint, GlossFills fills,
               FinalCompositing compositing)
{
    const Rect& reach = work.reach;
    const int rows = band.rows.bottom - band.rows.top;
    PixelBuffer doubled = NewPixelBuffer(2 * reach.Width, 2 * rows);
    PaintWorkingRows(work, band, 2 * band.rows.top, doubled.View(), paint, fills);
    PixelBuffer shrunk = NewScratchBuffer(reach.Width, rows);
    HalveByAveraging(doubled.View(), shrunk.View());
    DrawIntoCanvas(work, band, shrunk.View(), paint, compositing);
}

// Far beyond any icon; keeps a band's byte count well inside memory.
constexpr int kLargestWorkingSide = 16384;

}  // namespace

void PaintGloss(Bitmap* target, GraphicsPath* path, const EffectPaint& paint, const GraphicsPath* clip,
                FinalCompositing compositing, GlossFills fills)
{
    GlossWork work;
    const int width = std::min(int(target->GetWidth()), paint.canvasPixels.width);
    const int height = std::min(int(target->GetHeight()), paint.canvasPixels.height);
    if (!ReachOfClip(clip, width, height, &work.reach) || work.reach.Width * 2 > kLargestWorkingSide ||
        work.reach.Height * 2 > kLargestWorkingSide)
        return;
    ScaleAndCentre(path);
    const Rect box = IntegerBounds(path);
    work.geometry.x = REAL(box.X);
    work.geometry.y = REAL(box.Y);
    work.geometry.w = REAL(box.Width);
    work.geometry.h = REAL(box.Height);
    if (MakeBands(&work, path, clip, paint.bandRows)) {
        RunInParallel(int(work.bands.size()), [&](int i) {
            PaintBand(work, work.bands[size_t(i)], paint, fills, compositing);
        });
    }
    FreeBands(&work);
}

Color ClearColor()
{
    return Color(0, 255, 255, 255);
}

Color ArgbColor(uint32_t argb)
{
    return Color(ARGB(argb));
}
std::unique_ptr<LinearGradientBrush> NewLinearGloss(const LinearGloss& gloss)
{
    std::unique_ptr<LinearGradientBrush> brush(
        new LinearGradientBrush(gloss.from, gloss.to, gloss.fromColor, gloss.toColor));
    if (brush->GetLastStatus() != Ok)
        return nullptr;
    brush->SetGammaCorrection(TRUE);
    // GDI+ refuses Clamp for linear gradients; the brush then keeps tiling, which is
    // what the highlight looks like on every system.
    brush->SetWrapMode(gloss.wrap);
    return brush;
}

void SetBlendStops(LinearGradientBrush* brush, std::initializer_list<BlendStop> stops)
{
    std::vector<REAL> factors, positions;
    for (const BlendStop& stop : stops) {
        positions.push_back(stop.position);
        factors.push_back(stop.factor);
    }
    if (brush)
        brush->SetBlend(factors.data(), positions.data(), int(stops.size()));
}

std::unique_ptr<PathGradientBrush> NewRadialGloss(const GraphicsPath* area, const RadialGloss& gloss)
{
    std::unique_ptr<PathGradientBrush> brush(new PathGradientBrush(area));
    if (brush->GetLastStatus() != Ok)
        return nullptr;
    Color surround = ClearColor();
    int count = 1;
    brush->SetCenterColor(gloss.centreColor);
    brush->SetSurroundColors(&surround, &count);
    brush->SetCenterPoint(gloss.centre);
    brush->SetFocusScales(gloss.focusScaleX, gloss.focusScaleY);
    brush->SetBlendBellShape(gloss.bellFocus, gloss.bellScale);
    // A setting the system refuses leaves the brush as it was; it still paints.
    brush->SetGammaCorrection(TRUE);
    return brush;
}

void FillRegion(Graphics* graphics, Brush* brush, const GraphicsPath* region)
{
    if (brush)
        graphics->FillPath(brush, region);
}

void FillClipped(Graphics* graphics, Brush* brush, const GraphicsPath* region, const GraphicsPath* clip)
{
    graphics->SetClip(clip);
    FillRegion(graphics, brush, region);
    graphics->ResetClip();
}

void FillClipped(Graphics* graphics, Brush* brush, const GraphicsPath* region, const RectF& clip)
{
    graphics->SetClip(clip);
    FillRegion(graphics, brush, region);
    graphics->ResetClip();
}
