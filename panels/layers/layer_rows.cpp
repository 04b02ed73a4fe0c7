// Drawing the rows into the tall list buffer and the rounded frame into its own buffer.
#include <cwchar>

#include "common/document_ops.h"
#include "layer_geometry.h"
#include "layer_state.h"

namespace gp = Gdiplus;

namespace {

constexpr int kThumbSide = 38;

gp::Color Opaque(COLORREF color)
{
    return gp::Color(255, GetRValue(color), GetGValue(color), GetBValue(color));
}

struct RowPens {
    gp::Pen shadow;
    gp::Pen light;
    gp::SolidBrush face;
    gp::SolidBrush highlight;
};

// The sunken square whose inner 16 x 16 starts at (6, top + 1).
void DrawSunkenSquare(gp::Graphics* graphics, const RowPens& pens, int top)
{
    graphics->FillRectangle(&pens.face, 6, top + 1, 16, 16);
    graphics->DrawLine(&pens.shadow, 5, top, 22, top);
    graphics->DrawLine(&pens.shadow, 5, top, 5, top + 17);
    graphics->DrawLine(&pens.light, 5, top + 17, 22, top + 17);
    graphics->DrawLine(&pens.light, 22, top, 22, top + 17);
}

void DrawThumbnail(gp::Graphics* graphics, const LayerPanelState& state, const Layer& layer, int y)
{
    if (state.checkerboard)
        graphics->DrawImage(state.checkerboard, 28, y + 4, kThumbSide, kThumbSide);
    const Image& image = *state.image;
    const int side = image.width > image.height ? image.width : image.height;
    if (!layer.bitmap || side <= 0)
        return;
    const int width = kThumbSide * image.width / side;
    const int height = kThumbSide * image.height / side;
    graphics->DrawImage(layer.bitmap, (kThumbSide - width) / 2 + 28, (kThumbSide - height) / 2 + y + 4, width,
                        height);
}

void DrawName(gp::Graphics* graphics, const LayerPanelState& state, const Layer& layer, int index, int y, bool marked)
{
    if (!state.font)
        return;
    wchar_t name[32];
    swprintf(name, 32, L"Layer %d:%ls", index + 1, layer.type == kRasterLayer ? L"Raster" : L"Vector");
    gp::SolidBrush ink(Opaque(marked ? state.colors.highlightText : state.colors.text));
    const float top = y + (kRowHeight - state.font->GetHeight(graphics)) / 2;
    graphics->DrawString(name, -1, state.font, gp::PointF(70, top), &ink);
}

void DrawRow(gp::Graphics* graphics, const LayerPanelState& state, const RowPens& pens, const Layer& layer, int index)
{
    const int y = RowBaseY(RowOfLayer(state.image->layerCount, index));
    const bool marked = index == state.current || ((state.selected >> (index % 32)) & 1u);
    graphics->FillRectangle(marked ? &pens.highlight : &pens.face, 2, y + 1, 154, 44);
    graphics->DrawRectangle(&pens.shadow, 2, y + 1, 154, 43);
    DrawSunkenSquare(graphics, pens, y + 4);
    DrawSunkenSquare(graphics, pens, y + 24);
    if (state.eyeIcon && VisibilityBit(state.image->visibleLayers, index))
        graphics->DrawImage(state.eyeIcon, 6, y + 5, 16, 16);
    if (state.brushIcon && index == state.current)
        graphics->DrawImage(state.brushIcon, 6, y + 25, 16, 16);
    DrawThumbnail(graphics, state, layer, y);
    graphics->DrawRectangle(&pens.shadow, 28, y + 4, 37, 37);
    graphics->DrawRectangle(&pens.shadow, 68, y + 4, 85, 37);
    DrawName(graphics, state, layer, index, y, marked);
}

// The dashed box that follows the pointer and the line where the row would land.
void DrawDragMarks(gp::Graphics* graphics, const LayerPanelState& state)
{
    gp::Pen dashed(gp::Color(255, 0, 0, 0), 1);
    dashed.SetDashStyle(gp::DashStyleDash);
    graphics->DrawRectangle(&dashed, 1, DragBoxTop(state.scrollPos, state.pointerY), 156, kRowHeight);
    gp::Pen line(gp::Color(255, 0, 0, 0), 2);
    const int lineY = InsertionLineY(state.image->layerCount, state.scrollPos, state.pointerY);
    graphics->DrawLine(&line, 1, lineY, 154, lineY);
}

void SetListQuality(gp::Graphics* graphics)
{
    graphics->SetSmoothingMode(gp::SmoothingModeAntiAlias);
    graphics->SetTextRenderingHint(gp::TextRenderingHintAntiAlias);
    graphics->SetCompositingQuality(gp::CompositingQualityHighQuality);
    graphics->SetInterpolationMode(gp::InterpolationModeNearestNeighbor);
    graphics->SetPixelOffsetMode(gp::PixelOffsetModeHalf);
}

}  // namespace

void RenderList(const LayerPanelState& state)
{
    if (!state.listBuffer.dc)
        return;
    gp::Graphics graphics(state.listBuffer.dc);
    SetListQuality(&graphics);
    graphics.Clear(Opaque(state.colors.face));
    if (!state.image)
        return;
    RowPens pens{gp::Pen(Opaque(state.colors.shadow), 1), gp::Pen(Opaque(state.colors.lightEdge), 1),
                 gp::SolidBrush(Opaque(state.colors.face)), gp::SolidBrush(Opaque(state.colors.frame))};
    const Layer* layer = state.image->firstLayer;
    for (int i = 0; layer && i < state.image->layerCount; i++, layer = layer->next)
        DrawRow(&graphics, state, pens, *layer, i);
    if (state.dragging)
        DrawDragMarks(&graphics, state);
}

void RenderFrame(const LayerPanelState& state)
{
    if (!state.frameBuffer.dc)
        return;
    gp::Graphics graphics(state.frameBuffer.dc);
    graphics.SetSmoothingMode(gp::SmoothingModeAntiAlias);
    graphics.SetCompositingQuality(gp::CompositingQualityHighQuality);
    graphics.Clear(Opaque(state.colors.frame));
    if (!state.framePath)
        return;
    gp::SolidBrush face(Opaque(state.colors.face));
    gp::Pen border(gp::Color(255, 0, 0, 0), 2);
    graphics.FillPath(&face, state.framePath);
    graphics.DrawPath(&border, state.framePath);
}
