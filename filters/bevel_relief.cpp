// A half-window sum is a difference of running sums, so every pixel costs a handful of
// reads whatever the window size: column blocks of the row prefix sums for the straight
// halves, and prefix sums chained along the diagonals for the slanted ones. Only the last
// 2r + 2 rows of the running sums are kept. The sums wrap around in 32 bits, which is
// harmless because every difference taken is small.
#include "filters/bevel_relief.h"

#include <algorithm>

namespace {

enum class Halves { kAbove, kRight, kAboveRight, kBelowRight };

// Running sums over the source padded by `margin` transparent pixels all round; row j of a
// table lives in ring slot j mod rows. Column X of a prefix row sums the alphas left of X.
struct ReliefTables {
    int margin = 0;
    int width = 0;  // padded width
    int stride = 0;  // width + 1
    int rows = 0;    // ring size: 2r + 2
    std::vector<uint32_t> prefix;    // the current padded row's prefix sums
    std::vector<uint32_t> columns;   // columns[j][X]: prefix[0..j][X] summed
    std::vector<uint32_t> diagonal;  // prefix summed along the falling diagonal through (j, X)
    std::vector<uint32_t> anti;      // prefix summed along the rising diagonal through (j, X)

    size_t At(int j, int column) const { return size_t(j % rows) * stride + column; }
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
    t.width = source.width + 2 * t.margin;
    t.stride = t.width + 1;
    t.rows = 2 * radius + 2;
    t.prefix.assign(t.stride, 0);
    t.columns.assign(size_t(t.rows) * t.stride, 0);
    if (halves == Halves::kAboveRight)
        t.diagonal.assign(size_t(t.rows) * t.stride, 0);
    if (halves == Halves::kBelowRight)
        t.anti.assign(size_t(t.rows) * t.stride, 0);
    return t;
}

// Adds padded row j to the running sums.
void AddRow(ReliefTables& t, const PixelView& source, int j)
{
    const int y = j - t.margin;
    uint32_t sum = 0;
    t.prefix[0] = 0;
    for (int column = 1; column <= t.width; column++) {
        const int x = column - 1 - t.margin;
        if (y >= 0 && y < source.height && x >= 0 && x < source.width)
            sum += source.Row(y)[x * 4 + kAlpha];
        t.prefix[column] = sum;
    }
    for (int column = 0; column <= t.width; column++)
        t.columns[t.At(j, column)] = t.prefix[column] + (j > 0 ? t.columns[t.At(j - 1, column)] : 0);
    if (!t.diagonal.empty())
        for (int column = 0; column <= t.width; column++)
            t.diagonal[t.At(j, column)] =
                t.prefix[column] + (j > 0 && column > 0 ? t.diagonal[t.At(j - 1, column - 1)] : 0);
    if (!t.anti.empty())
        for (int column = 0; column <= t.width; column++)
            t.anti[t.At(j, column)] = t.prefix[column] + (j > 0 && column < t.width ? t.anti[t.At(j - 1, column + 1)] : 0);
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

void ForEachReliefRow(const PixelView& source, int radius, int direction,
                      const std::function<void(int y, const int32_t* relief)>& onRow)
{
    // Directions 5..8 are 1..4 with light and far sides swapped.
    static constexpr Halves kBase[4] = {Halves::kAbove, Halves::kAboveRight, Halves::kRight, Halves::kBelowRight};
    const Halves halves = kBase[(direction - 1) % 4];
    const int32_t sign = direction > 4 ? -1 : 1;
    ReliefTables tables = MakeTables(source, radius, halves);
    std::vector<int32_t> relief(source.width);
    for (int j = 0; j < source.height + tables.margin + radius; j++) {
        AddRow(tables, source, j);
        const int cy = j - radius, y = cy - tables.margin;  // the row whose window is now complete
        if (y < 0)
            continue;
        for (int x = 0; x < source.width; x++)
            relief[x] = sign * Relief(tables, halves, radius, x + tables.margin, cy);
        onRow(y, relief.data());
    }
}

std::vector<int32_t> BevelRelief(const PixelView& source, int radius, int direction)
{
    std::vector<int32_t> all(size_t(source.width) * source.height);
    ForEachReliefRow(source, radius, direction, [&](int y, const int32_t* relief) {
        std::copy(relief, relief + source.width, all.begin() + size_t(y) * source.width);
    });
    return all;
}
