// The Edit menu's own work: Copy, the two pastes, Select Inverse, Clear All, and what waits
// for a pending transformation or a stroke on the canvas.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/document_ops.h"
#include "common/messages.h"
#include "common/selection_state.h"
#include "core/pyx.h"
#include "harness/test_bitmaps.h"
#include "selection.h"
#include "shell_session.h"
#include "shell_state.h"

namespace {

constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kTransparent = 0x00000000;

void PutPictureOnClipboard(int width, int height, const PixelFunction& fn)
{
    Gdiplus::Bitmap* picture = MakeBitmap(width, height, fn);
    ASSERT_NE(PYX_CopyImageToClipboard(Context().mainWindow, picture, uint16_t(width), uint16_t(height)), 0);
    delete picture;
}

uint32_t Pixel(Gdiplus::Bitmap* bitmap, int x, int y)
{
    Gdiplus::Color color;
    bitmap->GetPixel(x, y, &color);
    return color.GetValue();
}

RECT SelectionBox()
{
    RECT box{};
    GetRgnBox(Context().selection->region, &box);
    return box;
}

int UndoSteps()
{
    return CurrentShell().undoChain->count;
}

Layer* TopLayer()
{
    const Image* image = CurrentImage(Context());
    return LayerAt(image, image->layerCount - 1);
}

void FillCurrentLayer(const PixelFunction& fn)
{
    PaintPixels(CurrentLayer(Context())->bitmap, fn);
    ResetSelection(&Context());
}

uint32_t Noise(int x, int y)
{
    return NoiseColor(x, y, 255);
}

// The layers panel's part of "Paste as a New Layer": a new raster layer on top, made current.
WNDPROC gLayersProc = nullptr;
int gNewLayerRequests = 0;

LRESULT CALLBACK NewLayerPanel(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kLayersNewRasterLayer) {
        gNewLayerRequests++;
        Image* image = CurrentImage(Context());
        if (image->layerCount < kMaxLayers) {
            InsertLayer(image, image->layerCount, PYX_CreateRasterLayer(image->width, image->height), true);
            Context().currentLayer = image->layerCount - 1;
        }
        return 0;
    }
    return CallWindowProcW(gLayersProc, window, message, wParam, lParam);
}

void AddLayersUpTo(int count)
{
    Image* image = CurrentImage(Context());
    while (image->layerCount < count)
        InsertLayer(image, image->layerCount, PYX_CreateRasterLayer(image->width, image->height), true);
}

