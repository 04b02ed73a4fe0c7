// Reading a picture file and drawing it scaled: the import's way, shared with vexilc.
#pragma once

#include <windows.h>
#include <gdiplus.h>

// A new bitmap of the picture file (BMP, PNG, JPEG, GIF), or null when GDI+ cannot read it
// or it has no pixels.
Gdiplus::Bitmap* ReadPictureFile(const wchar_t* path);

// Replaces the pixels of `area` in `target` with the whole picture scaled to the area's size
// (high-quality bicubic, the picture's edges repeated rather than faded to transparent).
bool DrawPictureScaled(Gdiplus::Bitmap* target, Gdiplus::Bitmap* picture, const Gdiplus::Rect& area);
