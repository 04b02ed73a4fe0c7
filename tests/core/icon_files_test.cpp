// Icon and cursor files through the exports: round trips, Windows as a reader, failures.
#include <gtest/gtest.h>

#include <shlwapi.h>

#include "common/image_encoders.h"
#include "common/message_box_recorder.h"
#include "core/byte_io.h"
#include "core/ico_format.h"
#include "core/icon_bitmap.h"
#include "core/pyx.h"
#include "harness/test_bitmaps.h"
#include "harness/expect_boxes.h"
#include "harness/test_files.h"
#include "document_builders.h"

namespace {

struct ImageShape {
    uint16_t width, height;
    uint8_t bits;
    int16_t hotspotX, hotspotY;
};

uint32_t TestColor(int x, int y)
{
    // Mixed alpha: fully transparent, half and opaque pixels.
    const uint32_t alphas[] = {0, 128, 255, 255};
    return NoiseColor(x, y, alphas[(x + 2 * y) % 4]);
}

Resource* MakeDocument(const std::vector<ImageShape>& shapes)
{
    Resource* document = DocumentWithoutImages();
    for (const ImageShape& shape : shapes) {
        Image* image = PYX_CreateImage(shape.width, shape.height);
        image->bitsPerPixel = shape.bits;
        image->hotspotX = shape.hotspotX;
        image->hotspotY = shape.hotspotY;
        PaintPixels(image->composite, TestColor);
        AppendImage(document, image);
    }
    return document;
}

}  // namespace

TEST(IconFiles, EveryDepthRoundTripsThroughTheExports)
{
    Resource* document = MakeDocument({{16, 16, 1, 0, 0}, {24, 24, 4, 0, 0}, {32, 32, 8, 0, 0},
                                       {48, 48, 24, 0, 0}, {256, 256, 32, 0, 0}});
    const std::wstring path = TestPath(L"depths.ico");
    MessageBoxRecorder recorder;
    ASSERT_EQ(PYX_SaveIconToFile(nullptr, path.c_str(), document), 1);
    Resource* loaded = PYX_LoadIconFromFile(nullptr, path.c_str());
    ASSERT_NE(loaded, nullptr);
    EXPECT_TRUE(recorder.boxes().empty());
    EXPECT_EQ(loaded->fileKind, kIconFileKind);
    EXPECT_EQ(std::wstring(loaded->fileName), path);
    std::vector<Image*> before = Images(document), after = Images(loaded);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(loaded->imageCount, before.size());
    for (size_t i = 0; i < before.size(); i++) {
        SCOPED_TRACE(testing::Message() << "image " << i << " at " << int(before[i]->bitsPerPixel) << " bits");
        EXPECT_EQ(after[i]->width, before[i]->width);
        EXPECT_EQ(after[i]->height, before[i]->height);
        EXPECT_EQ(after[i]->bitsPerPixel, before[i]->bitsPerPixel);
        EXPECT_EQ(after[i]->layerCount, 1);
        EXPECT_EQ(after[i]->displayRate, 5u);
        std::vector<uint32_t> in = ReadPixels(before[i]->composite), out = ReadPixels(after[i]->composite);
        EXPECT_EQ(ReadPixels(after[i]->firstLayer->bitmap), out) << "the layer holds the same picture";
        for (size_t p = 0; p < in.size(); p++) {
            const uint32_t alpha = in[p] >> 24;
            if (before[i]->bitsPerPixel == 32)
                ASSERT_EQ(out[p], alpha ? in[p] : 0u) << "pixel " << p;
            else if (alpha != 255)
                ASSERT_EQ(out[p], 0u) << "pixel " << p;
            else if (before[i]->bitsPerPixel == 24)
                ASSERT_EQ(out[p], in[p]) << "pixel " << p;
            else
                ASSERT_EQ(out[p] >> 24, 255u) << "pixel " << p;
        }
    }
    PYX_DoCleanupInternalResource(loaded);
    PYX_DoCleanupInternalResource(document);
}

