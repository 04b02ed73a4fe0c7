#include "effect_fixtures.h"

#include "harness/test_bitmaps.h"

using namespace Gdiplus;

namespace {

void AddStar(GraphicsPath* path, float cx, float cy, float radius)
{
    PointF points[10];
    for (int i = 0; i < 10; i++) {
        const float r = (i % 2 == 0) ? radius : radius * 0.45f;
        const float angle = -1.5707963f + float(i) * 0.62831853f;
        points[i] = PointF(cx + r * cosf(angle), cy + r * sinf(angle));
    }
    path->AddPolygon(points, 10);
}

void AddBlob(GraphicsPath* path, float w, float h)
{
    const PointF through[] = {{0.15f * w, 0.3f * h}, {0.5f * w, 0.1f * h}, {0.85f * w, 0.35f * h},
                              {0.7f * w, 0.85f * h}, {0.3f * w, 0.8f * h}};
    path->AddClosedCurve(through, 5, 0.5f);
}

}  // namespace

std::unique_ptr<GraphicsPath> TextOutline(const wchar_t* text, float emSize, float x, float y)
{
    auto path = std::make_unique<GraphicsPath>(FillModeWinding);
    FontFamily family(L"Arial");
    StringFormat format(0, LANG_NEUTRAL);
    path->AddString(text, -1, &family, FontStyleBold, emSize, PointF(x, y), &format);
    return path;
}

std::unique_ptr<GraphicsPath> OutlineOf(EffectShape shape, int width, int height)
{
    const float w = float(width), h = float(height);
    auto path = std::make_unique<GraphicsPath>(FillModeWinding);
    switch (shape) {
    case kEffectRectangle: path->AddRectangle(RectF(0.1f * w, 0.15f * h, 0.8f * w, 0.7f * h)); break;
    case kEffectEllipse: path->AddEllipse(RectF(0.05f * w, 0.05f * h, 0.9f * w, 0.9f * h)); break;
    case kEffectPolygon: AddStar(path.get(), 0.5f * w, 0.52f * h, 0.47f * (w < h ? w : h)); break;
    case kEffectText: return TextOutline(L"LT", 0.75f * h, 0.02f * w, 0.05f * h);
    case kEffectCustomShape: AddBlob(path.get(), w, h); break;
    }
    return path;
}

Bitmap* RenderedShape(const GraphicsPath* outline, int width, int height)
{
    Bitmap* bitmap = MakeBitmap(width, height, [](int, int) { return 0u; });
    Graphics graphics(bitmap);
    graphics.SetSmoothingMode(SmoothingModeAntiAlias);
    SolidBrush brush(Color(255, 40, 110, 200));
    graphics.FillPath(&brush, outline);
    return bitmap;
}

EffectRequest::EffectRequest(GraphicsPath* path, Bitmap* target, EffectShape shape, EffectKind effect)
{
    params.path = path;
    params.target = target;
    params.effect = effect;
    params.style = &style;
    params.effectShape = shape;
    params.upperColor = 0xFFFFFFFF;
    params.lowerColor = 0xFFFFF0A0;
    params.shadowColor = 0xFF000000;
}

const char* EffectName(int32_t effect)
{
    static const char* const kNames[] = {"Wave", "Pearl", "Marble", "Jelly", "Glassy Ball", "Aqua Ball", "Sweet"};
    return effect >= 1 && effect <= 7 ? kNames[effect - 1] : "unknown effect";
}

const char* ShapeName(int32_t shape)
{
    static const char* const kNames[] = {"rectangle", "ellipse", "polygon", "text", "custom shape"};
    return shape >= 1 && shape <= 5 ? kNames[shape - 1] : "unknown shape";
}

bool IsOffered(EffectShape shape, EffectKind effect)
{
    switch (effect) {
    case kGlassyBallEffect:
    case kAquaBallEffect: return shape == kEffectEllipse;
    case kSweetEffect: return shape == kEffectRectangle || shape == kEffectText;
    default: return true;
    }
}
