// Color reduction: nearest palette color, error-diffusion dithering and the alpha threshold.
#pragma once

#include <cstdint>
#include <vector>

#include "common/pixel_view.h"
#include "palettes.h"

// Finds the palette entry nearest to a color: the smallest sum of squared differences of
// red, green and blue, the lowest index on ties (the rule of the platform's own lookup).
// Entries are kept sorted by green so a search can stop as soon as the green distance alone
// exceeds the best match.
class NearestColorFinder {
public:
    NearestColorFinder(const PaletteColor* palette, int count);
    int Find(int red, int green, int blue) const;
    PaletteColor Color(int index) const { return palette_[index]; }

private:
    struct Entry {
        int red, green, blue, index;
    };
    std::vector<PaletteColor> palette_;
    std::vector<Entry> byGreen_;
    int startByGreen_[256];  // first position in byGreen_ whose green >= the key
};

// Dithers the pixels of `work` in place, rows in view order, each row left to right.
// `level` (1..255) divides the error; every right, lower and lower-right neighbour gets the
// whole error, clamped per addition, and its alpha thresholded. Each visited pixel becomes
// its nearest palette color with alpha 255 above `alphaThreshold`, else 0. When `indices` is
// given it receives width * height palette indices in view order.
void DitherToPalette(const PixelView& work, const NearestColorFinder& finder, int level,
                     int alphaThreshold, uint16_t* indices);

// Alpha becomes 255 where it is above the threshold, else 0; colors stay.
void ThresholdAlpha(const PixelView& work, int alphaThreshold);
