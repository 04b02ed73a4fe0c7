// The color picker's arithmetic, free of Win32: composing colors from the four channels,
// reading the number boxes, the hit areas of the panel and the rules of the preview square.
#pragma once

#include <cstdint>

// The four 8-bit channels of the selected swatch as the sliders and boxes show them.
struct Components {
    int red;
    int green;
    int blue;
    int alpha;
};

// Channel 0 red, 1 green, 2 blue, 3 alpha: the order of the sliders and boxes.
constexpr int kChannelCount = 4;
int& ChannelOf(Components& components, int channel);

uint32_t ComposeColor(const Components& components);  // 0xAARRGGBB
Components SplitColor(uint32_t color);
uint32_t OpaqueColor(uint32_t color);

int ClampComponent(long value);  // 0..255

// Reads a number box: true with the value clamped to 0..255 when the text starts with a
// digit, false when it holds no number (an empty box).
bool ReadBoxNumber(const wchar_t* text, int* value);
// The box value after a turn of the mouse wheel (wheelDelta in the platform's 120ths).
int WheelAdjusted(int value, int wheelDelta);

// What lies under a point of the panel (panel pixels).
enum PanelSpot : int {
    kNoSpot,
    kPrimarySwatch,
    kSecondarySwatch,  // the part not covered by the primary swatch
    kSwapButton,
    kPaletteStrip,
    kPreviewSquare,
};
PanelSpot SpotAt(int x, int y);

// Geometry of the panel that the drawing and the hit tests share.
constexpr int kPanelWidth = 200;
constexpr int kPanelHeight = 325;
constexpr int kPrimaryX = 12, kPrimaryY = 30;
constexpr int kSecondaryX = 21, kSecondaryY = 45;
constexpr int kSwatchSize = 20;
constexpr int kSwapX = 9, kSwapY = 54, kSwapSize = 10;
constexpr int kStripX = 10, kStripY = 90, kStripWidth = 180, kStripHeight = 20;
constexpr int kPreviewX = 135, kPreviewY = 130, kPreviewSize = 52;
constexpr int kPreviewCenterX = kPreviewX + kPreviewSize / 2;  // the initial preview point
constexpr int kPreviewCenterY = kPreviewY + kPreviewSize / 2;

// The radial center (percent) for a point offset from the square's top-left corner.
int CenterPercent(int offset);
// The linear angle (degrees) for the preview point at (rx, ry) inside the square.
float LinearAngleFor(int rx, int ry);
// The line a linear gradient at angle (degrees, clockwise from the x axis) runs along over
// a square: through its center, from the first corner it meets to the last, so that the
// bands are perpendicular to the angle and the colors reach the corners exactly.
struct GradientLine {
    float x1, y1, x2, y2;
};
GradientLine LinearGradientLine(float angle, float left, float top, float size);
// The radius of the radial preview around (rx, ry): it reaches every corner of the square.
int RadialRadius(int rx, int ry);

// Which controls a depth enables; false for a depth the panel does not know.
struct DepthControls {
    bool alpha;        // alpha slider and box
    bool gradient;     // "Use Gradient Brush"
    bool palette;      // colors snap to the palette of that depth
};
bool DepthControlsFor(int bitsPerPixel, DepthControls* controls);
