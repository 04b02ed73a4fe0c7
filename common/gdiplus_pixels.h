// The seam between GDI+ bitmaps and the platform-free pixel code.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include "common/pixel_view.h"

constexpr Gdiplus::ImageLockMode kLockReadWrite =
    Gdiplus::ImageLockMode(Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeWrite);

// Locks a whole bitmap as 32-bit ARGB for the lifetime of the object; ok() says whether the
// lock succeeded (a failed lock leaves its status in the bitmap's last status).
class BitmapLock {
public:
    BitmapLock(Gdiplus::Bitmap* bitmap, Gdiplus::ImageLockMode mode);
    ~BitmapLock();
    BitmapLock(const BitmapLock&) = delete;
    BitmapLock& operator=(const BitmapLock&) = delete;

    bool ok() const { return locked_; }
    const PixelView& view() const { return view_; }

private:
    Gdiplus::Bitmap* bitmap_;
    Gdiplus::BitmapData data_{};
    PixelView view_;
    bool locked_ = false;
};

// The longest side a 32-bit bitmap may have: its rows and its size stay within GDI+'s signed
// 32-bit strides and offsets.
constexpr int kMaxBitmapSide = 16384;

// A new width x height 32-bit ARGB bitmap with every pixel 0 (fully transparent), or null
// when it cannot be made. It owns its pixels, which stay where they are for its lifetime.
Gdiplus::Bitmap* NewArgbBitmap(int width, int height);

// The same with its pixels left as they come, for a caller that writes every one of them
// (clearing a large bitmap first would cost as much as a simple filter).
Gdiplus::Bitmap* NewArgbBitmapToOverwrite(int width, int height);

// A 32-bit ARGB bitmap that reads and draws the given pixels in place (the caller keeps
// them alive longer than the bitmap), or null. Bitmaps over separate rows of one picture
// let several threads draw into it at once.
Gdiplus::Bitmap* BitmapOverPixels(const PixelView& pixels);

// A new 32-bit ARGB bitmap holding a copy of the given pixels, or null when it cannot be
// made or filled.
Gdiplus::Bitmap* BitmapFromPixels(const PixelView& pixels);

// A pixel-for-pixel duplicate in the source's own pixel format; null for a null source and
// when the pixels cannot be read (a lock held elsewhere) or the copy cannot be made.
Gdiplus::Bitmap* CloneBitmap(Gdiplus::Bitmap* source);
