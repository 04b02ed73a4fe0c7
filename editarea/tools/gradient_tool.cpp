// The gradient tool: one click fills the selection with the gradient of the painting
// brush, spread over the selection's bounding box, even when the brush is set to solid.
#include <memory>

#include "common/messages.h"
#include "painting/layer_change.h"
#include "painting/painting_brush.h"
#include "shapes/shape_geometry.h"
#include "tools/tool_table.h"

namespace {

BrushRect SelectionBox(const EditAreaState& state)
{
    const SelectionState* selection = Selection(state);
    RECT box{0, 0, state.image->width, state.image->height};
    if (selection && selection->region)
        GetRgnBox(selection->region, &box);
    return GradientToolRect(box.left, box.top, box.right, box.bottom);
}

void GradientDown(EditAreaState& state, const ToolInput&)
{
    const BrushSettings* settings = Brush(state);
    if (!settings || !PaintableLayer(state) || state.image->bitsPerPixel < 24)
        return;
    const BrushRect rect = SelectionBox(state);
    std::unique_ptr<Gdiplus::Brush> brush(
        MakePaintingBrush(*settings, rect, state.image->bitsPerPixel, GradientForce::kForced));
    if (!brush)
        return;
    RecordUndoEntry(state);
    {
        Gdiplus::Graphics graphics(state.layer->bitmap);
        if (state.image->bitsPerPixel == 32)
            graphics.SetCompositingQuality(Gdiplus::CompositingQualityHighQuality);
        ClipToSelection(graphics, Selection(state));
        graphics.FillRectangle(brush.get(), rect.x, rect.y, rect.width, rect.height);
    }
    ShowLayerChange(state);
    FinishLayerChange(state);
}

}  // namespace

const ToolHandlers kGradientHandlers = {ToolGesture::kClick, GradientDown, nullptr, nullptr, nullptr};
