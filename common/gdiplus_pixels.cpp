#include "common/gdiplus_pixels.h"

#include <cstring>

using namespace Gdiplus;

BitmapLock::BitmapLock(Bitmap* bitmap, ImageLockMode mode) : bitmap_(bitmap)
{
    if (!bitmap_)
        return;
    Rect all(0, 0, int(bitmap_->GetWidth()), int(bitmap_->GetHeight()));
    locked_ = bitmap_->LockBits(&all, mode, PixelFormat32bppARGB, &data_) == Ok;
    if (locked_)
        view_ = {int(data_.Width), int(data_.Height), data_.Stride, static_cast<uint8_t*>(data_.Scan0)};
}

BitmapLock::~BitmapLock()
{
    if (locked_)
        bitmap_->UnlockBits(&data_);
}

namespace {

bool CopyRows(const PixelView& from, const PixelView& to)
{
    const size_t rowBytes = size_t(from.width) * 4;
    for (int y = 0; y < from.height; y++)
        std::memcpy(to.Row(y), from.Row(y), rowBytes);
    return true;
}

}  // namespace

Bitmap* NewArgbBitmap(int width, int height)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    Bitmap* bitmap = new Bitmap(width, height, PixelFormat32bppARGB);
    if (bitmap->GetLastStatus() != Ok) {
        delete bitmap;
        return nullptr;
    }
    // GDI+ does not promise zeroed memory for a new bitmap; transparent means all zero.
    BitmapLock lock(bitmap, ImageLockModeWrite);
    if (lock.ok())
        for (int y = 0; y < lock.view().height; y++)
            std::memset(lock.view().Row(y), 0, size_t(lock.view().width) * 4);
    return bitmap;
}

Bitmap* BitmapOverPixels(const PixelView& pixels)
{
    if (pixels.width <= 0 || pixels.height <= 0)
        return nullptr;
    Bitmap* bitmap = new Bitmap(pixels.width, pixels.height, INT(pixels.stride), PixelFormat32bppARGB, pixels.pixels);
    if (bitmap && bitmap->GetLastStatus() != Ok) {
        delete bitmap;
        return nullptr;
    }
    return bitmap;
}

Bitmap* BitmapFromPixels(const PixelView& pixels)
{
    Bitmap* bitmap = NewArgbBitmap(pixels.width, pixels.height);
    if (!bitmap)
        return nullptr;
    BitmapLock lock(bitmap, ImageLockModeWrite);
    if (lock.ok())
        CopyRows(pixels, lock.view());
    return bitmap;
}

Bitmap* CloneBitmap(Bitmap* source)
{
    if (!source)
        return nullptr;
    const int width = int(source->GetWidth()), height = int(source->GetHeight());
    const PixelFormat format = source->GetPixelFormat();
    Bitmap* copy = new Bitmap(width, height, format);
    if (copy->GetLastStatus() != Ok) {
        delete copy;
        return nullptr;
    }
    Rect all(0, 0, width, height);
    BitmapData from{}, to{};
    if (source->LockBits(&all, ImageLockModeRead, format, &from) != Ok)
        return copy;
    if (copy->LockBits(&all, ImageLockModeWrite, format, &to) == Ok) {
        const size_t rowBytes = size_t(from.Stride < to.Stride ? from.Stride : to.Stride);
        for (int y = 0; y < height; y++)
            std::memcpy(static_cast<uint8_t*>(to.Scan0) + y * to.Stride,
                        static_cast<uint8_t*>(from.Scan0) + y * from.Stride, rowBytes);
        copy->UnlockBits(&to);
    }
    source->UnlockBits(&from);
    return copy;
}
