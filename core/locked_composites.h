// The writers read every Image's composite while they assemble a file: this keeps them
// locked for exactly that long.
#pragma once

#include <memory>
#include <vector>

#include "common/gdiplus_pixels.h"
#include "ico_format.h"
#include "pyx.h"

struct LockedComposites {
    std::vector<std::unique_ptr<BitmapLock>> locks;
    std::vector<IconFileImage> images;  // one per Image, in list order
};

// Locks `count` composites from `first` on. False when an Image or its composite is
// missing or cannot be locked.
bool LockComposites(const Image* first, int count, LockedComposites* locked);
