// The exported color reductions: palette dithering and the alpha threshold.
#include <optional>
#include <vector>

#include "common/gdiplus_pixels.h"
#include "dither.h"
#include "pyx.h"

namespace {

// Reads a palette object's entries as 0x00RRGGBB values.
std::vector<PaletteColor> ReadPaletteColors(HPALETTE palette, int count)
{
    std::vector<PALETTEENTRY> entries(count);
    const UINT got = GetPaletteEntries(palette, 0, UINT(count), entries.data());
    std::vector<PaletteColor> colors;
    for (UINT i = 0; i < got; i++)
        colors.push_back(PaletteColor(entries[i].peRed) << 16 | PaletteColor(entries[i].peGreen) << 8 |
                         entries[i].peBlue);
    return colors;
}

}  // namespace

// The nearest color is found by our own exact rule, the one GetNearestPaletteIndex applies
// (least squared distance, lowest index on ties), so that results match the native build.
PYX_API Bitmap* PYX_GetDitheredImageBasedOnPalette(Bitmap* source, HPALETTE palette,
                                                   uint16_t entryCount, uint8_t level,
                                                   uint8_t alphaThreshold, uint16_t* indices,
                                                   int wantIndices)
{
    if (!source || !palette || entryCount == 0 || level == 0 || (wantIndices == 1 && !indices))
        return nullptr;
    const std::vector<PaletteColor> colors = ReadPaletteColors(palette, entryCount);
    if (colors.empty())
        return nullptr;
    Bitmap* work = CloneBitmap(source);
    if (!work)
        return nullptr;
    const NearestColorFinder* shared = NearestColorFinder::ForFixedPalette(colors.data(), int(colors.size()));
    std::optional<NearestColorFinder> own;
    if (!shared)
        own.emplace(colors.data(), int(colors.size()));
    {
        BitmapLock lock(work, kLockReadWrite);
        if (lock.ok()) {
            DitherToPalette(lock.view(), shared ? *shared : *own, level, alphaThreshold, wantIndices ? indices : nullptr);
            return work;
        }
    }
    delete work;  // an unreduced copy would pass for a reduced one
    return nullptr;
}

PYX_API Bitmap* PYX_GetAlphaThresholdedImage(Bitmap* source, uint8_t alphaThreshold)
{
    Bitmap* copy = CloneBitmap(source);
    if (!copy)
        return nullptr;
    {
        BitmapLock lock(copy, kLockReadWrite);
        if (lock.ok()) {
            ThresholdAlpha(lock.view(), alphaThreshold);
            return copy;
        }
    }
    delete copy;
    return nullptr;
}
