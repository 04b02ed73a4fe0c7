// The pen and the eraser: strokes that follow the pointer, drawn whole again on every move
// over the layer as it was when the stroke began.
#include "painting/layer_change.h"
#include "painting/paint_stroke.h"
#include "painting/painting_brush.h"
#include "panels/toolbox/toolrack.h"
#include "tools/tool_table.h"

namespace {

bool DeepImage(const EditAreaState& state)
{
    return state.image->bitsPerPixel == 32;
}

PaintStroke* PenStroke(const EditAreaState& state)
{
    const BrushSettings* settings = Brush(state);
    const ToolOptions* options = Options(state);
    if (!settings || !options)
        return nullptr;
    const Image& image = *state.image;
    const bool deep = DeepImage(state);
    Gdiplus::Brush* brush = MakePaintingBrush(*settings, {0, 0, image.width, image.height}, image.bitsPerPixel,
                                              GradientForce::kAsSet);
    return NewPaintStroke(state.layer->bitmap, brush, float(ToolSize(options->penSize)),
                          {deep && options->penAntialiased != 0, deep, false});
}

// The eraser writes fully transparent black, never blends, never smooths its edge.
PaintStroke* EraserStroke(const EditAreaState& state)
{
    const ToolOptions* options = Options(state);
    if (!options)
        return nullptr;
    return NewPaintStroke(state.layer->bitmap, new Gdiplus::SolidBrush(Gdiplus::Color(0, 0, 0, 0)),
                          float(ToolSize(options->eraserSize)), {false, false, true});
}

using StrokeMaker = PaintStroke* (*)(const EditAreaState& state);

// The stroke is made (the layer saved) before the undo entry, so that a stroke that cannot
// start records nothing.
void BeginStroke(EditAreaState& state, const ToolInput& input, StrokeMaker make)
{
    if (!PaintableLayer(state) || state.stroke)
        return;
    state.stroke = make(state);
    if (!state.stroke)
        return;
    RecordUndoEntry(state);
    DrawStrokeDot(*state.stroke, state.layer->bitmap, Selection(state), input.pixel.x, input.pixel.y);
    ShowLayerChange(state);
}

void PenDown(EditAreaState& state, const ToolInput& input)
{
    BeginStroke(state, input, PenStroke);
}

void EraserDown(EditAreaState& state, const ToolInput& input)
{
    BeginStroke(state, input, EraserStroke);
}

void StrokeMove(EditAreaState& state, const ToolInput& input)
{
    if (!state.stroke || (input.pixel.x == state.anchor.x && input.pixel.y == state.anchor.y))
        return;
    const POINT pixel{input.pixel.x, input.pixel.y};
    PixelRect changed{};
    ExtendStroke(*state.stroke, state.layer->bitmap, Selection(state), state.anchor, pixel, &changed);
    state.anchor = pixel;
    ShowLayerChangeIn(state, changed);
}

// Also the end of a stroke whose capture was taken away: the whole button-up work is done.
void StrokeUp(EditAreaState& state, const ToolInput&)
{
    if (!state.stroke)
        return;
    DeletePaintStroke(state.stroke);
    state.stroke = nullptr;
    FinishLayerChange(state);
}

}  // namespace

const ToolHandlers kPenHandlers = {ToolGesture::kDrag, PenDown, StrokeMove, StrokeUp, nullptr};
const ToolHandlers kEraserHandlers = {ToolGesture::kDrag, EraserDown, StrokeMove, StrokeUp, nullptr};
