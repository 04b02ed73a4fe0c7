#include "paste_commands.h"

#include <algorithm>
#include <cstdint>

#include "common/document_ops.h"
#include "common/gdiplus_pixels.h"
#include "common/messages.h"
#include "document_changes.h"
#include "panels/imagelist/imagestrip.h"
#include "selection.h"

namespace {

// Pasted pictures keep partial transparency only at 32 bits; below, alpha 10 and less
// becomes transparent and the rest opaque.
constexpr uint8_t kPasteAlphaThreshold = 10;
constexpr uint8_t kPasteDitherLevel = 6;
constexpr uint8_t kPasteDitherLevel256 = 3;
constexpr int kSmallestImageSide = 16;
constexpr int kLargestImageSide = 256;

Bitmap* ReduceToDepth(const AppContext& context, Bitmap* picture, int depth)
{
    switch (depth) {
    case 1:
        return PYX_GetDitheredImageBasedOnPalette(picture, context.palette2, 2, kPasteDitherLevel,
                                                  kPasteAlphaThreshold, nullptr, 0);
    case 4:
        return PYX_GetDitheredImageBasedOnPalette(picture, context.palette16, 16, kPasteDitherLevel,
                                                  kPasteAlphaThreshold, nullptr, 0);
    case 8:
        return PYX_GetDitheredImageBasedOnPalette(picture, context.palette256, 256, kPasteDitherLevel256,
                                                  kPasteAlphaThreshold, nullptr, 0);
    case 24: return PYX_GetAlphaThresholdedImage(picture, kPasteAlphaThreshold);
    default: return CloneBitmap(picture);
    }
}

// Replaces the pixels of target's top-left width x height with the picture scaled to that
// size, pixel for pixel (nearest neighbour).
bool DrawPicture(Bitmap* target, Bitmap* picture, int width, int height)
{
    if (!target || !picture)
        return false;
    Gdiplus::Graphics graphics(target);
    graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    return graphics.DrawImage(picture, Gdiplus::Rect(0, 0, width, height)) == Gdiplus::Ok;
}

// The picture as it is drawn into the new Image: a bitmap of the drawn size.
Bitmap* ScaledPicture(Bitmap* picture, const PastedImageSize& size)
{
    Bitmap* scaled = NewArgbBitmap(size.drawnWidth, size.drawnHeight);
    if (scaled && !DrawPicture(scaled, picture, size.drawnWidth, size.drawnHeight)) {
        delete scaled;
        return nullptr;
    }
    return scaled;
}

void TellPanelsOfThePaste(const AppContext& context, UINT editAreaMessage)
{
    SynchronizeDepth(context);
    SendMessageW(context.layersWindow, kPanelRefresh, 0, 0);
    PostMessageW(context.imageListWindow, kPanelRefresh, 0, 0);
    PostMessageW(context.editAreaWindow, editAreaMessage, 0, 0);
}

// The strip reports a new Image by posting WM_APP+14, whose handling resets the selection.
// Handled here, before the pasted picture becomes the selection, so that it stays so.
void HandleImageListReports(HWND mainWindow)
{
    MSG message;
    while (PeekMessageW(&message, mainWindow, kImageListChanged, kImageListChanged, PM_REMOVE))
        DispatchMessageW(&message);
}

}  // namespace

PastedImageSize SizeForPastedImage(int width, int height)
{
    if (width <= 0 || height <= 0)
        return {};
    const auto fits = [](int side) { return side >= kSmallestImageSide && side <= kLargestImageSide; };
    if (fits(width) && fits(height))
        return {width, height, width, height};
    int drawnWidth, drawnHeight;
    if (height < width) {
        drawnWidth = std::min(width, kLargestImageSide);
        drawnHeight = int(int64_t(drawnWidth) * height / width);
    } else {
        drawnHeight = std::min(height, kLargestImageSide);
        drawnWidth = int(int64_t(drawnHeight) * width / height);
    }
    // A very thin picture would otherwise be drawn 0 pixels wide or high, leaving nothing
    // to select, copy or filter.
    drawnWidth = std::max(drawnWidth, 1);
    drawnHeight = std::max(drawnHeight, 1);
    return {std::clamp(drawnWidth, kSmallestImageSide, kLargestImageSide),
            std::clamp(drawnHeight, kSmallestImageSide, kLargestImageSide), drawnWidth, drawnHeight};
}

void PasteAsNewLayer(ShellState& shell)
{
    AppContext* context = shell.context;
    Image* image = CurrentImage(*context);
    // At the layer limit no layer would be made and the picture would land on the top one.
    if (!image || image->layerCount >= kMaxLayers)
        return;
    Bitmap* picture = PYX_GetImageFromClipboard(context->mainWindow);
    if (!picture)
        return;
    Bitmap* reduced = ReduceToDepth(*context, picture, image->bitsPerPixel);
    delete picture;
    if (!reduced)
        return;
    PYX_AddChangeUndoRing(shell.undoChain, context->currentImage, context->document);
    const int layersBefore = image->layerCount;
    SendMessageW(context->layersWindow, kLayersNewRasterLayer, 1, 0);
    Layer* layer = LayerAt(image, image->layerCount - 1);
    const int width = int(reduced->GetWidth()), height = int(reduced->GetHeight());
    if (image->layerCount != layersBefore + 1 || !layer || !DrawPicture(layer->bitmap, reduced, width, height)) {
        delete reduced;
        return;
    }
    context->document->modified = 1;
    Bitmap* content = CloneBitmap(reduced);
    delete reduced;
    if (content)
        SelectPicture(context->selection, content);
    else
        ResetSelection(context);
    TellPanelsOfThePaste(*context, kEditAreaLayerChanged);
}

void PasteAsNewImage(ShellState& shell)
{
    AppContext* context = shell.context;
    Bitmap* picture = PYX_GetImageFromClipboard(context->mainWindow);
    if (!picture)
        return;
    const PastedImageSize size = SizeForPastedImage(int(picture->GetWidth()), int(picture->GetHeight()));
    Bitmap* drawn = size.drawnWidth > 0 ? ScaledPicture(picture, size) : nullptr;
    delete picture;
    if (!drawn)
        return;
    if (!CreateNewImageEx(uint16_t(size.imageWidth), uint16_t(size.imageHeight))) {
        delete drawn;
        return;
    }
    PYX_AddNewUndoRing(shell.undoChain, context->document->imageCount - 1);
    Image* image = CurrentImage(*context);
    Layer* layer = CurrentLayer(*context);
    if (image && layer) {
        DrawPicture(layer->bitmap, drawn, size.drawnWidth, size.drawnHeight);
        DrawPicture(image->composite, drawn, size.drawnWidth, size.drawnHeight);
    }
    HandleImageListReports(context->mainWindow);
    SelectPicture(context->selection, drawn);
    TellPanelsOfThePaste(*context, kEditAreaImageChanged);
}
