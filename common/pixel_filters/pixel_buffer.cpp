#include "common/pixel_filters/pixel_buffer.h"

PixelBuffer NewScratchBuffer(int width, int height)
{
    PixelBuffer buffer;
    if (width <= 0 || height <= 0)
        return buffer;
    buffer.width = width;
    buffer.height = height;
    buffer.pixels.reset(new uint32_t[size_t(width) * size_t(height)]);
    return buffer;
}

PixelBuffer NewPixelBuffer(int width, int height)
{
    PixelBuffer buffer = NewScratchBuffer(width, height);
    if (buffer.pixels)
        std::memset(buffer.pixels.get(), 0, size_t(width) * size_t(height) * 4);
    return buffer;
}

void CopyPixels(const PixelView& from, const PixelView& to)
{
    const size_t rowBytes = size_t(from.width) * 4;
    for (int y = 0; y < from.height; y++)
        std::memcpy(to.Row(y), from.Row(y), rowBytes);
}

PixelView SubView(const PixelView& view, int x, int y, int width, int height)
{
    return {width, height, view.stride, view.At(x, y)};
}
