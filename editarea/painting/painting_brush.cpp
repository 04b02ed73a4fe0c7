#include "painting/painting_brush.h"

namespace {

Gdiplus::Color ArgbColor(uint32_t argb)
{
    return Gdiplus::Color(Gdiplus::ARGB(argb));
}

// A blend the platform refuses leaves the gradient's plain ramp: the fill still paints.
template <typename GradientBrush>
void SetBlend(GradientBrush* brush, const BrushSettings& settings)
{
    if (settings.bellBlend) {
        brush->SetBlendBellShape(PercentFraction(settings.blendFocus), PercentFraction(settings.blendScale));
    } else {
        ThreePointBlend blend = BlendFromPercents(settings.blendFactor, settings.blendPosition);
        brush->SetBlend(blend.factors, blend.positions, 3);
    }
    brush->SetGammaCorrection(TRUE);
}

Gdiplus::Brush* LinearBrush(const BrushSettings& settings, const BrushRect& area)
{
    const Gdiplus::Rect rect(area.x, area.y, area.width, area.height);
    // Not scalable: the angle stays the set one whatever the rectangle's aspect.
    auto* brush = new Gdiplus::LinearGradientBrush(rect, ArgbColor(settings.primaryColor),
                                                   ArgbColor(settings.secondaryColor), settings.linearAngle, FALSE);
    if (brush->GetLastStatus() != Gdiplus::Ok) {
        delete brush;
        return nullptr;
    }
    brush->SetWrapMode(Gdiplus::WrapModeTile);
    SetBlend(brush, settings);
    return brush;
}

Gdiplus::Brush* RadialBrush(const BrushSettings& settings, const BrushRect& area)
{
    const RadialCircle circle = RadialGradientCircle(area, settings.centerX, settings.centerY);
    Gdiplus::GraphicsPath outline;
    outline.AddEllipse(circle.centerX - circle.radius, circle.centerY - circle.radius, 2 * circle.radius,
                       2 * circle.radius);
    auto* brush = new Gdiplus::PathGradientBrush(&outline);
    if (brush->GetLastStatus() != Gdiplus::Ok) {
        delete brush;
        return nullptr;
    }
    Gdiplus::Color surround = ArgbColor(settings.primaryColor);
    INT count = 1;
    brush->SetCenterColor(ArgbColor(settings.secondaryColor));
    brush->SetSurroundColors(&surround, &count);
    brush->SetCenterPoint(Gdiplus::Point(circle.centerX, circle.centerY));
    SetBlend(brush, settings);
    return brush;
}

Gdiplus::Brush* SolidBrush(uint32_t argb)
{
    auto* brush = new Gdiplus::SolidBrush(ArgbColor(argb));
    if (brush->GetLastStatus() != Gdiplus::Ok) {
        delete brush;
        return nullptr;
    }
    return brush;
}

}  // namespace

Gdiplus::Brush* MakePaintingBrush(const BrushSettings& settings, const BrushRect& rect, int bitsPerPixel,
                                  GradientForce force)
{
    const BrushRect area = EnlargedBrushRect(rect);
    switch (PaintingBrushKind(bitsPerPixel, settings.useGradient != 0, force, settings.gradientKind)) {
    case BrushKind::kLinear:
        return LinearBrush(settings, area);
    case BrushKind::kRadial:
        return RadialBrush(settings, area);
    case BrushKind::kSolid:
        return SolidBrush(settings.primaryColor);
    }
    return nullptr;
}