TEST(IconFiles, CursorsKeepTheirHotSpots)
{
    Resource* document = MakeDocument({{32, 32, 32, 5, 31}, {16, 16, 4, 15, 0}});
    const std::wstring path = TestPath(L"hot.cur");
    ASSERT_EQ(PYX_SaveCursorToFile(nullptr, path.c_str(), document), 1);
    Resource* loaded = PYX_LoadCursorFromFile(nullptr, path.c_str());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->fileKind, kCursorFileKind);
    std::vector<Image*> images = Images(loaded);
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0]->hotspotX, 5);
    EXPECT_EQ(images[0]->hotspotY, 31);
    EXPECT_EQ(images[1]->hotspotX, 15);
    EXPECT_EQ(images[1]->hotspotY, 0);
    EXPECT_EQ(images[1]->bitsPerPixel, 4);
    PYX_DoCleanupInternalResource(loaded);

    // An icon read by the cursor loader: planes and bits become the hot spot.
    const std::wstring iconPath = TestPath(L"as-cursor.ico");
    ASSERT_EQ(PYX_SaveIconToFile(nullptr, iconPath.c_str(), document), 1);
    loaded = PYX_LoadCursorFromFile(nullptr, iconPath.c_str());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->firstImage->hotspotX, 1);
    EXPECT_EQ(loaded->firstImage->hotspotY, 32);
    PYX_DoCleanupInternalResource(loaded);
    PYX_DoCleanupInternalResource(document);
}

TEST(IconFiles, SingleImageFilesHaveOneEntryAtOffset22)
{
    Resource* document = MakeDocument({{16, 16, 1, 3, 4}});
    PaintPixels(document->firstImage->composite, [](int, int) { return 0xFFFFFFFFu; });
    const std::wstring iconPath = TestPath(L"single.ico"), cursorPath = TestPath(L"single.cur");
    ASSERT_EQ(PYX_SaveSingleImageAsIcon(nullptr, iconPath.c_str(), document->firstImage), 1);
    ASSERT_EQ(PYX_SaveSingleImageAsCursor(nullptr, cursorPath.c_str(), document->firstImage), 1);
    std::vector<uint8_t> icon = ReadBytes(iconPath), cursor = ReadBytes(cursorPath);
    ASSERT_EQ(icon.size(), 22u + 176);
    ASSERT_EQ(cursor.size(), 22u + 176);
    const uint8_t iconHead[22] = {0, 0, 1, 0, 1, 0, 16, 16, 2, 0, 1, 0, 1, 0, 176, 0, 0, 0, 22, 0, 0, 0};
    const uint8_t cursorHead[22] = {0, 0, 2, 0, 1, 0, 16, 16, 2, 0, 3, 0, 4, 0, 176, 0, 0, 0, 22, 0, 0, 0};
    EXPECT_EQ(memcmp(icon.data(), iconHead, 22), 0);
    EXPECT_EQ(memcmp(cursor.data(), cursorHead, 22), 0);
    EXPECT_EQ(memcmp(icon.data() + 22, cursor.data() + 22, 176), 0) << "the same block in both";
    for (int row = 0; row < 16; row++)
        EXPECT_EQ(ReadU16(&icon[22 + 48 + row * 4]), 0xFFFF) << "white pixel bits, row " << row;
    PYX_DoCleanupInternalResource(document);
}

TEST(IconFiles, WindowsLoadsWhatWeWrite)
{
    Resource* document = MakeDocument({{16, 16, 4, 0, 0}, {32, 32, 8, 0, 0}, {48, 48, 32, 0, 0}, {256, 256, 32, 0, 0}});
    const std::wstring path = TestPath(L"windows.ico");
    ASSERT_EQ(PYX_SaveIconToFile(nullptr, path.c_str(), document), 1);
    for (int size : {16, 32, 48, 256}) {
        HICON icon = HICON(LoadImageW(nullptr, path.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE));
        ASSERT_NE(icon, nullptr) << "LoadImageW at " << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP mask{};
        GetObjectW(info.hbmMask, sizeof mask, &mask);
        EXPECT_EQ(mask.bmWidth, size);
        DeleteObject(info.hbmMask);
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
        DestroyIcon(icon);
    }
    // Every block on its own, as a resource loader hands it over.
    std::vector<uint8_t> file = ReadBytes(path);
    IconDirectory directory;
    ASSERT_TRUE(ParseIconDirectory(file.data(), file.size(), false, &directory));
    for (const IconDirEntry& entry : directory.entries) {
        const int size = entry.width ? entry.width : 256;
        HICON icon = CreateIconFromResourceEx(&file[entry.blockOffset], entry.blockSize, TRUE, 0x00030000, size,
                                              size, 0);
        EXPECT_NE(icon, nullptr) << "CreateIconFromResourceEx at " << size;
        DestroyIcon(icon);
    }
    const std::wstring cursorPath = TestPath(L"windows.cur");
    ASSERT_EQ(PYX_SaveCursorToFile(nullptr, cursorPath.c_str(), document), 1);
    HCURSOR cursor = HCURSOR(LoadImageW(nullptr, cursorPath.c_str(), IMAGE_CURSOR, 32, 32, LR_LOADFROMFILE));
    EXPECT_NE(cursor, nullptr);
    DestroyCursor(cursor);
    PYX_DoCleanupInternalResource(document);
}