bool PasteLayerEnabled(HWND window)
{
    SendMessageW(window, WM_INITMENUPOPUP, 0, 0);
    return !(GetMenuState(GetMenu(window), 32794, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
}

HWND Canvas()
{
    return FindWindowExW(Context().editAreaWindow, nullptr, L"VxGridArea", nullptr);
}

}  // namespace

TEST(EditCommands, PasteAsNewImageScalesToFitAndKeepsThinPicturesVisible)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    const struct {
        int width, height;
        int imageWidth, imageHeight;
        int drawnWidth, drawnHeight;
    } cases[] = {
        {512, 256, 256, 128, 256, 128}, {256, 512, 128, 256, 128, 256}, {1024, 20, 256, 16, 256, 5},
        {10, 10, 16, 16, 10, 10},       {48, 32, 48, 32, 48, 32},        {1, 300, 16, 256, 1, 256},
        {600, 2, 256, 16, 256, 1},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(testing::Message() << test.width << " x " << test.height);
        PutPictureOnClipboard(test.width, test.height, [](int, int) { return kRed; });
        const int images = Context().document->imageCount, steps = UndoSteps();
        ASSERT_TRUE(PressAccelerator(window, 'V', true, false));
        PumpMessages();
        ASSERT_EQ(Context().document->imageCount, images + 1);
        EXPECT_EQ(Context().currentImage, images) << "the new Image is current";
        const Image* image = CurrentImage(Context());
        EXPECT_EQ(image->width, test.imageWidth);
        EXPECT_EQ(image->height, test.imageHeight);
        Gdiplus::Bitmap* layer = CurrentLayer(Context())->bitmap;
        EXPECT_EQ(Pixel(layer, test.drawnWidth - 1, test.drawnHeight - 1), kRed);
        EXPECT_EQ(Pixel(image->composite, test.drawnWidth - 1, test.drawnHeight - 1), kRed);
        if (test.drawnWidth < test.imageWidth) {
            EXPECT_EQ(Pixel(layer, test.drawnWidth, 0) >> 24, 0u) << "right of the picture";
        }
        if (test.drawnHeight < test.imageHeight) {
            EXPECT_EQ(Pixel(layer, 0, test.drawnHeight) >> 24, 0u) << "below the picture";
        }
        // The picture as drawn is the selection.
        const SelectionState& selection = *Context().selection;
        EXPECT_EQ(selection.width, test.drawnWidth);
        EXPECT_EQ(selection.height, test.drawnHeight);
        ASSERT_NE(selection.content, nullptr);
        EXPECT_EQ(int(selection.content->GetWidth()), test.drawnWidth);
        EXPECT_EQ(Pixel(selection.content, 0, 0), kRed);
        const RECT box = SelectionBox();
        EXPECT_EQ(box.right - box.left, test.drawnWidth);
        EXPECT_EQ(box.bottom - box.top, test.drawnHeight);
        ASSERT_EQ(UndoSteps(), steps + 1);
        EXPECT_EQ(CurrentShell().undoChain->position, steps);
    }
    StopShell();
}

TEST(EditCommands, PasteAsNewLayerReducesToTheImageDepth)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    gLayersProc = WNDPROC(SetWindowLongPtrW(Context().layersWindow, GWLP_WNDPROC, LONG_PTR(NewLayerPanel)));
    // Alpha 10 is at the threshold, 11 above it.
    const auto picture = [](int x, int) { return x == 0 ? 0x0AFF0000u : 0x0BFF0000u; };
    // A transparent pixel keeps no color worth comparing, and dithering may move colors:
    // there only the alpha counts.
    constexpr uint32_t kAll = 0xFFFFFFFF, kAlpha = 0xFF000000;
    const struct {
        uint8_t depth;
        uint32_t first, firstMask, second, secondMask;
    } cases[] = {{32, 0x0AFF0000, kAll, 0x0BFF0000, kAll},
                 {24, 0, kAlpha, 0xFFFF0000, kAll},
                 {8, 0, kAlpha, kAlpha, kAlpha},
                 {4, 0, kAlpha, kAlpha, kAlpha},
                 {1, 0, kAlpha, kAlpha, kAlpha}};
    Image* image = CurrentImage(Context());
    for (const auto& test : cases) {
        SCOPED_TRACE(testing::Message() << int(test.depth) << " bits");
        image->bitsPerPixel = test.depth;
        PutPictureOnClipboard(2, 1, picture);
        const int layers = image->layerCount, steps = UndoSteps();
        Gdiplus::Bitmap* below = TopLayer()->bitmap;
        const uint32_t belowPixel = Pixel(below, 0, 0);
        ASSERT_TRUE(PressAccelerator(window, 'V', true, true));
        PumpMessages();
        ASSERT_EQ(image->layerCount, layers + 1);
        EXPECT_EQ(UndoSteps(), steps + 1);
        Gdiplus::Bitmap* pasted = TopLayer()->bitmap;
        EXPECT_EQ(Pixel(pasted, 0, 0) & test.firstMask, test.first);
        EXPECT_EQ(Pixel(pasted, 1, 0) & test.secondMask, test.second);
        EXPECT_EQ(Pixel(below, 0, 0), belowPixel) << "the layer below is untouched";
        EXPECT_EQ(Context().selection->width, 2);
        EXPECT_EQ(Context().selection->height, 1);
        EXPECT_EQ(Pixel(Context().selection->content, 1, 0), Pixel(pasted, 1, 0));
    }
    image->bitsPerPixel = 32;
    StopShell();
}

