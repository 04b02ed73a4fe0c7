#include "icon_image.h"

#include <shlwapi.h>

#include <cstring>

#include "common/gdiplus_pixels.h"
#include "file_io.h"
#include "ico_format.h"
#include "icon_bitmap.h"
#include "image_records.h"
#include "png_decoder.h"

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

// The plain PNG forms are read here; GDI+ is slow to start on each small picture, and a
// library holds hundreds of them.
Bitmap* DecodePlainPng(const uint8_t* block, size_t size)
{
    PngLayout layout;
    if (!ReadPngLayout(block, size, kMaxIconSide, &layout))
        return nullptr;
    Bitmap* picture = NewArgbBitmap(layout.width, layout.height);
    if (!picture)
        return nullptr;
    bool decoded = false;
    {
        BitmapLock lock(picture, Gdiplus::ImageLockModeWrite);
        BorrowedBytes scratch;
        decoded = lock.ok() && DecodePngInto(block, size, lock.view(), &scratch.bytes());
    }
    if (!decoded) {
        delete picture;
        return nullptr;
    }
    return picture;
}

// PNG entries become 32-bit ARGB, whatever the PNG's own format: the plain forms directly,
// the rest (and anything the direct reader declines) through GDI+.
Bitmap* DecodePngBlock(const uint8_t* block, size_t size, int* blockDepth)
{
    if (Bitmap* plain = DecodePlainPng(block, size)) {
        *blockDepth = 32;
        return plain;
    }
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