TEST(IconFiles, SpecialEntriesLoad)
{
    // Zero entries: a Resource without Images.
    const std::wstring empty = TestPath(L"empty.ico");
    ASSERT_TRUE(WriteBytes(empty, {0, 0, 1, 0, 0, 0}));
    Resource* loaded = PYX_LoadIconFromFile(nullptr, empty.c_str());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->imageCount, 0);
    EXPECT_EQ(loaded->firstImage, nullptr);
    PYX_DoCleanupInternalResource(loaded);

    // An entry whose bits field is 0 takes its depth from the block header.
    Resource* document = MakeDocument({{8, 8, 8, 0, 0}});
    const std::wstring path = TestPath(L"zero-bits.ico");
    ASSERT_EQ(PYX_SaveIconToFile(nullptr, path.c_str(), document), 1);
    std::vector<uint8_t> file = ReadBytes(path);
    WriteU16(&file[12], 0);
    ASSERT_TRUE(WriteBytes(path, file));
    loaded = PYX_LoadIconFromFile(nullptr, path.c_str());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->firstImage->bitsPerPixel, 8);
    PYX_DoCleanupInternalResource(loaded);
    PYX_DoCleanupInternalResource(document);
}

TEST(IconFiles, PngEntriesAreDecoded)
{
    Bitmap* picture = MakeBitmap(64, 40, TestColor);
    IStream* stream = SHCreateMemStream(nullptr, 0);
    CLSID png;
    ASSERT_TRUE(FindImageEncoder(L"image/png", &png));
    ASSERT_EQ(picture->Save(stream, &png, nullptr), Gdiplus::Ok);
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    std::vector<uint8_t> pngBytes(size_t(stat.cbSize.QuadPart));
    LARGE_INTEGER zero{};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    ULONG got = 0;
    stream->Read(pngBytes.data(), ULONG(pngBytes.size()), &got);
    stream->Release();

    std::vector<uint8_t> file(22);
    WriteU16(&file[2], 1);
    WriteU16(&file[4], 1);
    file[6] = 64, file[7] = 40;
    WriteU16(&file[10], 1);
    WriteU16(&file[12], 32);
    WriteU32(&file[14], uint32_t(pngBytes.size()));
    WriteU32(&file[18], 22);
    ByteWriter{file}.Bytes(pngBytes.data(), pngBytes.size());
    const std::wstring path = TestPath(L"png.ico");
    ASSERT_TRUE(WriteBytes(path, file));
    Resource* loaded = PYX_LoadIconFromFile(nullptr, path.c_str());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->firstImage->width, 64);
    EXPECT_EQ(loaded->firstImage->height, 40);
    EXPECT_EQ(loaded->firstImage->bitsPerPixel, 32);
    EXPECT_EQ(ReadPixels(loaded->firstImage->composite), ReadPixels(picture));
    PYX_DoCleanupInternalResource(loaded);
    delete picture;
}

TEST(IconFiles, SixteenBitImagesAreWrittenAt32Bits)
{
    Resource* document = MakeDocument({{8, 8, 16, 0, 0}});
    const std::wstring path = TestPath(L"sixteen.ico");
    ASSERT_EQ(PYX_SaveIconToFile(nullptr, path.c_str(), document), 1);
    Resource* loaded = PYX_LoadIconFromFile(nullptr, path.c_str());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->firstImage->bitsPerPixel, 32);
    PYX_DoCleanupInternalResource(loaded);
    PYX_DoCleanupInternalResource(document);
}

