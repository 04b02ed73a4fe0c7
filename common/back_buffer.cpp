#include "common/back_buffer.h"

#include <algorithm>

bool RebuildBackBuffer(BackBuffer& buffer, int width, int height)
{
    ReleaseBackBuffer(buffer);
    width = std::max(width, 1);
    height = std::max(height, 1);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows, like PixelView
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    buffer.bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    buffer.dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    if (!buffer.bitmap || !buffer.dc || !bits) {
        ReleaseBackBuffer(buffer);
        return false;
    }
    buffer.previousBitmap = SelectObject(buffer.dc, buffer.bitmap);
    buffer.pixels = PixelView{width, height, width * 4, static_cast<uint8_t*>(bits)};
    return true;
}

void ReleaseBackBuffer(BackBuffer& buffer)
{
    if (buffer.dc && buffer.previousBitmap)
        SelectObject(buffer.dc, buffer.previousBitmap);
    if (buffer.dc)
        DeleteDC(buffer.dc);
    if (buffer.bitmap)
        DeleteObject(buffer.bitmap);
    buffer = BackBuffer{};
}

void PresentBackBuffer(const BackBuffer& buffer, HDC target, int width, int height)
{
    if (buffer.dc)
        BitBlt(target, 0, 0, width, height, buffer.dc, 0, 0, SRCCOPY);
}

void PresentBackBuffer(const BackBuffer& buffer, HDC target)
{
    PresentBackBuffer(buffer, target, buffer.pixels.width, buffer.pixels.height);
}
