#include "dither.h"

#include <algorithm>

NearestColorFinder::NearestColorFinder(const PaletteColor* palette, int count)
    : palette_(palette, palette + count)
{
    byGreen_.reserve(count);
    for (int i = 0; i < count; i++)
        byGreen_.push_back({PaletteRed(palette[i]), PaletteGreen(palette[i]), PaletteBlue(palette[i]), i});
    std::stable_sort(byGreen_.begin(), byGreen_.end(),
                     [](const Entry& a, const Entry& b) { return a.green < b.green; });
    int position = 0;
    for (int key = 0; key < 256; key++) {
        while (position < count && byGreen_[position].green < key)
            position++;
        startByGreen_[key] = position;
    }
}

int NearestColorFinder::Find(int red, int green, int blue) const
{
    const int count = int(byGreen_.size());
    int bestIndex = count > 0 ? byGreen_[0].index : 0;
    int bestDistance = INT32_MAX;
    auto consider = [&](const Entry& e) {
        int dr = e.red - red, dg = e.green - green, db = e.blue - blue;
        int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance || (distance == bestDistance && e.index < bestIndex)) {
            bestDistance = distance;
            bestIndex = e.index;
        }
    };
    // Walk outward from the query's green in both directions; a side is finished once its
    // green distance alone is larger than the best full distance (equal may still tie).
    int up = startByGreen_[std::clamp(green, 0, 255)];
    int down = up - 1;
    while (up < count || down >= 0) {
        if (up < count) {
            int dg = byGreen_[up].green - green;
            if (dg * dg > bestDistance)
                up = count;
            else
                consider(byGreen_[up++]);
        }
        if (down >= 0) {
            int dg = green - byGreen_[down].green;
            if (dg * dg > bestDistance)
                down = -1;
            else
                consider(byGreen_[down--]);
        }
    }
    return bestIndex;
}

namespace {

uint8_t ClampChannel(int value)
{
    return uint8_t(std::clamp(value, 0, 255));
}

void AddError(uint8_t* pixel, const int error[3], int alphaThreshold)
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
    for (int y = 0; y < work.height; y++) {
        const bool hasBelow = y + 1 < work.height;
        for (int x = 0; x < work.width; x++) {
            uint8_t* p = work.At(x, y);
            const int index = finder.Find(p[kRed], p[kGreen], p[kBlue]);
            const PaletteColor e = finder.Color(index);
            // Integer division truncates toward zero, as the error rule wants.
            const int error[3] = {(p[kRed] - PaletteRed(e)) / level,
                                  (p[kGreen] - PaletteGreen(e)) / level,
                                  (p[kBlue] - PaletteBlue(e)) / level};
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
