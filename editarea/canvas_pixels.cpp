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

uint32_t OverBackground(const uint8_t* source, uint32_t background)
{
    const unsigned alpha = source[kAlpha];
    if (alpha == 255)
        return 0xFF000000u | uint32_t(source[kRed]) << 16 | uint32_t(source[kGreen]) << 8 | source[kBlue];
    const uint8_t red = Over(source[kRed], (background >> 16) & 0xFF, alpha);
    const uint8_t green = Over(source[kGreen], (background >> 8) & 0xFF, alpha);
    const uint8_t blue = Over(source[kBlue], background & 0xFF, alpha);
    return 0xFF000000u | uint32_t(red) << 16 | uint32_t(green) << 8 | blue;
}

// Builds one screen row of the source row `sy` into `row` (clipped columns only).
void MagnifyRow(const PixelView& target, const PixelView& source, const MagnifiedArea& area, int zoom, int sy,
                uint32_t background, uint32_t* row)
{
    for (int column = 0; column < area.columns; column++) {
        const int sx = area.sourceX + column;
        const int left = std::max(area.destX + column * zoom, 0);
        const int right = std::min(area.destX + (column + 1) * zoom, target.width);
        if (sx < 0 || sx >= source.width || left >= right)
            continue;
        std::fill(row + left, row + right, OverBackground(source.At(sx, sy), background));
    }
}

}  // namespace

void FillPixels(const PixelView& target, uint32_t color)
{
    for (int y = 0; y < target.height; y++) {
        uint32_t* row = reinterpret_cast<uint32_t*>(target.Row(y));
        std::fill(row, row + target.width, color);
    }
}

void DrawMagnified(const PixelView& target, const PixelView& source, const MagnifiedArea& area, int zoom,
                   uint32_t background)
{
    if (zoom < 1)
        return;
    const int left = std::max(area.destX, 0);
    const int right = std::min(area.destX + area.columns * zoom, target.width);
    if (left >= right)
        return;
    for (int row = 0; row < area.rows; row++) {
        const int sy = area.sourceY + row;
        const int top = std::max(area.destY + row * zoom, 0);
        const int bottom = std::min(area.destY + (row + 1) * zoom, target.height);
        if (sy < 0 || sy >= source.height || top >= bottom)
            continue;
        // One screen row is built and then copied to the other rows of the block.
        uint32_t* first = reinterpret_cast<uint32_t*>(target.Row(top));
        MagnifyRow(target, source, area, zoom, sy, background, first);
        for (int y = top + 1; y < bottom; y++)
            std::copy(first + left, first + right, reinterpret_cast<uint32_t*>(target.Row(y)) + left);
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
