#include "import_picture.h"

#include <algorithm>
#include <cmath>

#include "common/messages.h"
#include "core/pyx.h"
#include "panels/imagelist/imagestrip.h"
#include "picture_drawing.h"

namespace {

constexpr int kLargestSide = 256;
constexpr int kSmallestSide = 16;

Image* LastImage(const Resource& document)
{
    Image* image = document.firstImage;
    while (image && image->next)
        image = image->next;
    return image;
}

bool DrawInto(Bitmap* target, Bitmap* picture, const PictureFit& fit)
{
    return DrawPictureScaled(target, picture, Gdiplus::Rect(0, 0, fit.drawnWidth, fit.drawnHeight));
}

}  // namespace

PictureFit FitPicture(int width, int height)
{
    PictureFit fit{};
    const double scale = std::min({1.0, double(kLargestSide) / width, double(kLargestSide) / height});
    fit.drawnWidth = std::clamp(int(std::lround(width * scale)), 1, kLargestSide);
    fit.drawnHeight = std::clamp(int(std::lround(height * scale)), 1, kLargestSide);
    fit.imageWidth = std::max(fit.drawnWidth, kSmallestSide);
    fit.imageHeight = std::max(fit.drawnHeight, kSmallestSide);
    return fit;
}

int ImportPictureFile(HWND mainWindow, AppContext* context, const wchar_t* path)
{
    if (!context || !context->document)
        return 0;
    Bitmap* picture = ReadPictureFile(path);
    if (!picture)
        return 0;
    const PictureFit fit = FitPicture(int(picture->GetWidth()), int(picture->GetHeight()));
    if (!CreateNewImageEx(uint16_t(fit.imageWidth), uint16_t(fit.imageHeight))) {
        delete picture;
        return 0;
    }
    Image* image = LastImage(*context->document);
    DrawInto(image->firstLayer->bitmap, picture, fit);
    DrawInto(image->composite, picture, fit);
    delete picture;
    const int index = context->document->imageCount - 1;
    SendMessageW(mainWindow, kUndoNewRing, WPARAM(index), 0);
    // The panels reload the strip, the layers and the canvas for the new current Image.
    SendMessageW(mainWindow, kImageReselected, 0, 0);
    return 1;
}
