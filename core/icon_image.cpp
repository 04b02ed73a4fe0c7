#include "icon_image.h"

#include <shlwapi.h>

#include <cstring>

#include "common/gdiplus_pixels.h"
#include "ico_format.h"
#include "image_records.h"

namespace {

Bitmap* DecodeBitmapBlock(const uint8_t* block, size_t size, int* blockDepth)
{
    IconBlockInfo info;
    if (!ReadIconBlockInfo(block, size, &info))
        return nullptr;
    Bitmap* picture = NewArgbBitmap(info.width, info.height);
    if (!picture)
        return nullptr;
    BitmapLock lock(picture, Gdiplus::ImageLockModeWrite);
    if (lock.ok())
        DecodeIconBlockInto(block, size, lock.view());
    *blockDepth = info.bitsPerPixel;
    return picture;
}

// PNG entries become 32-bit ARGB through GDI+, whatever the PNG's own format.
Bitmap* DecodePngBlock(const uint8_t* block, size_t size, int* blockDepth)
{
    IStream* stream = SHCreateMemStream(block, UINT(size));
    if (!stream)
        return nullptr;
    Bitmap* result = nullptr;
    Bitmap* png = new Bitmap(stream);
    const int width = int(png->GetWidth()), height = int(png->GetHeight());
    if (png->GetLastStatus() == Gdiplus::Ok && width > 0 && height > 0 && width <= kMaxIconSide &&
        height <= kMaxIconSide) {
        BitmapLock from(png, Gdiplus::ImageLockModeRead);
        if (from.ok())
            result = BitmapFromPixels(from.view());
    }
    delete png;
    stream->Release();
    *blockDepth = 32;
    return result;
}

}  // namespace

Image* ImageFromIconBlock(const uint8_t* block, size_t size, int* blockDepth)
{
    Bitmap* composite = ClassifyIconBlock(block, size) == IconBlockKind::kPng ? DecodePngBlock(block, size, blockDepth)
                                                                             : DecodeBitmapBlock(block, size, blockDepth);
    return composite ? NewImageFromComposite(composite) : nullptr;
}

bool DecodeIconImage(const uint8_t* block, size_t size, DecodedPicture* picture)
{
    if (ClassifyIconBlock(block, size) != IconBlockKind::kPng)
        return DecodeIconBlock(block, size, picture);
    int depth = 0;
    Bitmap* png = DecodePngBlock(block, size, &depth);
    if (!png)
        return false;
    bool copied = false;
    {
        BitmapLock lock(png, Gdiplus::ImageLockModeRead);
        if (lock.ok()) {
            picture->width = lock.view().width;
            picture->height = lock.view().height;
            picture->bitsPerPixel = depth;
            picture->pixels.resize(size_t(picture->width) * picture->height * 4);
            for (int y = 0; y < picture->height; y++)
                std::memcpy(picture->View().Row(y), lock.view().Row(y), size_t(picture->width) * 4);
            copied = true;
        }
    }
    delete png;
    return copied;
}

Image* ImageFromPicture(DecodedPicture& picture)
{
    Bitmap* composite = BitmapFromPixels(picture.View());
    return composite ? NewImageFromComposite(composite) : nullptr;
}
