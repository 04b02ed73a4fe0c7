// The seam between GDI+ bitmaps and our pixel code: a copy that could not be made is no
// copy at all.
#include <gtest/gtest.h>

#include "common/gdiplus_pixels.h"
#include "harness/test_bitmaps.h"

TEST(GdiplusPixels, CloneOfABitmapLockedElsewhereIsNull)
{
    Gdiplus::Bitmap* source = MakeBitmap(7, 5, [](int x, int y) { return NoiseColor(x, y, uint32_t(30 * x + y)); });
    const std::vector<uint32_t> before = ReadPixels(source);
    const Gdiplus::ImageLockMode modes[] = {Gdiplus::ImageLockModeRead, Gdiplus::ImageLockModeWrite, kLockReadWrite};
    for (Gdiplus::ImageLockMode mode : modes) {
        Gdiplus::Bitmap* copy = nullptr;
        {
            BitmapLock held(source, mode);
            ASSERT_TRUE(held.ok()) << mode;
            copy = CloneBitmap(source);
        }
        EXPECT_EQ(copy, nullptr) << "lock mode " << mode;
        delete copy;
        EXPECT_EQ(ReadPixels(source), before) << "lock mode " << mode;
    }
    // Once the lock is gone the copy is a true one.
    Gdiplus::Bitmap* copy = CloneBitmap(source);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(ReadPixels(copy), before);
    delete copy;
    delete source;
}