TEST(EditCommands, PasteAsNewLayerAtTwentyLayersDoesNothing)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    gLayersProc = WNDPROC(SetWindowLongPtrW(Context().layersWindow, GWLP_WNDPROC, LONG_PTR(NewLayerPanel)));
    PutPictureOnClipboard(4, 4, [](int, int) { return kRed; });
    AddLayersUpTo(19);
    EXPECT_TRUE(PasteLayerEnabled(window)) << "19 layers";
    SendMessageW(window, WM_COMMAND, 32794, 0);
    ASSERT_EQ(CurrentImage(Context())->layerCount, 20);
    EXPECT_EQ(Pixel(TopLayer()->bitmap, 3, 3), kRed);
    EXPECT_FALSE(PasteLayerEnabled(window)) << "20 layers";

    // A stale menu or an accelerator still delivers the command: it must not paint over the
    // top layer, nor ask for a layer, nor record a step.
    PaintPixels(TopLayer()->bitmap, [](int, int) { return kTransparent; });
    const int steps = UndoSteps();
    gNewLayerRequests = 0;
    SendMessageW(window, WM_COMMAND, 32794, 0);
    EXPECT_EQ(CurrentImage(Context())->layerCount, 20);
    EXPECT_EQ(Pixel(TopLayer()->bitmap, 3, 3), kTransparent);
    EXPECT_EQ(UndoSteps(), steps);
    EXPECT_EQ(gNewLayerRequests, 0);
    StopShell();
}

TEST(EditCommands, CopyPutsTheSelectedPixelsOnTheClipboard)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    FillCurrentLayer(Noise);
    ASSERT_TRUE(SelectRegion(&Context(), CreateRectRgn(4, 4, 12, 10)));
    ASSERT_TRUE(PressAccelerator(window, 'C', true, false));
    Gdiplus::Bitmap* copied = PYX_GetImageFromClipboard(window);
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->GetWidth(), 8u);
    EXPECT_EQ(copied->GetHeight(), 6u);
    for (int y = 0; y < 6; y++)
        for (int x = 0; x < 8; x++)
            ASSERT_EQ(Pixel(copied, x, y), Noise(x + 4, y + 4)) << x << ", " << y;
    delete copied;
    StopShell();
}

TEST(EditCommands, SelectInverseTakesTheRestOfTheImage)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    FillCurrentLayer(Noise);
    PanelSpy spy(Context());
    // Everything selected: the inverse is empty and nothing changes.
    ASSERT_TRUE(PressAccelerator(window, 'I', true, true));
    EXPECT_EQ(Context().selection->width, 48);
    EXPECT_TRUE(spy.ReceivedBy(Context().editAreaWindow).empty());

    ASSERT_TRUE(SelectRegion(&Context(), CreateRectRgn(0, 0, 10, 48)));
    ASSERT_TRUE(PressAccelerator(window, 'I', true, true));
    const SelectionState& selection = *Context().selection;
    EXPECT_EQ(selection.left, 10);
    EXPECT_EQ(selection.top, 0);
    EXPECT_EQ(selection.width, 38);
    EXPECT_EQ(selection.height, 48);
    EXPECT_EQ(Pixel(selection.content, 0, 0), Noise(10, 0));
    EXPECT_EQ(Pixel(selection.content, 37, 47), Noise(47, 47));
    const auto received = spy.ReceivedBy(Context().editAreaWindow);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message, kEditAreaSelectionChanged);
    StopShell();
}

