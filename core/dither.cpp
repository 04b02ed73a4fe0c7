#include "dither.h"

#include <algorithm>

NearestColorFinder::NearestColorFinder(const PaletteColor* palette, int count)
    : palette_(palette, palette + count), cells_(kCellCount)
{
}

namespace {

int SquaredDistance(PaletteColor entry, int red, int green, int blue)
{
    const int dr = PaletteRed(entry) - red, dg = PaletteGreen(entry) - green, db = PaletteBlue(entry) - blue;
    return dr * dr + dg * dg + db * db;
}

// Per channel: how far a value lies outside [low, high], and from the farther end.
int NearGap(int value, int low, int high)
{
    return value < low ? low - value : value > high ? value - high : 0;
}

int FarGap(int value, int low, int high)
{
    return std::max(value - low, high - value);
}

}  // namespace

void NearestColorFinder::PrepareCell(int cell) const
{
    const int size = 1 << kCellShift;
    const int r0 = (cell / (kCellsPerChannel * kCellsPerChannel)) * size;
    const int g0 = (cell / kCellsPerChannel % kCellsPerChannel) * size;
    const int b0 = (cell % kCellsPerChannel) * size;
    const int r1 = r0 + size - 1, g1 = g0 + size - 1, b1 = b0 + size - 1;
    int bound = INT32_MAX;
    for (PaletteColor entry : palette_) {
        const int fr = FarGap(PaletteRed(entry), r0, r1), fg = FarGap(PaletteGreen(entry), g0, g1),
                  fb = FarGap(PaletteBlue(entry), b0, b1);
        bound = std::min(bound, fr * fr + fg * fg + fb * fb);
    }
    cells_[cell].start = int32_t(candidates_.size());
    for (size_t i = 0; i < palette_.size(); i++) {
        const PaletteColor entry = palette_[i];
        const int nr = NearGap(PaletteRed(entry), r0, r1), ng = NearGap(PaletteGreen(entry), g0, g1),
                  nb = NearGap(PaletteBlue(entry), b0, b1);
        if (nr * nr + ng * ng + nb * nb <= bound)
            candidates_.push_back(uint16_t(i));
    }
    cells_[cell].count = int32_t(candidates_.size()) - cells_[cell].start;
}

void NearestColorFinder::PrepareAllCells()
{
    for (int cell = 0; cell < kCellCount; cell++)
        PrepareCell(cell);
}

int NearestColorFinder::Find(int red, int green, int blue) const
{
    const int cell = ((red >> kCellShift) * kCellsPerChannel + (green >> kCellShift)) * kCellsPerChannel +
                     (blue >> kCellShift);
    if (cells_[cell].start < 0)
        PrepareCell(cell);
    // Candidates are in index order, so a strict comparison keeps the lowest index on ties.
    const uint16_t* candidate = candidates_.data() + cells_[cell].start;
    int bestIndex = 0, bestDistance = INT32_MAX;
    for (int i = 0; i < cells_[cell].count; i++) {
        const int distance = SquaredDistance(palette_[candidate[i]], red, green, blue);
        if (distance < bestDistance) {
            bestDistance = distance;
            bestIndex = candidate[i];
        }
    }
    return bestIndex;
}

const NearestColorFinder* NearestColorFinder::ForFixedPalette(const PaletteColor* palette, int count)
{
    auto prepared = [](const PaletteColor* colors, int n) {
        NearestColorFinder finder(colors, n);
        finder.PrepareAllCells();
        return finder;
    };
    static const NearestColorFinder finder256 = prepared(kPalette256, kPalette256Count);
    static const NearestColorFinder finder16 = prepared(kPalette16, kPalette16Count);
    static const NearestColorFinder finder2 = prepared(kPalette2, kPalette2Count);
    for (const NearestColorFinder* finder : {&finder256, &finder16, &finder2})
        if (finder->palette_.size() == size_t(count) && std::equal(palette, palette + count, finder->palette_.begin()))
            return finder;
    return nullptr;
}

namespace {

uint8_t ClampChannel(int value)
{
    return uint8_t(std::clamp(value, 0, 255));
}

inline void AddError(uint8_t* pixel, const int error[3], int alphaThreshold)
{
    pixel[kRed] = ClampChannel(pixel[kRed] + error[0]);
    pixel[kGreen] = ClampChannel(pixel[kGreen] + error[1]);
    pixel[kBlue] = ClampChannel(pixel[kBlue] + error[2]);
    pixel[kAlpha] = pixel[kAlpha] > alphaThreshold ? 255 : 0;
}

}  // namespace

void DitherToPalette(const PixelView& work, const NearestColorFinder& finder, int level,
                     int alphaThreshold, uint16_t* indices)
{
    // Every difference lies in -255..255; dividing once per value beats a division per channel.
    int dividedBy[511];
    for (int difference = -255; difference <= 255; difference++)
        dividedBy[difference + 255] = difference / level;  // truncates toward zero
    for (int y = 0; y < work.height; y++) {
        const bool hasBelow = y + 1 < work.height;
        for (int x = 0; x < work.width; x++) {
            uint8_t* p = work.At(x, y);
            const int index = finder.Find(p[kRed], p[kGreen], p[kBlue]);
            const PaletteColor e = finder.Color(index);
            const int error[3] = {dividedBy[p[kRed] - PaletteRed(e) + 255],
                                  dividedBy[p[kGreen] - PaletteGreen(e) + 255],
                                  dividedBy[p[kBlue] - PaletteBlue(e) + 255]};
            const bool hasRight = x + 1 < work.width;
            if (hasRight)
                AddError(work.At(x + 1, y), error, alphaThreshold);
            if (hasBelow)
                AddError(work.At(x, y + 1), error, alphaThreshold);
            if (hasRight && hasBelow)
                AddError(work.At(x + 1, y + 1), error, alphaThreshold);
            p[kRed] = PaletteRed(e);
            p[kGreen] = PaletteGreen(e);
            p[kBlue] = PaletteBlue(e);
            p[kAlpha] = p[kAlpha] > alphaThreshold ? 255 : 0;
            if (indices)
                indices[y * work.width + x] = uint16_t(index);
        }
    }
}

void ThresholdAlpha(const PixelView& work, int alphaThreshold)
{
    for (int y = 0; y < work.height; y++)
        for (int x = 0; x < work.width; x++) {
            uint8_t* p = work.At(x, y);
            p[kAlpha] = p[kAlpha] > alphaThreshold ? 255 : 0;
        }
}