namespace {

// A one-entry icon file whose 2 x 2, 32-bit block stops after `blockSize` bytes: the
// 40-byte header, then the pixel rows (16 bytes), with no transparency mask after them.
std::vector<uint8_t> MasklessIconFile(uint32_t blockSize)
{
    std::vector<uint8_t> file(22 + 40);
    WriteU16(&file[2], 1);
    WriteU16(&file[4], 1);
    file[6] = 2, file[7] = 2;
    WriteU16(&file[10], 1);
    WriteU16(&file[12], 32);
    WriteU32(&file[14], blockSize);
    WriteU32(&file[18], 22);
    WriteU32(&file[22], 40);
    WriteU32(&file[26], 2);
    WriteU32(&file[30], 4);  // twice the height, as for every icon block
    WriteU16(&file[34], 1);
    WriteU16(&file[36], 32);
    WriteU32(&file[42], 16);
    const uint8_t rows[16] = {0, 0, 255, 255, 0, 255, 0, 64,  // bottom row: red, green at alpha 64
                              255, 0, 0, 128, 0, 0, 0, 0};    // top row: blue at 128, transparent
    ByteWriter{file}.Bytes(rows, sizeof rows);
    file.resize(22 + blockSize);
    return file;
}

}  // namespace

TEST(IconFiles, ThirtyTwoBitEntriesWithoutMaskLoad)
{
    const std::wstring path = TestPath(L"maskless.ico");
    const std::vector<uint8_t> file = MasklessIconFile(56);
    ASSERT_EQ(file.size(), 78u);
    ASSERT_TRUE(WriteBytes(path, file));
    MessageBoxRecorder recorder;
    Resource* loaded = PYX_LoadIconFromFile(nullptr, path.c_str());
    ASSERT_NE(loaded, nullptr);
    EXPECT_TRUE(recorder.boxes().empty());
    ASSERT_EQ(loaded->imageCount, 1);
    Image* image = loaded->firstImage;
    EXPECT_EQ(image->width, 2);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(image->bitsPerPixel, 32);
    const std::vector<uint32_t> expected = {0x800000FFu, 0x00000000u, 0xFFFF0000u, 0x4000FF00u};
    EXPECT_EQ(ReadPixels(image->composite), expected);
    EXPECT_EQ(ReadPixels(image->firstLayer->bitmap), expected);
    PYX_DoCleanupInternalResource(loaded);

    // One byte short of the pixel rows is still a broken file.
    ASSERT_TRUE(WriteBytes(path, MasklessIconFile(55)));
    EXPECT_EQ(PYX_LoadIconFromFile(nullptr, path.c_str()), nullptr);
    ExpectOneBox(recorder, L"Error Reading File", L"I/O Error");
}

// A picture whose pixels cannot be locked is a failure, not a blank success: the loaders
// then refuse the entry instead of showing an empty image.
TEST(IconFiles, DecodingIntoAPictureLockedElsewhereFails)
{
    uint8_t pixel[4] = {1, 2, 3, 255};  // blue, green, red, alpha
    std::vector<uint8_t> block(IconBlockSize(1, 1, 32));
    ASSERT_TRUE(EncodeIconBlock({1, 1, 4, pixel}, 32, block.data(), block.size()));
    Bitmap* picture = MakeBitmap(1, 1, [](int, int) { return 0x80808080u; });
    Gdiplus::Rect all(0, 0, 1, 1);
    Gdiplus::BitmapData held{};
    ASSERT_EQ(picture->LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &held), Gdiplus::Ok);
    EXPECT_FALSE(DecodeIconBlockIntoBitmap(block.data(), block.size(), picture));
    picture->UnlockBits(&held);
    EXPECT_EQ(ReadPixels(picture), std::vector<uint32_t>{0x80808080u}) << "left as it was";

    Bitmap* wide = MakeBitmap(2, 1, [](int, int) { return 0x80808080u; });
    EXPECT_FALSE(DecodeIconBlockIntoBitmap(block.data(), block.size(), wide)) << "not the block's size";
    EXPECT_EQ(ReadPixels(wide), std::vector<uint32_t>(2, 0x80808080u));

    EXPECT_TRUE(DecodeIconBlockIntoBitmap(block.data(), block.size(), picture));
    EXPECT_EQ(ReadPixels(picture), std::vector<uint32_t>{0xFF030201u});
    delete picture;
    delete wide;
}

