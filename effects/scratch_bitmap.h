// GDI+ bitmaps over zeroed memory of our own, for the effects' intermediate pictures. A
// fresh GDI+-allocated bitmap has to be cleared through a lock before use, which costs more
// than all the drawing on it under some GDI+ implementations; our own memory starts clear.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include "common/pixel_filters/pixel_buffer.h"

struct ScratchBitmap {
    PixelBuffer pixels;                // the memory, transparent at first
    Gdiplus::Bitmap* bitmap = nullptr;  // 32-bit ARGB over `pixels`; null when it cannot be made
};

ScratchBitmap NewScratchBitmap(int width, int height);
void DeleteScratchBitmap(ScratchBitmap* scratch);
