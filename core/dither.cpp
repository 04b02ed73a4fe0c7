#include "dither.h"

#include <emmintrin.h>

#include <algorithm>
#include <cstring>

NearestColorFinder::NearestColorFinder(const PaletteColor* palette, int count)
    : palette_(palette, palette + count), fineShift_(count <= 16 ? kCellShift : kFineShift), cells_(kCellCount),
      fine_(size_t(1) << (3 * (8 - fineShift_)), count <= 256 ? kUnlisted : kAskTheCell)
{
    for (int i = 0; i < count && i < 256; i++) {
        const int red = PaletteRed(palette[i]), green = PaletteGreen(palette[i]), blue = PaletteBlue(palette[i]);
        slotEntries_.push_back({SpreadReversed(blue, green, red), red * red + green * green + blue * blue,
                                (palette[i] & 0xFFFFFF) | uint32_t(i) << 24});
    }
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

uint32_t NearestColorFinder::FindColorAndIndexSlowly(int fineCell, int red, int green, int blue) const
{
    uint32_t slots = fine_[fineCell];
    if (slots == kUnlisted)
        slots = PrepareFineCell(fineCell);
    if (slots != kAskTheCell)
        return BestOfFourSlots(slotEntries_.data(), slots, red, green, blue);
    const uint32_t index = uint32_t(FindInCell(red, green, blue));
    return (palette_[index] & 0xFFFFFF) | index << 24;
}

int NearestColorFinder::Find(int red, int green, int blue) const
{
    if (palette_.size() > 256)
        return FindInCell(red, green, blue);
    return int(FindColorAndIndex(red, green, blue) >> 24);
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

inline uint8_t AddClamped(uint8_t value, int error)
{
    return uint8_t(std::clamp(value + error, 0, 255));
}

// The nearest entry of one pixel and the error it leaves, per channel already divided.
struct Choice {
    PaletteColor color;
    int index;
    int errorRed, errorGreen, errorBlue;
};

inline Choice ChoiceFor(PaletteColor color, int index, int red, int green, int blue, const int* divided)
{
    return {color, index, divided[red - PaletteRed(color)], divided[green - PaletteGreen(color)],
            divided[blue - PaletteBlue(color)]};
}

// The nearest of exactly two entries without a table: entry 1 is nearer than entry 0 when
// 2 v.(c1 - c0) > |c1|^2 - |c0|^2 (the difference of the two squared distances); a tie
// keeps entry 0. The errors both entries would leave are kept per channel value, packed in
// one word (entry 0's in the low half), so the choice picks an error by a shift and never
// by a branch (on noise a branch would be a coin toss).
struct NearerOfTwo {
    int red, green, blue, threshold;
    PaletteColor first, second;
    const uint32_t (*errors)[256];  // by channel (red, green, blue), then by value

    NearerOfTwo(PaletteColor c0, PaletteColor c1, const int* divided, uint32_t (*table)[256])
        : red(2 * (PaletteRed(c1) - PaletteRed(c0))), green(2 * (PaletteGreen(c1) - PaletteGreen(c0))),
          blue(2 * (PaletteBlue(c1) - PaletteBlue(c0))),
          threshold(SquaredDistance(c1, 0, 0, 0) - SquaredDistance(c0, 0, 0, 0)), first(c0), second(c1),
          errors(table)
    {
        for (int channel = 0; channel < 3; channel++) {
            const int shift = 16 - 8 * channel;  // red, green, blue in 0x00RRGGBB
            const int level0 = int(c0 >> shift & 0xFF), level1 = int(c1 >> shift & 0xFF);
            for (int value = 0; value < 256; value++)
                table[channel][value] = uint32_t(uint16_t(divided[value - level0])) |
                                        uint32_t(uint16_t(divided[value - level1])) << 16;
        }
    }
    static int Half(uint32_t packed, int shift) { return int16_t(uint16_t(packed >> shift)); }
    Choice operator()(int r, int g, int b, const int*) const
    {
        // All ones when entry 1 is nearer: the sign of a difference that cannot overflow.
        const int mask = (threshold - (red * r + green * g + blue * b)) >> 31;
        const int half = mask & 16;
        return {first ^ ((first ^ second) & uint32_t(mask)), mask & 1, Half(errors[0][r], half),
                Half(errors[1][g], half), Half(errors[2][b], half)};
    }
};

// Palettes of at most 256 entries: color and index from one lookup of the fine cells.
template <int shift>
struct FineLookup {
    NearestColorFinder::Lookup<shift> lookup;
    Choice operator()(int r, int g, int b, const int* divided) const
    {
        const uint32_t found = lookup(r, g, b);
        return ChoiceFor(found & 0xFFFFFF, int(found >> 24), r, g, b, divided);
    }
};

struct CellLookup {
    const NearestColorFinder& finder;
    Choice operator()(int r, int g, int b, const int* divided) const
    {
        const int index = finder.Find(r, g, b);
        return ChoiceFor(finder.Color(index), index, r, g, b, divided);
    }
};

// Rows are walked a few at a time, each a block of pixels behind the one above it. A pixel
// needs only its left neighbour and the two pixels above-left and above, so the rows of a
// group do not wait for each other where they are, and the processor overlaps their walks:
// one walk alone is a chain of dependent steps (lookup, comparison, error, next pixel) that
// leaves most of it idle.
constexpr int kRowsWalkedTogether = 3;
constexpr int kBlockPixels = 16;

// The rows of errors between the rows of a group, kept from call to call: fresh pages cost
// more than the walk of a small picture. Each holds four values per pixel (the alpha's
// always 0) after one pixel of zeros that stands for the pixel left of the row.
std::vector<int16_t*> ErrorRows(int width)
{
    thread_local std::vector<int16_t> kept;
    const size_t rowLength = (size_t(width) + 1) * 4;
    kept.assign(rowLength * (kRowsWalkedTogether + 1), 0);
    std::vector<int16_t*> rows;
    for (int i = 0; i <= kRowsWalkedTogether; i++)
        rows.push_back(kept.data() + rowLength * i);
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
        pixels[i] = AddClamped(AddClamped(pixels[i], errors[i]), errors[i + 4]);
}

// One row's walk: its pixels, the errors the row above left it and those it leaves the row
// below, and the share its last visited pixel passes to the right.
struct RowWalk {
    uint8_t* pixels;
    const int16_t* above;
    int16_t* below;
    uint16_t* indices;  // or null
    int red = 0, green = 0, blue = 0;
};

// Visits pixel x, which has its share from the row above already: the left neighbour's
// arrives, and the pixel becomes its nearest color.
template <typename Nearest>
inline void Visit(RowWalk& row, int x, const Nearest& nearest, const int* divided, int alphaThreshold)
{
    uint8_t* p = row.pixels + size_t(x) * 4;
    const Choice c = nearest(std::clamp(p[kRed] + row.red, 0, 255), std::clamp(p[kGreen] + row.green, 0, 255),
                             std::clamp(p[kBlue] + row.blue, 0, 255), divided);
    int16_t* error = row.below + size_t(x + 1) * 4;
    error[kRed] = int16_t(c.errorRed);
    error[kGreen] = int16_t(c.errorGreen);
    error[kBlue] = int16_t(c.errorBlue);
    row.red = c.errorRed;
    row.green = c.errorGreen;
    row.blue = c.errorBlue;
    if (row.indices)
        row.indices[x] = uint16_t(c.index);
    // Blue, green, red, alpha in memory order: the color with the alpha above it.
    const uint32_t pixel = (c.color & 0xFFFFFF) | (p[kAlpha] > alphaThreshold ? 0xFF000000u : 0u);
    std::memcpy(p, &pixel, 4);
}

// Walks `count` rows together; at step s row k walks block s - k. Before a row walks a
// block, the row above has finished it and the pixel after it.
template <int count, typename Nearest>
void WalkRows(const RowWalk* walks, int width, const Nearest& nearest, const int* divided, int alphaThreshold)
{
    // Local copies, so that the carried errors and the tables' addresses can stay in
    // registers while the walk writes pixels.
    RowWalk rows[count];
    std::copy(walks, walks + count, rows);
    const Nearest lookup = nearest;
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
                    Visit(rows[k], x - k * kBlockPixels, lookup, divided, alphaThreshold);
        } else {
            for (int x = start; x < start + kBlockPixels; x++)
#pragma GCC unroll 8
                for (int k = 0; k < count; k++)
                    if (x - k * kBlockPixels >= 0 && x - k * kBlockPixels < width)
                        Visit(rows[k], x - k * kBlockPixels, lookup, divided, alphaThreshold);
        }
    }
}

