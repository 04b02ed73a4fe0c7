// Project files through the exports: exact sizes, lossless round trips, and failures.
#include <gtest/gtest.h>

#include <cstring>

#include "common/message_box_recorder.h"
#include "core/pyx.h"
#include "harness/test_bitmaps.h"
#include "harness/expect_boxes.h"
#include "harness/test_files.h"

namespace {

Layer* RectangleLayer(int width, int height)
{
    Path* path = new Path(Gdiplus::FillModeWinding);
    path->AddRectangle(Gdiplus::RectF(1.0f, 2.0f, 5.5f, 3.25f));
    Layer* layer = PYX_CreateVectorLayer(MakeBitmap(width, height, [](int x, int y) { return NoiseColor(x, y, 200); }),
                                         path, kRectangleShape);
    layer->type = kOutlinedVectorLayer;
    layer->brush = {0xFF102030, 0x80405060, 1, 2, 33.5f, 40, 60, 1, 10.0f, 20.0f, 0.5f, 0.25f};
    layer->penWidth = 3.5f;
    layer->smoothing = 1;
    return layer;
}

// Two Images: a 16 x 12 one with a raster and a vector layer, and a 5 x 7 one.
Resource* LayeredDocument()
{
    Resource* document = PYX_CreateNewResource();
    wcscpy(document->fileName, L"C:\\somewhere\\else.fic");
    wcscpy(document->title, L"Spinner");
    wcscpy(document->creator, L"Vexil tests");
    document->fileKind = kProjectFileKind;
    document->defaultRate = 9;
    PYX_DeleteImage(document->firstImage);
    Image* first = PYX_CreateImage(16, 12);
    first->visibleLayers = 0xFFFFFFFD;
    first->hotspotX = -2;
    first->hotspotY = 11;
    first->bitsPerPixel = 8;
    first->displayRate = 30;
    PaintPixels(first->composite, [](int x, int y) { return NoiseColor(x, y, 255); });
    PaintPixels(first->firstLayer->bitmap, [](int x, int y) { return NoiseColor(x, y, uint32_t(x * 16)); });
    first->firstLayer->next = RectangleLayer(16, 12);
    first->layerCount = 2;
    Image* second = PYX_CreateImage(5, 7);
    PaintPixels(second->composite, [](int x, int y) { return NoiseColor(x, y, 1); });
    first->next = second;
    second->prev = first;
    document->firstImage = first;
    document->imageCount = 2;
    return document;
}

std::vector<uint8_t> PathTypes(Path* path)
{
    std::vector<uint8_t> types(path->GetPointCount());
    path->GetPathTypes(types.data(), int(types.size()));
    return types;
}

std::vector<float> PathCoordinates(Path* path)
{
    std::vector<Gdiplus::PointF> points(path->GetPointCount());
    path->GetPathPoints(points.data(), int(points.size()));
    std::vector<float> coordinates;
    for (const Gdiplus::PointF& point : points) {
        coordinates.push_back(point.X);
        coordinates.push_back(point.Y);
    }
    return coordinates;
}

void ExpectSameLayer(Layer* saved, Layer* loaded)
{
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->type, saved->type);
    EXPECT_EQ(loaded->shapeKind, saved->shapeKind);
    EXPECT_EQ(ReadPixels(loaded->bitmap), ReadPixels(saved->bitmap));
    if (saved->type == kRasterLayer) {
        EXPECT_EQ(loaded->path, nullptr);
        return;
    }
    ASSERT_NE(loaded->path, nullptr);
    EXPECT_EQ(PathCoordinates(loaded->path), PathCoordinates(saved->path));
    EXPECT_EQ(PathTypes(loaded->path), PathTypes(saved->path));
    EXPECT_EQ(loaded->path->GetFillMode(), Gdiplus::FillModeWinding);
    EXPECT_EQ(std::memcmp(&loaded->brush, &saved->brush, sizeof saved->brush), 0);
    EXPECT_EQ(loaded->penWidth, saved->penWidth);
    EXPECT_EQ(loaded->smoothing, saved->smoothing);
}

