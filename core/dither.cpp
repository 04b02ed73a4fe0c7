#include "dither.h"

#include <emmintrin.h>

#include <algorithm>
#include <array>
#include <cstring>

NearestColorFinder::NearestColorFinder(const PaletteColor* palette, int count)
    : palette_(palette, palette + count), fineShift_(count <= 16 ? kCellShift : kFineShift), cells_(kCellCount),
      fine_(size_t(1) << (3 * (8 - fineShift_)), count <= 256 ? kUnlisted : kAskTheCell)
{
    for (int i = 0; i < count && i < 256; i++)
        levels_.push_back(uint64_t(_mm_cvtsi128_si64(Levels(palette[i]))));
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

// A box of colors, the corner nearest black and `size` levels per channel.
struct ColorBox {
    int red, green, blue, size;
};

int NearDistance(PaletteColor entry, const ColorBox& box)
{
    const int last = box.size - 1;
    const int r = NearGap(PaletteRed(entry), box.red, box.red + last);
    const int g = NearGap(PaletteGreen(entry), box.green, box.green + last);
    const int b = NearGap(PaletteBlue(entry), box.blue, box.blue + last);
    return r * r + g * g + b * b;
}

int FarDistance(PaletteColor entry, const ColorBox& box)
{
    const int last = box.size - 1;
    const int r = FarGap(PaletteRed(entry), box.red, box.red + last);
    const int g = FarGap(PaletteGreen(entry), box.green, box.green + last);
    const int b = FarGap(PaletteBlue(entry), box.blue, box.blue + last);
    return r * r + g * g + b * b;
}

// Appends, in the order given, the entries among `from` that can be nearest to some color
// of the box: every color of the box has an entry within the smallest farthest-corner
// distance, so an entry whose nearest point is farther never wins. `from` must hold every
// entry that can be nearest inside the box; the result then does too.
template <typename Index>
void AppendCandidates(const std::vector<PaletteColor>& palette, const Index* from, int count, const ColorBox& box,
                      std::vector<uint16_t>* out)
{
    int bound = INT32_MAX;
    for (int i = 0; i < count; i++)
        bound = std::min(bound, FarDistance(palette[from[i]], box));
    for (int i = 0; i < count; i++)
        if (NearDistance(palette[from[i]], box) <= bound)
            out->push_back(uint16_t(from[i]));
}

}  // namespace

void NearestColorFinder::PrepareCell(int cell) const
{
    const int size = 1 << kCellShift;
    const ColorBox box = {(cell / (kCellsPerChannel * kCellsPerChannel)) * size,
                          (cell / kCellsPerChannel % kCellsPerChannel) * size, (cell % kCellsPerChannel) * size, size};
    std::vector<uint16_t> all(palette_.size());
    for (size_t i = 0; i < all.size(); i++)
        all[i] = uint16_t(i);
    cells_[cell].start = int32_t(candidates_.size());
    AppendCandidates(palette_, all.data(), int(all.size()), box, &candidates_);
    cells_[cell].count = int32_t(candidates_.size()) - cells_[cell].start;
}

uint32_t NearestColorFinder::PrepareFineCell(int fineCell) const
{
    const int size = 1 << fineShift_, perChannel = 256 >> fineShift_;
    const ColorBox box = {(fineCell / (perChannel * perChannel)) * size, (fineCell / perChannel % perChannel) * size,
                          (fineCell % perChannel) * size, size};
    const int cell = ((box.red >> kCellShift) * kCellsPerChannel + (box.green >> kCellShift)) * kCellsPerChannel +
                     (box.blue >> kCellShift);
    if (cells_[cell].start < 0)
        PrepareCell(cell);
    std::vector<uint16_t> list;
    AppendCandidates(palette_, candidates_.data() + cells_[cell].start, cells_[cell].count, box, &list);
    if (list.empty() || list.size() > kFineSlots) {
        fine_[fineCell] = kAskTheCell;
    } else {
        uint32_t slots = 0;
        for (int i = 0; i < kFineSlots; i++)
            slots |= uint32_t(list[std::min(size_t(i), list.size() - 1)]) << (8 * i);
        fine_[fineCell] = slots;
    }
    return fine_[fineCell];
}

void NearestColorFinder::PrepareAllCells()
{
    if (palette_.size() > 256) {
        for (int cell = 0; cell < kCellCount; cell++)
            PrepareCell(cell);
        return;
    }
    for (int cell = 0; cell < int(fine_.size()); cell++)
        PrepareFineCell(cell);
}

