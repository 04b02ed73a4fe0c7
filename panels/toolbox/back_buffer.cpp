#include "back_buffer.h"

bool RebuildBackBuffer(BackBuffer* buffer, HWND window, int width, int height)
{
    ReleaseBackBuffer(buffer);
    if (width <= 0 || height <= 0)
        return false;
    HDC screen = GetDC(window);
    if (!screen)
        return false;
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = dc ? CreateCompatibleBitmap(screen, width, height) : nullptr;
    ReleaseDC(window, screen);
    if (!bitmap) {
        if (dc)
            DeleteDC(dc);
        return false;
    }
    *buffer = {dc, bitmap, SelectObject(dc, bitmap), width, height};
    return true;
}

void ReleaseBackBuffer(BackBuffer* buffer)
{
    if (buffer->dc) {
        SelectObject(buffer->dc, buffer->previousBitmap);
        DeleteDC(buffer->dc);
    }
    if (buffer->bitmap)
        DeleteObject(buffer->bitmap);
    *buffer = {};
}

void PresentBackBuffer(const BackBuffer& buffer, HDC target)
{
    if (buffer.dc)
        BitBlt(target, 0, 0, buffer.width, buffer.height, buffer.dc, 0, 0, SRCCOPY);
}
