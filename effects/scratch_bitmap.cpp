#include "effects/scratch_bitmap.h"

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
    const PixelView view = scratch.pixels.View();
    scratch.bitmap = new Bitmap(width, height, int(view.stride), PixelFormat32bppARGB, view.pixels);
    if (scratch.bitmap->GetLastStatus() != Ok) {
        delete scratch.bitmap;
        scratch.bitmap = nullptr;
    }
    return scratch;
}

void DeleteScratchBitmap(ScratchBitmap* scratch)
{
    delete scratch->bitmap;
    scratch->bitmap = nullptr;
    scratch->pixels = PixelBuffer();
}
