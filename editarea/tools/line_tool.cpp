// The line: dragged as an outline from the press to the pointer, drawn into the layer on
// release with the painting brush.
#include "painting/layer_change.h"
#include "painting/painting_brush.h"
#include "panels/toolbox/toolrack.h"
#include "tools/tool_table.h"
#include "view_update.h"

#include <cmath>

namespace {

void DropPreview(EditAreaState& state)
{
    delete state.shapePreview;
    state.shapePreview = nullptr;
}

BrushRect PixelBounds(const Gdiplus::RectF& bounds)
{
    const int left = int(std::floor(bounds.X));
    const int top = int(std::floor(bounds.Y));
    return {left, top, int(std::ceil(bounds.X + bounds.Width)) - left, int(std::ceil(bounds.Y + bounds.Height)) - top};
}

// The brush covers the line with its width, flat caps.
bool DrawLine(const EditAreaState& state, const Gdiplus::GraphicsPath& line, const BrushSettings& settings,
              const ToolOptions& options)
{
    Gdiplus::Pen pen(Gdiplus::Color(0, 0, 0, 0), float(ToolSize(options.lineSize)));
    Gdiplus::RectF bounds;
    line.GetBounds(&bounds, nullptr, &pen);
    Gdiplus::Brush* brush =
        MakePaintingBrush(settings, PixelBounds(bounds), state.image->bitsPerPixel, GradientForce::kAsSet);
    if (!brush)
        return false;
    pen.SetBrush(brush);
    Gdiplus::Graphics graphics(state.layer->bitmap);
    if (state.image->bitsPerPixel == 32) {
        graphics.SetSmoothingMode(options.lineAntialiased ? Gdiplus::SmoothingModeAntiAlias
                                                          : Gdiplus::SmoothingModeNone);
        graphics.SetCompositingQuality(Gdiplus::CompositingQualityHighQuality);
    }
    ClipToSelection(graphics, Selection(state));
    const bool drawn = graphics.DrawPath(&pen, &line) == Gdiplus::Ok;
    delete brush;
    return drawn;
}

void LineDown(EditAreaState& state, const ToolInput&)
{
    DropPreview(state);
}

// A line exists only while its end differs from its start.
void LineMove(EditAreaState& state, const ToolInput& input)
{
    DropPreview(state);
    if (input.pixel.x != state.anchor.x || input.pixel.y != state.anchor.y) {
        state.shapePreview = new Gdiplus::GraphicsPath();
        state.shapePreview->AddLine(int(state.anchor.x), int(state.anchor.y), input.pixel.x, input.pixel.y);
    }
    RedrawCanvas(state);
}

// Also the end of a drag whose capture was taken away: the line is drawn as on a release.
void LineUp(EditAreaState& state, const ToolInput&)
{
    Gdiplus::GraphicsPath* line = state.shapePreview;
    state.shapePreview = nullptr;
    const BrushSettings* settings = Brush(state);
    const ToolOptions* options = Options(state);
    if (line && settings && options && PaintableLayer(state)) {
        RecordUndoEntry(state);
        DrawLine(state, *line, *settings, *options);
        ShowLayerChange(state);
        FinishLayerChange(state);
    } else {
        RedrawCanvas(state);
    }
    delete line;
}

}  // namespace

const ToolHandlers kLineHandlers = {ToolGesture::kDrag, LineDown, LineMove, LineUp, nullptr};
