// GDI+ image encoders by MIME type ("image/png", "image/bmp", "image/jpeg").
#pragma once

#include <windows.h>

bool FindImageEncoder(const wchar_t* mimeType, CLSID* encoder);