template <typename Nearest>
void DitherRows(const PixelView& work, const Nearest& nearest, const int* divided, int alphaThreshold,
                uint16_t* indices)
{
    std::vector<int16_t*> errors = ErrorRows(work.width);  // errors[0]: zeros, above the first row
    for (int y = 0; y < work.height; y += kRowsWalkedTogether) {
        const int count = std::min(kRowsWalkedTogether, work.height - y);
        RowWalk rows[kRowsWalkedTogether];
        for (int k = 0; k < count; k++)
            rows[k] = {work.Row(y + k), errors[k], errors[k + 1],
                       indices ? indices + size_t(y + k) * work.width : nullptr};
        if (count == kRowsWalkedTogether)
            WalkRows<kRowsWalkedTogether>(rows, work.width, nearest, divided, alphaThreshold);
        else
            for (int k = 0; k < count; k++)
                WalkRows<1>(rows + k, work.width, nearest, divided, alphaThreshold);
        std::swap(errors[0], errors[count]);  // the last row's errors go to the next group
    }
}

}  // namespace

void DitherToPalette(const PixelView& work, const NearestColorFinder& finder, int level,
                     int alphaThreshold, uint16_t* indices)
{
    // Every difference lies in -255..255; dividing once per value beats a division per channel.
    int dividedBy[511];
    for (int difference = -255; difference <= 255; difference++)
        dividedBy[difference + 255] = difference / level;  // truncates toward zero
    // Thresholding is idempotent and nothing else reads the alpha, so thresholding each
    // pixel once as it is visited gives what thresholding it at every diffusion would.
    if (finder.Count() == 0)
        return;  // no color to reduce to
    if (finder.Count() == 2) {
        uint32_t errorsOfTwo[3][256];
        DitherRows(work, NearerOfTwo(finder.Color(0), finder.Color(1), dividedBy + 255, errorsOfTwo),
                   dividedBy + 255, alphaThreshold, indices);
    } else if (finder.Count() <= 256 && finder.FineShift() == NearestColorFinder::kCellShift)
        DitherRows(work, FineLookup<NearestColorFinder::kCellShift>{finder.LookupAt<NearestColorFinder::kCellShift>()}, dividedBy + 255, alphaThreshold, indices);
    else if (finder.Count() <= 256)
        DitherRows(work, FineLookup<NearestColorFinder::kFineShift>{finder.LookupAt<NearestColorFinder::kFineShift>()}, dividedBy + 255, alphaThreshold, indices);
    else
        DitherRows(work, CellLookup{finder}, dividedBy + 255, alphaThreshold, indices);
}

void ThresholdAlpha(const PixelView& work, int alphaThreshold)
{
    for (int y = 0; y < work.height; y++)
        for (int x = 0; x < work.width; x++) {
            uint8_t* p = work.At(x, y);
            p[kAlpha] = p[kAlpha] > alphaThreshold ? 255 : 0;
        }
}
