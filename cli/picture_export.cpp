#include "picture_export.h"

#include <cwctype>

#include "common/image_encoders.h"

using namespace Gdiplus;

PictureFormat PictureFormatOfPath(const std::wstring& path)
{
    if (path.size() < 4)
        return PictureFormat::kUnknown;
    std::wstring extension = path.substr(path.size() - 4);
    for (wchar_t& c : extension)
        c = wchar_t(std::towlower(c));
    if (extension == L".png")
        return PictureFormat::kPng;
    if (extension == L".bmp")
        return PictureFormat::kBmp;
    return PictureFormat::kUnknown;
}

namespace {

bool SaveWithEncoder(Bitmap* picture, const std::wstring& path, const wchar_t* mimeType)
{
    CLSID encoder;
    return FindImageEncoder(mimeType, &encoder) && picture->Save(path.c_str(), &encoder, nullptr) == Ok;
}

bool ExportOverWhite(Bitmap* picture, const std::wstring& path)
{
    Bitmap flat(int(picture->GetWidth()), int(picture->GetHeight()), PixelFormat24bppRGB);
    Graphics graphics(&flat);
    graphics.Clear(Color(255, 255, 255, 255));
    graphics.DrawImage(picture, 0, 0, int(picture->GetWidth()), int(picture->GetHeight()));
    return SaveWithEncoder(&flat, path, L"image/bmp");
}

}  // namespace

bool ExportPicture(Bitmap* picture, const std::wstring& path, PictureFormat format)
{
    switch (format) {
    case PictureFormat::kPng: return SaveWithEncoder(picture, path, L"image/png");
    case PictureFormat::kBmp: return ExportOverWhite(picture, path);
    default: return false;
    }
}
