#include "common/bitmap_areas.h"

#include <cstring>

#include "common/gdiplus_pixels.h"

using namespace Gdiplus;

Bitmap* NewBitmap(int width, int height, PixelFormat format)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    if (format == PixelFormat32bppARGB)
        return NewArgbBitmap(width, height);
    Bitmap* bitmap = new Bitmap(width, height, format);
    if (bitmap->GetLastStatus() != Ok) {
        delete bitmap;
        return nullptr;
    }
    // Transparent means every byte 0; GDI+ does not promise that for a new bitmap.
    Rect all(0, 0, width, height);
    BitmapData data{};
    if (bitmap->LockBits(&all, ImageLockModeWrite, format, &data) == Ok) {
        for (int y = 0; y < height; y++)
            std::memset(static_cast<uint8_t*>(data.Scan0) + y * data.Stride, 0, size_t(data.Stride));
        bitmap->UnlockBits(&data);
    }
    return bitmap;
}

Bitmap* CloneArea(Bitmap* source, int x, int y, int width, int height)
{
    if (!source || x < 0 || y < 0 || width <= 0 || height <= 0 ||
        x > int(source->GetWidth()) - width || y > int(source->GetHeight()) - height)
        return nullptr;
    BitmapLock from(source, ImageLockModeRead);
    if (!from.ok())
        return nullptr;
    const PixelView& all = from.view();
    return BitmapFromPixels({width, height, all.stride, all.At(x, y)});
}
