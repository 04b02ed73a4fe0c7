#include "harness/test_bitmaps.h"

using namespace Gdiplus;

void PaintPixels(Bitmap* bitmap, const PixelFunction& fn)
{
    Rect all(0, 0, int(bitmap->GetWidth()), int(bitmap->GetHeight()));
    BitmapData data{};
    if (bitmap->LockBits(&all, ImageLockModeWrite, PixelFormat32bppARGB, &data) != Ok)
        return;
    for (int y = 0; y < all.Height; y++) {
        uint32_t* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(data.Scan0) + y * data.Stride);
        for (int x = 0; x < all.Width; x++)
            row[x] = fn(x, y);
    }
    bitmap->UnlockBits(&data);
}

Bitmap* MakeBitmap(int width, int height, const PixelFunction& fn)
{
    Bitmap* bitmap = new Bitmap(width, height, PixelFormat32bppARGB);
    PaintPixels(bitmap, fn);
    return bitmap;
}

std::vector<uint32_t> ReadPixels(Bitmap* bitmap)
{
    std::vector<uint32_t> pixels;
    if (!bitmap)
        return pixels;
    Rect all(0, 0, int(bitmap->GetWidth()), int(bitmap->GetHeight()));
    BitmapData data{};
    if (bitmap->LockBits(&all, ImageLockModeRead, PixelFormat32bppARGB, &data) != Ok)
        return pixels;
    for (int y = 0; y < all.Height; y++) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(data.Scan0) + y * data.Stride);
        pixels.insert(pixels.end(), row, row + all.Width);
    }
    bitmap->UnlockBits(&data);
    return pixels;
}

uint32_t NoiseColor(int x, int y, uint32_t alpha)
{
    uint32_t h = uint32_t(x) * 73856093u ^ uint32_t(y) * 19349663u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return (alpha << 24) | (h & 0x00FFFFFFu);
}
