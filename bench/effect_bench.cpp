// Effects: each effect on a 256 x 256 ellipse layer, as the style dialog's preview runs it.
#include <windows.h>
#include <gdiplus.h>

#include <string>

#include "bench.h"
#include "effects/lustre.h"

using namespace Gdiplus;

namespace {

struct NamedEffect {
    EffectKind effect;
    EffectShape shape;
    const char* name;
};

const NamedEffect kEffects[] = {
    {kWaveEffect, kEffectEllipse, "Wave"},
    {kPearlEffect, kEffectEllipse, "Pearl"},
    {kMarbleEffect, kEffectEllipse, "Marble"},
    {kJellyEffect, kEffectEllipse, "Jelly"},
    {kGlassyBallEffect, kEffectEllipse, "Glassy Ball"},
    {kAquaBallEffect, kEffectEllipse, "Aqua Ball"},
    // Sweet is not offered on an ellipse; it runs on the same outline as a rectangle layer.
    {kSweetEffect, kEffectRectangle, "Sweet"},
};

Bitmap* EllipseLayer(const GraphicsPath* outline, int size)
{
    Bitmap* layer = new Bitmap(size, size, PixelFormat32bppARGB);
    Graphics graphics(layer);
    graphics.Clear(Color(0, 0, 0, 0));
    graphics.SetSmoothingMode(SmoothingModeAntiAlias);
    SolidBrush brush(Color(255, 40, 110, 200));
    graphics.FillPath(&brush, outline);
    return layer;
}

}  // namespace

void RunEffectBenchmarks()
{
    const int size = 256;
    GraphicsPath outline(FillModeWinding);
    outline.AddEllipse(8.0f, 8.0f, 240.0f, 240.0f);
    Bitmap* layer = EllipseLayer(&outline, size);
    EffectStyle style{50, 100, 100, 100};
    for (const NamedEffect& named : kEffects) {
        EffectParams params{};
        params.path = &outline;
        params.effect = named.effect;
        params.effectShape = named.shape;
        params.style = &style;
        params.upperColor = 0xFFFFFFFF;
        params.lowerColor = 0xFFFFF0A0;
        params.shadowColor = 0xFF000000;
        // Each run paints a fresh copy, as every preview starts from the layer again.
        const double ms = MedianMilliseconds(15, [&] {
            Bitmap* target = layer->Clone(0, 0, size, size, PixelFormat32bppARGB);
            params.target = target;
            LustreApplyEffect(&params);
            delete target;
        });
        Report(std::string("effect ") + named.name + " on a 256x256 ellipse", ms, 15);
    }
    delete layer;
}