void ExpectSameDocument(Resource* saved, Resource* loaded)
{
    EXPECT_STREQ(loaded->fileName, saved->fileName);
    EXPECT_STREQ(loaded->title, saved->title);
    EXPECT_STREQ(loaded->creator, saved->creator);
    EXPECT_EQ(loaded->fileKind, saved->fileKind);
    EXPECT_EQ(loaded->defaultRate, saved->defaultRate);
    EXPECT_EQ(loaded->modified, 0u);
    ASSERT_EQ(loaded->imageCount, saved->imageCount);
    Image* a = saved->firstImage;
    Image* b = loaded->firstImage;
    for (int i = 0; i < saved->imageCount; i++, a = a->next, b = b->next) {
        SCOPED_TRACE(testing::Message() << "image " << i);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->visibleLayers, a->visibleLayers);
        EXPECT_EQ(b->hotspotX, a->hotspotX);
        EXPECT_EQ(b->hotspotY, a->hotspotY);
        EXPECT_EQ(b->bitsPerPixel, a->bitsPerPixel);
        EXPECT_EQ(b->width, a->width);
        EXPECT_EQ(b->height, a->height);
        EXPECT_EQ(b->displayRate, a->displayRate);
        EXPECT_EQ(ReadPixels(b->composite), ReadPixels(a->composite));
        ASSERT_EQ(b->layerCount, a->layerCount);
        Layer* la = a->firstLayer;
        Layer* lb = b->firstLayer;
        for (int l = 0; l < a->layerCount; l++, la = la->next, lb = lb->next)
            ExpectSameLayer(la, lb);
    }
}

}  // namespace

TEST(ProjectFiles, NewDocumentIs19806Bytes)
{
    Resource* document = PYX_CreateNewResource();
    const std::wstring path = TestPath(L"new.fic");
    ASSERT_EQ(PYX_SaveProjectToFile(nullptr, path.c_str(), document), 1);
    std::vector<uint8_t> bytes = ReadBytes(path);
    EXPECT_EQ(bytes.size(), 19806u);
    PYX_DoCleanupInternalResource(document);
}

TEST(ProjectFiles, EverythingComesBackAndWritesTheSameBytes)
{
    Resource* document = LayeredDocument();
    const std::wstring path = TestPath(L"layers.fic"), again = TestPath(L"layers-again.fic");
    MessageBoxRecorder recorder;
    ASSERT_EQ(PYX_SaveProjectToFile(nullptr, path.c_str(), document), 1);
    Resource* loaded = PYX_LoadProjectFromFile(nullptr, path.c_str());
    ASSERT_NE(loaded, nullptr);
    EXPECT_TRUE(recorder.boxes().empty());
    ExpectSameDocument(document, loaded);
    EXPECT_STREQ(loaded->fileName, L"C:\\somewhere\\else.fic") << "the stored name, not where the file is now";
    ASSERT_EQ(PYX_SaveProjectToFile(nullptr, again.c_str(), loaded), 1);
    EXPECT_EQ(ReadBytes(again), ReadBytes(path));
    PYX_DoCleanupInternalResource(loaded);
    PYX_DoCleanupInternalResource(document);
}

TEST(ProjectFiles, BadFilesGiveTheirMessageAndNoDocument)
{
    Resource* document = LayeredDocument();
    const std::wstring good = TestPath(L"good.fic");
    ASSERT_EQ(PYX_SaveProjectToFile(nullptr, good.c_str(), document), 1);
    const std::vector<uint8_t> bytes = ReadBytes(good);
    PYX_DoCleanupInternalResource(document);

    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        const wchar_t* text;
        const wchar_t* caption;
    };
    std::vector<uint8_t> wrongMagic = bytes;
    wrongMagic[0] = 'X';
    const Case cases[] = {
        {"ends inside the last pixel block", std::vector<uint8_t>(bytes.begin(), bytes.end() - 1),
         L"Error Reading Project File", L"I/O Error"},
        {"ends after the header", std::vector<uint8_t>(bytes.begin(), bytes.begin() + 1331),
         L"Error Reading Project File", L"I/O Error"},
        {"shorter than the magic", {'F', 'I'}, L"Error Reading Project File", L"I/O Error"},
        {"empty", {}, L"Error Reading Project File", L"I/O Error"},
        {"wrong magic", wrongMagic, L"Project File is not valid", L"Format Error"},
    };
    const std::wstring path = TestPath(L"bad.fic");
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        ASSERT_TRUE(WriteBytes(path, test.bytes));
        MessageBoxRecorder recorder;
        EXPECT_EQ(PYX_LoadProjectFromFile(nullptr, path.c_str()), nullptr);
        ExpectOneBox(recorder, test.text, test.caption);
    }
    MessageBoxRecorder recorder;
    EXPECT_EQ(PYX_LoadProjectFromFile(nullptr, TestPath(L"missing.fic").c_str()), nullptr);
    ExpectOneBox(recorder, L"Error Opening File for Reading", L"I/O Error");
}

