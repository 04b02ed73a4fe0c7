// Pixel work of the canvas: background, the magnified composite, grid lines, and clearing
// the selected pixels out of a layer copy. Platform-free; works on PixelView.
#pragma once

#include <cstdint>
#include <vector>

#include "canvas_geometry.h"
#include "common/pixel_view.h"
#include "common/selection/pixel_set.h"  // PixelRect

constexpr uint32_t kCanvasBackground = 0xFFEFEFEFu;  // RGB(239, 239, 239)
constexpr uint32_t kGridColor = 0xFFC3C3C3u;         // RGB(195, 195, 195)

// Sets every pixel to the opaque color 0xAARRGGBB.
void FillPixels(const PixelView& target, uint32_t color);

// Draws `area` of the source, each pixel as a zoom x zoom block of the pixel laid over the
// opaque background color (transparent image pixels show the background). Everything is
// clipped to the target.
void DrawMagnified(const PixelView& target, const PixelView& source, const MagnifiedArea& area, int zoom,
                   uint32_t background);

// Fills each line's rectangle with the color, clipped to the target.
void FillGridLines(const PixelView& target, const std::vector<GridLine>& lines, uint32_t color);

// Makes the pixels of the rectangles fully transparent (all four bytes 0), clipped.
void ClearRectangles(const PixelView& target, const std::vector<PixelRect>& rects);
