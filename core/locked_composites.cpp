#include "locked_composites.h"

bool LockComposites(const Image* first, int count, LockedComposites* locked)
{
    const Image* image = first;
    for (int i = 0; i < count; i++, image = image->next) {
        if (!image || !image->composite)
            return false;
        locked->locks.push_back(std::make_unique<BitmapLock>(image->composite, Gdiplus::ImageLockModeRead));
        if (!locked->locks.back()->ok())
            return false;
        locked->images.push_back({locked->locks.back()->view(), image->bitsPerPixel, image->hotspotX, image->hotspotY});
    }
    return true;
}
