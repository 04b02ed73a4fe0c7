// Resource, Image and Layer records: defaults, deep copies, ownership.
#include <gtest/gtest.h>

#include "core/pyx.h"
#include "harness/test_bitmaps.h"

namespace {

Layer* OutlinedEllipseLayer(int width, int height)
{
    Path* path = new Path();
    path->AddEllipse(1.0f, 2.0f, 10.0f, 8.0f);
    Layer* layer = PYX_CreateVectorLayer(MakeBitmap(width, height, [](int, int) { return 0xFF00FF00u; }), path,
                                         kEllipseShape);
    layer->type = kOutlinedVectorLayer;
    layer->brush.primaryColor = 0xFF112233;
    layer->brush.linearAngle = 45.0f;
    layer->penWidth = 2.5f;
    layer->smoothing = 1;
    return layer;
}

int PointCount(Path* path)
{
    return path ? path->GetPointCount() : -1;
}

}  // namespace

TEST(Document, NewResourceHasOneEmpty48x48Image)
{
    Resource* resource = PYX_CreateNewResource();
    ASSERT_NE(resource, nullptr);
    EXPECT_EQ(resource->fileKind, kIconFileKind);
    EXPECT_EQ(resource->imageCount, 1);
    EXPECT_EQ(resource->modified, 0u);
    EXPECT_EQ(resource->defaultRate, 5u);
    EXPECT_EQ(resource->fileName[0], 0);
    EXPECT_EQ(resource->title[0], 0);
    EXPECT_EQ(resource->creator[0], 0);
    Image* image = resource->firstImage;
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 48);
    EXPECT_EQ(image->height, 48);
    EXPECT_EQ(image->bitsPerPixel, 32);
    EXPECT_EQ(image->hotspotX, 0);
    EXPECT_EQ(image->hotspotY, 0);
    EXPECT_EQ(image->displayRate, 5u);
    EXPECT_EQ(image->visibleLayers, 0xFFFFFFFFu);
    EXPECT_EQ(image->prev, nullptr);
    EXPECT_EQ(image->next, nullptr);
    ASSERT_EQ(image->layerCount, 1);
    Layer* layer = image->firstLayer;
    EXPECT_EQ(layer->type, kRasterLayer);
    EXPECT_EQ(layer->path, nullptr);
    EXPECT_EQ(layer->shapeKind, kNoShape);
    EXPECT_EQ(layer->next, nullptr);
    for (Bitmap* bitmap : {image->composite, layer->bitmap}) {
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(bitmap->GetWidth(), 48u);
        EXPECT_EQ(bitmap->GetPixelFormat(), PixelFormat32bppARGB);
        for (uint32_t pixel : ReadPixels(bitmap))
            ASSERT_EQ(pixel, 0u);
    }
    PYX_DoCleanupInternalResource(resource);
}

TEST(Document, InitResetsEveryFieldAndNullIsHarmless)
{
    Resource resource;
    memset(&resource, 0xAB, sizeof resource);
    PYX_DoInitInternalResource(&resource);
    EXPECT_EQ(resource.fileName[0], 0);
    EXPECT_EQ(resource.fileKind, kNoFileKind);
    EXPECT_EQ(resource.firstImage, nullptr);
    EXPECT_EQ(resource.imageCount, 0);
    EXPECT_EQ(resource.defaultRate, 5u);
    PYX_DoInitInternalResource(nullptr);
    PYX_DoCleanupInternalResource(nullptr);
    PYX_DeleteImage(nullptr);
    PYX_DeleteLayer(nullptr);
    EXPECT_EQ(PYX_DuplicateImage(nullptr), nullptr);
    EXPECT_EQ(PYX_DuplicateLayer(nullptr), nullptr);
}

