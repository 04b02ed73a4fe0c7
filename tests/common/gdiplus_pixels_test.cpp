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

// A freed bitmap's memory is used again for the next one of its size: the new bitmap must
// still start transparent, and a copy must hold only its own pixels, for each size in turn.
TEST(GdiplusPixels, NewBitmapsOnReusedMemoryStartClear)
{
    const int sizes[][2] = {{1, 1}, {37, 11}, {256, 256}, {1024, 3}};
    for (const auto& size : sizes) {
        const int width = size[0], height = size[1];
        const size_t count = size_t(width) * size_t(height);
        for (int round = 0; round < 3; round++) {
            Gdiplus::Bitmap* used = NewArgbBitmap(width, height);
            ASSERT_NE(used, nullptr);
            PaintPixels(used, [](int x, int y) { return NoiseColor(x, y, 255); });
            ASSERT_NE(ReadPixels(used), std::vector<uint32_t>(count, 0u));
            delete used;
            Gdiplus::Bitmap* fresh = NewArgbBitmap(width, height);
            ASSERT_NE(fresh, nullptr) << width << " x " << height;
            EXPECT_EQ(ReadPixels(fresh), std::vector<uint32_t>(count, 0u)) << width << " x " << height << ", round " << round;
            delete fresh;
        }
    }
}
