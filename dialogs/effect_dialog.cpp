// The effect style dialog: the effect drawn on the current vector layer's outline. OK
// either turns the layer into a raster layer holding the effect, or keeps it a vector
// layer and puts the highlights on a new raster layer right above it.
#include <windows.h>

#include "common/document_ops.h"
#include "common/gdiplus_pixels.h"
#include "common/messages.h"
#include "dialogs/dialog_hooks.h"
#include "resources/fxdialogs/fxdialogs_resources.h"

namespace {

const wchar_t* const kEffectTitles[] = {
    L"Wave Effect Settings",        L"Pearl Effect Settings",      L"Marble Effect Settings",
    L"Jelly Effect Settings",       L"Glassy Ball Effect Settings", L"Aqua Ball Effect Settings",
    L"Sweet Effect Settings",
};

// The layer's shape kinds and the effects' shape numbers have rectangle and ellipse swapped.
int32_t EffectShapeOf(uint8_t shapeKind)
{
    switch (shapeKind) {
    case kEllipseShape: return kEffectEllipse;
    case kRectangleShape: return kEffectRectangle;
    default: return shapeKind;
    }
}

void FillEffectRequest(DialogState& state, Gdiplus::Bitmap* target, int32_t separate)
{
    state.style = {state.words[kShadowIntensity], state.words[kUpperIntensity], state.words[kLowerIntensity],
                   state.words[kReflexScale]};
    EffectParams& request = state.effectRequest;
    delete request.highlights;
    request = {};
    request.path = state.effectPath;
    request.target = target;
    request.separateHighlights = separate;
    request.outlined = state.layer->type == kOutlinedVectorLayer ? 1 : 0;
    request.effect = state.effect;
    request.style = &state.style;
    request.effectShape = EffectShapeOf(state.layer->shapeKind);
    request.upperColor = uint32_t(state.words[kUpperColor]);
    request.lowerColor = uint32_t(state.words[kLowerColor]);
    request.shadowColor = uint32_t(state.words[kShadowColor]);
}

bool SeparateRequested(const DialogState& state)
{
    HWND box = GetDlgItem(state.dialog, IDC_STYLE_SEPARATE);
    return IsWindowEnabled(box) && SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The highlights on a new visible raster layer right above the current one.
bool AddHighlightsLayer(DialogState& state)
{
    Gdiplus::Bitmap* highlights = state.effectRequest.highlights;
    Layer* layer = highlights ? PYX_CreateRasterLayer(state.image->width, state.image->height) : nullptr;
    if (!layer)
        return false;
    {
        Gdiplus::Graphics graphics(layer->bitmap);
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        graphics.DrawImage(highlights, 0, 0, int(highlights->GetWidth()), int(highlights->GetHeight()));
    }
    if (!InsertLayer(state.image, state.context->currentLayer + 1, layer, true)) {
        PYX_DeleteLayer(layer);
        return false;
    }
    return true;
}

}  // namespace

Gdiplus::Bitmap* EffectPreview(DialogState& state)
{
    Gdiplus::Bitmap* copy = CloneBitmap(state.layer->bitmap);
    if (!copy || !state.effectPath)
        return copy;
    FillEffectRequest(state, copy, 0);
    LustreApplyEffect(&state.effectRequest);
    return copy;
}

void OpenStyleDialog(DialogState& state)
{
    if (state.effect >= 1 && state.effect <= 7)
        SetWindowTextW(state.dialog, kEffectTitles[state.effect - 1]);
    state.effectPath = state.layer->path ? state.layer->path->Clone() : nullptr;
    const bool reflex = state.layer->shapeKind == kEllipseShape && state.effect == kAquaBallEffect;
    EnableWindow(GetDlgItem(state.dialog, IDC_STYLE_REFLEX), reflex);
    EnableWindow(GetDlgItem(state.dialog, IDC_STYLE_SEPARATE), state.image->layerCount < kMaxLayers);
}

bool ApplyStyle(DialogState& state)
{
    const bool separate = SeparateRequested(state);
    if (!state.effectPath || !state.layer->bitmap)
        return false;
    if (separate && state.image->layerCount >= kMaxLayers)
        return false;
    FillEffectRequest(state, state.layer->bitmap, separate ? 1 : 0);
    if (!LustreApplyEffect(&state.effectRequest))
        return false;  // not offered for this shape: nothing was painted
    if (separate)
        return AddHighlightsLayer(state);
    state.layer->type = kRasterLayer;
    state.layer->shapeKind = kCustomShape;  // the outline stays attached
    return true;
}
