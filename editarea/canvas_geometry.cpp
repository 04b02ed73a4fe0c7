#include "canvas_geometry.h"

#include <algorithm>

namespace {

// Division that rounds toward minus infinity, so an image wider than the canvas still sits
// symmetrically around its middle.
int FloorDiv(int a, int b)
{
    const int q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

int FloorMod(int a, int b)
{
    return a - FloorDiv(a, b) * b;
}

int DrawnLength(bool hasBar, int zoom, int imageLength, int clientLength)
{
    return hasBar ? zoom * (clientLength / zoom + 2) : zoom * imageLength;
}

int OriginAlong(bool hasBar, int scroll, int clientLength, int zoom, int imageLength)
{
    return hasBar ? scroll : FloorDiv(clientLength - zoom * imageLength, 2);
}

int ClampedPixel(int offset, int zoom, int length, bool* inside)
{
    int pixel = FloorDiv(offset, zoom);
    if (offset < 0) {
        pixel = 0;
        *inside = false;
    }
    if (pixel >= length) {
        pixel = length - 1;
        *inside = false;
    }
    return pixel;
}

}  // namespace

int FitZoom(int canvasWidth, int canvasHeight, int imageWidth, int imageHeight)
{
    if (imageWidth <= 0 || imageHeight <= 0)
        return kMinZoom;
    const int zoom = std::min(canvasWidth / imageWidth, canvasHeight / imageHeight);
    return std::clamp(zoom, kMinZoom, kMaxZoom);
}

int ScrollBarsNeeded(int sw, int sh, int cw, int ch, int barWidth, int barHeight)
{
    if (sw > cw)
        return kHorizontalBar | (sh > ch - barHeight ? kVerticalBar : 0);
    if (sh > ch)
        return kVerticalBar | (sw > cw - barWidth ? kHorizontalBar : 0);
    return kNoBars;
}

void UpdateDrawnExtent(CanvasView& view)
{
    view.drawnWidth = DrawnLength(view.scrollFlags & kHorizontalBar, view.zoom, view.imageWidth, view.clientWidth);
    view.drawnHeight = DrawnLength(view.scrollFlags & kVerticalBar, view.zoom, view.imageHeight, view.clientHeight);
}

CanvasPoint ImageOrigin(const CanvasView& view)
{
    return {OriginAlong(view.scrollFlags & kHorizontalBar, view.scrollX, view.clientWidth, view.zoom,
                        view.imageWidth),
            OriginAlong(view.scrollFlags & kVerticalBar, view.scrollY, view.clientHeight, view.zoom,
                        view.imageHeight)};
}

PixelHit MapPointToPixel(const CanvasView& view, int mx, int my)
{
    const CanvasPoint origin = ImageOrigin(view);
    PixelHit hit{0, 0, true};
    hit.x = ClampedPixel(mx - origin.x, view.zoom, view.imageWidth, &hit.inside);
    hit.y = ClampedPixel(my - origin.y, view.zoom, view.imageHeight, &hit.inside);
    return hit;
}

int ScrollLineTowardStart(int offset)
{
    return std::min(offset + 1, 0);
}

int ScrollLineTowardEnd(int offset, int clientSize, int extent)
{
    return std::min(0, std::max(offset - 1, clientSize - extent));
}

int CenteredOffset(int clientSize, int zoom, int size, int p)
{
    const int half = clientSize / 2;
    if (half >= zoom * p)
        return 0;
    if (half < zoom * (size - p))
        return half - zoom * p;
    return clientSize - zoom * size;
}

int AutoScrolledOffset(int offset, int outside, int clientSize, int extent)
{
    if (outside < 0)
        return std::min(offset - outside, 0);
    if (outside > 0)
        return std::min(0, std::max(offset - outside, clientSize - extent));
    return offset;
}

int ZoomAfterClick(int zoom, ZoomDirection direction, bool doubleClick)
{
    if (direction == ZoomDirection::kIn) {
        if (zoom >= kMaxZoom)
            return zoom;
        return doubleClick ? kMaxZoom : zoom + 1;
    }
    if (zoom <= kMinZoom)
        return zoom;
    return doubleClick ? kMinZoom : zoom - 1;
}

int SelectionOutlineThickness(int zoom, bool showGrid)
{
    return (zoom > kGridZoomThreshold && showGrid) ? 2 : 1;
}

std::vector<GridLine> GridLines(const CanvasView& view, CanvasPoint origin, bool showGrid)
{
    const int zoom = view.zoom;
    const int columns = view.drawnWidth / zoom;
    const int rows = view.drawnHeight / zoom;
    // The horizontal lines reach the right border line's pixel too.
    const int lineWidth = zoom * columns + 1;
    const int lineHeight = zoom * rows + 1;
    std::vector<GridLine> lines;
    if (showGrid && zoom > kGridZoomThreshold) {
        for (int row = 0; row <= rows; row++)
            lines.push_back({origin.x, origin.y + row * zoom, lineWidth, 1});
        for (int column = 0; column <= columns; column++)
            lines.push_back({origin.x + column * zoom, origin.y, 1, lineHeight});
        return lines;
    }
    lines.push_back({origin.x, origin.y, lineWidth, 1});
    lines.push_back({origin.x, origin.y + zoom * rows, lineWidth, 1});
    lines.push_back({origin.x, origin.y, 1, lineHeight});
    lines.push_back({origin.x + zoom * columns, origin.y, 1, lineHeight});
    return lines;
}

MagnifiedArea VisibleArea(const CanvasView& view)
{
    const int zoom = view.zoom;
    const CanvasPoint origin = ImageOrigin(view);
    MagnifiedArea area{0, 0, view.imageWidth, view.imageHeight, origin.x, origin.y};
    if (view.scrollFlags & kHorizontalBar) {
        area.sourceX = FloorDiv(-view.scrollX, zoom);
        area.columns = std::min(view.drawnWidth / zoom, view.imageWidth - area.sourceX);
        area.destX = -FloorMod(-view.scrollX, zoom);
    }
    if (view.scrollFlags & kVerticalBar) {
        area.sourceY = FloorDiv(-view.scrollY, zoom);
        area.rows = std::min(view.drawnHeight / zoom, view.imageHeight - area.sourceY);
        area.destY = -FloorMod(-view.scrollY, zoom);
    }
    return area;
}
