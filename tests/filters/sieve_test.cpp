// sieve.dll as its callers see it: the export by ordinal, the request record, new bitmaps.
#include <gtest/gtest.h>

#include "common/bitmap_areas.h"
#include "common/gdiplus_pixels.h"
#include "filters/filter_request.h"
#include "filters/sieve.h"
#include "core/portable_pixels.h"
#include "harness/test_bitmaps.h"

namespace {

FilterParams ParamsFor(int type, Gdiplus::Bitmap* source)
{
    static const int32_t kernel[25] = {1, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, -4, 0, 0, 0, 0, 0, 1};
    static const uint32_t shadowColor = 0xFF204060;
    FilterParams p{};
    p.filterType = type;
    p.source = source;
    p.kernel = kernel;
    p.word4 = type == kCustomFilter ? 5 : (type == kBorderize ? 3 : 2);
    p.word5 = 3;
    p.word6 = 60;
    p.shadowColor = &shadowColor;
    p.word9 = 7;
    p.word10 = 5;
    p.word11 = 0x00C08040;
    p.word12 = 0x00102030;
    return p;
}

FilterRequest RequestFor(const FilterParams& p)
{
    return {p.filterType, p.kernel, p.word4, p.word5, p.word6, p.word7, p.shadowColor,
            p.word9, p.word10, p.word11, p.word12};
}

}  // namespace

TEST(Sieve, ApplyFilterIsOrdinalOne)
{
    HMODULE sieve = GetModuleHandleW(L"sieve.dll");
    ASSERT_NE(sieve, nullptr);
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(sieve, MAKEINTRESOURCEA(1))), reinterpret_cast<void*>(&ApplyFilter));
    EXPECT_EQ(GetProcAddress(sieve, MAKEINTRESOURCEA(2)), nullptr);
}

TEST(Sieve, TypesWithoutAFilterReturnNull)
{
    Gdiplus::Bitmap* source = MakeBitmap(4, 4, [](int x, int y) { return NoiseColor(x, y, 255); });
    for (int type : {5, 0, 23, -1, 255}) {
        const FilterParams params = ParamsFor(type, source);
        EXPECT_EQ(ApplyFilter(&params), nullptr) << type;
    }
    delete source;
}

TEST(Sieve, EveryFilterMakesANewBitmapOfTheSourceSizeAndLeavesTheSource)
{
    const int sizes[][2] = {{1, 1}, {37, 23}};
    for (const auto& size : sizes) {
        Gdiplus::Bitmap* source = MakeBitmap(size[0], size[1], [](int x, int y) {
            return NoiseColor(x, y, (x * 7 + y * 3) % 5 == 0 ? 0 : (x + y) % 3 == 0 ? 128 : 255);
        });
        const std::vector<uint32_t> before = ReadPixels(source);
        for (int type = 1; type <= 22; type++) {
            if (type == 5)
                continue;
            const FilterParams params = ParamsFor(type, source);
            Gdiplus::Bitmap* result = ApplyFilter(&params);
            ASSERT_NE(result, nullptr) << type;
            EXPECT_NE(result, source);
            EXPECT_EQ(result->GetWidth(), UINT(size[0])) << type;
            EXPECT_EQ(result->GetHeight(), UINT(size[1])) << type;
            EXPECT_EQ(result->GetPixelFormat(), PixelFormat32bppARGB) << type;
            // The bitmap holds what the platform-free routine makes of the same pixels.
            TestPixels pixels(size[0], size[1]);
            pixels.argb = before;
            TestPixels expected(size[0], size[1]);
            RunFilter(RequestFor(params), pixels.View(), expected.View());
            EXPECT_EQ(ReadPixels(result), expected.argb) << "type " << type;
            EXPECT_EQ(ReadPixels(source), before) << "type " << type << " changed its source";
            delete result;
        }
        delete source;
    }
}

// Wide heavy blurs of large pictures run in bands of rows on several threads; together the
// bands must give exactly the whole-picture blur, at the band edges too.
TEST(Sieve, HeavyBlurInBandsEqualsTheWholePictureBlur)
{
    const int sizes[][2] = {{600, 450}, {1030, 257}, {263, 1001}, {511, 512}};
    for (const auto& size : sizes) {
        Gdiplus::Bitmap* source = MakeBitmap(size[0], size[1], [](int x, int y) {
            return NoiseColor(x, y, (x * 5 + y * 11) % 7 == 0 ? 0 : (x ^ y) % 3 == 0 ? 90 : 255);
        });
        TestPixels pixels(size[0], size[1]);
        pixels.argb = ReadPixels(source);
        for (int factor : {4, 5, 9, 50, 80}) {
            FilterParams params = ParamsFor(kHeavyBlur, source);
            params.word9 = factor;
            Gdiplus::Bitmap* result = ApplyFilter(&params);
            ASSERT_NE(result, nullptr);
            TestPixels expected(size[0], size[1]);
            RunFilter(RequestFor(params), pixels.View(), expected.View());
            EXPECT_EQ(ReadPixels(result), expected.argb) << size[0] << " x " << size[1] << ", factor " << factor;
            delete result;
        }
        delete source;
    }
}

TEST(Sieve, ASourceLockedElsewhereGivesNoBitmapAndStaysAsItWas)
{
    Gdiplus::Bitmap* source = MakeBitmap(6, 5, [](int x, int y) { return NoiseColor(x, y, 255); });
    const std::vector<uint32_t> before = ReadPixels(source);
    for (int type : {kNegative, kAdjustHsv, kHeavyBlur, kBevel}) {  // hue is shared out in bands
        const FilterParams params = ParamsFor(type, source);
        Gdiplus::Bitmap* result = nullptr;
        {
            BitmapLock held(source, Gdiplus::ImageLockModeRead);
            ASSERT_TRUE(held.ok());
            result = ApplyFilter(&params);
        }
        EXPECT_EQ(result, nullptr) << "type " << type;
        delete result;
        EXPECT_EQ(ReadPixels(source), before) << "type " << type;
    }
    delete source;
}

TEST(Sieve, CloneAreaCopiesARectangleAndRefusesOneOutside)
{
    Gdiplus::Bitmap* source = MakeBitmap(9, 7, [](int x, int y) { return NoiseColor(x, y, uint32_t(x * 20 + y)); });
    const std::vector<uint32_t> all = ReadPixels(source);
    Gdiplus::Bitmap* area = CloneArea(source, 2, 3, 5, 4);
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->GetWidth(), 5u);
    EXPECT_EQ(area->GetHeight(), 4u);
    const std::vector<uint32_t> copied = ReadPixels(area);
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 5; x++)
            ASSERT_EQ(copied[size_t(y) * 5 + x], all[size_t(y + 3) * 9 + x + 2]) << x << "," << y;
    delete area;
    const int outside[][4] = {{-1, 0, 2, 2}, {0, 0, 10, 1}, {8, 6, 2, 1}, {0, 0, 0, 3}, {3, 3, 4, 5}};
    for (const auto& r : outside)
        EXPECT_EQ(CloneArea(source, r[0], r[1], r[2], r[3]), nullptr) << r[0] << "," << r[1] << " " << r[2] << "x" << r[3];
    Gdiplus::Bitmap* fresh = NewBitmap(3, 2, PixelFormat32bppARGB);
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(ReadPixels(fresh), std::vector<uint32_t>(6, 0u));
    delete fresh;
    delete source;
}
