// The seven highlight geometries. Each routine reads as its recipe: the regions it fills,
// their clips and their brushes, in the working bitmap's pixels (x, y, w, h = the shrunk
// outline's bounds).
#include "effects/effect_arithmetic.h"
#include "effects/gloss_frame.h"

using namespace Gdiplus;

namespace {

Color Upper(const EffectPaint& paint)
{
    return ArgbColor(paint.upper);
}

Color Lower(const EffectPaint& paint)
{
    return ArgbColor(paint.lower);
}

// The closed cardinal curve both balls use for their lower glow.
void AddBallGlow(GraphicsPath* glow, const GlossFrame& f)
{
    const int w = int(f.w), h = int(f.h);
    const PointF through[] = {{f.x, f.y + REAL(h * 13 / 20)},
                              {f.x + REAL(w / 2), f.y + f.h},
                              {f.x + f.w, f.y + REAL(h * 13 / 20)},
                              {f.x + REAL(w / 2), f.y + REAL(h * 11 / 20)}};
    glow->AddClosedCurve(through, 4, 1.0f);
}

void FillBallGlow(const GlossFrame& f, const EffectPaint& paint)
{
    const int w = int(f.w), h = int(f.h);
    GraphicsPath glow;
    AddBallGlow(&glow, f);
    const PointF centre(f.x + REAL(w / 2), f.y + REAL(h * 17 / 20));
    auto brush = NewRadialGloss(&glow, {Lower(paint), centre, 0.5f, 0.3f, 1.0f, 0.8f});
    FillRegion(f.graphics, brush.get(), &glow);
}


void WaveFills(const GlossFrame& f, const EffectPaint& paint)
{
    const REAL x = f.x, y = f.y, w = f.w, h = f.h;

    GraphicsPath above;
    above.AddLine(x, y + 0.5f * h, x, y);
    above.AddLine(x, y, x + w, y);
    above.AddLine(x + w, y, x + w, y + 0.5f * h);
    above.AddBezier(x + w, y + 0.5f * h, x + 0.6f * w, y + 0.8f * h, x + 0.4f * w, y + 0.2f * h, x, y + 0.5f * h);
    auto upper = NewLinearGloss({{x, y}, Upper(paint), {x, y + 0.8f * h}, ClearColor()});
    FillClipped(f.graphics, upper.get(), &above, f.shape);

    GraphicsPath below;
    below.AddBezier(x, y + 0.5f * h, x + 0.4f * w, y + 0.2f * h, x + 0.6f * w, y + 0.8f * h, x + w, y + 0.5f * h);
    below.AddLine(x + w, y + 0.5f * h, x + w, y + h);
    below.AddLine(x + w, y + h, x, y + h);
    below.AddLine(x, y + h, x, y + 0.5f * h);
    auto lower = NewLinearGloss({{x, y + h}, Lower(paint), {x, y + 0.2f * h}, ClearColor()});
    SetBlendStops(lower.get(), {{0, 0}, {0.4f, 1}, {1, 1}});
    FillClipped(f.graphics, lower.get(), &below, f.shape);
}

void PearlFills(const GlossFrame& f, const EffectPaint& paint)
{
    const REAL x = f.x, y = f.y, w = f.w, h = f.h;

    GraphicsPath above(FillModeAlternate);
    above.AddBezier(x, y + 0.4f * h, x + 0.6f * w, y + 0.3f * h, x + 0.7f * w, y + 0.9f * h, x + w, y + 0.9f * h);
    above.AddLine(x, y + 0.4f * h, x, y);
    above.AddLine(x, y, x + w, y);
    above.AddLine(x + w, y, x + w, y + 0.9f * h);
    auto upper = NewLinearGloss({{x, y}, Upper(paint), {x, y + 0.9f * h}, ClearColor()});
    SetBlendStops(upper.get(), {{0, 0}, {0.3f, 0.3f}, {0.5f, 0.7f}, {0.6f, 0.99f}, {1, 1}});
    FillClipped(f.graphics, upper.get(), &above, f.shape);

    auto lower = NewLinearGloss({{x, y + h}, Lower(paint), {x, y + 0.3f * h}, ClearColor(), WrapModeTileFlipX});
    SetBlendStops(lower.get(), {{0, 0}, {0.25f, 0.4f}, {0.5f, 0.75f}, {0.7f, 0.9f}, {1, 1}});
    FillRegion(f.graphics, lower.get(), f.shape);
}

void MarbleFills(const GlossFrame& f, const EffectPaint& paint)
{
    const REAL x = f.x, y = f.y, w = f.w, h = f.h;

    GraphicsPath upperLeft;
    upperLeft.AddBezier(x + w, y, x + 0.6f * w, y + 0.8f * h, x + 0.4f * w, y + 0.2f * h, x, y + h);
    upperLeft.AddLine(x, y + h, x, y);
    upperLeft.AddLine(x, y, x + w, y);
    auto upper = NewLinearGloss({{x, y}, Upper(paint), {x + w, y}, ClearColor()});
    FillClipped(f.graphics, upper.get(), &upperLeft, f.shape);

    GraphicsPath lowerRight;
    lowerRight.AddBezier(x, y + h, x + 0.4f * w, y + 0.2f * h, x + 0.6f * w, y + 0.8f * h, x + w, y);
    lowerRight.AddLine(x + w, y, x + w, y + h);
    lowerRight.AddLine(x + w, y + h, x, y + h);
    auto lower = NewLinearGloss({{x + w, y + h}, Lower(paint), {x, y + h}, ClearColor()});
    FillClipped(f.graphics, lower.get(), &lowerRight, f.shape);
}

void JellyFills(const GlossFrame& f, const EffectPaint& paint)
{
    const REAL x = f.x, y = f.y, w = f.w, h = f.h;
    const REAL halfW = REAL(int(w) / 2), halfH = REAL(int(h) / 2);

    auto upper = NewLinearGloss({{x, y}, Upper(paint), {x, y + halfH}, ClearColor(), WrapModeClamp});
    SetBlendStops(upper.get(), {{0, 0}, {0.8f, 1}, {1, 1}});
    FillClipped(f.graphics, upper.get(), f.shape, RectF(x, y, w, halfH));

    GraphicsPath glow;
    glow.AddEllipse(x - 0.25f * w, y + 0.5f * h, 1.5f * w, h);
    auto lower = NewRadialGloss(&glow, {Lower(paint), {x + halfW, y + h}, 0, 0, 1.0f, 0.9f});
    FillClipped(f.graphics, lower.get(), &glow, f.shape);
}

void GlassyBallFills(const GlossFrame& f, const EffectPaint& paint)
{
    const REAL x = f.x, y = f.y, w = f.w;
    const int h = int(f.h);

    GraphicsPath cap;
    cap.AddLine(x, y + REAL(h * 5 / 10), x, y);
    cap.AddLine(x, y, x + w, y);
    cap.AddLine(x + w, y, x + w, y + REAL(h * 5 / 10));
    cap.AddArc(x, y + REAL(h / 20 + h / 4), w, REAL(h / 4), 0, 180);
    auto upper = NewLinearGloss({{x, y}, Upper(paint), {x, y + REAL(h * 11 / 20)}, ClearColor(), WrapModeClamp});
    if (upper)
        upper->SetBlendBellShape(1.0f, 0.8f);
    FillClipped(f.graphics, upper.get(), f.shape, &cap);

    FillBallGlow(f, paint);
}

void AquaBallFills(const GlossFrame& f, const EffectPaint& paint)
{
    const REAL x = f.x, y = f.y, w = f.w, h = f.h;

    FillBallGlow(f, paint);

    const REAL reflexWidth = w * paint.reflex * 0.7f;
    GraphicsPath reflex;
    reflex.AddEllipse(x + (w - reflexWidth) / 2, y, reflexWidth, h * paint.reflex * 0.5f);
    const Rect box = IntegerBounds(&reflex);
    const uint32_t endAlpha = ReflexEndAlpha(uint8_t(paint.upper >> 24));
    auto upper = NewLinearGloss({{REAL(box.X), REAL(box.Y)}, Upper(paint),
                                 {REAL(box.X), REAL(box.Y + box.Height)}, ArgbColor(WithAlpha(paint.upper, endAlpha)),
                                 WrapModeClamp});
    SetBlendStops(upper.get(), {{0, 0}, {0.3f, 0.35f}, {0.8f, 0.85f}, {0.9f, 0.95f}, {1, 1}});
    FillRegion(f.graphics, upper.get(), &reflex);
}

void SweetFills(const GlossFrame& f, const EffectPaint& paint)
{
    const REAL x = f.x, y = f.y, w = f.w, h = f.h;
    const REAL halfH = REAL(int(h) / 2);

    auto upper = NewLinearGloss({{x + 1, y + 1}, Upper(paint), {x + 1, y + 1 + halfH}, ClearColor(), WrapModeClamp});
    SetBlendStops(upper.get(), {{0, 0}, {0.3f, 0.2f}, {0.8f, 0.8f}, {0.9f, 0.95f}, {1, 1}});
    FillClipped(f.graphics, upper.get(), f.shape, RectF(x + 1, y + 1, w, halfH));

    // A capsule over the lower half of the box inset by one pixel.
    const REAL k = (h - 1) / 2, top = y + 1 + k;
    GraphicsPath capsule;
    capsule.AddArc(x + 1, top, k / 4, k, 90, 180);
    capsule.AddArc(x + w - k / 4, top, k / 4, k, 270, 180);
    capsule.CloseFigure();
    const Rect box = IntegerBounds(&capsule);
    const PointF centre(REAL(box.X + box.Width / 2), REAL(box.Y) + 0.9f * REAL(box.Height));
    auto lower = NewRadialGloss(&capsule, {Lower(paint), centre, 1.0f, 0.3f, 1.0f, 0.8f});
    FillClipped(f.graphics, lower.get(), f.shape, f.shape);
}

}  // namespace

