#include "icon_bitmap.h"

#include "common/gdiplus_pixels.h"
#include "ico_format.h"

bool DecodeIconBlockIntoBitmap(const uint8_t* block, size_t size, Bitmap* picture)
{
    IconBlockInfo info;
    if (!picture || !ReadIconBlockInfo(block, size, &info))
        return false;
    if (int(picture->GetWidth()) != info.width || int(picture->GetHeight()) != info.height)
        return false;
    BitmapLock lock(picture, Gdiplus::ImageLockModeWrite);
    if (!lock.ok())
        return false;
    DecodeIconBlockInto(block, size, lock.view());
    return true;
}
