// A half-window sum is a difference of running sums, so every pixel costs a handful of
// reads whatever the window size: column blocks of the row prefix sums for the straight
// halves, and prefix sums chained along the diagonals for the slanted ones. The sums wrap
// around in 32 bits, which is harmless because every difference taken is small.
#include "filters/bevel_relief.h"

namespace {

enum class Halves { kAbove, kRight, kAboveRight, kBelowRight };

struct ReliefTables {
    int margin = 0;
    int stride = 0;                  // padded width + 1 (the row prefix sums start at 0)
    std::vector<uint32_t> prefix;    // prefix[j][X]: alpha of row j left of column X
    std::vector<uint32_t> columns;   // columns[j][X]: prefix[0..j][X] summed
    std::vector<uint32_t> diagonal;  // prefix summed along the falling diagonal through (j, X)
    std::vector<uint32_t> anti;      // prefix summed along the rising diagonal through (j, X)

    size_t At(int j, int column) const { return size_t(j) * stride + column; }
    // prefix[j0..j1][X]
    uint32_t ColumnBlock(int column, int j0, int j1) const { return columns[At(j1, column)] - columns[At(j0 - 1, column)]; }
    // prefix[j - t][X - t] for t = 0..count-1
    uint32_t DiagonalRun(int j, int column, int count) const
    {
        return diagonal[At(j, column)] - diagonal[At(j - count, column - count)];
    }
    // prefix[j - t][X + t] for t = 0..count-1
    uint32_t AntiRun(int j, int column, int count) const { return anti[At(j, column)] - anti[At(j - count, column + count)]; }
};

ReliefTables MakeTables(const PixelView& source, int radius, Halves halves)
{
    ReliefTables t;
    t.margin = radius + 2;  // room for the window and the one step before each run
    const int width = source.width + 2 * t.margin, height = source.height + 2 * t.margin;
    t.stride = width + 1;
    t.prefix.assign(size_t(height) * t.stride, 0);
    for (int y = 0; y < source.height; y++) {
        const uint8_t* row = source.Row(y);
        uint32_t* prefix = &t.prefix[t.At(y + t.margin, 0)];
        for (int x = 0; x < source.width; x++)
            prefix[x + t.margin + 1] = row[x * 4 + kAlpha];
    }
    for (int j = 0; j < height; j++)
        for (int column = 1; column <= width; column++)
            t.prefix[t.At(j, column)] += t.prefix[t.At(j, column - 1)];
    t.columns = t.prefix;
    for (int j = 1; j < height; j++)
        for (int column = 0; column <= width; column++)
            t.columns[t.At(j, column)] += t.columns[t.At(j - 1, column)];
    if (halves == Halves::kAboveRight) {
        t.diagonal = t.prefix;
        for (int j = 1; j < height; j++)
            for (int column = 1; column <= width; column++)
                t.diagonal[t.At(j, column)] += t.diagonal[t.At(j - 1, column - 1)];
    }
    if (halves == Halves::kBelowRight) {
        t.anti = t.prefix;
        for (int j = 1; j < height; j++)
            for (int column = 0; column < width; column++)
                t.anti[t.At(j, column)] += t.anti[t.At(j - 1, column + 1)];
    }
    return t;
}

// Light side minus far side for the four base directions (top, right, top right, bottom
// right), the window centred on padded (cx, cy).
int32_t Relief(const ReliefTables& t, Halves halves, int r, int cx, int cy)
{
    uint32_t light = 0, far = 0;
    const int span = 2 * r + 1;
    switch (halves) {
    case Halves::kAbove:
        light = t.ColumnBlock(cx + r + 1, cy - r, cy - 1) - t.ColumnBlock(cx - r, cy - r, cy - 1);
        far = t.ColumnBlock(cx + r + 1, cy + 1, cy + r) - t.ColumnBlock(cx - r, cy + 1, cy + r);
        break;
    case Halves::kRight:
        light = t.ColumnBlock(cx + r + 1, cy - r, cy + r) - t.ColumnBlock(cx + 1, cy - r, cy + r);
        far = t.ColumnBlock(cx, cy - r, cy + r) - t.ColumnBlock(cx - r, cy - r, cy + r);
        break;
    case Halves::kAboveRight:  // light where dx > dy, far where dx < dy
        light = t.ColumnBlock(cx + r + 1, cy - r, cy + r) - t.DiagonalRun(cy + r, cx + r + 1, span);
        far = t.DiagonalRun(cy + r, cx + r, span) - t.ColumnBlock(cx - r, cy - r, cy + r);
        break;
    case Halves::kBelowRight:  // light where dx + dy > 0, far where dx + dy < 0
        light = t.ColumnBlock(cx + r + 1, cy - r, cy + r) - t.AntiRun(cy + r, cx - r + 1, span);
        far = t.AntiRun(cy + r, cx - r, span) - t.ColumnBlock(cx - r, cy - r, cy + r);
        break;
    }
    return int32_t(light) - int32_t(far);
}

}  // namespace

int BevelRadius(int depth)
{
    switch (depth) {
    case 3: return 3;
    case 5: return 4;
    case 7: return 6;
    default: return 0;
    }
}

std::vector<int32_t> BevelRelief(const PixelView& source, int radius, int direction)
{
    // Directions 5..8 are 1..4 with light and far sides swapped.
    static constexpr Halves kBase[4] = {Halves::kAbove, Halves::kAboveRight, Halves::kRight, Halves::kBelowRight};
    const Halves halves = kBase[(direction - 1) % 4];
    const int32_t sign = direction > 4 ? -1 : 1;
    const ReliefTables tables = MakeTables(source, radius, halves);
    std::vector<int32_t> relief(size_t(source.width) * source.height);
    for (int y = 0; y < source.height; y++)
        for (int x = 0; x < source.width; x++)
            relief[size_t(y) * source.width + x] =
                sign * Relief(tables, halves, radius, x + tables.margin, y + tables.margin);
    return relief;
}
