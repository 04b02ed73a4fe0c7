#include "common/image_encoders.h"

#include <gdiplus.h>

#include <cstdint>
#include <vector>

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