TEST(ProjectFiles, FailedSavesKeepTheOldFile)
{
    const std::wstring path = TestPath(L"keep.fic");
    const std::vector<uint8_t> old = {'o', 'l', 'd'};
    ASSERT_TRUE(WriteBytes(path, old));
    Resource* document = PYX_CreateNewResource();
    {
        // A document that cannot be read out (its composite is gone) is a write error.
        Bitmap* composite = document->firstImage->composite;
        document->firstImage->composite = nullptr;
        MessageBoxRecorder recorder;
        EXPECT_EQ(PYX_SaveProjectToFile(nullptr, path.c_str(), document), 0);
        ExpectOneBox(recorder, L"Error writing Project file", L"I/O Error");
        document->firstImage->composite = composite;
    }
    EXPECT_EQ(ReadBytes(path), old);
    {
        MessageBoxRecorder recorder;
        const std::wstring folder = TestPath(L"no-such-folder\\x.fic");
        EXPECT_EQ(PYX_SaveProjectToFile(nullptr, folder.c_str(), document), 0);
        ExpectOneBox(recorder, L"Error Opening File for Writing", L"I/O Error");
    }
    {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
        MessageBoxRecorder recorder;
        EXPECT_EQ(PYX_SaveProjectToFile(nullptr, path.c_str(), document), 0);
        ExpectOneBox(recorder, L"Error Opening File for Writing", L"I/O Error");
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    EXPECT_EQ(ReadBytes(path), old);
    PYX_DoCleanupInternalResource(document);
}

// Documents the reader would refuse are refused when saving, so that no project is ever
// written that cannot be opened again.
TEST(ProjectFiles, UnreadableDocumentsAreNotWritten)
{
    Resource* document = LayeredDocument();
    Image* second = document->firstImage->next;
    Layer* vector = document->firstImage->firstLayer->next;
    Bitmap* rightSize = second->firstLayer->bitmap;
    Bitmap* wrongSize = MakeBitmap(5, 6, [](int, int) { return 0xFF000000u; });
    Bitmap* rightComposite = second->composite;
    Bitmap* wrongComposite = MakeBitmap(7, 5, [](int, int) { return 0xFF000000u; });
    struct Case {
        const char* name;
        void (*change)(Image* second, Layer* vector, Bitmap* bitmap, Bitmap* composite);
    } cases[] = {
        {"an image without layers", [](Image* image, Layer*, Bitmap*, Bitmap*) { image->layerCount = 0; }},
        {"a layer bitmap of another size",
         [](Image* image, Layer*, Bitmap* bitmap, Bitmap*) { image->firstLayer->bitmap = bitmap; }},
        {"a composite of another size",
         [](Image* image, Layer*, Bitmap*, Bitmap* composite) { image->composite = composite; }},
        {"layer type 0", [](Image*, Layer* layer, Bitmap*, Bitmap*) { layer->type = 0; }},
        {"layer type 4", [](Image*, Layer* layer, Bitmap*, Bitmap*) { layer->type = 4; }},
    };
    const std::wstring path = TestPath(L"unreadable.fic");
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        test.change(second, vector, wrongSize, wrongComposite);
        MessageBoxRecorder recorder;
        EXPECT_EQ(PYX_SaveProjectToFile(nullptr, path.c_str(), document), 0);
        ExpectOneBox(recorder, L"Error writing Project file", L"I/O Error");
        EXPECT_FALSE(FileExists(path));
        DeleteFileW(path.c_str());
        second->layerCount = 1;
        second->firstLayer->bitmap = rightSize;
        second->composite = rightComposite;
        vector->type = kOutlinedVectorLayer;
    }
    // Put back as it was, the document saves and reads again.
    ASSERT_EQ(PYX_SaveProjectToFile(nullptr, path.c_str(), document), 1);
    Resource* loaded = PYX_LoadProjectFromFile(nullptr, path.c_str());
    ASSERT_NE(loaded, nullptr);
    ExpectSameDocument(document, loaded);
    PYX_DoCleanupInternalResource(loaded);
    PYX_DoCleanupInternalResource(document);
    delete wrongSize;
    delete wrongComposite;
}
