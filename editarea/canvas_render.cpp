#include "canvas_render.h"

#include "canvas_pixels.h"
#include "common/gdiplus_pixels.h"

namespace {

void DrawComposite(const EditAreaState& state)
{
    Bitmap* composite = state.image ? state.image->composite : nullptr;
    if (!composite)
        return;
    BitmapLock lock(composite, Gdiplus::ImageLockModeRead);
    if (lock.ok())
        DrawMagnified(state.canvasBuffer.pixels, lock.view(), VisibleArea(state.view), state.view.zoom,
                      kCanvasBackground);
}

void DrawGrid(const EditAreaState& state)
{
    const MagnifiedArea area = VisibleArea(state.view);
    FillGridLines(state.canvasBuffer.pixels, GridLines(state.view, {area.destX, area.destY}, state.showGrid),
                  kGridColor);
}

void DrawSelectionOutline(const EditAreaState& state)
{
    if (!state.selectionOutlineVisible || !state.displayRegion || !state.selectionBrush)
        return;
    const CanvasPoint origin = ImageOrigin(state.view);
    HRGN outline = SelectionOutlineRegion(state.displayRegion, origin.x, origin.y,
                                          SelectionOutlineThickness(state.view.zoom, state.showGrid));
    if (!outline)
        return;
    SetBrushOrgEx(state.canvasBuffer.dc, 0, 0, nullptr);
    FillRgn(state.canvasBuffer.dc, outline, state.selectionBrush);
    DeleteObject(outline);
}

// The outline of the shape being drawn: its path in screen pixels, a black 2-pixel pen.
void DrawShapePreview(const EditAreaState& state)
{
    if (!state.shapePreview)
        return;
    Gdiplus::GraphicsPath* path = state.shapePreview->Clone();
    if (!path)
        return;
    const CanvasPoint origin = ImageOrigin(state.view);
    const Gdiplus::REAL zoom = Gdiplus::REAL(state.view.zoom);
    Gdiplus::Matrix toScreen(zoom, 0, 0, zoom, Gdiplus::REAL(origin.x), Gdiplus::REAL(origin.y));
    Gdiplus::Graphics graphics(state.canvasBuffer.dc);
    Gdiplus::Pen pen(Gdiplus::Color(255, 0, 0, 0), 2.0f);
    if (path->Transform(&toScreen) == Gdiplus::Ok)
        graphics.DrawPath(&pen, path);
    delete path;
}

}  // namespace

HRGN SelectionOutlineRegion(HRGN displayRegion, int originX, int originY, int thickness)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    HRGN covered = CreateRectRgn(0, 0, 0, 0);
    HRGN shifted = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(region, displayRegion, nullptr, RGN_COPY);
    OffsetRgn(region, originX, originY);
    CombineRgn(covered, region, nullptr, RGN_COPY);
    const int shifts[4][2] = {{thickness, thickness}, {-thickness, thickness}, {thickness, -thickness},
                              {-thickness, -thickness}};
    for (const auto& shift : shifts) {
        CombineRgn(shifted, region, nullptr, RGN_COPY);
        OffsetRgn(shifted, shift[0], shift[1]);
        CombineRgn(covered, covered, shifted, RGN_AND);
    }
    const int kind = CombineRgn(region, region, covered, RGN_DIFF);
    DeleteObject(covered);
    DeleteObject(shifted);
    if (kind == NULLREGION || kind == ERROR) {
        DeleteObject(region);
        return nullptr;
    }
    return region;
}

void RenderCanvas(EditAreaState& state)
{
    if (!state.canvasBuffer.dc)
        return;
    GdiFlush();  // finish earlier GDI drawing before touching the buffer's memory
    FillPixels(state.canvasBuffer.pixels, kCanvasBackground);
    if (state.image) {
        DrawComposite(state);
        DrawGrid(state);
        DrawSelectionOutline(state);
        DrawShapePreview(state);
    }
}
