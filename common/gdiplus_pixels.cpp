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

bool ClearPixels(Bitmap* bitmap)
{
    BitmapLock lock(bitmap, ImageLockModeWrite);
    if (!lock.ok())
        return false;
    for (int y = 0; y < lock.view().height; y++)
        std::memset(lock.view().Row(y), 0, size_t(lock.view().width) * 4);
    return true;
}

bool CopyIntoBitmap(const PixelView& from, Bitmap* bitmap)
{
    BitmapLock lock(bitmap, ImageLockModeWrite);
    if (!lock.ok())
        return false;
    const size_t rowBytes = size_t(from.width) * 4;
    for (int y = 0; y < from.height; y++)
        std::memcpy(lock.view().Row(y), from.Row(y), rowBytes);
    return true;
}

// Copies the source's rows into `copy` (same size and format); false when either picture
// cannot be locked, for instance because someone else holds a lock on the source.
bool CopyBitmapRows(Bitmap* source, Bitmap* copy, PixelFormat format)
{
    Rect all(0, 0, int(source->GetWidth()), int(source->GetHeight()));
    BitmapData from{}, to{};
    if (source->LockBits(&all, ImageLockModeRead, format, &from) != Ok)
        return false;
    const bool locked = copy->LockBits(&all, ImageLockModeWrite, format, &to) == Ok;
    if (locked) {
        const size_t rowBytes = size_t(from.Stride < to.Stride ? from.Stride : to.Stride);
        for (int y = 0; y < all.Height; y++)
            std::memcpy(static_cast<uint8_t*>(to.Scan0) + y * to.Stride,
                        static_cast<uint8_t*>(from.Scan0) + y * from.Stride, rowBytes);
        copy->UnlockBits(&to);
    }
    source->UnlockBits(&from);
    return locked;
}

}  // namespace

Bitmap* NewArgbBitmap(int width, int height)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    Bitmap* bitmap = new Bitmap(width, height, PixelFormat32bppARGB);
    // GDI+ does not promise zeroed memory for a new bitmap; transparent means all zero, and
    // a bitmap that could not be cleared is not handed out.
    if (bitmap->GetLastStatus() != Ok || !ClearPixels(bitmap)) {
        delete bitmap;
        return nullptr;
    }
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
    if (bitmap && !CopyIntoBitmap(pixels, bitmap)) {
        delete bitmap;
        return nullptr;
    }
    return bitmap;
}

Bitmap* CloneBitmap(Bitmap* source)
{
    if (!source)
        return nullptr;
    const PixelFormat format = source->GetPixelFormat();
    Bitmap* copy = new Bitmap(int(source->GetWidth()), int(source->GetHeight()), format);
    if (copy->GetLastStatus() != Ok || !CopyBitmapRows(source, copy, format)) {
        delete copy;  // a blank copy would pass for the picture
        return nullptr;
    }
    return copy;
}
