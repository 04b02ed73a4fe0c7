// The paint bucket: fills the whole selection region (not a connected area) with the primary
// colour, blended over what is there.
#include "painting/layer_change.h"
#include "tools/tool_table.h"

namespace {

bool FillSelection(const EditAreaState& state, uint32_t color)
{
    Gdiplus::Graphics graphics(state.layer->bitmap);
    if (graphics.GetLastStatus() != Gdiplus::Ok)
        return false;
    if (state.image->bitsPerPixel == 32)
        graphics.SetCompositingQuality(Gdiplus::CompositingQualityHighQuality);
    graphics.SetCompositingMode(Gdiplus::CompositingModeSourceOver);
    ClipToSelection(graphics, Selection(state));
    Gdiplus::SolidBrush brush{Gdiplus::Color(Gdiplus::ARGB(color))};
    return graphics.FillRectangle(&brush, 0, 0, int(state.image->width), int(state.image->height)) == Gdiplus::Ok;
}

void BucketClick(EditAreaState& state, const ToolInput&)
{
    const BrushSettings* settings = Brush(state);
    if (!PaintableLayer(state) || !settings)
        return;
    RecordUndoEntry(state);
    FillSelection(state, settings->primaryColor);
    ShowLayerChange(state);
    FinishLayerChange(state);
}

}  // namespace

const ToolHandlers kPaintBucketHandlers = {ToolGesture::kClick, BucketClick, nullptr, nullptr, nullptr};
