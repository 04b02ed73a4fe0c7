// Animated cursor files through the exports: round trips, Windows as a reader, failures.
#include <gtest/gtest.h>

#include "common/message_box_recorder.h"
#include "core/byte_io.h"
#include "core/pyx.h"
#include "harness/test_bitmaps.h"
#include "harness/expect_boxes.h"
#include "harness/test_files.h"
#include "document_builders.h"

namespace {

struct FrameShape {
    uint16_t side;
    uint8_t bits;
    int16_t hotspotX, hotspotY;
    uint32_t rate;
};

Resource* Animation(const std::vector<FrameShape>& shapes, const wchar_t* title, const wchar_t* creator)
{
    Resource* document = DocumentWithoutImages();
    document->defaultRate = 8;
    wcscpy(document->title, title);
    wcscpy(document->creator, creator);
    for (const FrameShape& shape : shapes) {
        Image* image = PYX_CreateImage(shape.side, shape.side);
        image->bitsPerPixel = shape.bits;
        image->hotspotX = shape.hotspotX;
        image->hotspotY = shape.hotspotY;
        image->displayRate = shape.rate;
        const uint32_t alpha = shape.bits == 32 ? 160 : 255;
        PaintPixels(image->composite, [&](int x, int y) { return NoiseColor(x + shape.side, y, alpha); });
        AppendImage(document, image);
    }
    return document;
}

}  // namespace

TEST(AniFiles, TwoFramesRoundTrip)
{
    Resource* document = Animation({{32, 32, 5, 6, 12}, {16, 24, 15, 0, 3}}, L"Hourglass", L"Vexil");
    const std::wstring path = TestPath(L"two.ani");
    MessageBoxRecorder recorder;
    ASSERT_EQ(PYX_SaveAniToFile(nullptr, path.c_str(), document), 1);
    Resource* loaded = PYX_LoadAniFromFile(nullptr, path.c_str());
    ASSERT_NE(loaded, nullptr);
    EXPECT_TRUE(recorder.boxes().empty());
    EXPECT_EQ(loaded->fileKind, kAniFileKind);
    EXPECT_STREQ(loaded->fileName, path.c_str());
    EXPECT_STREQ(loaded->title, L"Hourglass");
    EXPECT_STREQ(loaded->creator, L"Vexil");
    EXPECT_EQ(loaded->defaultRate, 8u);
    std::vector<Image*> before = Images(document), after = Images(loaded);
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(loaded->imageCount, 2);
    for (size_t i = 0; i < 2; i++) {
        SCOPED_TRACE(testing::Message() << "image " << i);
        EXPECT_EQ(after[i]->width, before[i]->width);
        EXPECT_EQ(after[i]->height, before[i]->height);
        EXPECT_EQ(after[i]->bitsPerPixel, before[i]->bitsPerPixel);
        EXPECT_EQ(after[i]->hotspotX, before[i]->hotspotX);
        EXPECT_EQ(after[i]->hotspotY, before[i]->hotspotY);
        EXPECT_EQ(after[i]->displayRate, before[i]->displayRate);
        EXPECT_EQ(after[i]->layerCount, 1);
        EXPECT_EQ(after[i]->visibleLayers, 0xFFFFFFFFu);
        EXPECT_EQ(ReadPixels(after[i]->composite), ReadPixels(before[i]->composite)) << "32 and 24 bits are exact";
        EXPECT_EQ(ReadPixels(after[i]->firstLayer->bitmap), ReadPixels(after[i]->composite));
    }
    // Written again, the file is the same byte for byte.
    const std::wstring again = TestPath(L"two-again.ani");
    ASSERT_EQ(PYX_SaveAniToFile(nullptr, again.c_str(), loaded), 1);
    EXPECT_EQ(ReadBytes(again), ReadBytes(path));
    PYX_DoCleanupInternalResource(loaded);
    PYX_DoCleanupInternalResource(document);
}

TEST(AniFiles, TextsGoThroughTheAnsiCodePage)
{
    Resource* document = Animation({{16, 32, 0, 0, 5}}, L"Caf\u00e9 \u00fcber", L"Jos\u00e9");
    const std::wstring path = TestPath(L"ansi.ani");
    ASSERT_EQ(PYX_SaveAniToFile(nullptr, path.c_str(), document), 1);
    std::vector<uint8_t> file = ReadBytes(path);
    if (GetACP() == 1252) {
        EXPECT_EQ(ReadU32(&file[28]), 10u) << "nine characters and the zero";
        EXPECT_EQ(file[32 + 3], 0xE9) << "one byte per character in the ANSI code page";
    }
    Resource* loaded = PYX_LoadAniFromFile(nullptr, path.c_str());
    ASSERT_NE(loaded, nullptr);
    EXPECT_STREQ(loaded->title, L"Caf\u00e9 \u00fcber");
    EXPECT_STREQ(loaded->creator, L"Jos\u00e9");
    PYX_DoCleanupInternalResource(loaded);
    PYX_DoCleanupInternalResource(document);
}

TEST(AniFiles, WindowsLoadsWhatWeWrite)
{
    Resource* document = Animation({{32, 32, 3, 4, 10}, {32, 8, 3, 4, 20}, {32, 1, 3, 4, 30}}, L"Spin",
                                   L"Vexil");
    const std::wstring path = TestPath(L"windows.ani");
    ASSERT_EQ(PYX_SaveAniToFile(nullptr, path.c_str(), document), 1);
    HCURSOR cursor = HCURSOR(LoadImageW(nullptr, path.c_str(), IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE));
    ASSERT_NE(cursor, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 3u);
    EXPECT_EQ(info.yHotspot, 4u);
    DeleteObject(info.hbmMask);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    DestroyCursor(cursor);
    PYX_DoCleanupInternalResource(document);
}

