#include "dither.h"

#include <algorithm>

NearestColorFinder::NearestColorFinder(const PaletteColor* palette, int count)
    : palette_(palette, palette + count), cells_(kCellCount), fine_(kFineCount, count <= 256 ? kUnlisted : kAskTheCell)
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
    const int size = 1 << kFineShift;
    const ColorBox box = {(fineCell / (kFinePerChannel * kFinePerChannel)) * size,
                          (fineCell / kFinePerChannel % kFinePerChannel) * size, (fineCell % kFinePerChannel) * size,
                          size};
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
    for (int cell = 0; cell < kFineCount; cell++)
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

int NearestColorFinder::Find(int red, int green, int blue) const
{
    const int fineCell = ((red >> kFineShift) * kFinePerChannel + (green >> kFineShift)) * kFinePerChannel +
                         (blue >> kFineShift);
    uint32_t slots = fine_[fineCell];
    if ((slots & 0xFF) > (slots >> 8 & 0xFF)) {
        if (slots == kUnlisted)
            slots = PrepareFineCell(fineCell);
        if (slots == kAskTheCell)
            return FindInCell(red, green, blue);
    }
    // The four slots rise in index order, so a strict comparison keeps the lowest on ties.
    int bestIndex = int(slots & 0xFF), bestDistance = SquaredDistance(palette_[bestIndex], red, green, blue);
    for (int i = 1; i < kFineSlots; i++) {
        const int index = int(slots >> (8 * i) & 0xFF);
        const int distance = SquaredDistance(palette_[index], red, green, blue);
        bestIndex = distance < bestDistance ? index : bestIndex;
        bestDistance = distance < bestDistance ? distance : bestDistance;
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

inline uint8_t AddClamped(uint8_t value, int error)
{
    return uint8_t(std::clamp(value + error, 0, 255));
}

// The lower neighbours' share of a finished row: pixel x of the row below gets the error of
// x - 1 (as its lower-right neighbour) and then that of x, each addition clamped, exactly
// the order in which a pixel-by-pixel walk would add them. `errors` holds four values per
// pixel, the alpha's always 0.
void DiffuseDown(uint8_t* below, const int16_t* errors, int width)
{
    const int count = width * 4;
    for (int i = 0; i < 4 && i < count; i++)
        below[i] = AddClamped(below[i], errors[i]);
    for (int i = 4; i < count; i++)
        below[i] = AddClamped(AddClamped(below[i], errors[i - 4]), errors[i]);
}

}  // namespace

namespace {

// The nearest of exactly two entries without a table: entry 1 is nearer than entry 0 when
// 2 v.(c1 - c0) > |c1|^2 - |c0|^2 (the difference of the two squared distances); a tie
// keeps entry 0.
struct NearerOfTwo {
    int red, green, blue, threshold;

    NearerOfTwo(PaletteColor c0, PaletteColor c1)
        : red(2 * (PaletteRed(c1) - PaletteRed(c0))), green(2 * (PaletteGreen(c1) - PaletteGreen(c0))),
          blue(2 * (PaletteBlue(c1) - PaletteBlue(c0))),
          threshold(SquaredDistance(c1, 0, 0, 0) - SquaredDistance(c0, 0, 0, 0))
    {
    }
    int operator()(int r, int g, int b) const { return red * r + green * g + blue * b > threshold ? 1 : 0; }
};

// The entry's color by a selection between the two, not a load that would wait for it.
struct TwoColors {
    PaletteColor first, second;
    PaletteColor operator()(int index) const { return index ? second : first; }
};

struct TableLookup {
    const NearestColorFinder& finder;
    int operator()(int r, int g, int b) const { return finder.Find(r, g, b); }
};

struct PaletteLoad {
    const NearestColorFinder& finder;
    PaletteColor operator()(int index) const { return finder.Color(index); }
};

// The walk itself. The current pixel's color, with every error it has received, is carried
// from one pixel to the next in registers; the right neighbour's share goes there and the
// lower neighbours' into the row below once the row is done.
template <typename Nearest, typename ColorOf>
void DitherRows(const PixelView& work, const Nearest& nearest, const ColorOf& colorOf, const int* divided,
                int alphaThreshold, uint16_t* indices)
{
    std::vector<int16_t> errors(size_t(work.width) * 4, 0);
    for (int y = 0; y < work.height; y++) {
        uint8_t* p = work.Row(y);
        int red = p[kRed], green = p[kGreen], blue = p[kBlue];
        uint16_t* rowIndices = indices ? indices + size_t(y) * work.width : nullptr;
        for (int x = 0; x < work.width; x++, p += 4) {
            const int index = nearest(red, green, blue);
            const PaletteColor e = colorOf(index);
            const int errorRed = divided[red - PaletteRed(e)], errorGreen = divided[green - PaletteGreen(e)],
                      errorBlue = divided[blue - PaletteBlue(e)];
            int16_t* error = errors.data() + size_t(x) * 4;
            error[kRed] = int16_t(errorRed);
            error[kGreen] = int16_t(errorGreen);
            error[kBlue] = int16_t(errorBlue);
            if (rowIndices)
                rowIndices[x] = uint16_t(index);
            if (x + 1 < work.width) {
                red = std::clamp(p[4 + kRed] + errorRed, 0, 255);
                green = std::clamp(p[4 + kGreen] + errorGreen, 0, 255);
                blue = std::clamp(p[4 + kBlue] + errorBlue, 0, 255);
            }
            p[kRed] = PaletteRed(e);
            p[kGreen] = PaletteGreen(e);
            p[kBlue] = PaletteBlue(e);
            p[kAlpha] = p[kAlpha] > alphaThreshold ? 255 : 0;
        }
        if (y + 1 < work.height)
            DiffuseDown(work.Row(y + 1), errors.data(), work.width);
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
    if (finder.Count() == 2)
        DitherRows(work, NearerOfTwo(finder.Color(0), finder.Color(1)), TwoColors{finder.Color(0), finder.Color(1)},
                   dividedBy + 255, alphaThreshold, indices);
    else
        DitherRows(work, TableLookup{finder}, PaletteLoad{finder}, dividedBy + 255, alphaThreshold, indices);
}

void ThresholdAlpha(const PixelView& work, int alphaThreshold)
{
    for (int y = 0; y < work.height; y++)
        for (int x = 0; x < work.width; x++) {
            uint8_t* p = work.At(x, y);
            p[kAlpha] = p[kAlpha] > alphaThreshold ? 255 : 0;
        }
}