TEST(Document, DuplicateImageIsDeepAndKeepsVectorFields)
{
    Image* image = PYX_CreateImage(256, 20);
    EXPECT_EQ(image->width, 256) << "256 fits the 16-bit size fields";
    image->hotspotX = 7;
    image->hotspotY = -3;
    image->bitsPerPixel = 8;
    image->displayRate = 12;
    image->visibleLayers = 0x1;
    image->firstLayer->next = OutlinedEllipseLayer(256, 20);
    image->layerCount = 2;
    PaintPixels(image->composite, [](int x, int y) { return NoiseColor(x, y, 200); });

    Image* copy = PYX_DuplicateImage(image);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->hotspotX, 7);
    EXPECT_EQ(copy->hotspotY, -3);
    EXPECT_EQ(copy->bitsPerPixel, 8);
    EXPECT_EQ(copy->displayRate, 12u);
    EXPECT_EQ(copy->visibleLayers, 0x1u);
    EXPECT_EQ(copy->width, 256);
    EXPECT_EQ(copy->height, 20);
    EXPECT_EQ(copy->prev, nullptr);
    EXPECT_EQ(copy->next, nullptr);
    ASSERT_EQ(copy->layerCount, 2);
    EXPECT_EQ(ReadPixels(copy->composite), ReadPixels(image->composite));
    EXPECT_NE(copy->composite, image->composite);

    Layer* vector = copy->firstLayer->next;
    ASSERT_NE(vector, nullptr);
    EXPECT_EQ(vector->type, kOutlinedVectorLayer);
    EXPECT_EQ(vector->shapeKind, kEllipseShape);
    EXPECT_EQ(vector->brush.primaryColor, 0xFF112233u);
    EXPECT_EQ(vector->brush.linearAngle, 45.0f);
    EXPECT_EQ(vector->penWidth, 2.5f);
    EXPECT_EQ(vector->smoothing, 1u);
    EXPECT_EQ(PointCount(vector->path), PointCount(image->firstLayer->next->path));

    // Changing the copy leaves the source alone.
    PaintPixels(copy->composite, [](int, int) { return 0xFFFFFFFFu; });
    PaintPixels(vector->bitmap, [](int, int) { return 0u; });
    const int sourcePoints = PointCount(image->firstLayer->next->path);
    vector->path->AddLine(0.0f, 0.0f, 5.0f, 5.0f);
    EXPECT_EQ(ReadPixels(image->composite)[0], NoiseColor(0, 0, 200));
    EXPECT_EQ(ReadPixels(image->firstLayer->next->bitmap)[0], 0xFF00FF00u);
    EXPECT_EQ(PointCount(image->firstLayer->next->path), sourcePoints);

    PYX_DeleteImage(copy);
    PYX_DeleteImage(image);
}

TEST(Document, RasterLayerCopiesHaveNoPathAndNoVectorFields)
{
    Layer* layer = PYX_CreateRasterLayer(4, 4);
    layer->penWidth = 9.0f;  // meaningless on a raster layer, and not copied
    Layer* copy = PYX_DuplicateLayer(layer);
    EXPECT_EQ(copy->type, kRasterLayer);
    EXPECT_EQ(copy->path, nullptr);
    EXPECT_EQ(copy->penWidth, 0.0f);
    PYX_DeleteLayer(copy);
    PYX_DeleteLayer(layer);
}

TEST(Document, VectorLayerNeedsBothBitmapAndPath)
{
    Bitmap* bitmap = MakeBitmap(2, 2, [](int, int) { return 0u; });
    Path* path = new Path();
    EXPECT_EQ(PYX_CreateVectorLayer(bitmap, nullptr, kRectangleShape), nullptr);
    EXPECT_EQ(PYX_CreateVectorLayer(nullptr, path, kRectangleShape), nullptr);
    Layer* layer = PYX_CreateVectorLayer(bitmap, path, kRectangleShape);  // takes both
    ASSERT_NE(layer, nullptr);
    EXPECT_EQ(layer->type, kFilledVectorLayer);
    EXPECT_EQ(layer->shapeKind, kRectangleShape);
    EXPECT_EQ(layer->penWidth, 0.0f);
    EXPECT_EQ(layer->smoothing, 0u);
    PYX_DeleteLayer(layer);
}

TEST(Document, LayerCountIsAuthoritativeWhenDestroying)
{
    Image* image = PYX_CreateImage(3, 3);
    Layer* extra = PYX_CreateRasterLayer(3, 3);
    image->firstLayer->next = extra;  // linked but not counted
    PYX_DeleteImage(image);
    // The uncounted layer was left alone and still works.
    PaintPixels(extra->bitmap, [](int, int) { return 0xFF010203u; });
    EXPECT_EQ(ReadPixels(extra->bitmap)[8], 0xFF010203u);
    PYX_DeleteLayer(extra);
}

// A copy whose pixels cannot be read is refused whole, never handed back blank or half-made;
// the same holds for the color reductions, which would otherwise pass the source off as reduced.
TEST(Document, CopiesOfPicturesLockedElsewhereAreRefused)
{
    Image* image = PYX_CreateImage(8, 8);
    ASSERT_NE(image, nullptr);
    image->firstLayer->next = PYX_CreateRasterLayer(8, 8);
    image->layerCount = 2;
    struct Case {
        const char* locked;
        Bitmap* bitmap;
    } cases[] = {{"composite", image->composite}, {"upper layer", image->firstLayer->next->bitmap}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locked);
        Gdiplus::BitmapData data{};
        Gdiplus::Rect all(0, 0, 8, 8);
        ASSERT_EQ(c.bitmap->LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data), Gdiplus::Ok);
        EXPECT_EQ(PYX_DuplicateImage(image), nullptr);
        Layer* layerCopy = PYX_DuplicateLayer(image->firstLayer->next);
        EXPECT_EQ(layerCopy == nullptr, c.bitmap == image->firstLayer->next->bitmap) << "only the locked layer fails";
        PYX_DeleteLayer(layerCopy);
        EXPECT_EQ(PYX_GetAlphaThresholdedImage(c.bitmap, 128), nullptr);
        c.bitmap->UnlockBits(&data);
    }
    PYX_DeleteImage(image);
}
