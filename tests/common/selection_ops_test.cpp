// Building the selection as the shell and the tools share it: regions, Select Inverse, the
// rebuild from a region, and the magic wand's choice on a large one-color layer.
#include <windows.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include "common/gdiplus_pixels.h"
#include "common/selection/magic_wand.h"
#include "common/selection/region_ops.h"
#include "common/selection/selection_ops.h"
#include "core/pyx.h"
#include "harness/test_bitmaps.h"

namespace {

TEST(SelectionRegions, SetOperationsMovesBoxesAndPoints)
{
    HRGN a = CreateRectRgn(0, 0, 4, 4);
    HRGN b = CreateRectRgn(2, 2, 6, 6);
    const struct {
        const char* what;
        HRGN region;
        int pixels;  // how many of the 8 x 8 pixels it holds
        PixelRect box;
    } cases[] = {
        {"union", UnionOfRegions(a, b), 16 + 16 - 4, {0, 0, 6, 6}},
        {"difference", DifferenceOfRegions(a, b), 12, {0, 0, 4, 4}},
        {"intersection", IntersectionOfRegions(a, b), 4, {2, 2, 4, 4}},
        {"scaled by 3", ScaledRegion(a, 3), 64, {0, 0, 12, 12}},
        {"kept to a 3 x 5 image", RegionWithinImage(b, 3, 5), 3, {2, 2, 3, 5}},
        {"nothing", DifferenceOfRegions(a, a), 0, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NE(c.region, nullptr);
        int pixels = 0;
        for (int y = 0; y < 8; y++)
            for (int x = 0; x < 8; x++)
                pixels += RegionHasPixel(c.region, x, y);
        EXPECT_EQ(pixels, c.pixels);
        const PixelRect box = RegionBox(c.region);
        EXPECT_EQ(box.left, c.box.left);
        EXPECT_EQ(box.top, c.box.top);
        EXPECT_EQ(box.right, c.box.right);
        EXPECT_EQ(box.bottom, c.box.bottom);
        EXPECT_EQ(RegionIsEmpty(c.region), c.pixels == 0);
        DeleteObject(c.region);
    }
    TranslateRegion(a, -3, 5);
    EXPECT_TRUE(RegionHasPixel(a, -3, 5));
    EXPECT_TRUE(RegionHasPixel(a, 0, 8));
    EXPECT_FALSE(RegionHasPixel(a, 1, 8));
    DeleteObject(a);
    DeleteObject(b);
}

TEST(SelectionRegions, AnyPixelSetRoundTrips)
{
    PixelMask mask{5, 4, {1, 0, 1, 0, 1,  //
                          0, 1, 0, 1, 0,  //
                          1, 1, 1, 0, 0,  //
                          0, 0, 0, 0, 1}};
    HRGN region = RegionFromMask(mask);
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 5; x++)
            EXPECT_EQ(RegionHasPixel(region, x, y), mask.At(x, y)) << x << "," << y;
    DeleteObject(region);
}

constexpr uint32_t kRed = 0xFFFF0000u;

// A 16 x 16 document whose layer holds a pattern; nothing selected.
struct Session {
    AppContext context{};
    SelectionState selection{};

