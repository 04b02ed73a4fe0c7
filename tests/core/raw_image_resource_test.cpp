// Raw pictures stored as custom resources of this test program.
#include <gtest/gtest.h>

#include "core/pyx.h"
#include "harness/test_bitmaps.h"

TEST(RawImageResource, LoadsStoredPixelsExactly)
{
    HMODULE self = GetModuleHandleW(nullptr);
    Bitmap* picture = PYX_LoadCustomImageResource(self, 131, L"P32");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->GetWidth(), 3u);
    EXPECT_EQ(picture->GetHeight(), 2u);
    EXPECT_EQ(picture->GetPixelFormat(), PixelFormat32bppARGB);
    // Alpha 0 with color keeps the color bytes.
    EXPECT_EQ(ReadPixels(picture),
              (std::vector<uint32_t>{0x00FF0000, 0x8000FF00, 0xFF0000FF, 0xFFFFFFFF, 0x01020304, 0x00000000}));
    delete picture;
}

TEST(RawImageResource, MagicIsIgnoredAndOneByOneWorks)
{
    Bitmap* picture = PYX_LoadCustomImageResource(GetModuleHandleW(nullptr), 120, L"REAL32");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(ReadPixels(picture), std::vector<uint32_t>{0xFF102030});
    delete picture;
}

TEST(RawImageResource, MissingOrShortResourcesGiveNothing)
{
    HMODULE self = GetModuleHandleW(nullptr);
    EXPECT_EQ(PYX_LoadCustomImageResource(self, 999, L"P32"), nullptr);
    EXPECT_EQ(PYX_LoadCustomImageResource(self, 131, L"RT_CIM"), nullptr);
    EXPECT_EQ(PYX_LoadCustomImageResource(self, 121, L"REAL32"), nullptr) << "shorter than its size";
}
