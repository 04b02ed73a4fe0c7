#include "effects/gloss_frame.h"

#include <vector>


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

// Target pixels beyond the clip's bounds that the smoothing filter of the final scaled
// drawing may still read.
constexpr int kFilterRoom = 4;

bool ReachOfClip(const GraphicsPath* clip, int width, int height, Rect* reach)
{
    *reach = IntegerBounds(clip);
    reach->Inflate(kFilterRoom, kFilterRoom);
    return reach->Intersect(Rect(0, 0, width, height)) && !reach->IsEmptyArea();
}

}  // namespace

bool BeginGloss(Bitmap* target, GraphicsPath* path, const GraphicsPath* clip, GlossFrame* frame)
{
    if (!ReachOfClip(clip, int(target->GetWidth()), int(target->GetHeight()), &frame->reach))
        return false;
    frame->working = NewScratchBitmap(frame->reach.Width * 2, frame->reach.Height * 2);
    if (!frame->working.bitmap)
        return false;
    frame->graphics = new Graphics(frame->working.bitmap);
    frame->graphics->SetSmoothingMode(SmoothingModeAntiAlias);
    frame->graphics->TranslateTransform(REAL(-2 * frame->reach.X), REAL(-2 * frame->reach.Y));
    ScaleAndCentre(path);
    const Rect box = IntegerBounds(path);
    frame->shape = path;
    frame->x = REAL(box.X);
    frame->y = REAL(box.Y);
    frame->w = REAL(box.Width);
    frame->h = REAL(box.Height);
    return true;
}

void EndGloss(GlossFrame* frame, const EffectPaint& paint, const GraphicsPath* clip, FinalCompositing compositing)
{
    delete frame->graphics;
    frame->graphics = nullptr;
    Graphics canvas(paint.canvas);
    canvas.SetSmoothingMode(SmoothingModeAntiAlias);
    canvas.SetInterpolationMode(InterpolationModeHighQualityBicubic);
    if (compositing == FinalCompositing::kHighQuality)
        canvas.SetCompositingQuality(CompositingQualityHighQuality);
    canvas.SetClip(clip);
    canvas.DrawImage(frame->working.bitmap, frame->reach);
    DeleteScratchBitmap(&frame->working);
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
