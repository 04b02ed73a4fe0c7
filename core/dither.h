// Color reduction: nearest palette color, error-diffusion dithering and the alpha threshold.
#pragma once

#include <emmintrin.h>

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

    // A color or a palette entry as the lookups compare them: blue, green, red and 0 in the
    // low four 16-bit lanes, 0 above.
    static __m128i Levels(int red, int green, int blue)
    {
        return _mm_setr_epi16(short(blue), short(green), short(red), 0, 0, 0, 0, 0);
    }
    static __m128i Levels(PaletteColor color)
    {
        return Levels(PaletteRed(color), PaletteGreen(color), PaletteBlue(color));
    }

    // The nearest entry's index for palettes of at most 256 entries, with the tables'
    // addresses in hand: a copy held in a walk's own variables is not read again after each
    // pixel the walk writes. `shift` is the finder's FineShift().
    template <int shift>
    struct Lookup {
        const NearestColorFinder* finder;
        const uint32_t* fine;
        const uint64_t* levels;
        int operator()(__m128i color) const
        {
            constexpr short perChannel = 256 >> shift;
            const __m128i parts = _mm_madd_epi16(_mm_srli_epi16(color, shift),
                                                 _mm_setr_epi16(1, perChannel, perChannel * perChannel, 0, 0, 0, 0, 0));
            const int fineCell = _mm_cvtsi128_si32(_mm_add_epi32(parts, _mm_srli_epi64(parts, 32)));
            const uint32_t slots = fine[fineCell];
            if ((slots & 0xFF) > (slots >> 8 & 0xFF)) [[unlikely]]
                return finder->FindSlowly(fineCell, color);
            return BestOfFourSlots(levels, slots, color);
        }
    };
    template <int shift>
    Lookup<shift> LookupAt() const
    {
        return {this, fine_.data(), levels_.data()};
    }
    int FineShift() const { return fineShift_; }
    PaletteColor Color(int index) const { return palette_[index]; }
    const PaletteColor* Colors() const { return palette_.data(); }
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
    int FindSlowly(int fineCell, __m128i color) const;

    // The nearest of a fine cell's four slots: the four squared distances at once, each
    // made a key with its slot's number in the two lowest bits, so that the smallest key is
    // the nearest slot and the first of equals (the slots rise in index order: the lowest
    // index wins a tie). Keys stay below 2^24 and so compare exactly as floats, for which
    // SSE2 has a minimum. No branch: on a noisy picture it would miss half the time.
    static int BestOfFourSlots(const uint64_t* levels, uint32_t slots, __m128i color)
    {
        const __m128i both = _mm_unpacklo_epi64(color, color);
        auto twoEntries = [&](int first) {
            auto entry = [&](int slot) {
                return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(&levels[slots >> (8 * slot) & 0xFF]));
            };
            const __m128i a = entry(first), b = entry(first + 1);
            const __m128i difference = _mm_sub_epi16(_mm_unpacklo_epi64(a, b), both);
            return _mm_castsi128_ps(_mm_madd_epi16(difference, difference));  // two partial sums per entry
        };
        const __m128 low = twoEntries(0), high = twoEntries(2);
        const __m128i distances = _mm_add_epi32(_mm_castps_si128(_mm_shuffle_ps(low, high, _MM_SHUFFLE(2, 0, 2, 0))),
                                                _mm_castps_si128(_mm_shuffle_ps(low, high, _MM_SHUFFLE(3, 1, 3, 1))));
        const __m128 keys = _mm_cvtepi32_ps(_mm_or_si128(_mm_slli_epi32(distances, 2), _mm_setr_epi32(0, 1, 2, 3)));
        __m128 least = _mm_min_ps(keys, _mm_shuffle_ps(keys, keys, _MM_SHUFFLE(2, 3, 0, 1)));
        least = _mm_min_ps(least, _mm_movehl_ps(least, least));
        const int slot = _mm_cvttss_si32(least) & 3;
        return int(slots >> (8 * slot) & 0xFF);
    }
    void PrepareCell(int cell) const;
    uint32_t PrepareFineCell(int fineCell) const;
    void PrepareAllCells();

    std::vector<PaletteColor> palette_;
    std::vector<uint64_t> levels_;  // the first 256 entries as Levels gives them
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
