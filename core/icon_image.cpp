#include "icon_image.h"

#include <shlwapi.h>

#include <cstring>

#include "common/gdiplus_pixels.h"
#include "ico_format.h"
#include "icon_bitmap.h"
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
    if (!DecodeIconBlockIntoBitmap(block, size, picture)) {
        delete picture;
        return nullptr;
    }
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