TEST(AniFiles, SequencedFileGivesOneImagePerStep)
{
    // Two frames written by us, then rewritten as a sequenced file with steps 0, 1, 0.
    Resource* document = Animation({{16, 32, 1, 1, 5}, {16, 32, 2, 2, 5}}, L"", L"");
    const std::wstring plain = TestPath(L"plain.ani");
    ASSERT_EQ(PYX_SaveAniToFile(nullptr, plain.c_str(), document), 1);
    std::vector<uint8_t> file = ReadBytes(plain);
    const size_t anih = 12 + 8 + 4 + 10 + 10;
    ASSERT_EQ(std::string(file.begin() + anih, file.begin() + anih + 4), "anih");
    WriteU32(&file[anih + 8 + 8], 3);   // steps
    WriteU32(&file[anih + 8 + 32], 3);  // icon frames and a sequence
    const size_t rate = anih + 44;
    std::vector<uint8_t> chunks = {'s', 'e', 'q', ' ', 12, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0,
                                   'r', 'a', 't', 'e', 12, 0, 0, 0, 7, 0, 0, 0, 8, 0, 0, 0, 9, 0, 0, 0};
    file.erase(file.begin() + rate, file.begin() + rate + 16);
    file.insert(file.begin() + rate, chunks.begin(), chunks.end());
    const std::wstring path = TestPath(L"sequenced.ani");
    ASSERT_TRUE(WriteBytes(path, file));
    Resource* loaded = PYX_LoadAniFromFile(nullptr, path.c_str());
    ASSERT_NE(loaded, nullptr);
    std::vector<Image*> images = Images(loaded);
    ASSERT_EQ(images.size(), 3u);
    const int hotspots[] = {1, 2, 1};
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(images[i]->hotspotX, hotspots[i]) << "step " << i;
        EXPECT_EQ(images[i]->displayRate, uint32_t(7 + i)) << "step " << i;
    }
    EXPECT_EQ(ReadPixels(images[2]->composite), ReadPixels(images[0]->composite));
    EXPECT_EQ(ReadPixels(images[0]->composite), ReadPixels(document->firstImage->composite));
    EXPECT_NE(images[0], images[2]) << "each step has its own Image";
    PYX_DoCleanupInternalResource(loaded);
    PYX_DoCleanupInternalResource(document);
}

TEST(AniFiles, BadFilesGiveTheirMessage)
{
    Resource* document = Animation({{16, 32, 0, 0, 5}, {16, 32, 0, 0, 5}}, L"a", L"c");
    const std::wstring good = TestPath(L"good.ani");
    ASSERT_EQ(PYX_SaveAniToFile(nullptr, good.c_str(), document), 1);
    PYX_DoCleanupInternalResource(document);
    const std::vector<uint8_t> bytes = ReadBytes(good);
    const size_t anih = 12 + 8 + 4 + 10 + 10, rate = anih + 44, firstIcon = rate + 16 + 12;
    ASSERT_EQ(std::string(bytes.begin() + firstIcon, bytes.begin() + firstIcon + 4), "icon");

    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        const wchar_t* text;
        const wchar_t* caption;
    };
    std::vector<uint8_t> notRiff = bytes, rateCount = bytes, flags = bytes, badFrame = bytes, shortRead = bytes;
    notRiff[0] = 'X';
    WriteU32(&rateCount[anih + 16], 3);  // steps: one more than the rates
    WriteU32(&flags[anih + 8 + 32], 0);
    WriteU32(&badFrame[firstIcon + 8 + 22], 7);  // the first frame's block header size
    shortRead.resize(shortRead.size() - 2);
    const Case cases[] = {
        {"not RIFF", notRiff, L"Error while reading file", L"I/O Error"},
        {"cut inside the last frame", shortRead, L"Error while reading file", L"I/O Error"},
        {"rate count differs from the steps", rateCount, L"ANI file is corrupted", L"I/O Error"},
        {"frames not in icon format", flags, L"Format not supported", L"Error"},
        {"a frame that does not decode", badFrame, L"ANI file is corrupted", L"I/O Error"},
    };
    const std::wstring path = TestPath(L"bad.ani");
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        ASSERT_TRUE(WriteBytes(path, test.bytes));
        MessageBoxRecorder recorder;
        EXPECT_EQ(PYX_LoadAniFromFile(nullptr, path.c_str()), nullptr);
        ExpectOneBox(recorder, test.text, test.caption);
    }
    MessageBoxRecorder recorder;
    EXPECT_EQ(PYX_LoadAniFromFile(nullptr, TestPath(L"missing.ani").c_str()), nullptr);
    ExpectOneBox(recorder, L"Can not open file for reading", L"I/O Error");
}

TEST(AniFiles, FailedSavesKeepTheOldFile)
{
    const std::wstring path = TestPath(L"keep.ani");
    const std::vector<uint8_t> old = {'o', 'l', 'd'};
    ASSERT_TRUE(WriteBytes(path, old));
    Resource* document = Animation({{16, 32, 0, 0, 5}}, L"", L"");
    {
        Bitmap* composite = document->firstImage->composite;
        document->firstImage->composite = nullptr;
        MessageBoxRecorder recorder;
        EXPECT_EQ(PYX_SaveAniToFile(nullptr, path.c_str(), document), 0);
        ExpectOneBox(recorder, L"Error writing ANI file", L"I/O Error");
        document->firstImage->composite = composite;
    }
    {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
        MessageBoxRecorder recorder;
        EXPECT_EQ(PYX_SaveAniToFile(nullptr, path.c_str(), document), 0);
        ExpectOneBox(recorder, L"Error Opening File for Writing", L"I/O Error");
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    EXPECT_EQ(ReadBytes(path), old);
    PYX_DoCleanupInternalResource(document);
}
