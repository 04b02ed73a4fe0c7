// The gradient brush settings: the switch, the kind, the blend and the preview point, all
// written through to BrushSettings at once.
#include <windows.h>

#include "core/pyx.h"
#include "swatch_ids.h"
#include "swatch_state.h"

namespace {

BrushSettings* Brush(const SwatchState& state) { return state.context->brushSettings; }

float* BlendValue(SwatchState* state, int id)
{
    switch (id) {
    case IDC_BLEND_FOCUS: return &state->blendFocus;
    case IDC_BLEND_SCALE: return &state->blendScale;
    case IDC_BLEND_FACTOR: return &state->blendFactor;
    case IDC_BLEND_POSITION: return &state->blendPosition;
    default: return nullptr;
    }
}

}  // namespace

void WriteBrushSettings(const SwatchState& state)
{
    BrushSettings* brush = Brush(state);
    if (!brush)
        return;
    brush->primaryColor = state.primary;
    brush->secondaryColor = state.secondary;
    brush->useGradient = state.useGradient ? 1 : 0;
    brush->gradientKind = uint32_t(state.gradientKind);
    brush->linearAngle = state.linearAngle;
    brush->centerX = CenterPercent(state.previewPoint.x - kPreviewX);
    brush->centerY = CenterPercent(state.previewPoint.y - kPreviewY);
    brush->bellBlend = state.blendKind == kBellBlend ? 1 : 0;
    brush->blendFocus = state.blendFocus;
    brush->blendScale = state.blendScale;
    brush->blendFactor = state.blendFactor;
    brush->blendPosition = state.blendPosition;
}

void UpdateLinearAngle(SwatchState* state)
{
    if (state->gradientKind != kLinearGradient)
        return;
    state->linearAngle = LinearAngleFor(state->previewPoint.x - kPreviewX,
                                        state->previewPoint.y - kPreviewY);
    if (BrushSettings* brush = Brush(*state))
        brush->linearAngle = state->linearAngle;
}

void MovePreviewPoint(SwatchState* state, int x, int y)
{
    state->previewPoint = {x, y};
    if (BrushSettings* brush = Brush(*state)) {
        brush->centerX = CenterPercent(x - kPreviewX);
        brush->centerY = CenterPercent(y - kPreviewY);
    }
    // The painting brush must not wait for the next paint to see the new direction.
    UpdateLinearAngle(state);
    RedrawPanel(*state);
}

void OnGradientControl(SwatchState* state, int id)
{
    switch (id) {
    case IDC_USE_GRADIENT:
        state->useGradient = IsDlgButtonChecked(state->window, id) == BST_CHECKED;
        break;
    case IDC_LINEAR:
    case IDC_RADIAL:
        CheckRadioButton(state->window, IDC_LINEAR, IDC_RADIAL, id);
        state->gradientKind = id == IDC_LINEAR ? kLinearGradient : kRadialGradient;
        UpdateLinearAngle(state);
        break;
    case IDC_BELL_BLEND:
    case IDC_FACTOR_BLEND:
        CheckRadioButton(state->window, IDC_BELL_BLEND, IDC_FACTOR_BLEND, id);
        state->blendKind = id == IDC_BELL_BLEND ? kBellBlend : kFactorBlend;
        break;
    default: return;
    }
    WriteBrushSettings(*state);
    RedrawPanel(*state);
}

void OnBlendSlider(SwatchState* state, int id, int position)
{
    float* value = BlendValue(state, id);
    if (!value)
        return;
    *value = float(position);
    WriteBrushSettings(*state);
    RedrawPanel(*state);
}

void SetUseGradient(SwatchState* state, bool on)
{
    state->useGradient = on;
    if (BrushSettings* brush = Brush(*state))
        brush->useGradient = on ? 1 : 0;
    CheckDlgButton(state->window, IDC_USE_GRADIENT, on ? BST_CHECKED : BST_UNCHECKED);
    RedrawPanel(*state);
}
