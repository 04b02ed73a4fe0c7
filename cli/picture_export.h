// Writing one picture with the GDI+ encoders.
#pragma once

#include <string>

#include "core/pyx.h"

enum class PictureFormat { kUnknown, kPng, kBmp };

PictureFormat PictureFormatOfPath(const std::wstring& path);

// PNG keeps the alpha channel; BMP is drawn over white. True when the file was written.
bool ExportPicture(Bitmap* picture, const std::wstring& path, PictureFormat format);
