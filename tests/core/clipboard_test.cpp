// Copy and Paste through the real Windows clipboard.
#include <gtest/gtest.h>

#include <shlwapi.h>

#include <cstring>

#include "common/image_encoders.h"
#include "core/byte_io.h"
#include "core/pyx.h"
#include "harness/test_bitmaps.h"

namespace {

// The clipboard needs an owner window for data to stay on it.
struct OwnerWindow {
    HWND hwnd = CreateWindowW(L"STATIC", L"clipboard owner", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    ~OwnerWindow() { DestroyWindow(hwnd); }
};

using Bytes = std::vector<uint8_t>;

const UINT kPng = RegisterClipboardFormatW(L"PNG");

struct Offer {
    UINT format;
    Bytes bytes;
};

// Empties the clipboard and puts exactly these formats on it, as another program would.
bool PutOffers(HWND owner, const std::vector<Offer>& offers)
{
    if (!OpenClipboard(owner))
        return false;
    EmptyClipboard();
    bool put = true;
    for (const Offer& offer : offers) {
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, offer.bytes.size());
        std::memcpy(GlobalLock(memory), offer.bytes.data(), offer.bytes.size());
        GlobalUnlock(memory);
        put = put && SetClipboardData(offer.format, memory) != nullptr;
    }
    CloseClipboard();
    return put;
}

bool PutDib(HWND owner, const Bytes& block)
{
    return PutOffers(owner, {{CF_DIB, block}});
}

Bytes TakeDib(HWND owner, UINT format = CF_DIB)
{
    std::vector<uint8_t> block;
    if (!OpenClipboard(owner))
        return block;
    HANDLE data = GetClipboardData(format);
    if (data) {
        const uint8_t* bytes = static_cast<const uint8_t*>(GlobalLock(data));
        block.assign(bytes, bytes + GlobalSize(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return block;
}

std::vector<uint8_t> DibHeader(int32_t width, int32_t height, uint16_t bits)
{
    std::vector<uint8_t> block(40, 0);
    WriteU32(&block[0], 40);
    WriteU32(&block[4], uint32_t(width));
    WriteU32(&block[8], uint32_t(height));
    WriteU16(&block[12], 1);
    WriteU16(&block[14], bits);
    return block;
}

// The picture as a PNG file, written by GDI+ as any other program would.
Bytes PngOf(Bitmap* picture)
{
    Bytes bytes;
    CLSID png;
    IStream* stream = SHCreateMemStream(nullptr, 0);
    STATSTG stat{};
    if (FindImageEncoder(L"image/png", &png) && picture->Save(stream, &png, nullptr) == Gdiplus::Ok &&
        stream->Stat(&stat, STATFLAG_NONAME) == S_OK) {
        bytes.resize(size_t(stat.cbSize.QuadPart));
        LARGE_INTEGER zero{};
        ULONG got = 0;
        stream->Seek(zero, STREAM_SEEK_SET, nullptr);
        stream->Read(bytes.data(), ULONG(bytes.size()), &got);
    }
    stream->Release();
    return bytes;
}

std::vector<uint32_t> PngPixels(const Bytes& bytes)
{
    IStream* stream = SHCreateMemStream(bytes.data(), UINT(bytes.size()));
    Bitmap* picture = new Bitmap(stream);
    std::vector<uint32_t> pixels;
    if (picture->GetLastStatus() == Gdiplus::Ok)
        pixels = ReadPixels(picture);
    delete picture;
    stream->Release();
    return pixels;
}

Bytes WithRows(Bytes header, std::initializer_list<uint8_t> rows)
{
    header.insert(header.end(), rows);
    return header;
}

// A version 5 header (124 bytes) naming the usual masks and the given alpha mask.
Bytes V5Header(int32_t width, int32_t height, uint32_t alphaMask)
{
    Bytes block = DibHeader(width, height, 32);
    block.resize(124, 0);
    WriteU32(&block[0], 124);
    WriteU32(&block[16], 3);
    WriteU32(&block[40], 0x00FF0000);
    WriteU32(&block[44], 0x0000FF00);
    WriteU32(&block[48], 0x000000FF);
    WriteU32(&block[52], alphaMask);
    return block;
}

}  // namespace

TEST(Clipboard, CopyThenPasteKeepsEveryPixel)
{
    OwnerWindow owner;
    Bitmap* bitmap = MakeBitmap(33, 17, [](int x, int y) { return NoiseColor(x, y, uint32_t((x * 8 + y) % 256)); });
    ASSERT_NE(PYX_CopyImageToClipboard(owner.hwnd, bitmap, 33, 17), 0);
    std::vector<uint8_t> block = TakeDib(owner.hwnd);
    ASSERT_GE(block.size(), 40u + (33 * 4 + 8) * 17) << "pixel rows and 8 mask bytes per row";
    EXPECT_EQ(ReadU32(&block[4]), 33u);
    EXPECT_EQ(ReadU32(&block[8]), 17u);
    EXPECT_EQ(ReadU16(&block[14]), 32);
    Bitmap* pasted = PYX_GetImageFromClipboard(owner.hwnd);
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(pasted->GetPixelFormat(), PixelFormat32bppARGB);
    EXPECT_EQ(ReadPixels(pasted), ReadPixels(bitmap));
    delete pasted;
    delete bitmap;
}

TEST(Clipboard, PastesPicturesOfOtherPrograms)
{
    OwnerWindow owner;
    struct Case {
        const char* name;
        std::vector<uint8_t> block;
        int width, height;
        std::vector<uint32_t> expected;
    };
    std::vector<uint8_t> oneBit = DibHeader(2, 2, 1), zeroAlpha = DibHeader(2, 1, 32), topDown = DibHeader(1, -2, 24);
    for (uint8_t byte : {0, 0, 0, 0, 255, 255, 255, 0, 0x80, 0, 0, 0, 0x40, 0, 0, 0})
        oneBit.push_back(byte);
    for (uint8_t byte : {10, 20, 30, 0, 40, 50, 60, 0})
        zeroAlpha.push_back(byte);
    for (uint8_t byte : {1, 2, 3, 0, 4, 5, 6, 0})
        topDown.push_back(byte);
    const Case cases[] = {
        {"1 bit black and white", oneBit, 2, 2, {0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF000000}},
        {"32 bits with alpha 0 everywhere pastes opaque", zeroAlpha, 2, 1, {0xFF1E140A, 0xFF3C3228}},
        {"32 bits with some alpha keeps it", WithRows(DibHeader(2, 1, 32), {10, 20, 30, 0, 40, 50, 60, 0x80}), 2, 1,
         {0x001E140A, 0x803C3228}},
        {"24 bits stored top row first", topDown, 1, 2, {0xFF030201, 0xFF060504}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        ASSERT_TRUE(PutDib(owner.hwnd, test.block));
        Bitmap* pasted = PYX_GetImageFromClipboard(owner.hwnd);
        ASSERT_NE(pasted, nullptr);
        EXPECT_EQ(int(pasted->GetWidth()), test.width);
        EXPECT_EQ(int(pasted->GetHeight()), test.height);
        EXPECT_EQ(ReadPixels(pasted), test.expected);
        delete pasted;
    }
}

TEST(Clipboard, NothingToPaste)
{
    OwnerWindow owner;
    ASSERT_TRUE(OpenClipboard(owner.hwnd));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(PYX_GetImageFromClipboard(owner.hwnd), nullptr) << "an empty clipboard";
    ASSERT_TRUE(PutDib(owner.hwnd, DibHeader(4, 4, 32)));
    EXPECT_EQ(PYX_GetImageFromClipboard(owner.hwnd), nullptr) << "a block without its pixel rows";

    // While another window holds the clipboard open, neither direction gets in.
    ASSERT_TRUE(OpenClipboard(owner.hwnd));
    const DWORD otherThreadResult = [] {
        DWORD result = 99;
        HANDLE thread = CreateThread(
            nullptr, 0,
            [](void* out) -> DWORD {
                OwnerWindow other;
                Bitmap* bitmap = MakeBitmap(2, 2, [](int, int) { return 0xFF000000u; });
                const int copied = PYX_CopyImageToClipboard(other.hwnd, bitmap, 2, 2);
                Bitmap* pasted = PYX_GetImageFromClipboard(other.hwnd);
                *static_cast<DWORD*>(out) = DWORD(copied) + (pasted ? 10 : 0);
                delete pasted;
                delete bitmap;
                return 0;
            },
            &result, 0, nullptr);
        WaitForSingleObject(thread, 10000);
        CloseHandle(thread);
        return result;
    }();
    CloseClipboard();
    EXPECT_EQ(otherThreadResult, 0u) << "Copy gives 0 and Paste null";
}

TEST(Clipboard, CopyOffersTheBitmapBlockAndAPng)
{
    OwnerWindow owner;
    const uint32_t colors[] = {0x80102030, 0x00FFFFFF, 0xFF405060, 0x01000000};  // rows top to bottom
    Bitmap* bitmap = MakeBitmap(2, 2, [&](int x, int y) { return colors[y * 2 + x]; });
    ASSERT_NE(PYX_CopyImageToClipboard(owner.hwnd, bitmap, 2, 2), 0);
    const Bytes expected = {
        40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 32, 0, 0, 0, 0, 0, 16, 0, 0, 0,  // header, image size 16
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0x60, 0x50, 0x40, 0xFF, 0, 0, 0, 0x01,   // bottom row first
        0x30, 0x20, 0x10, 0x80, 0xFF, 0xFF, 0xFF, 0,
        0, 0, 0, 0, 0x40, 0, 0, 0,                // mask rows: only the top right pixel is transparent
    };
    const Bytes dib = TakeDib(owner.hwnd);
    ASSERT_GE(dib.size(), expected.size());
    EXPECT_EQ(Bytes(dib.begin(), dib.begin() + std::ptrdiff_t(expected.size())), expected);
    const Bytes png = TakeDib(owner.hwnd, kPng);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(Bytes(png.begin(), png.begin() + 4), (Bytes{0x89, 'P', 'N', 'G'}));
    EXPECT_EQ(PngPixels(png), ReadPixels(bitmap)) << "the PNG keeps every pixel, alpha included";
    delete bitmap;
}

TEST(Clipboard, PastesTheBestOfferFirst)
{
    OwnerWindow owner;
    Bitmap* partial = MakeBitmap(5, 3, [](int x, int y) { return NoiseColor(x, y, uint32_t(x * 60 + y)); });
    const std::vector<uint32_t> partialPixels = ReadPixels(partial);
    const Bytes png = PngOf(partial);
    ASSERT_FALSE(png.empty());
    delete partial;
    const Bytes dib = WithRows(DibHeader(1, 1, 32), {1, 2, 3, 0});
    struct Case {
        const char* name;
        std::vector<Offer> offers;
        int width, height;
        std::vector<uint32_t> expected;
    };
    const Case cases[] = {
        {"a PNG alone, partial alpha kept", {{kPng, png}}, 5, 3, partialPixels},
        {"a PNG before the bitmap", {{CF_DIB, dib}, {kPng, png}}, 5, 3, partialPixels},
        {"a version 5 bitmap with alpha before the plain one",
         {{CF_DIB, dib}, {CF_DIBV5, WithRows(V5Header(2, -1, 0xFF000000), {1, 2, 3, 0x40, 4, 5, 6, 0})}}, 2, 1,
         {0x40030201, 0x00060504}},
        {"the plain bitmap when the version 5 one has no alpha mask",
         {{CF_DIB, dib}, {CF_DIBV5, WithRows(V5Header(1, 1, 0), {9, 9, 9, 9})}}, 1, 1, {0xFF030201}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        ASSERT_TRUE(PutOffers(owner.hwnd, test.offers));
        Bitmap* pasted = PYX_GetImageFromClipboard(owner.hwnd);
        ASSERT_NE(pasted, nullptr);
        EXPECT_EQ(pasted->GetPixelFormat(), PixelFormat32bppARGB);
        EXPECT_EQ(int(pasted->GetWidth()), test.width);
        EXPECT_EQ(int(pasted->GetHeight()), test.height);
        EXPECT_EQ(ReadPixels(pasted), test.expected);
        delete pasted;
    }
}

TEST(Clipboard, RefusesMalformedAndOversizedPictures)
{
    OwnerWindow owner;
    Bitmap* picture = MakeBitmap(4, 4, [](int x, int y) { return NoiseColor(x, y, 200); });
    const Bytes png = PngOf(picture);
    delete picture;
    ASSERT_GT(png.size(), 40u);
    Bytes cut(png.begin(), png.begin() + 40), huge = png, garbled = png;
    huge[16] = 0x7F;  // width 2^31 - 1 or so, in the header chunk
    for (size_t i = 41; i < garbled.size(); i++)
        garbled[i] = uint8_t(i * 7);
    const Bytes goodDib = WithRows(DibHeader(1, 1, 32), {1, 2, 3, 4});
    Bytes wide = WithRows(DibHeader(20000, 1, 1), {0, 0, 0, 0, 255, 255, 255, 0});
    WriteU32(&wide[32], 2);
    wide.resize(wide.size() + 2500, 0);  // one row of 20000 bits
    struct Case {
        const char* name;
        std::vector<Offer> offers;
    };
    const Case cases[] = {
        {"a PNG cut short", {{kPng, cut}}},
        {"a PNG whose header claims a huge width", {{kPng, huge}}},
        {"a PNG with garbled data", {{kPng, garbled}}},
        {"a bad PNG is not passed over for the bitmap", {{CF_DIB, goodDib}, {kPng, cut}}},
        {"a bitmap wider than we take, its rows all there", {{CF_DIB, wide}}},
        {"a bitmap whose rows are missing", {{CF_DIB, DibHeader(300, 300, 24)}}},
        {"a version 5 bitmap with alpha whose rows are missing", {{CF_DIB, goodDib}, {CF_DIBV5, V5Header(50, 50, 0xFF000000)}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        ASSERT_TRUE(PutOffers(owner.hwnd, test.offers));
        Bitmap* pasted = PYX_GetImageFromClipboard(owner.hwnd);
        EXPECT_EQ(pasted, nullptr);
        delete pasted;
    }
}
