// The canvas's zoom and scroll model: fit zoom, which scroll bars show, the drawn extent,
// where the image sits in the canvas and which image pixel lies under a point. Platform-free.
#pragma once

#include <vector>

constexpr int kMinZoom = 1;
constexpr int kMaxZoom = 30;
constexpr int kFrameBorder = 2;         // frame color around and between the children
constexpr int kCanvasWidthInset = 4;    // canvas width = frame width - 4
constexpr int kCanvasHeightInset = 61;  // canvas height = frame height - 61
constexpr int kStripHeight = 55;
constexpr int kStripTopInset = 57;      // strip top = frame height - 57
constexpr int kGridZoomThreshold = 5;   // the grid shows only above this zoom

// Scroll flags: which bars the canvas shows.
enum ScrollFlags : int { kNoBars = 0, kHorizontalBar = 1, kVerticalBar = 16 };

// Everything the geometry needs to know about the canvas at one moment.
struct CanvasView {
    int imageWidth = 0;
    int imageHeight = 0;
    int zoom = 1;
    int clientWidth = 0;   // canvas client area (without the bars)
    int clientHeight = 0;
    int scrollX = 0;       // 0 or negative
    int scrollY = 0;
    int scrollFlags = kNoBars;
    int drawnWidth = 0;
    int drawnHeight = 0;
};

struct CanvasPoint {
    int x;
    int y;
};

struct PixelHit {
    int x;
    int y;
    bool inside;  // false when the point had to be clamped onto the image
};

// Largest zoom at which the whole image fits the canvas, kept within 1..30.
int FitZoom(int canvasWidth, int canvasHeight, int imageWidth, int imageHeight);

// Which bars an image of sw x sh screen pixels needs in a canvas window of cw x ch, given the
// system's vertical-bar width and horizontal-bar height.
int ScrollBarsNeeded(int sw, int sh, int cw, int ch, int barWidth, int barHeight);

// Screen extent of the part of the image that is drawn (sets drawnWidth, drawnHeight).
void UpdateDrawnExtent(CanvasView& view);

// Top-left corner of the image in canvas client coordinates: centered along an axis without
// a bar, at the scroll offset along an axis with one.
CanvasPoint ImageOrigin(const CanvasView& view);

// The image pixel under a canvas client point, clamped onto the image.
PixelHit MapPointToPixel(const CanvasView& view, int mx, int my);

// Offset after one line of scrolling toward the start (never above 0) or the end (never past
// the image's far edge).
int ScrollLineTowardStart(int offset);
int ScrollLineTowardEnd(int offset, int clientSize, int extent);

// Offset that centers pixel p of an image `size` pixels long in a client `clientSize` long.
int CenteredOffset(int clientSize, int zoom, int size, int p);

// Offset while a drag pulls the view: `outside` is how far the pointer is beyond the client
// area (negative before the start, positive past the end, 0 inside).
int AutoScrolledOffset(int offset, int outside, int clientSize, int extent);

// Zoom after a click (or double click) of the zoom tools.
enum class ZoomDirection { kIn, kOut };
int ZoomAfterClick(int zoom, ZoomDirection direction, bool doubleClick);

// Thickness of the selection outline in screen pixels.
int SelectionOutlineThickness(int zoom, bool showGrid);

// One-pixel-wide horizontal or vertical line of the grid, as a filled rectangle.
struct GridLine {
    int x;
    int y;
    int width;
    int height;
};

// Grid lines of the drawn area whose top-left corner is `origin`: every cell border when the
// grid is on and zoom > 5, otherwise only the four border lines.
std::vector<GridLine> GridLines(const CanvasView& view, CanvasPoint origin, bool showGrid);

// Where the magnified image is drawn: the first source column and row, how many of each, and
// the destination of the first one.
struct MagnifiedArea {
    int sourceX;
    int sourceY;
    int columns;
    int rows;
    int destX;
    int destY;
};
MagnifiedArea VisibleArea(const CanvasView& view);
