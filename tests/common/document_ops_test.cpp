// The document operations: one rule for indexes, inserting, unlinking and moving Images and
// Layers with their links, counts and visibility bits, and rebuilding a composite.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <vector>

#include "common/document_ops.h"
#include "core/document_builders.h"
#include "harness/test_bitmaps.h"

namespace {

// Images are told apart by their hot spot x, layers by their shape kind ("tags").
Image* TaggedImage(int tag)
{
    Image* image = PYX_CreateImage(2, 2);
    image->hotspotX = int16_t(tag);
    return image;
}

Resource* TaggedDocument(int count)
{
    Resource* document = DocumentWithoutImages();
    for (int i = 0; i < count; i++)
        AppendImage(document, TaggedImage(i));
    return document;
}

// The tags in list order; also checks the back links, the ends and the count.
std::vector<int> ImageTags(const Resource* document)
{
    std::vector<int> tags;
    const Image* previous = nullptr;
    for (const Image* image = document->firstImage; image; image = image->next) {
        EXPECT_EQ(image->prev, previous) << "back link of image " << tags.size();
        tags.push_back(image->hotspotX);
        previous = image;
    }
    EXPECT_EQ(size_t(document->imageCount), tags.size());
    return tags;
}

Layer* TaggedLayer(int tag)
{
    Layer* layer = PYX_CreateRasterLayer(2, 2);
    layer->shapeKind = uint8_t(tag);
    return layer;
}

// An Image whose layers carry the tags 0..count-1, bottom first, with the given mask.
Image* TaggedLayers(int count, uint32_t visibleLayers)
{
    Image* image = PYX_CreateImage(2, 2);
    image->firstLayer->shapeKind = 0;
    Layer* last = image->firstLayer;
    for (int i = 1; i < count; i++)
        last = last->next = TaggedLayer(i);
    image->layerCount = uint8_t(count);
    image->visibleLayers = visibleLayers;
    return image;
}

std::vector<int> LayerTags(const Image* image)
{
    std::vector<int> tags;
    for (const Layer* layer = image->firstLayer; layer; layer = layer->next)
        tags.push_back(layer->shapeKind);
    EXPECT_EQ(size_t(image->layerCount), tags.size());
    return tags;
}

using Tags = std::vector<int>;

}  // namespace

TEST(DocumentOps, AnIndexNamesSomethingOnlyInsideTheList)
{
    Resource* document = TaggedDocument(3);
    Image* image = TaggedLayers(3, ~0u);
    const struct { int index; int expected; } cases[] = {
        {INT_MIN, -1}, {-1, -1}, {0, 0}, {1, 1}, {2, 2}, {3, -1}, {INT_MAX, -1},
    };
    for (const auto& c : cases) {
        const Image* found = ImageAt(document, c.index);
        const Layer* layer = LayerAt(image, c.index);
        EXPECT_EQ(found ? found->hotspotX : -1, c.expected) << "image index " << c.index;
        EXPECT_EQ(layer ? layer->shapeKind : -1, c.expected) << "layer index " << c.index;
    }
    EXPECT_EQ(ImageAt(nullptr, 0), nullptr);
    EXPECT_EQ(LayerAt(nullptr, 0), nullptr);
    PYX_DeleteImage(image);
    PYX_DoCleanupInternalResource(document);
}

// The count is authoritative: a list longer than its count does not lend its extra entries.
TEST(DocumentOps, TheCountBoundsTheWalk)
{
    Resource* document = TaggedDocument(3);
    document->imageCount = 2;
    EXPECT_EQ(ImageAt(document, 2), nullptr);
    document->imageCount = 3;
    PYX_DoCleanupInternalResource(document);
}

