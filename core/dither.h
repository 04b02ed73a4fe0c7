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
    struct SlotEntry;  // one entry for the comparison of a fine cell's slots, below

public:
    NearestColorFinder(const PaletteColor* palette, int count);
    int Find(int red, int green, int blue) const;
    // For palettes of at most 256 entries: the nearest entry's color with its index in the
    // top byte, so that a caller gets both from one lookup.
    uint32_t FindColorAndIndex(int red, int green, int blue) const
    {
        return fineShift_ == kCellShift ? FindColorAndIndexAt<kCellShift>(red, green, blue)
                                        : FindColorAndIndexAt<kFineShift>(red, green, blue);
    }
    // The same for a finder whose fine cells have `shift` bits (FineShift()). Inline: the
    // dithering walk spends most of its time here.
    template <int shift>
    uint32_t FindColorAndIndexAt(int red, int green, int blue) const
    {
        return LookupAt<shift>()(red, green, blue);
    }
    // The same with the tables' addresses in hand, for a walk that asks for every pixel:
    // a copy held in the walk's own variables is not read again after each pixel it writes.
    template <int shift>
    struct Lookup {
        const NearestColorFinder* finder;
        const uint32_t* fine;
        const SlotEntry* entries;
        uint32_t operator()(int red, int green, int blue) const
        {
            constexpr int perChannel = 256 >> shift;
            const int fineCell = ((red >> shift) * perChannel + (green >> shift)) * perChannel + (blue >> shift);
            const uint32_t slots = fine[fineCell];
            if ((slots & 0xFF) > (slots >> 8 & 0xFF)) [[unlikely]]
                return finder->FindColorAndIndexSlowly(fineCell, red, green, blue);
            return BestOfFourSlots(entries, slots, red, green, blue);
        }
    };
    template <int shift>
    Lookup<shift> LookupAt() const
    {
        return {this, fine_.data(), slotEntries_.data()};
    }
    int FineShift() const { return fineShift_; }
    PaletteColor Color(int index) const { return palette_[index]; }
    int Count() const { return int(palette_.size()); }
    static constexpr int kCellShift = 4;  // 16 levels per cell and channel
    static constexpr int kFineShift = 3;  // 8 levels per fine cell and channel

    // The shared, fully prepared finder of a fixed palette with exactly these colors
    // (256, 16 or 2 entries), or null for any other palette.
    static const NearestColorFinder* ForFixedPalette(const PaletteColor* palette, int count);

private:
    static constexpr int kCellsPerChannel = 256 >> kCellShift;
    static constexpr int kCellCount = kCellsPerChannel * kCellsPerChannel * kCellsPerChannel;
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
    uint32_t FindColorAndIndexSlowly(int fineCell, int red, int green, int blue) const;

    // One entry for the four-slot comparison. Comparing |c|^2 - 2 c.v orders the entries as
    // the squared distance |c - v|^2 does (|v|^2 is the same for all of them), and c.v comes
    // from one multiplication: with c's channels 21 bits apart and v's in the reverse order,
    // the product's bits 42..62 hold the sum of the three products (each lower field stays
    // below 2^21, so nothing carries into it).
    struct SlotEntry {
        uint64_t spread;           // blue | green << 21 | red << 42
        int32_t norm;              // |c|^2
        uint32_t colorAndIndex;    // as FindColorAndIndex returns it
    };
    static uint64_t SpreadReversed(int red, int green, int blue)
    {
        return uint64_t(red) | uint64_t(green) << 21 | uint64_t(blue) << 42;
    }

    // The nearest of a fine cell's four slots, as FindColorAndIndex returns it. The slots
    // rise in index order and each pair keeps its first on a tie, so the lowest index wins;
    // comparing in two pairs keeps the chain of selections short.
    static uint32_t BestOfFourSlots(const SlotEntry* entries, uint32_t slots, int red, int green, int blue)
    {
        const uint64_t v = SpreadReversed(red, green, blue);
        uint32_t entry[kFineSlots];
        int distance[kFineSlots];
        for (int i = 0; i < kFineSlots; i++) {
            const SlotEntry& e = entries[slots >> (8 * i) & 0xFF];
            entry[i] = e.colorAndIndex;
            distance[i] = e.norm - 2 * int((e.spread * v) >> 42 & 0x1FFFFF);
        }
        // Selections by mask: on a noisy picture a branch here would miss half the time.
        const uint32_t firstMask = -uint32_t(distance[1] < distance[0]);
        const uint32_t secondMask = -uint32_t(distance[3] < distance[2]);
        const uint32_t first = entry[0] ^ ((entry[0] ^ entry[1]) & firstMask);
        const uint32_t second = entry[2] ^ ((entry[2] ^ entry[3]) & secondMask);
        const int firstDistance = distance[0] ^ ((distance[0] ^ distance[1]) & int(firstMask));
        const int secondDistance = distance[2] ^ ((distance[2] ^ distance[3]) & int(secondMask));
        const uint32_t lastMask = -uint32_t(secondDistance < firstDistance);
        return first ^ ((first ^ second) & lastMask);
    }
    void PrepareCell(int cell) const;
    uint32_t PrepareFineCell(int fineCell) const;
    void PrepareAllCells();

    std::vector<PaletteColor> palette_;
    std::vector<SlotEntry> slotEntries_;  // for the first 256 entries
    // Palettes of 16 entries or fewer rarely have more than four candidates even in a whole
    // cell, so their fine cells are the cells: a table of 16 KB stays in the nearest cache.
    int fineShift_;
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