TEST(EditCommands, SelectAllAndInverseWaitForAPendingTransformation)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(SelectRegion(&Context(), CreateRectRgn(5, 5, 15, 15)));
    CurrentShell().transformPending = 1;
    PanelSpy spy(Context());
    const Gdiplus::Bitmap* content = Context().selection->content;
    for (int command : {32797, 32868}) {
        SendMessageW(window, WM_COMMAND, command, 0);                // the menu
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(command, 1), 0);  // an accelerator
    }
    EXPECT_EQ(Context().selection->content, content) << "the content the transformation draws on stays";
    EXPECT_EQ(SelectionBox().left, 5);
    EXPECT_EQ(Context().selection->width, 10);
    EXPECT_TRUE(spy.ReceivedBy(Context().editAreaWindow).empty());
    StopShell();
}

TEST(EditCommands, ClearAllEmptiesTheLayerAndResetsTheSelection)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    FillCurrentLayer(Noise);
    ASSERT_TRUE(SelectRegion(&Context(), CreateRectRgn(5, 5, 15, 15)));
    PanelSpy spy(Context());
    const int steps = UndoSteps();
    SendMessageW(window, WM_COMMAND, 32796, 0);
    EXPECT_EQ(UndoSteps(), steps + 1);
    EXPECT_EQ(Context().document->modified, 1u);
    for (uint32_t pixel : ReadPixels(CurrentLayer(Context())->bitmap))
        ASSERT_EQ(pixel, 0x00FFFFFFu) << "transparent white";
    // A later move, Copy or filter must not bring the old pixels back.
    const SelectionState& selection = *Context().selection;
    EXPECT_EQ(selection.width, 48);
    EXPECT_EQ(selection.height, 48);
    EXPECT_EQ(SelectionBox().right, 48);
    EXPECT_EQ(Pixel(selection.content, 10, 10), 0x00FFFFFFu);
    std::vector<UINT> messages;
    for (const PanelMessage& message : spy.ReceivedBy(Context().editAreaWindow))
        messages.push_back(message.message);
    EXPECT_NE(std::find(messages.begin(), messages.end(), kEditAreaSelectionChanged), messages.end());
    StopShell();
}

TEST(EditCommands, DocumentCommandsWaitWhileTheButtonIsHeldOnTheCanvas)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    HWND canvas = Canvas();
    ASSERT_NE(canvas, nullptr);
    FillCurrentLayer(Noise);
    PutPictureOnClipboard(4, 4, [](int, int) { return kRed; });
    PanelSpy spy(Context());
    const Resource* document = Context().document;
    const int steps = UndoSteps();
    SetCapture(canvas);  // as a press of the pen does
    // Del, Ctrl+Del, Ctrl+N, Ctrl+Z, both pastes, Ctrl+L, Ctrl+A, Clear All and a filter, as an
    // accelerator or a stale menu would deliver them.
    for (int command : {32835, 32829, 32771, 32789, 32795, 32794, 32827, 32797, 32796, 32851})
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(command, 1), 0);
    EXPECT_TRUE(spy.ReceivedBy(Context().imageListWindow).empty());
    EXPECT_TRUE(spy.ReceivedBy(Context().layersWindow).empty());
    EXPECT_TRUE(spy.ReceivedBy(Context().editAreaWindow).empty());
    EXPECT_EQ(Context().document, document);
    EXPECT_EQ(Context().document->imageCount, 1);
    EXPECT_EQ(UndoSteps(), steps);
    EXPECT_EQ(Pixel(CurrentLayer(Context())->bitmap, 20, 20), Noise(20, 20));
    // Copy changes nothing and still works.
    OpenClipboard(window);
    EmptyClipboard();
    CloseClipboard();
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(32791, 1), 0);
    Gdiplus::Bitmap* copied = PYX_GetImageFromClipboard(window);
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->GetWidth(), 48u);
    delete copied;

    ReleaseCapture();  // the button is up: Del reaches the image list again
    spy.Clear();
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(32835, 1), 0);
    const auto received = spy.ReceivedBy(Context().imageListWindow);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message, kImageListDeleteImage);
    StopShell();
}
