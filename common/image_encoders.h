// GDI+ image encoders by MIME type ("image/png", "image/bmp", "image/jpeg").
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "common/pixel_view.h"

bool FindImageEncoder(const wchar_t* mimeType, CLSID* encoder);

// The pixels as a PNG file in memory (alpha kept), or nothing when GDI+ cannot encode them.
std::vector<uint8_t> EncodePng(const PixelView& pixels);