TEST(IconFiles, ReadFailuresShowOneBoxAndLeaveNoResource)
{
    Resource* document = MakeDocument({{16, 16, 32, 0, 0}});
    const std::wstring good = TestPath(L"good.cur");
    ASSERT_EQ(PYX_SaveCursorToFile(nullptr, good.c_str(), document), 1);
    PYX_DoCleanupInternalResource(document);
    const std::vector<uint8_t> bytes = ReadBytes(good);

    struct Case {
        const char* what;
        std::vector<uint8_t> file;
        bool cursorLoader;
    } cases[] = {
        {"cursor file read as an icon", bytes, false},
        {"short header", {0, 0, 1}, true},
        {"block cut off", std::vector<uint8_t>(bytes.begin(), bytes.end() - 10), true},
        {"garbage", std::vector<uint8_t>(300, 0x5A), true},
        {"empty file", {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::wstring path = TestPath(L"bad.cur");
        ASSERT_TRUE(WriteBytes(path, c.file));
        MessageBoxRecorder recorder;
        Resource* loaded = c.cursorLoader ? PYX_LoadCursorFromFile(nullptr, path.c_str())
                                          : PYX_LoadIconFromFile(nullptr, path.c_str());
        EXPECT_EQ(loaded, nullptr);
        ExpectOneBox(recorder, L"Error Reading File", L"I/O Error");
    }

    MessageBoxRecorder recorder;
    EXPECT_EQ(PYX_LoadIconFromFile(nullptr, TestPath(L"missing.ico").c_str()), nullptr);
    ExpectOneBox(recorder, L"Error Opening File for Reading", L"I/O Error");
    recorder.Clear();
    EXPECT_EQ(PYX_LoadIconFromFile(nullptr, nullptr), nullptr);
    EXPECT_EQ(PYX_LoadCursorFromFile(nullptr, nullptr), nullptr);
    EXPECT_TRUE(recorder.boxes().empty()) << "a null path fails silently";
}

TEST(IconFiles, FailedSavesKeepTheOldFile)
{
    Resource* document = MakeDocument({{16, 16, 32, 0, 0}});
    MessageBoxRecorder recorder;
    EXPECT_EQ(PYX_SaveIconToFile(nullptr, TestPath(L"no-such-folder\\x.ico").c_str(), document), 0);
    ExpectOneBox(recorder, L"Error Opening File for Writing", L"I/O Error");

    // A read-only target cannot be replaced: the box says so and the old bytes stay.
    const std::wstring locked = TestPath(L"locked.cur");
    const std::vector<uint8_t> old = {1, 2, 3};
    ASSERT_TRUE(WriteBytes(locked, old));
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY);
    recorder.Clear();
    EXPECT_EQ(PYX_SaveCursorToFile(nullptr, locked.c_str(), document), 0);
    ExpectOneBox(recorder, L"Error Opening File for Writing", L"I/O Error");
    EXPECT_EQ(ReadBytes(locked), old);
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);

    // No temporary file is left beside the target after a success either.
    const std::wstring target = TestPath(L"clean.ico");
    ASSERT_EQ(PYX_SaveIconToFile(nullptr, target.c_str(), document), 1);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((target + L".*.saving").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE);
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);

    recorder.Clear();
    EXPECT_EQ(PYX_SaveIconToFile(nullptr, nullptr, document), 0);
    EXPECT_EQ(PYX_SaveIconToFile(nullptr, target.c_str(), nullptr), 0);
    EXPECT_EQ(PYX_SaveSingleImageAsIcon(nullptr, target.c_str(), nullptr), 0);
    EXPECT_EQ(PYX_SaveSingleImageAsCursor(nullptr, nullptr, document->firstImage), 0);
    EXPECT_TRUE(recorder.boxes().empty());
    PYX_DoCleanupInternalResource(document);
}
