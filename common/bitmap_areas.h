// New bitmaps and rectangle copies, the GDI+ side of the shared pixel routines.
#pragma once

#include <windows.h>
#include <gdiplus.h>

// A new, fully transparent width x height bitmap in the given pixel format, or null.
Gdiplus::Bitmap* NewBitmap(int width, int height, Gdiplus::PixelFormat format);

// A new 32-bit ARGB bitmap holding the rectangle (x, y, width, height) of the source, or
// null when the rectangle does not lie inside the source.
Gdiplus::Bitmap* CloneArea(Gdiplus::Bitmap* source, int x, int y, int width, int height);