int NearestColorFinder::FindInCell(int red, int green, int blue) const
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

int NearestColorFinder::FindSlowly(int fineCell, __m128i color) const
{
    uint32_t slots = fine_[fineCell];
    if (slots == kUnlisted)
        slots = PrepareFineCell(fineCell);
    if (slots != kAskTheCell)
        return BestOfFourSlots(levels_.data(), slots, color);
    return FindInCell(_mm_extract_epi16(color, 2), _mm_extract_epi16(color, 1), _mm_extract_epi16(color, 0));
}

int NearestColorFinder::Find(int red, int green, int blue) const
{
    if (palette_.size() > 256)
        return FindInCell(red, green, blue);
    return fineShift_ == kCellShift ? LookupAt<kCellShift>()(Levels(red, green, blue))
                                    : LookupAt<kFineShift>()(Levels(red, green, blue));
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

// The entry a pixel becomes: its color as the pixel stores it, its index, and its levels as
// NearestColorFinder::Levels gives them.
struct Pick {
    uint32_t color;
    int index;
    __m128i levels;
};

// The nearest of exactly two entries without a table: entry 1 is nearer than entry 0 when
// 2 v.(c1 - c0) > |c1|^2 - |c0|^2 (the difference of the two squared distances); a tie
// keeps entry 0. Chosen by a mask, never by a branch (on noise a branch is a coin toss).
struct NearerOfTwo {
    __m128i twiceTheStep;  // 2 (c1 - c0) in the lanes of the levels
    __m128i thresholds;    // |c1|^2 - |c0|^2 in every lane
    PaletteColor first, second;
    __m128i firstLevels, secondLevels;

    NearerOfTwo(PaletteColor c0, PaletteColor c1)
        : twiceTheStep(
              _mm_slli_epi16(_mm_sub_epi16(NearestColorFinder::Levels(c1), NearestColorFinder::Levels(c0)), 1)),
          thresholds(_mm_set1_epi32(SquaredDistance(c1, 0, 0, 0) - SquaredDistance(c0, 0, 0, 0))),
          first(c0 & 0xFFFFFF), second(c1 & 0xFFFFFF), firstLevels(NearestColorFinder::Levels(c0)),
          secondLevels(NearestColorFinder::Levels(c1))
    {
    }
    Pick operator()(__m128i color) const
    {
        const __m128i parts = _mm_madd_epi16(color, twiceTheStep);
        const __m128i product = _mm_add_epi32(parts, _mm_srli_epi64(parts, 32));
        // All ones when entry 1 is nearer, in every lane.
        const __m128i nearer = _mm_shuffle_epi32(_mm_cmpgt_epi32(product, thresholds), 0);
        const uint32_t mask = uint32_t(_mm_cvtsi128_si32(nearer));
        return {first ^ ((first ^ second) & mask), int(mask & 1),
                _mm_xor_si128(firstLevels, _mm_and_si128(_mm_xor_si128(firstLevels, secondLevels), nearer))};
    }
};

// Palettes of at most 256 entries: the index from the fine cells.
template <int shift>
struct FineLookup {
    NearestColorFinder::Lookup<shift> lookup;
    const PaletteColor* colors;
    Pick operator()(__m128i color) const
    {
        const int index = lookup(color);
        const __m128i levels = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(&lookup.levels[index]));
        return {colors[index] & 0xFFFFFF, index, levels};
    }
};

struct CellLookup {
    const NearestColorFinder& finder;
    Pick operator()(__m128i color) const
    {
        const int index =
            finder.Find(_mm_extract_epi16(color, 2), _mm_extract_epi16(color, 1), _mm_extract_epi16(color, 0));
        return {finder.Color(index) & 0xFFFFFF, index, NearestColorFinder::Levels(finder.Color(index))};
    }
};

// Divides the three differences of a pixel by the level, truncating toward zero: a
// magnitude a <= 255 divided by L is (a * ceil(65536 / L)) >> 16 exactly (the excess of the
// product stays below a * L / 65536 < 1 / L). Level 1 keeps the magnitude whole. The alpha
// lane comes out 0.
struct ErrorDivider {
    __m128i multiplier;  // ceil(65536 / level) in the color lanes, for levels above 1
    __m128i whole;       // all ones in the color lanes for level 1

