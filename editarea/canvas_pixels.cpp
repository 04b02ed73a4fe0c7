#include "canvas_pixels.h"

#include <algorithm>

namespace {

void PutColor(uint8_t* pixel, uint32_t color)
{
    pixel[kBlue] = color & 0xFF;
    pixel[kGreen] = (color >> 8) & 0xFF;
    pixel[kRed] = (color >> 16) & 0xFF;
    pixel[kAlpha] = color >> 24;
}

// Source over an opaque destination; rounds to nearest.
uint8_t Over(uint8_t source, uint8_t destination, unsigned alpha)
{
    return static_cast<uint8_t>((source * alpha + destination * (255 - alpha) + 127) / 255);
}

void FillRect(const PixelView& target, PixelRect rect, uint32_t color)
{
    const int left = std::max(rect.left, 0);
    const int right = std::min(rect.right, target.width);
    const int top = std::max(rect.top, 0);
    const int bottom = std::min(rect.bottom, target.height);
    for (int y = top; y < bottom; y++)
        for (int x = left; x < right; x++)
            PutColor(target.At(x, y), color);
}

// Blends one source pixel as a block over the target rows [top, bottom) and columns
// [left, right), already clipped.
void BlendBlock(const PixelView& target, const uint8_t* source, int left, int right, int top, int bottom)
{
    const unsigned alpha = source[kAlpha];
    for (int y = top; y < bottom; y++) {
        uint8_t* out = target.At(left, y);
        for (int x = left; x < right; x++, out += 4) {
            if (alpha == 255) {
                out[kBlue] = source[kBlue];
                out[kGreen] = source[kGreen];
                out[kRed] = source[kRed];
            } else if (alpha != 0) {
                out[kBlue] = Over(source[kBlue], out[kBlue], alpha);
                out[kGreen] = Over(source[kGreen], out[kGreen], alpha);
                out[kRed] = Over(source[kRed], out[kRed], alpha);
            }
            out[kAlpha] = 255;
        }
    }
}

}  // namespace

void FillPixels(const PixelView& target, uint32_t color)
{
    FillRect(target, {0, 0, target.width, target.height}, color);
}

void DrawMagnified(const PixelView& target, const PixelView& source, const MagnifiedArea& area, int zoom)
{
    if (zoom < 1)
        return;
    for (int row = 0; row < area.rows; row++) {
        const int sy = area.sourceY + row;
        const int top = std::max(area.destY + row * zoom, 0);
        const int bottom = std::min(area.destY + (row + 1) * zoom, target.height);
        if (sy < 0 || sy >= source.height || top >= bottom)
            continue;
        for (int column = 0; column < area.columns; column++) {
            const int sx = area.sourceX + column;
            const int left = std::max(area.destX + column * zoom, 0);
            const int right = std::min(area.destX + (column + 1) * zoom, target.width);
            if (sx < 0 || sx >= source.width || left >= right)
                continue;
            BlendBlock(target, source.At(sx, sy), left, right, top, bottom);
        }
    }
}

void FillGridLines(const PixelView& target, const std::vector<GridLine>& lines, uint32_t color)
{
    for (const GridLine& line : lines)
        FillRect(target, {line.x, line.y, line.x + line.width, line.y + line.height}, color);
}

void ClearRectangles(const PixelView& target, const std::vector<PixelRect>& rects)
{
    for (const PixelRect& rect : rects)
        FillRect(target, rect, 0);
}
