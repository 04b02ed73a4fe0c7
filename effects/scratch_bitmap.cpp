#include "effects/scratch_bitmap.h"

#include "common/gdiplus_pixels.h"

using namespace Gdiplus;

namespace {

// Far beyond any icon; keeps the byte count of a scratch picture well inside memory.
constexpr int kLargestSide = 16384;

}  // namespace

ScratchBitmap NewScratchBitmap(int width, int height)
{
    ScratchBitmap scratch;
    if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide)
        return scratch;
    scratch.pixels = NewPixelBuffer(width, height);
    scratch.bitmap = BitmapOverPixels(scratch.pixels.View());
    return scratch;
}

void DeleteScratchBitmap(ScratchBitmap* scratch)
{
    delete scratch->bitmap;
    scratch->bitmap = nullptr;
    scratch->pixels = PixelBuffer();
}