    explicit ErrorDivider(int level)
    {
        const short m = level > 1 ? short((65536 + level - 1) / level) : 0, keep = level > 1 ? 0 : -1;
        multiplier = _mm_setr_epi16(m, m, m, 0, 0, 0, 0, 0);
        whole = _mm_setr_epi16(keep, keep, keep, 0, 0, 0, 0, 0);
    }
    __m128i operator()(__m128i difference) const
    {
        const __m128i sign = _mm_srai_epi16(difference, 15);
        const __m128i magnitude = _mm_sub_epi16(_mm_xor_si128(difference, sign), sign);
        const __m128i quotient =
            _mm_or_si128(_mm_mulhi_epu16(magnitude, multiplier), _mm_and_si128(magnitude, whole));
        return _mm_sub_epi16(_mm_xor_si128(quotient, sign), sign);
    }
};

// Rows are walked a few at a time, each a block of pixels behind the one above it. A pixel
// needs only its left neighbour and the two pixels above-left and above, so the rows of a
// group do not wait for each other where they are, and the processor overlaps their walks:
// one walk alone is a chain of dependent steps (lookup, comparison, error, next pixel) that
// leaves most of it idle.
constexpr int kRowsWalkedTogether = 5;
constexpr int kBlockPixels = 4;

// The rows of errors between the rows of a group, kept from call to call: fresh pages cost
// more than the walk of a small picture. Each holds four values per pixel (the alpha's
// always 0) after one pixel of zeros that stands for the pixel left of the row.
std::array<int16_t*, kRowsWalkedTogether + 1> ErrorRows(int width)
{
    thread_local std::vector<int16_t> kept;
    const size_t rowLength = (size_t(width) + 1) * 4;
    kept.assign(rowLength * (kRowsWalkedTogether + 1), 0);
    std::array<int16_t*, kRowsWalkedTogether + 1> rows;
    for (int i = 0; i <= kRowsWalkedTogether; i++)
        rows[i] = kept.data() + rowLength * i;
    return rows;
}

// The errors of the row above reach pixels first..first + count - 1 of a row: pixel x gets
// the error of x - 1 (as its lower-right neighbour) and then that of x, each addition
// clamped, in the order of a pixel-by-pixel walk. `above` is the row's error row.
void DiffuseDown(uint8_t* row, const int16_t* above, int first, int count)
{
    uint8_t* pixels = row + size_t(first) * 4;
    const int16_t* errors = above + size_t(first) * 4;
    const int values = count * 4;
    const __m128i zero = _mm_setzero_si128(), top = _mm_set1_epi16(255);
    int i = 0;
    for (; i + 8 <= values; i += 8) {
        __m128i v = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(pixels + i)), zero);
        v = _mm_add_epi16(v, _mm_loadu_si128(reinterpret_cast<const __m128i*>(errors + i)));
        v = _mm_min_epi16(_mm_max_epi16(v, zero), top);
        v = _mm_add_epi16(v, _mm_loadu_si128(reinterpret_cast<const __m128i*>(errors + i + 4)));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(pixels + i), _mm_packus_epi16(v, v));  // clamps too
    }
    for (; i < values; i++)
        pixels[i] = uint8_t(std::clamp(std::clamp(pixels[i] + errors[i], 0, 255) + errors[i + 4], 0, 255));
}

// One row's walk: its pixels, the errors the row above left it and those it leaves the row
// below, and the error its last visited pixel passes to the right.
struct RowWalk {
    uint8_t* pixels;
    const int16_t* above;
    int16_t* below;
    uint16_t* indices;  // or null
    __m128i carried = _mm_setzero_si128();
};

// Visits pixel x, which has its share from the row above already: the left neighbour's
// arrives, and the pixel becomes its nearest color.
template <typename Nearest>
inline void Visit(RowWalk& row, int x, const Nearest& nearest, const ErrorDivider& divide, int alphaThreshold)
{
    uint8_t* p = row.pixels + size_t(x) * 4;
    uint32_t bytes;
    std::memcpy(&bytes, p, 4);  // blue, green, red, alpha
    const __m128i zero = _mm_setzero_si128();
    const __m128i own = _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(bytes & 0xFFFFFF)), zero);
    const __m128i color = _mm_min_epi16(_mm_max_epi16(_mm_add_epi16(own, row.carried), zero), _mm_set1_epi16(255));
    const Pick pick = nearest(color);
    const __m128i error = divide(_mm_sub_epi16(color, pick.levels));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(row.below + size_t(x + 1) * 4), error);
    row.carried = error;
    if (row.indices)
        row.indices[x] = uint16_t(pick.index);
    const uint32_t pixel = pick.color | (bytes >> 24 > uint32_t(alphaThreshold) ? 0xFF000000u : 0u);
    std::memcpy(p, &pixel, 4);
}

