// An off-screen 32-bit picture with a device context, one per window, so that every window
// paints in one step and never flickers.
#pragma once

#include <windows.h>

#include "common/pixel_view.h"

struct BackBuffer {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previousBitmap = nullptr;
    PixelView pixels;  // the buffer's own memory, rows top to bottom
};

// Makes the buffer width x height (at least 1 x 1), releasing what it held.
bool RebuildBackBuffer(BackBuffer& buffer, int width, int height);
void ReleaseBackBuffer(BackBuffer& buffer);

// Copies the buffer's top-left width x height to the device context at (0, 0).
void PresentBackBuffer(const BackBuffer& buffer, HDC target, int width, int height);
// Copies the whole buffer.
void PresentBackBuffer(const BackBuffer& buffer, HDC target);
