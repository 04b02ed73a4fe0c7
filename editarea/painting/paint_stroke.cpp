#include "painting/paint_stroke.h"

#include <algorithm>
#include <cmath>

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

// The whole path, drawn only inside `area` (and the selection).
bool DrawOnLayer(const PaintStroke& stroke, Gdiplus::Bitmap* layer, const SelectionState* selection,
                 const Gdiplus::GraphicsPath& path, const PixelRect& area)
{
    Gdiplus::Graphics graphics(layer);
    if (graphics.GetLastStatus() != Gdiplus::Ok)
        return false;
    PrepareSurface(graphics, stroke.look, selection);
    const Gdiplus::Rect clip(area.left, area.top, area.right - area.left, area.bottom - area.top);
    graphics.SetClip(clip, Gdiplus::CombineModeIntersect);
    return graphics.DrawPath(stroke.pen, &path) == Gdiplus::Ok;
}

bool RestoreArea(Gdiplus::Bitmap* from, Gdiplus::Bitmap* to, const PixelRect& area)
{
    BitmapLock source(from, Gdiplus::ImageLockModeRead);
    BitmapLock target(to, kLockReadWrite);
    if (!source.ok() || !target.ok() || source.view().width != target.view().width ||
        source.view().height != target.view().height)
        return false;
    for (int y = area.top; y < area.bottom; y++)
        std::copy_n(source.view().At(area.left, y), size_t(area.right - area.left) * 4, target.view().At(area.left, y));
    return true;
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

// Half the pen around the segment, and a margin for the smoothed edge's partly covered
// pixels and the renderer's rounding.
PixelRect SegmentReach(POINT from, POINT to, float width, int layerWidth, int layerHeight)
{
    const int reach = int(std::ceil(width / 2)) + 3;
    PixelRect area{std::max(int(std::min(from.x, to.x)) - reach, 0), std::max(int(std::min(from.y, to.y)) - reach, 0),
                   std::min(int(std::max(from.x, to.x)) + reach + 1, layerWidth),
                   std::min(int(std::max(from.y, to.y)) + reach + 1, layerHeight)};
    if (area.left >= area.right || area.top >= area.bottom)
        area = {0, 0, 0, 0};
    return area;
}

bool ExtendStroke(PaintStroke& stroke, Gdiplus::Bitmap* layer, const SelectionState* selection, POINT from, POINT to,
                  PixelRect* changed)
{
    if (changed)
        *changed = {0, 0, 0, 0};
    if (!layer || stroke.path->AddLine(int(from.x), int(from.y), int(to.x), int(to.y)) != Gdiplus::Ok)
        return false;
    const PixelRect area =
        SegmentReach(from, to, stroke.pen->GetWidth(), int(layer->GetWidth()), int(layer->GetHeight()));
    if (area.left == area.right)
        return true;  // a segment wholly off the layer changes none of its pixels
    if (changed)
        *changed = area;
    return RestoreArea(stroke.backup, layer, area) && DrawOnLayer(stroke, layer, selection, *stroke.path, area);
}
