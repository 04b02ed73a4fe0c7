// Raw pictures stored as custom resources of a module.
#include "common/gdiplus_pixels.h"
#include "pyx.h"
#include "raw_image.h"

PYX_API Bitmap* PYX_LoadCustomImageResource(HMODULE module, uint16_t resourceId, const wchar_t* typeName)
{
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resourceId), typeName);
    if (!found)
        return nullptr;
    HGLOBAL loaded = LoadResource(module, found);
    const uint8_t* bytes = loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
    PixelView pixels;
    // A block shorter than its width and height promise gives no picture.
    if (!bytes || !ParseRawImage(bytes, SizeofResource(module, found), &pixels))
        return nullptr;
    return BitmapFromPixels(pixels);
}
