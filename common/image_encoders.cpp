#include "common/image_encoders.h"

#include <gdiplus.h>
#include <shlwapi.h>

#include <cstdint>
#include <vector>

#include "common/gdiplus_pixels.h"

bool FindImageEncoder(const wchar_t* mimeType, CLSID* encoder)
{
    UINT count = 0, size = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0)
        return false;
    std::vector<uint8_t> storage(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(storage.data());
    if (Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok)
        return false;
    for (UINT i = 0; i < count; i++)
        if (lstrcmpiW(codecs[i].MimeType, mimeType) == 0) {
            *encoder = codecs[i].Clsid;
            return true;
        }
    return false;
}

std::vector<uint8_t> EncodePng(const PixelView& pixels)
{
    std::vector<uint8_t> bytes;
    CLSID encoder;
    Gdiplus::Bitmap* bitmap = FindImageEncoder(L"image/png", &encoder) ? BitmapFromPixels(pixels) : nullptr;
    IStream* stream = bitmap ? SHCreateMemStream(nullptr, 0) : nullptr;
    STATSTG stat{};
    if (stream && bitmap->Save(stream, &encoder, nullptr) == Gdiplus::Ok &&
        SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME)) && stat.cbSize.QuadPart > 0 &&
        stat.cbSize.QuadPart < 0x7FFFFFFF) {
        bytes.resize(size_t(stat.cbSize.QuadPart));
        const LARGE_INTEGER start{};
        ULONG read = 0;
        if (FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr)) ||
            FAILED(stream->Read(bytes.data(), ULONG(bytes.size()), &read)) || read != bytes.size())
            bytes.clear();
    }
    if (stream)
        stream->Release();
    delete bitmap;
    return bytes;
}
