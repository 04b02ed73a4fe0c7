// Building and reading GDI+ bitmaps in tests, pixel by pixel as 0xAARRGGBB.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <cstdint>
#include <functional>
#include <vector>

using PixelFunction = std::function<uint32_t(int x, int y)>;

// Fills every pixel of the bitmap with fn(x, y).
void PaintPixels(Gdiplus::Bitmap* bitmap, const PixelFunction& fn);

// A new 32-bit ARGB bitmap painted with fn.
Gdiplus::Bitmap* MakeBitmap(int width, int height, const PixelFunction& fn);

// All pixels, rows top to bottom.
std::vector<uint32_t> ReadPixels(Gdiplus::Bitmap* bitmap);

// A reproducible pseudo-random color with the given alpha.
uint32_t NoiseColor(int x, int y, uint32_t alpha);
