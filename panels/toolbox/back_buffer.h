// An off-screen picture of a window's size that the window paints into and then copies to
// the screen in one step, so that nothing flickers.
#pragma once

#include <windows.h>

struct BackBuffer {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previousBitmap;
    int width;
    int height;
};

// Replaces buffer with a new one of the given size, compatible with window's screen.
// Returns false (and leaves an empty buffer) when it cannot be made.
bool RebuildBackBuffer(BackBuffer* buffer, HWND window, int width, int height);
void ReleaseBackBuffer(BackBuffer* buffer);

// Copies the buffer to target at (0, 0).
void PresentBackBuffer(const BackBuffer& buffer, HDC target);
