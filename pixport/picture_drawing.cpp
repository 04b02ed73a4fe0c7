#include "picture_drawing.h"

Gdiplus::Bitmap* ReadPictureFile(const wchar_t* path)
{
    Gdiplus::Bitmap* picture = Gdiplus::Bitmap::FromFile(path);
    if (picture && picture->GetLastStatus() == Gdiplus::Ok && picture->GetWidth() > 0 && picture->GetHeight() > 0)
        return picture;
    delete picture;
    return nullptr;
}

bool DrawPictureScaled(Gdiplus::Bitmap* target, Gdiplus::Bitmap* picture, const Gdiplus::Rect& area)
{
    Gdiplus::Graphics graphics(target);
    graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    Gdiplus::ImageAttributes attributes;
    attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);  // no dark fringe from outside the picture
    return graphics.DrawImage(picture, area, 0, 0, int(picture->GetWidth()), int(picture->GetHeight()),
                              Gdiplus::UnitPixel, &attributes) == Gdiplus::Ok;
}