    Session()
    {
        context.document = PYX_CreateNewResource();
        Image* image = PYX_CreateImage(16, 16);
        PaintPixels(image->firstLayer->bitmap, [](int x, int y) { return NoiseColor(x, y, 255); });
        PYX_DeleteImage(context.document->firstImage);
        context.document->firstImage = image;
        context.selection = &selection;
        ResetSelection(&context);
    }
    ~Session()
    {
        ClearSelection(&selection);
        PYX_DoCleanupInternalResource(context.document);
    }
    Bitmap* Layer() const { return context.document->firstImage->firstLayer->bitmap; }
};

TEST(SelectionOps, SelectInverseOfEverythingDoesNothing)
{
    Session session;
    Bitmap* content = session.selection.content;
    HRGN region = session.selection.region;
    EXPECT_FALSE(SelectInverse(&session.context));
    EXPECT_EQ(session.selection.content, content) << "the content was kept";
    EXPECT_EQ(session.selection.region, region);
    EXPECT_EQ(session.selection.width, 16);
}

TEST(SelectionOps, SelectInverseTwiceComesBack)
{
    Session session;
    ASSERT_TRUE(SelectRegion(&session.context, CreateRectRgn(0, 0, 16, 10)));
    ASSERT_TRUE(SelectInverse(&session.context));
    EXPECT_EQ(session.selection.top, 10);
    EXPECT_EQ(session.selection.height, 6);
    EXPECT_FALSE(RegionHasPixel(session.selection.region, 3, 9));
    ASSERT_TRUE(SelectInverse(&session.context));
    EXPECT_EQ(session.selection.top, 0);
    EXPECT_EQ(session.selection.height, 10);
}

// A region that reaches past the image (a moved selection, a large paste) is kept to it
// before the content is cut, and a region with nothing left in it means everything.
TEST(SelectionOps, RegionsAreKeptToTheImage)
{
    const struct {
        const char* what;
        RECT given;
        PixelRect kept;
    } cases[] = {
        {"inside", {2, 3, 5, 9}, {2, 3, 5, 9}},
        {"past the right and bottom", {10, 12, 40, 30}, {10, 12, 16, 16}},
        {"before the left and top", {-8, -2, 3, 4}, {0, 0, 3, 4}},
        {"wholly outside", {20, 20, 30, 30}, {0, 0, 16, 16}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Session session;
        ASSERT_TRUE(SelectRegion(&session.context, CreateRectRgnIndirect(&c.given)));
        const PixelRect box = RegionBox(session.selection.region);
        EXPECT_EQ(box.left, c.kept.left);
        EXPECT_EQ(box.top, c.kept.top);
        EXPECT_EQ(box.right, c.kept.right);
        EXPECT_EQ(box.bottom, c.kept.bottom);
        EXPECT_EQ(session.selection.left, c.kept.left);
        EXPECT_EQ(session.selection.top, c.kept.top);
        ASSERT_EQ(int(session.selection.content->GetWidth()), c.kept.right - c.kept.left);
        ASSERT_EQ(int(session.selection.content->GetHeight()), c.kept.bottom - c.kept.top);
        const auto content = ReadPixels(session.selection.content);
        const auto layer = ReadPixels(session.Layer());
        EXPECT_EQ(content.front(), layer[size_t(c.kept.top) * 16 + c.kept.left]);
    }
}

TEST(SelectionOps, ContentHoldsOnlyThePixelsInsideTheRegion)
{
    Session session;
    HRGN two = CreateRectRgn(0, 0, 2, 2);
    HRGN other = CreateRectRgn(4, 4, 6, 6);
    CombineRgn(two, two, other, RGN_OR);
    DeleteObject(other);
    ASSERT_TRUE(SelectRegion(&session.context, two));
    ASSERT_EQ(session.selection.width, 6);
    const auto content = ReadPixels(session.selection.content);
    const auto layer = ReadPixels(session.Layer());
    EXPECT_EQ(content[0], layer[0]);
    EXPECT_EQ(content[3 * 6 + 3], 0u) << "between the pieces the content is transparent";
    EXPECT_EQ(content[5 * 6 + 5], layer[5 * 16 + 5]);
}

TEST(SelectionOps, RegionFromTheContentsAlpha)
{
    SelectionState selection{};
    selection.content = MakeBitmap(3, 2, [](int x, int y) { return x == 1 || y == 1 ? kRed : 0u; });
    selection.left = -1;
    selection.top = 4;
    selection.region = CreateRectRgn(0, 0, 1, 1);
    RegionFromContentAlpha(&selection);
    const PixelRect box = RegionBox(selection.region);
    EXPECT_EQ(box.left, -1);
    EXPECT_EQ(box.top, 4);
    EXPECT_EQ(box.right, 2);
    EXPECT_EQ(box.bottom, 6);
    EXPECT_FALSE(RegionHasPixel(selection.region, -1, 4));
    EXPECT_TRUE(RegionHasPixel(selection.region, 0, 4));
    ClearSelection(&selection);
}

struct WandRun {
    PixelView view;
    size_t chosen;
};

DWORD WINAPI RunWand(void* parameter)
{
    auto* run = static_cast<WandRun*>(parameter);
    const PixelMask mask = WandMask(run->view, 128, 128, {0, 0, true});
    run->chosen = 0;
    for (uint8_t bit : mask.bits)
        run->chosen += bit;
    return 0;
}

// 65,536 connected pixels: a fill that recursed per pixel would need megabytes of stack; the
// wand runs here on a thread with 64 KB.
TEST(SelectionOps, TheWandOnA256By256OneColorLayerRunsOnASmallStack)
{
    std::vector<uint32_t> pixels(256 * 256, kRed);
    WandRun run{{256, 256, 256 * 4, reinterpret_cast<uint8_t*>(pixels.data())}, 0};
    HANDLE thread = CreateThread(nullptr, 64 * 1024, RunWand, &run, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    ASSERT_NE(thread, nullptr);
    ASSERT_EQ(WaitForSingleObject(thread, 60000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(run.chosen, 256u * 256u);
}

}  // namespace
