// The blur brush: one dab of the linear blur at each new pixel the pointer reaches, inside
// the ellipse inscribed in the dab's block and inside the selection.
#include "common/gdiplus_pixels.h"
#include "common/pixel_filters/blur.h"
#include "common/pixel_filters/pixel_buffer.h"
#include "painting/brush_geometry.h"
#include "painting/layer_change.h"
#include "painting/masked_copy.h"
#include "panels/toolbox/toolrack.h"
#include "selection_view.h"
#include "tools/tool_table.h"

namespace {

// The pixels a dab may change: the inscribed ellipse, within the selection region.
std::vector<PixelRect> DabArea(const EditAreaState& state, const BrushRect& block)
{
    HRGN area = CreateEllipticRgn(block.x, block.y, block.x + block.width, block.y + block.height);
    const SelectionState* selection = Selection(state);
    if (area && selection && selection->region)
        CombineRgn(area, area, selection->region, RGN_AND);
    std::vector<PixelRect> rects = RegionRectangles(area);
    if (area)
        DeleteObject(area);
    return rects;
}

// The block is blurred on its own: its edges are the blur's picture edges.
void BlurDab(const EditAreaState& state, int x, int y, int size)
{
    const BrushRect block = BlurDabBlock(x, y, size, state.image->width, state.image->height);
    if (block.width <= 0 || block.height <= 0)
        return;
    BitmapLock layer(state.layer->bitmap, kLockReadWrite);
    if (!layer.ok())
        return;
    PixelBuffer source = NewScratchBuffer(block.width, block.height);
    PixelBuffer blurred = NewScratchBuffer(block.width, block.height);
    if (!source.pixels || !blurred.pixels)
        return;
    CopyPixels(SubView(layer.view(), block.x, block.y, block.width, block.height), source.View());
    LinearBlur(source.View(), blurred.View());
    CopyPixelsInRects(layer.view(), blurred.View(), block.x, block.y, DabArea(state, block));
}

bool BlurCanAct(const EditAreaState& state)
{
    return PaintableLayer(state) && Options(state) && state.image->bitsPerPixel == 32;
}

void Dab(EditAreaState& state, const PixelHit& pixel)
{
    BlurDab(state, pixel.x, pixel.y, ToolSize(Options(state)->blurSize));
    ShowLayerChange(state);
}

void BlurDown(EditAreaState& state, const ToolInput& input)
{
    if (!BlurCanAct(state))
        return;
    RecordUndoEntry(state);
    Dab(state, input.pixel);
}

// Dabs are not joined up between pointer positions.
void BlurMove(EditAreaState& state, const ToolInput& input)
{
    if (!BlurCanAct(state) || (input.pixel.x == state.anchor.x && input.pixel.y == state.anchor.y))
        return;
    Dab(state, input.pixel);
    state.anchor = {input.pixel.x, input.pixel.y};
}

// Also the end of a drag whose capture was taken away.
void BlurUp(EditAreaState& state, const ToolInput&)
{
    if (BlurCanAct(state))
        FinishLayerChange(state);
}

}  // namespace

const ToolHandlers kBlurHandlers = {ToolGesture::kDrag, BlurDown, BlurMove, BlurUp, nullptr};