TEST(DocumentOps, CurrentImageAndLayerFollowTheContext)
{
    Resource* document = TaggedDocument(2);
    Image* second = ImageAt(document, 1);
    Layer* top = TaggedLayer(7);
    ASSERT_TRUE(InsertLayer(second, 1, top, true));
    const struct { int image, layer; const Image* expectedImage; const Layer* expectedLayer; } cases[] = {
        {1, 1, second, top},
        {1, 0, second, second->firstLayer},
        {1, 2, second, nullptr},
        {1, -1, second, nullptr},
        {-1, 0, nullptr, nullptr},  // not the first Image
        {2, 0, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        AppContext context{};
        context.document = document;
        context.currentImage = c.image;
        context.currentLayer = c.layer;
        EXPECT_EQ(CurrentImage(context), c.expectedImage) << "image " << c.image << " layer " << c.layer;
        EXPECT_EQ(CurrentLayer(context), c.expectedLayer) << "image " << c.image << " layer " << c.layer;
    }
    EXPECT_EQ(CurrentImage(AppContext{}), nullptr);
    PYX_DoCleanupInternalResource(document);
}

TEST(DocumentOps, InsertingAnImageKeepsLinksAndCount)
{
    const struct { int index; bool inserted; Tags expected; } cases[] = {
        {0, true, {9, 0, 1, 2}},
        {1, true, {0, 9, 1, 2}},
        {2, true, {0, 1, 9, 2}},
        {3, true, {0, 1, 2, 9}},
        {-1, false, {0, 1, 2}},
        {4, false, {0, 1, 2}},
    };
    for (const auto& c : cases) {
        Resource* document = TaggedDocument(3);
        Image* image = TaggedImage(9);
        EXPECT_EQ(InsertImage(document, c.index, image), c.inserted) << "index " << c.index;
        EXPECT_EQ(ImageTags(document), c.expected) << "index " << c.index;
        if (!c.inserted)
            PYX_DeleteImage(image);
        PYX_DoCleanupInternalResource(document);
    }
}

TEST(DocumentOps, AnImageGoesIntoAnEmptyDocument)
{
    Resource* document = DocumentWithoutImages();
    EXPECT_TRUE(InsertImage(document, 0, TaggedImage(5)));
    EXPECT_EQ(ImageTags(document), Tags{5});
    PYX_DoCleanupInternalResource(document);
}

TEST(DocumentOps, UnlinkingAnImageHandsItToTheCaller)
{
    const struct { int index; int taken; Tags left; } cases[] = {
        {0, 0, {1, 2}}, {1, 1, {0, 2}}, {2, 2, {0, 1}}, {-1, -1, {0, 1, 2}}, {3, -1, {0, 1, 2}},
    };
    for (const auto& c : cases) {
        Resource* document = TaggedDocument(3);
        Image* image = UnlinkImage(document, c.index);
        EXPECT_EQ(image ? image->hotspotX : -1, c.taken) << "index " << c.index;
        EXPECT_EQ(ImageTags(document), c.left) << "index " << c.index;
        if (image) {
            EXPECT_EQ(image->prev, nullptr);
            EXPECT_EQ(image->next, nullptr);
        }
        PYX_DeleteImage(image);
        PYX_DoCleanupInternalResource(document);
    }
}

TEST(DocumentOps, RunsOfImagesComeOutAndGoBackTogether)
{
    Resource* document = TaggedDocument(5);
    EXPECT_EQ(UnlinkImageRun(document, 2, 1), nullptr);
    EXPECT_EQ(UnlinkImageRun(document, 3, 5), nullptr);
    Image* run = UnlinkImageRun(document, 1, 3);
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(ImageTags(document), (Tags{0, 4}));
    EXPECT_EQ(run->hotspotX, 1);
    EXPECT_EQ(run->next->next->hotspotX, 3);
    EXPECT_EQ(run->next->next->next, nullptr);
    EXPECT_FALSE(InsertImageRun(document, 3, run));
    EXPECT_TRUE(InsertImageRun(document, 2, run));
    EXPECT_EQ(ImageTags(document), (Tags{0, 4, 1, 2, 3}));
    PYX_DoCleanupInternalResource(document);
}

TEST(DocumentOps, MovingAnImageEndsItAtTheTargetIndex)
{
    const struct { int from, to; bool moved; Tags expected; } cases[] = {
        {0, 3, true, {1, 2, 3, 0}},
        {0, 1, true, {1, 0, 2, 3}},
        {3, 0, true, {3, 0, 1, 2}},
        {2, 1, true, {0, 2, 1, 3}},
        {1, 1, true, {0, 1, 2, 3}},
        {-1, 0, false, {0, 1, 2, 3}},
        {0, 4, false, {0, 1, 2, 3}},
    };
    for (const auto& c : cases) {
        Resource* document = TaggedDocument(4);
        EXPECT_EQ(MoveImage(document, c.from, c.to), c.moved) << c.from << " to " << c.to;
        EXPECT_EQ(ImageTags(document), c.expected) << c.from << " to " << c.to;
        PYX_DoCleanupInternalResource(document);
    }
}

TEST(DocumentOps, ReplacingAnImageReturnsTheOldOneUnlinked)
{
    const struct { int index; Tags expected; } cases[] = {{0, {9, 1, 2}}, {1, {0, 9, 2}}, {2, {0, 1, 9}}};
    for (const auto& c : cases) {
        Resource* document = TaggedDocument(3);
        Image* old = ReplaceImage(document, c.index, TaggedImage(9));
        ASSERT_NE(old, nullptr);
        EXPECT_EQ(old->hotspotX, c.index);
        EXPECT_EQ(old->prev, nullptr);
        EXPECT_EQ(old->next, nullptr);
        EXPECT_EQ(ImageTags(document), c.expected) << "index " << c.index;
        PYX_DeleteImage(old);
        PYX_DoCleanupInternalResource(document);
    }
    Resource* document = TaggedDocument(1);
    Image* spare = TaggedImage(9);
    EXPECT_EQ(ReplaceImage(document, 1, spare), nullptr);
    EXPECT_EQ(ImageTags(document), Tags{0});
    PYX_DeleteImage(spare);
    PYX_DoCleanupInternalResource(document);
}

TEST(DocumentOps, VisibilityBitsShiftWithTheirLayers)
{
    const struct { bool insert; uint32_t mask; int position; bool visible; uint32_t expected; } cases[] = {
        {true, 0x00000000, 0, true, 0x00000001},
        {true, 0x00000005, 0, false, 0x0000000A},
        {true, 0x00000005, 1, true, 0x0000000B},
        {true, 0xC0000000, 30, false, 0x80000000},
        {true, 0x00000001, 31, true, 0x80000001},
        {true, 0x12345678, 32, true, 0x12345678},
        {true, 0x12345678, -1, true, 0x12345678},
        {false, 0x00000005, 0, false, 0x00000002},
        {false, 0x0000000B, 1, false, 0x00000005},
        {false, 0x80000000, 0, false, 0x40000000},
        {false, 0xFFFFFFFF, 31, false, 0x7FFFFFFF},
        {false, 0x12345678, 32, false, 0x12345678},
    };
    for (const auto& c : cases) {
        const uint32_t result = c.insert ? InsertVisibilityBit(c.mask, c.position, c.visible)
                                         : RemoveVisibilityBit(c.mask, c.position);
        EXPECT_EQ(result, c.expected) << (c.insert ? "insert" : "remove") << " at " << c.position << " in 0x"
                                      << std::hex << c.mask;
    }
    EXPECT_TRUE(VisibilityBit(0x2, 33));  // positions beyond 31 share bit (position mod 32)
    EXPECT_FALSE(VisibilityBit(0xFFFFFFFF, -1));
    EXPECT_EQ(SetVisibilityBit(0x0, 34, true), 0x4u);
    EXPECT_EQ(SetVisibilityBit(0xF, 1, false), 0xDu);
}

// Layers 0 and 2 shown, 1 and 3 hidden; the unused high bits all set, as for a new Image.
constexpr uint32_t kMixed = 0xFFFFFFF5;

TEST(DocumentOps, InsertingALayerInsertsItsVisibilityBit)
{
    const struct { int index; bool visible; bool inserted; Tags expected; uint32_t mask; } cases[] = {
        {0, true, true, {9, 0, 1, 2, 3}, 0xFFFFFFEB},
        {1, false, true, {0, 9, 1, 2, 3}, 0xFFFFFFE9},
        {4, true, true, {0, 1, 2, 3, 9}, 0xFFFFFFF5},
        {4, false, true, {0, 1, 2, 3, 9}, 0xFFFFFFE5},
        {5, true, false, {0, 1, 2, 3}, kMixed},
        {-1, true, false, {0, 1, 2, 3}, kMixed},
    };
    for (const auto& c : cases) {
        Image* image = TaggedLayers(4, kMixed);
        Layer* layer = TaggedLayer(9);
        EXPECT_EQ(InsertLayer(image, c.index, layer, c.visible), c.inserted) << "index " << c.index;
        EXPECT_EQ(LayerTags(image), c.expected) << "index " << c.index;
        EXPECT_EQ(image->visibleLayers, c.mask) << "index " << c.index;
        if (!c.inserted)
            PYX_DeleteLayer(layer);
        PYX_DeleteImage(image);
    }
}

TEST(DocumentOps, AnImageHoldsAtMost255Layers)
{
    Image* image = TaggedLayers(255, ~0u);
    Layer* layer = TaggedLayer(9);
    EXPECT_FALSE(InsertLayer(image, 255, layer, true));
    EXPECT_EQ(image->layerCount, 255);
    PYX_DeleteLayer(layer);
    PYX_DeleteImage(image);
}

TEST(DocumentOps, UnlinkingALayerRemovesItsVisibilityBit)
{
    const struct { int index; int taken; Tags left; uint32_t mask; } cases[] = {
        {0, 0, {1, 2, 3}, 0x7FFFFFFA},
        {1, 1, {0, 2, 3}, 0x7FFFFFFB},
        {3, 3, {0, 1, 2}, 0x7FFFFFFD},
        {4, -1, {0, 1, 2, 3}, kMixed},
        {-1, -1, {0, 1, 2, 3}, kMixed},
    };
    for (const auto& c : cases) {
        Image* image = TaggedLayers(4, kMixed);
        Layer* layer = UnlinkLayer(image, c.index);
        EXPECT_EQ(layer ? layer->shapeKind : -1, c.taken) << "index " << c.index;
        EXPECT_EQ(LayerTags(image), c.left) << "index " << c.index;
        EXPECT_EQ(image->visibleLayers, c.mask) << "index " << c.index;
        if (layer) {
            EXPECT_EQ(layer->next, nullptr);
        }
        PYX_DeleteLayer(layer);
        PYX_DeleteImage(image);
    }
}

TEST(DocumentOps, AMovedLayerTakesItsVisibilityAlong)
{
    const struct { int from, to; bool moved; Tags expected; uint32_t mask; } cases[] = {
        {0, 2, true, {1, 2, 0, 3}, 0xFFFFFFF6},  // forwards: shown, hidden, shown, hidden
        {0, 3, true, {1, 2, 3, 0}, 0xFFFFFFFA},
        {3, 0, true, {3, 0, 1, 2}, 0xFFFFFFFA},  // backwards
        {2, 1, true, {0, 2, 1, 3}, 0xFFFFFFF3},
        {1, 1, true, {0, 1, 2, 3}, kMixed},
        {1, 4, false, {0, 1, 2, 3}, kMixed},
        {-1, 0, false, {0, 1, 2, 3}, kMixed},
    };
    for (const auto& c : cases) {
        Image* image = TaggedLayers(4, kMixed);
        EXPECT_EQ(MoveLayer(image, c.from, c.to), c.moved) << c.from << " to " << c.to;
        EXPECT_EQ(LayerTags(image), c.expected) << c.from << " to " << c.to;
        EXPECT_EQ(image->visibleLayers, c.mask) << c.from << " to " << c.to;
        PYX_DeleteImage(image);
    }
}

namespace {

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kClear = 0;

// A 4 x 2 Image with one layer per fill function, bottom first, and a composite holding junk
// so that a missed clear shows.
Image* PaintedImage(const std::vector<PixelFunction>& layers, uint32_t visibleLayers)
{
    Image* image = PYX_CreateImage(4, 2);
    PaintPixels(image->composite, [](int, int) { return 0x80123456u; });
    PaintPixels(image->firstLayer->bitmap, layers[0]);
    Layer* last = image->firstLayer;
    for (size_t i = 1; i < layers.size(); i++) {
        last = last->next = PYX_CreateRasterLayer(4, 2);
        PaintPixels(last->bitmap, layers[i]);
    }
    image->layerCount = uint8_t(layers.size());
    image->visibleLayers = visibleLayers;
    return image;
}

PixelFunction Fill(uint32_t color)
{
    return [color](int, int) { return color; };
}

// The left half of the picture in one color, the right half in another.
PixelFunction Halves(uint32_t left, uint32_t right)
{
    return [left, right](int x, int) { return x < 2 ? left : right; };
}

std::vector<uint32_t> Row(uint32_t a, uint32_t b, uint32_t c, uint32_t d)
{
    return {a, b, c, d, a, b, c, d};
}

}  // namespace

TEST(RecompositeImage, DrawsTheVisibleLayersBottomFirst)
{
    const struct { const char* name; std::vector<PixelFunction> layers; uint32_t mask; std::vector<uint32_t> expected; } cases[] = {
        {"all shown", {Fill(kRed), Fill(kGreen), Halves(kBlue, kClear)}, ~0u, Row(kBlue, kBlue, kGreen, kGreen)},
        {"middle hidden", {Fill(kRed), Fill(kGreen), Halves(kBlue, kClear)}, 0x5, Row(kBlue, kBlue, kRed, kRed)},
        {"bottom hidden", {Fill(kRed), Halves(kClear, kGreen)}, 0x2, Row(kClear, kClear, kGreen, kGreen)},
        {"all hidden", {Fill(kRed), Fill(kGreen)}, 0x0, Row(kClear, kClear, kClear, kClear)},
        {"upper covers lower", {Halves(kGreen, kClear), Fill(kRed)}, 0x3, Row(kRed, kRed, kRed, kRed)},
        {"high mask bits ignored", {Fill(kRed), Fill(kGreen)}, 0xFFFFFFFD, Row(kRed, kRed, kRed, kRed)},
    };
    for (const auto& c : cases) {
        Image* image = PaintedImage(c.layers, c.mask);
        EXPECT_TRUE(RecompositeImage(image)) << c.name;
        EXPECT_EQ(ReadPixels(image->composite), c.expected) << c.name;
        PYX_DeleteImage(image);
    }
}

namespace {

int Channel(uint32_t pixel, int shift)
{
    return int((pixel >> shift) & 0xFF);
}

// Half-transparent pixels go through GDI+'s blending, so allow a step of rounding.
void ExpectNear(uint32_t actual, uint32_t expected, const char* name)
{
    for (int shift : {24, 16, 8, 0})
        EXPECT_LE(std::abs(Channel(actual, shift) - Channel(expected, shift)), 2)
            << name << ": 0x" << std::hex << actual << " against 0x" << expected;
}

}  // namespace

TEST(RecompositeImage, BlendsHalfTransparentLayers)
{
    // 50% white over nothing stays 50% white; over opaque black it becomes opaque and grey;
    // 50% over 50% covers 1 - 0.5 * 0.5 = 75% (alpha 191 or 192).
    Image* image = PaintedImage({Halves(kClear, 0xFF000000), Halves(0x80FFFFFF, 0x80FFFFFF)}, ~0u);
    ASSERT_TRUE(RecompositeImage(image));
    const std::vector<uint32_t> pixels = ReadPixels(image->composite);
    ExpectNear(pixels[0], 0x80FFFFFF, "over nothing");
    EXPECT_EQ(Channel(pixels[2], 24), 255) << "over black";
    for (int shift : {16, 8, 0}) {
        EXPECT_GT(Channel(pixels[2], shift), 0x60) << "over black";
        EXPECT_LT(Channel(pixels[2], shift), 0xD0) << "over black";
    }
    PYX_DeleteImage(image);

    image = PaintedImage({Fill(0x80FF0000), Fill(0x800000FF)}, ~0u);
    ASSERT_TRUE(RecompositeImage(image));
    const uint32_t both = ReadPixels(image->composite)[0];
    EXPECT_NEAR(Channel(both, 24), 191.5, 1.5);
    EXPECT_GT(Channel(both, 0), Channel(both, 16)) << "the upper layer weighs more";
    PYX_DeleteImage(image);
}

// An area is drawn afresh and nothing outside it is touched (the junk stays); areas are
// clipped to the image.
TEST(RecompositeImage, AnAreaRedrawsOnlyItsOwnPixels)
{
    const uint32_t j = 0x80123456u;  // the junk PaintedImage leaves in the composite
    const struct { const char* name; int left, top, right, bottom; std::vector<uint32_t> expected; } cases[] = {
        {"inside", 1, 0, 3, 1, {j, kBlue, kRed, j, j, j, j, j}},
        {"partly outside", -5, 1, 2, 9, {j, j, j, j, kBlue, kBlue, j, j}},
        {"whole", 0, 0, 4, 2, Row(kBlue, kBlue, kRed, kRed)},
        {"empty", 2, 0, 2, 2, {j, j, j, j, j, j, j, j}},
        {"wholly outside", 10, 10, 12, 12, {j, j, j, j, j, j, j, j}},
    };
    for (const auto& c : cases) {
        Image* image = PaintedImage({Fill(kRed), Halves(kBlue, kClear)}, ~0u);
        EXPECT_TRUE(RecompositeImageArea(image, c.left, c.top, c.right, c.bottom)) << c.name;
        EXPECT_EQ(ReadPixels(image->composite), c.expected) << c.name;
        PYX_DeleteImage(image);
    }
}

TEST(RecompositeImage, AFailureLeavesTheCompositeAsItWas)
{
    const std::vector<uint32_t> junk(8, 0x80123456u);

    Image* image = PaintedImage({Fill(kRed), Fill(kGreen)}, ~0u);
    Bitmap* missing = image->firstLayer->next->bitmap;
    image->firstLayer->next->bitmap = nullptr;
    EXPECT_FALSE(RecompositeImage(image)) << "a shown layer without pixels";
    EXPECT_EQ(ReadPixels(image->composite), junk);
    image->visibleLayers = 0x1;
    EXPECT_TRUE(RecompositeImage(image)) << "a hidden layer without pixels is not drawn";
    image->firstLayer->next->bitmap = missing;
    PYX_DeleteImage(image);

    image = PaintedImage({Fill(kRed)}, ~0u);
    Gdiplus::Rect all(0, 0, 4, 2);
    Gdiplus::BitmapData data{};
    ASSERT_EQ(image->composite->LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data), Gdiplus::Ok);
    EXPECT_FALSE(RecompositeImage(image)) << "a composite locked elsewhere";
    image->composite->UnlockBits(&data);
    EXPECT_EQ(ReadPixels(image->composite), junk);
    Bitmap* composite = image->composite;
    image->composite = nullptr;
    EXPECT_FALSE(RecompositeImage(image)) << "no composite";
    image->composite = composite;
    PYX_DeleteImage(image);

    EXPECT_FALSE(RecompositeImage(nullptr));
}
