// Copy and Paste through the real Windows clipboard.
#include <gtest/gtest.h>

#include <cstring>

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

bool PutDib(HWND owner, const std::vector<uint8_t>& block)
{
    if (!OpenClipboard(owner))
        return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, block.size());
    std::memcpy(GlobalLock(memory), block.data(), block.size());
    GlobalUnlock(memory);
    const bool put = SetClipboardData(CF_DIB, memory) != nullptr;
    CloseClipboard();
    return put;
}

std::vector<uint8_t> TakeDib(HWND owner)
{
    std::vector<uint8_t> block;
    if (!OpenClipboard(owner))
        return block;
    HANDLE data = GetClipboardData(CF_DIB);
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
        {"32 bits with no alpha", zeroAlpha, 2, 1, {0x001E140A, 0x003C3228}},
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
