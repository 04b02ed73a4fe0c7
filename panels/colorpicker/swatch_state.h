// The color picker's one state record and the routines its window procedure calls.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <cstdint>

#include "common/app_context.h"
#include "common/back_buffer.h"
#include "common/panel_colors.h"
#include "swatch_rules.h"

enum BlendKind : int { kBellBlend = 1, kFactorBlend = 2 };
enum GradientKind : int { kLinearGradient = 1, kRadialGradient = 2 };

// The entries of one shared palette, read once at creation.
struct PaletteCopy {
    HPALETTE palette;
    int count;
    PALETTEENTRY entries[256];
};

struct SwatchState {
    HWND window;
    HWND parent;  // the main window
    AppContext* context;

    uint32_t primary;    // 0xAARRGGBB
    uint32_t secondary;
    bool primarySelected;  // the sliders edit the primary
    Components components;
    int bitsPerPixel;

    bool useGradient;
    int gradientKind;  // GradientKind
    int blendKind;     // BlendKind
    float blendFocus, blendScale, blendFactor, blendPosition;  // percent
    float linearAngle;
    POINT previewPoint;  // panel pixels inside the preview square

    COLORREF customColors[16];
    PaletteCopy palette256, palette16, palette2;

    bool writingBoxes;  // the panel itself is rewriting the number boxes

    BackBuffer buffer;
    PanelColors colors;
    HBRUSH faceBrush;  // behind the sliders, check box and radios
    Gdiplus::GraphicsPath* outline;
    Gdiplus::Font* font;
    Gdiplus::Bitmap* paletteStrip;  // 180 x 20
    Gdiplus::Bitmap* previewBack;   // 52 x 52
    Gdiplus::Bitmap* swapPicture;   // 10 x 10
    HCURSOR paletteCursor;
    HCURSOR previewCursor;
};

// Where a change of the components came from: it decides which controls follow.
enum ChangeSource : int { kFromSlider, kFromBox, kFromElsewhere, kFromPickedColor };

// swatch_colors.cpp
void ApplyComponents(SwatchState* state, ChangeSource source, int channel);
void SelectSwatch(SwatchState* state, bool primary);
void SwapSwatches(SwatchState* state);
void PickFromStrip(SwatchState* state, int x, int y);
void SetPickedColor(SwatchState* state, uint32_t color);
void SetDepth(SwatchState* state, int bitsPerPixel);
void CopySwatchesToBrush(const SwatchState& state);
void ReadPalettes(SwatchState* state);
void ChooseSwatchColor(SwatchState* state);

// swatch_controls.cpp
bool CreatePanelControls(SwatchState* state);
void WriteChannelControls(SwatchState* state, ChangeSource source, int channel);
void EnableForDepth(const SwatchState& state, bool alpha, bool gradient);
HWND SliderOfChannel(const SwatchState& state, int channel);
HWND BoxOfChannel(const SwatchState& state, int channel);
int ChannelOfSlider(int id);  // -1 when the id is no channel slider

// swatch_gradient.cpp
void WriteBrushSettings(const SwatchState& state);
void UpdateLinearAngle(SwatchState* state);
void MovePreviewPoint(SwatchState* state, int x, int y);
void OnGradientControl(SwatchState* state, int id);
void OnBlendSlider(SwatchState* state, int id, int position);
void SetUseGradient(SwatchState* state, bool on);

// swatch_paint.cpp
void LoadPanelDrawing(SwatchState* state);
void ReleasePanelDrawing(SwatchState* state);
void RebuildFaceBrush(SwatchState* state);
void RenderPanel(const SwatchState& state);

void RedrawPanel(const SwatchState& state);
HINSTANCE SwatchInstance();
