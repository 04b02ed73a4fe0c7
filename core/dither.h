// Color reduction: nearest palette color, error-diffusion dithering and the alpha threshold.
#pragma once

#include <cstdint>
#include <vector>

#include "common/pixel_view.h"
#include "palettes.h"

// Finds the palette entry nearest to a color: the smallest sum of squared differences of
// red, green and blue, the lowest index on ties (the rule of the platform's own lookup).
//
// The color cube is split into 16 x 16 x 16 cells; each cell lists the entries that can be
// nearest to some color inside it (those not farther from the cell than the best entry's
// farthest corner). For palettes of at most 256 entries each cell is split again into
// 2 x 2 x 2 fine cells whose lists, drawn from their cell's list the same way, are nearly
// always four entries or fewer: those are kept as four bytes and compared without a branch.
// A finder fills its cells as queries reach them; the shared finders of the fixed palettes
// are filled completely once and are then safe to use from any thread.
class NearestColorFinder {
public:
    NearestColorFinder(const PaletteColor* palette, int count);
    int Find(int red, int green, int blue) const;
    PaletteColor Color(int index) const { return palette_[index]; }
    int Count() const { return int(palette_.size()); }

    // The shared, fully prepared finder of a fixed palette with exactly these colors
    // (256, 16 or 2 entries), or null for any other palette.
    static const NearestColorFinder* ForFixedPalette(const PaletteColor* palette, int count);

private:
    static constexpr int kCellShift = 4;  // 16 levels per cell and channel
    static constexpr int kCellsPerChannel = 256 >> kCellShift;
    static constexpr int kCellCount = kCellsPerChannel * kCellsPerChannel * kCellsPerChannel;
    static constexpr int kFineShift = 3;  // 8 levels per fine cell and channel
    static constexpr int kFinePerChannel = 256 >> kFineShift;
    static constexpr int kFineCount = kFinePerChannel * kFinePerChannel * kFinePerChannel;
    static constexpr int kFineSlots = 4;
    // A fine cell holds up to four candidates as bytes from the lowest, in rising index
    // order, the last repeated to fill the four (a repeat never wins: it ties). A first
    // byte above the second marks the two cells that say "not yet listed" and "ask the
    // cell's own list" (more than four candidates, or a palette of more than 256 entries).
    static constexpr uint32_t kUnlisted = 0x000001FFu;
    static constexpr uint32_t kAskTheCell = 0x000000FFu;

    struct CellList {
        int32_t start = -1;  // into candidates_; -1 until the cell is prepared
        int32_t count = 0;
    };

    int FindInCell(int red, int green, int blue) const;
    void PrepareCell(int cell) const;
    uint32_t PrepareFineCell(int fineCell) const;
    void PrepareAllCells();

    std::vector<PaletteColor> palette_;
    mutable std::vector<CellList> cells_;
    mutable std::vector<uint16_t> candidates_;
    mutable std::vector<uint32_t> fine_;
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