// Walks `count` rows together; at step s row k walks block s - k. Before a row walks a
// block, the row above has finished that block, so every error it gets from above is known.
template <int count, typename Nearest>
void WalkRows(const RowWalk* walks, int width, const Nearest& nearest, const ErrorDivider& divider,
              int alphaThreshold)
{
    // Local copies, so that the carried errors and the tables' addresses can stay in
    // registers while the walk writes pixels.
    RowWalk rows[count];
    std::copy(walks, walks + count, rows);
    const Nearest lookup = nearest;
    const ErrorDivider divide = divider;
    const int blocks = (width + kBlockPixels - 1) / kBlockPixels;
    for (int step = 0; step < blocks + count - 1; step++) {
        bool everyRowHasAWholeBlock = true;
#pragma GCC unroll 8
        for (int k = 0; k < count; k++) {
            const int first = (step - k) * kBlockPixels;
            if (first >= 0 && first < width)
                DiffuseDown(rows[k].pixels, rows[k].above, first, std::min(kBlockPixels, width - first));
            everyRowHasAWholeBlock &= first >= 0 && first + kBlockPixels <= width;
        }
        const int start = step * kBlockPixels;
        if (everyRowHasAWholeBlock) {
            for (int x = start; x < start + kBlockPixels; x++)
#pragma GCC unroll 8
                for (int k = 0; k < count; k++)
                    Visit(rows[k], x - k * kBlockPixels, lookup, divide, alphaThreshold);
        } else {
            for (int x = start; x < start + kBlockPixels; x++)
#pragma GCC unroll 8
                for (int k = 0; k < count; k++)
                    if (x - k * kBlockPixels >= 0 && x - k * kBlockPixels < width)
                        Visit(rows[k], x - k * kBlockPixels, lookup, divide, alphaThreshold);
        }
    }
}

template <typename Nearest>
void DitherRows(const PixelView& work, const Nearest& nearest, int level, int alphaThreshold, uint16_t* indices)
{
    const ErrorDivider divide(level);
    auto errors = ErrorRows(work.width);  // errors[0]: zeros, above the first row
    for (int y = 0; y < work.height; y += kRowsWalkedTogether) {
        const int count = std::min(kRowsWalkedTogether, work.height - y);
        RowWalk rows[kRowsWalkedTogether];
        for (int k = 0; k < count; k++)
            rows[k] = {work.Row(y + k), errors[k], errors[k + 1],
                       indices ? indices + size_t(y + k) * work.width : nullptr};
        if (count == kRowsWalkedTogether) {
            WalkRows<kRowsWalkedTogether>(rows, work.width, nearest, divide, alphaThreshold);
        } else {  // the last few rows: in pairs, and one alone
            int k = 0;
            for (; k + 2 <= count; k += 2)
                WalkRows<2>(rows + k, work.width, nearest, divide, alphaThreshold);
            if (k < count)
                WalkRows<1>(rows + k, work.width, nearest, divide, alphaThreshold);
        }
        std::swap(errors[0], errors[count]);  // the last row's errors go to the next group
    }
}

}  // namespace

void DitherToPalette(const PixelView& work, const NearestColorFinder& finder, int level,
                     int alphaThreshold, uint16_t* indices)
{
    // Thresholding is idempotent and nothing else reads the alpha, so thresholding each
    // pixel once as it is visited gives what thresholding it at every diffusion would.
    using Finder = NearestColorFinder;
    if (finder.Count() == 0)
        return;  // no color to reduce to
    if (finder.Count() == 2)
        DitherRows(work, NearerOfTwo(finder.Color(0), finder.Color(1)), level, alphaThreshold, indices);
    else if (finder.Count() <= 256 && finder.FineShift() == Finder::kCellShift)
        DitherRows(work, FineLookup<Finder::kCellShift>{finder.LookupAt<Finder::kCellShift>(), finder.Colors()},
                   level, alphaThreshold, indices);
    else if (finder.Count() <= 256)
        DitherRows(work, FineLookup<Finder::kFineShift>{finder.LookupAt<Finder::kFineShift>(), finder.Colors()},
                   level, alphaThreshold, indices);
    else
        DitherRows(work, CellLookup{finder}, level, alphaThreshold, indices);
}

void ThresholdAlpha(const PixelView& work, int alphaThreshold)
{
    for (int y = 0; y < work.height; y++)
        for (int x = 0; x < work.width; x++) {
            uint8_t* p = work.At(x, y);
            p[kAlpha] = p[kAlpha] > alphaThreshold ? 255 : 0;
        }
}
