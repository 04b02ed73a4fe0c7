#include "painting/paint_stroke.h"

#include "common/gdiplus_pixels.h"
#include "painting/layer_change.h"

namespace {

// A drawing surface on the layer with the stroke's look, clipped to the selection region.
void PrepareSurface(Gdiplus::Graphics& graphics, const StrokeLook& look, const SelectionState* selection)
{
    graphics.SetSmoothingMode(look.antialiased ? Gdiplus::SmoothingModeAntiAlias : Gdiplus::SmoothingModeNone);
    if (look.highQuality)
        graphics.SetCompositingQuality(Gdiplus::CompositingQualityHighQuality);
    graphics.SetCompositingMode(look.sourceCopy ? Gdiplus::CompositingModeSourceCopy
                                                : Gdiplus::CompositingModeSourceOver);
    ClipToSelection(graphics, selection);
}

bool DrawOnLayer(const PaintStroke& stroke, Gdiplus::Bitmap* layer, const SelectionState* selection,
                 const Gdiplus::GraphicsPath& path)
{
    Gdiplus::Graphics graphics(layer);
    if (graphics.GetLastStatus() != Gdiplus::Ok)
        return false;
    PrepareSurface(graphics, stroke.look, selection);
    return graphics.DrawPath(stroke.pen, &path) == Gdiplus::Ok;
}

}  // namespace

PaintStroke* NewPaintStroke(Gdiplus::Bitmap* layer, Gdiplus::Brush* brush, float width, StrokeLook look)
{
    PaintStroke* stroke = new PaintStroke{};
    stroke->brush = brush;
    stroke->look = look;
    stroke->backup = CloneBitmap(layer);
    stroke->path = new Gdiplus::GraphicsPath();
    if (brush) {
        stroke->pen = new Gdiplus::Pen(brush, width);
        stroke->pen->SetLineCap(Gdiplus::LineCapRound, Gdiplus::LineCapRound, Gdiplus::DashCapRound);
        stroke->pen->SetLineJoin(Gdiplus::LineJoinRound);
    }
    if (!stroke->backup || !stroke->pen || stroke->pen->GetLastStatus() != Gdiplus::Ok ||
        stroke->path->GetLastStatus() != Gdiplus::Ok) {
        DeletePaintStroke(stroke);
        return nullptr;
    }
    return stroke;
}

void DeletePaintStroke(PaintStroke* stroke)
{
    if (!stroke)
        return;
    delete stroke->backup;
    delete stroke->path;
    delete stroke->pen;
    delete stroke->brush;
    delete stroke;
}

// The dot is the pen's round cap alone: a filled circle as wide as the pen. (A tenth-of-a-pixel
// line with round caps means the same, but some renderers cut its caps short.)
bool DrawStrokeDot(const PaintStroke& stroke, Gdiplus::Bitmap* layer, const SelectionState* selection, int x, int y)
{
    Gdiplus::Graphics graphics(layer);
    if (graphics.GetLastStatus() != Gdiplus::Ok)
        return false;
    PrepareSurface(graphics, stroke.look, selection);
    const Gdiplus::REAL width = stroke.pen->GetWidth();
    Gdiplus::Brush* brush = stroke.brush;
    return graphics.FillEllipse(brush, Gdiplus::REAL(x) - width / 2, Gdiplus::REAL(y) - width / 2, width, width) ==
           Gdiplus::Ok;
}

bool ExtendStroke(PaintStroke& stroke, Gdiplus::Bitmap* layer, const SelectionState* selection, POINT from, POINT to)
{
    if (stroke.path->AddLine(int(from.x), int(from.y), int(to.x), int(to.y)) != Gdiplus::Ok)
        return false;
    return CopyBitmapPixels(stroke.backup, layer) && DrawOnLayer(stroke, layer, selection, *stroke.path);
}
