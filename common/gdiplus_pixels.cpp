#include "common/gdiplus_pixels.h"

#include <cstring>

#include "common/pixel_memory.h"

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

// The pixel memory of an ArgbBitmap. As its first base it is made before the GDI+ bitmap and
// given back only after the bitmap is disposed.
struct OwnedPixels {
    OwnedPixels(uint8_t* bytes, size_t size) : pixels(bytes), byteCount(size) {}
    ~OwnedPixels() { GivePixelMemory(pixels, byteCount); }
    OwnedPixels(const OwnedPixels&) = delete;
    OwnedPixels& operator=(const OwnedPixels&) = delete;
    uint8_t* pixels;
    size_t byteCount;
};

// A 32-bit ARGB bitmap over memory it owns, reused from freed bitmaps where it can be. Under
// Wine a bitmap that allocates its own pixels also costs several times as much to make as
// one over memory it is handed. Deleting it through a Bitmap pointer frees both.
class ArgbBitmap : private OwnedPixels, public Bitmap {
public:
    ArgbBitmap(int width, int height, uint8_t* pixels)
        : OwnedPixels(pixels, size_t(width) * size_t(height) * 4),
          Bitmap(width, height, width * 4, PixelFormat32bppARGB, pixels)
    {
    }
};

Bitmap* NewArgbBitmapOver(int width, int height, bool zeroed)
{
    if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide)
        return nullptr;
    uint8_t* pixels = TakePixelMemory(size_t(width) * size_t(height) * 4, zeroed);
    if (!pixels)
        return nullptr;
    Bitmap* bitmap = new ArgbBitmap(width, height, pixels);
    if (bitmap->GetLastStatus() != Ok) {
        delete bitmap;
        return nullptr;
    }
    return bitmap;
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
    return NewArgbBitmapOver(width, height, true);  // transparent means every byte 0
}

Bitmap* NewArgbBitmapToOverwrite(int width, int height)
{
    return NewArgbBitmapOver(width, height, false);
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
    Bitmap* bitmap = NewArgbBitmapOver(pixels.width, pixels.height, false);
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
    const int width = int(source->GetWidth()), height = int(source->GetHeight());
    Bitmap* copy =
        format == PixelFormat32bppARGB ? NewArgbBitmapOver(width, height, false) : new Bitmap(width, height, format);
    if (!copy)
        return nullptr;
    if (copy->GetLastStatus() != Ok || !CopyBitmapRows(source, copy, format)) {
        delete copy;  // a blank copy would pass for the picture
        return nullptr;
    }
    return copy;
}
