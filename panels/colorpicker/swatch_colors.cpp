// The two swatches: applying the channels, palette snapping, selection, swapping, the
// strip, the color dialog, picked colors and the image depth.
#include <windows.h>

#include <commdlg.h>

#include "core/pyx.h"
#include "swatch_state.h"

namespace {

const PaletteCopy* PaletteOfDepth(const SwatchState& state, int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1: return &state.palette2;
    case 4: return &state.palette16;
    case 8: return &state.palette256;
    default: return nullptr;
    }
}

// The nearest entry of the depth's palette by the platform's own rule, opaque. Without a
// palette the color is only made opaque.
uint32_t SnapToPalette(const SwatchState& state, uint32_t color)
{
    const PaletteCopy* copy = PaletteOfDepth(state, state.bitsPerPixel);
    if (!copy || !copy->palette || copy->count == 0)
        return OpaqueColor(color);
    const Components c = SplitColor(color);
    const UINT index = GetNearestPaletteIndex(copy->palette, RGB(c.red, c.green, c.blue));
    if (index == CLR_INVALID || int(index) >= copy->count)
        return OpaqueColor(color);
    const PALETTEENTRY& entry = copy->entries[index];
    return ComposeColor({entry.peRed, entry.peGreen, entry.peBlue, 255});
}

uint32_t& SelectedSwatch(SwatchState* state)
{
    return state->primarySelected ? state->primary : state->secondary;
}

void CopySelectedToBrush(const SwatchState& state)
{
    BrushSettings* brush = state.context->brushSettings;
    if (!brush)
        return;
    if (state.primarySelected)
        brush->primaryColor = state.primary;
    else
        brush->secondaryColor = state.secondary;
}

void LoadSelectedChannels(SwatchState* state)
{
    state->components = SplitColor(SelectedSwatch(state));
    WriteChannelControls(state, kFromElsewhere, 0);
}

void ReadPalette(PaletteCopy* copy, HPALETTE palette, int count)
{
    copy->palette = palette;
    copy->count = palette ? int(GetPaletteEntries(palette, 0, count, copy->entries)) : 0;
}

UINT_PTR CALLBACK CenterColorDialog(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return 0;
    const auto* choice = reinterpret_cast<const CHOOSECOLORW*>(lParam);
    RECT over, box;
    GetWindowRect(reinterpret_cast<HWND>(choice->lCustData), &over);
    GetWindowRect(dialog, &box);
    const int x = (over.left + over.right - (box.right - box.left)) / 2;
    const int y = (over.top + over.bottom - (box.bottom - box.top)) / 2;
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

}  // namespace

void ApplyComponents(SwatchState* state, ChangeSource source, int channel)
{
    uint32_t& swatch = SelectedSwatch(state);
    swatch = ComposeColor(state->components);
    if (source != kFromPickedColor) {
        DepthControls depth;
        const bool known = DepthControlsFor(state->bitsPerPixel, &depth);
        if (known && depth.palette)
            swatch = SnapToPalette(*state, swatch);
        if (known)
            CopySelectedToBrush(*state);
    }
    WriteChannelControls(state, source, channel);
    RedrawPanel(*state);
}

void CopySwatchesToBrush(const SwatchState& state)
{
    if (BrushSettings* brush = state.context->brushSettings) {
        brush->primaryColor = state.primary;
        brush->secondaryColor = state.secondary;
    }
}

void SelectSwatch(SwatchState* state, bool primary)
{
    if (state->primarySelected == primary) {
        ChooseSwatchColor(state);
        return;
    }
    state->primarySelected = primary;
    LoadSelectedChannels(state);
    RedrawPanel(*state);
}

void SwapSwatches(SwatchState* state)
{
    const uint32_t primary = state->primary;
    state->primary = state->secondary;
    state->secondary = primary;
    CopySwatchesToBrush(*state);
    LoadSelectedChannels(state);
    RedrawPanel(*state);
}

void PickFromStrip(SwatchState* state, int x, int y)
{
    Gdiplus::Color pixel;
    if (!state->paletteStrip ||
        state->paletteStrip->GetPixel(x - kStripX, y - kStripY, &pixel) != Gdiplus::Ok)
        return;  // without its picture the strip offers no colors
    state->components = {pixel.GetR(), pixel.GetG(), pixel.GetB(), 255};
    ApplyComponents(state, kFromElsewhere, 0);
}

void SetPickedColor(SwatchState* state, uint32_t color)
{
    if (state->bitsPerPixel < 32)
        color = OpaqueColor(color);
    SelectedSwatch(state) = color;
    CopySwatchesToBrush(*state);
    state->components = SplitColor(color);
    ApplyComponents(state, kFromPickedColor, 0);
}

void SetDepth(SwatchState* state, int bitsPerPixel)
{
    state->bitsPerPixel = bitsPerPixel;
    DepthControls depth;
    if (DepthControlsFor(bitsPerPixel, &depth)) {
        EnableForDepth(*state, depth.alpha, depth.gradient);
        if (depth.palette) {
            state->primary = SnapToPalette(*state, state->primary);
            state->secondary = SnapToPalette(*state, state->secondary);
        } else if (!depth.alpha) {
            state->primary = OpaqueColor(state->primary);
            state->secondary = OpaqueColor(state->secondary);
        }
    }
    CopySwatchesToBrush(*state);
    LoadSelectedChannels(state);
    RedrawPanel(*state);
}

void ReadPalettes(SwatchState* state)
{
    ReadPalette(&state->palette256, state->context->palette256, 256);
    ReadPalette(&state->palette16, state->context->palette16, 16);
    ReadPalette(&state->palette2, state->context->palette2, 2);
}

void ChooseSwatchColor(SwatchState* state)
{
    const Components& c = state->components;
    CHOOSECOLORW choice{};
    choice.lStructSize = sizeof(choice);
    choice.hwndOwner = state->window;
    choice.rgbResult = RGB(c.red, c.green, c.blue);
    choice.lpCustColors = state->customColors;
    choice.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK;
    choice.lCustData = reinterpret_cast<LPARAM>(state->parent);
    choice.lpfnHook = CenterColorDialog;
    if (!ChooseColorW(&choice))
        return;
    const COLORREF chosen = choice.rgbResult;
    state->components = {GetRValue(chosen), GetGValue(chosen), GetBValue(chosen), 255};
    ApplyComponents(state, kFromElsewhere, 0);
}
