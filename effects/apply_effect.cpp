// LustreApplyEffect: builds the working record, runs the effect routine on the outline (or on
// each of its figures), adds the edge shadow and masks the result by the shape's own alpha.
#include <vector>

#include "common/gdiplus_pixels.h"
#include "common/pool_work.h"
#include "effects/effect_arithmetic.h"
#include "effects/effect_paint.h"
#include "effects/lustre.h"
#include "effects/offer_table.h"

using namespace Gdiplus;

namespace {

GlossRoutine RoutineFor(int32_t effect)
{
    switch (effect) {
    case kWaveEffect: return WaveGloss;
    case kPearlEffect: return PearlGloss;
    case kMarbleEffect: return MarbleGloss;
    case kJellyEffect: return JellyGloss;
    case kGlassyBallEffect: return GlassyBallGloss;
    case kAquaBallEffect: return AquaBallGloss;
    case kSweetEffect: return SweetGloss;
    default: return nullptr;
    }
}

EffectPaint BuildEffectPaint(const EffectParams& params, ScratchBitmap& canvas)
{
    const EffectStyle& style = *params.style;
    EffectPaint paint;
    paint.shadow = WithAlpha(params.shadowColor, 255);
    paint.upper = WithAlpha(params.upperColor, HighlightAlpha(style.upperIntensity));
    paint.lower = WithAlpha(params.lowerColor, HighlightAlpha(style.lowerIntensity));
    paint.shadowIntensity = style.shadowIntensity;
    paint.reflex = ReflexFactor(style.reflexScale);
    paint.canvas = canvas.bitmap;
    paint.canvasPixels = canvas.pixels.View();
    return paint;
}

// Calls the routine once per figure of `path`, each fitted to that figure's own bounds and
// clipped to it (the glyphs of a text, the pieces of a custom shape).
void PaintEachSubpath(GlossRoutine routine, Bitmap* target, const GraphicsPath* path, const EffectPaint& paint)
{
    const int count = path->GetPointCount();
    if (count <= 0)
        return;
    std::vector<PointF> points(count);
    std::vector<BYTE> types(count);
    if (path->GetPathPoints(points.data(), count) != Ok || path->GetPathTypes(types.data(), count) != Ok)
        return;
    FillMode fillMode = path->GetFillMode();
    for (int start = 0; start < count;) {
        int end = start + 1;
        while (end < count && (types[end] & PathPointTypePathTypeMask) != PathPointTypeStart)
            end++;
        GraphicsPath scratch(points.data() + start, types.data() + start, end - start, fillMode);
        GraphicsPath* clip = scratch.Clone();
        if (clip && scratch.GetPointCount() > 0)
            routine(target, &scratch, paint, clip);
        delete clip;
        start = end;
    }
}

void PaintHighlights(EffectOffer offer, GlossRoutine routine, Bitmap* target, const GraphicsPath* path,
                     const EffectPaint& paint)
{
    if (offer == EffectOffer::kEachSubpath) {
        PaintEachSubpath(routine, target, path, paint);
    } else if (offer == EffectOffer::kWholePath) {
        GraphicsPath* working = path->Clone();
        GraphicsPath* clip = path->Clone();
        if (working && clip)
            routine(target, working, paint, clip);
        delete working;
        delete clip;
    }
}

// Rows per band of the final drawing, and the most bands.
constexpr int kFinishBandRows = 64;
constexpr int kMostFinishBands = 64;

// What the final drawing needs: the pictures as memory, so each band can wrap its own rows
// in bitmaps of its own.
struct FinishWork {
    PixelView destination;   // locked destination pixels
    PixelView saved;         // the target as it was
    PixelView shadow;        // the edge shadow; no pixels when there is none
    PixelView canvas;        // the highlights
    Rect shadowBox;          // where the shadow goes: the outline's integer bounds
    MaskedLayer layer;
};

// Rows [band.top, band.bottom) of the destination: the edge shadow stretched into the
// outline's bounds and the highlights drawn over it, both clipped to the outline (this
// band's own copy; nothing is drawn without one), then masked by the shape's own alpha.
void FinishBand(const FinishWork& work, const RowBand& band, const GraphicsPath* outline)
{
    const int rows = band.bottom - band.top;
    Bitmap* destination = BitmapOverPixels(SubView(work.destination, 0, band.top, work.destination.width, rows));
    Bitmap* shadow = BitmapOverPixels(work.shadow);
    Bitmap* canvas = BitmapOverPixels(work.canvas);
    if (destination && canvas && outline) {
        Graphics graphics(destination);
        graphics.SetSmoothingMode(SmoothingModeAntiAlias);
        graphics.SetInterpolationMode(InterpolationModeHighQualityBicubic);
        graphics.TranslateTransform(0, REAL(-band.top));
        graphics.SetClip(outline);
        if (shadow)
            graphics.DrawImage(shadow, work.shadowBox);
        graphics.DrawImage(canvas, Rect(0, 0, work.canvas.width, work.canvas.height));
    }
    delete destination;
    delete shadow;
    delete canvas;
    MaskByShapeAlpha(SubView(work.saved, 0, band.top, work.saved.width, rows),
                     SubView(work.destination, 0, band.top, work.destination.width, rows), work.layer);
}

// False, with nothing drawn, when the destination cannot be locked or is not the saved
// copy's size.
bool DrawOntoDestination(Bitmap* destination, const GraphicsPath* path, ScratchBitmap& shadow, const EffectPaint& paint,
                         PixelBuffer& saved, MaskedLayer layer)
{
    BitmapLock lock(destination, kLockReadWrite);
    if (!lock.ok() || lock.view().width != saved.width || lock.view().height != saved.height)
        return false;
    const FinishWork work{lock.view(), saved.View(), shadow.pixels.View(), paint.canvasPixels, IntegerBounds(path),
                          layer};
    const std::vector<RowBand> bands = SplitIntoBands(saved.height, kFinishBandRows, kMostFinishBands);
    std::vector<GraphicsPath*> outlines;
    for (size_t i = 0; i < bands.size(); i++)
        outlines.push_back(path->Clone());
    RunInParallel(int(bands.size()), [&](int i) { FinishBand(work, bands[size_t(i)], outlines[size_t(i)]); });
    for (GraphicsPath* outline : outlines)
        delete outline;
    return true;
}

// The edge shadow, made on the thread pool while the highlights are painted. The shadow
// has its own copy of the outline, made here, since GDI+ objects serve one thread at a time.
struct ShadowWork {
    GraphicsPath* outline = nullptr;
    ScratchBitmap shadow;
    BackgroundWork work;
};

void StartShadow(ShadowWork* shadow, const GraphicsPath* path, const EffectPaint& paint)
{
    shadow->outline = path->Clone();
    if (!shadow->outline)
        return;
    const uint32_t color = paint.shadow;
    const int32_t intensity = paint.shadowIntensity;
    StartInBackground(&shadow->work, [shadow, color, intensity] {
        shadow->shadow = EdgeShadow(shadow->outline, color, intensity);
    });
}

void FinishShadow(ShadowWork* shadow)
{
    FinishBackground(&shadow->work);
    delete shadow->outline;
    shadow->outline = nullptr;
}

// The target as it was, for the mask at the end.
PixelBuffer SavedCopy(Bitmap* target)
{
    BitmapLock lock(target, ImageLockModeRead);
    if (!lock.ok())
        return PixelBuffer();
    PixelBuffer copy = NewPixelBuffer(lock.view().width, lock.view().height);
    CopyPixels(lock.view(), copy.View());
    return copy;
}

// Everything after the highlights: drawing shadow and highlights, mask. False, with the
// target as it was and no highlights handed out, when the destination cannot be made or
// locked.
bool FinishEffect(EffectParams* params, const EffectPaint& paint, ScratchBitmap& shadow, PixelBuffer& saved)
{
    const bool separate = params->separateHighlights == 1;
    Bitmap* destination = separate ? NewArgbBitmap(saved.width, saved.height) : params->target;
    if (!destination)
        return false;
    const bool drawn = DrawOntoDestination(destination, params->path, shadow, paint, saved,
                                           separate ? MaskedLayer::kSeparateHighlights : MaskedLayer::kTarget);
    if (separate && drawn)
        params->highlights = destination;
    else if (separate)
        delete destination;
    return drawn;
}

bool IsUsableRequest(const EffectParams* params)
{
    return params && params->path && params->target && params->style && params->target->GetWidth() > 0 &&
           params->target->GetHeight() > 0;
}

}  // namespace

LUSTRE_API int32_t LustreApplyEffect(EffectParams* params)
{
    if (!IsUsableRequest(params))
        return 0;
    const EffectOffer offer = OfferFor(params->effectShape, params->effect);
    if (offer == EffectOffer::kNotOffered)
        return 0;
    Bitmap* target = params->target;
    ScratchBitmap canvas = NewScratchBitmap(int(target->GetWidth()), int(target->GetHeight()));
    PixelBuffer saved = SavedCopy(target);
    bool painted = false;
    if (canvas.bitmap && saved.width == canvas.pixels.width && saved.height == canvas.pixels.height) {
        const EffectPaint paint = BuildEffectPaint(*params, canvas);
        ShadowWork shadow;
        StartShadow(&shadow, params->path, paint);
        PaintHighlights(offer, RoutineFor(params->effect), target, params->path, paint);
        FinishShadow(&shadow);
        painted = FinishEffect(params, paint, shadow.shadow, saved);
        DeleteScratchBitmap(&shadow.shadow);
    }
    DeleteScratchBitmap(&canvas);
    return painted ? 1 : 0;
}