void WaveGloss(Bitmap* target, GraphicsPath* path, const EffectPaint& paint, const GraphicsPath* clip)
{
    PaintGloss(target, path, paint, clip, FinalCompositing::kHighQuality, WaveFills);
}

void PearlGloss(Bitmap* target, GraphicsPath* path, const EffectPaint& paint, const GraphicsPath* clip)
{
    PaintGloss(target, path, paint, clip, FinalCompositing::kDefault, PearlFills);
}

void MarbleGloss(Bitmap* target, GraphicsPath* path, const EffectPaint& paint, const GraphicsPath* clip)
{
    PaintGloss(target, path, paint, clip, FinalCompositing::kDefault, MarbleFills);
}

void JellyGloss(Bitmap* target, GraphicsPath* path, const EffectPaint& paint, const GraphicsPath* clip)
{
    PaintGloss(target, path, paint, clip, FinalCompositing::kDefault, JellyFills);
}

void GlassyBallGloss(Bitmap* target, GraphicsPath* path, const EffectPaint& paint, const GraphicsPath* clip)
{
    PaintGloss(target, path, paint, clip, FinalCompositing::kDefault, GlassyBallFills);
}

void AquaBallGloss(Bitmap* target, GraphicsPath* path, const EffectPaint& paint, const GraphicsPath* clip)
{
    PaintGloss(target, path, paint, clip, FinalCompositing::kDefault, AquaBallFills);
}

void SweetGloss(Bitmap* target, GraphicsPath* path, const EffectPaint& paint, const GraphicsPath* clip)
{
    PaintGloss(target, path, paint, clip, FinalCompositing::kDefault, SweetFills);
}
