#include "icon_image.h"

#include <shlwapi.h>

#include <cstring>

#include "common/gdiplus_pixels.h"

namespace {

bool DecodePngBlock(const uint8_t* block, size_t size, DecodedPicture* picture)
{
    IStream* stream = SHCreateMemStream(block, UINT(size));
    if (!stream)
        return false;
    bool decoded = false;
    Gdiplus::Bitmap* png = new Gdiplus::Bitmap(stream);
    const int width = int(png->GetWidth()), height = int(png->GetHeight());
    if (png->GetLastStatus() == Gdiplus::Ok && width > 0 && height > 0 && width <= kMaxIconSide &&
        height <= kMaxIconSide) {
        BitmapLock lock(png, Gdiplus::ImageLockModeRead);
        if (lock.ok()) {
            picture->width = width;
            picture->height = height;
            picture->bitsPerPixel = 32;
            picture->pixels.resize(size_t(width) * height * 4);
            const PixelView out = picture->View();
            for (int y = 0; y < height; y++)
                std::memcpy(out.Row(y), lock.view().Row(y), size_t(width) * 4);
            decoded = true;
        }
    }
    delete png;
    stream->Release();
    return decoded;
}

}  // namespace

bool DecodeIconImage(const uint8_t* block, size_t size, DecodedPicture* picture)
{
    if (ClassifyIconBlock(block, size) == IconBlockKind::kPng)
        return DecodePngBlock(block, size, picture);
    return DecodeIconBlock(block, size, picture);
}

Image* ImageFromPicture(DecodedPicture& picture)
{
    const PixelView pixels = picture.View();
    Image* image = PYX_CreateImage(uint16_t(picture.width), uint16_t(picture.height));
    BitmapLock composite(image->composite, Gdiplus::ImageLockModeWrite);
    BitmapLock layer(image->firstLayer->bitmap, Gdiplus::ImageLockModeWrite);
    for (const BitmapLock* lock : {&composite, &layer}) {
        if (!lock->ok())
            continue;
        for (int y = 0; y < pixels.height; y++)
            std::memcpy(lock->view().Row(y), pixels.Row(y), size_t(pixels.width) * 4);
    }
    return image;
}
