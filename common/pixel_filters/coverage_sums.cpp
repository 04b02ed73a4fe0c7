#include "common/pixel_filters/coverage_sums.h"

#include "common/pixel_filters/pixel_buffer.h"

namespace {

enum Quantity { kWeight, kRed, kGreen, kBlue, kAlphaSum, kQuantityCount };


// One source row split into the five quantities, each padded by `radius` repeated edge
// values on both sides so the horizontal pass needs no clamping.
void SplitPaddedRow(const PixelView& source, int y, int radius, std::vector<uint16_t>* padded)
{
    const int width = source.width;
    const uint32_t* row = PixelRow(source, y);
    for (int i = 0; i < width + 2 * radius; i++) {
        const uint32_t pixel = row[ClampIndex(i - radius, width)];
        const uint16_t covered = AlphaOf(pixel) != 0;
        padded[kWeight][i] = covered;
        padded[kRed][i] = uint16_t(covered * RedOf(pixel));
        padded[kGreen][i] = uint16_t(covered * GreenOf(pixel));
        padded[kBlue][i] = uint16_t(covered * BlueOf(pixel));
        padded[kAlphaSum][i] = uint16_t(AlphaOf(pixel));
    }
}

void SumAlongRow(const uint16_t* padded, const uint16_t* taps, int span, int width, uint16_t* out)
{
    for (int x = 0; x < width; x++)
        out[x] = 0;
    for (int t = 0; t < span; t++) {
        const uint16_t tap = taps[t];
        const uint16_t* from = padded + t;
        for (int x = 0; x < width; x++)
            out[x] = uint16_t(out[x] + tap * from[x]);
    }
}

void SumAlongColumns(const std::vector<uint16_t>& rows, const uint16_t* taps, int radius, int width, int height,
                     std::vector<uint16_t>& out)
{
    for (int y = 0; y < height; y++) {
        uint16_t* target = out.data() + size_t(y) * width;
        for (int x = 0; x < width; x++)
            target[x] = 0;
        for (int t = 0; t <= 2 * radius; t++) {
            const uint16_t tap = taps[t];
            const uint16_t* from = rows.data() + size_t(ClampIndex(y + t - radius, height)) * width;
            for (int x = 0; x < width; x++)
                target[x] = uint16_t(target[x] + tap * from[x]);
        }
    }
}

}  // namespace

CoverageSums SumCoverageWindow(const PixelView& source, const uint16_t* taps, int radius)
{
    const int width = source.width, height = source.height;
    const size_t area = size_t(width) * size_t(height);
    std::vector<uint16_t> padded[kQuantityCount], horizontal[kQuantityCount];
    for (int q = 0; q < kQuantityCount; q++) {
        padded[q].resize(size_t(width) + 2 * radius);
        horizontal[q].resize(area);
    }
    for (int y = 0; y < height; y++) {
        SplitPaddedRow(source, y, radius, padded);
        for (int q = 0; q < kQuantityCount; q++)
            SumAlongRow(padded[q].data(), taps, 2 * radius + 1, width, horizontal[q].data() + size_t(y) * width);
    }
    CoverageSums sums;
    sums.width = width;
    sums.height = height;
    std::vector<uint16_t>* out[kQuantityCount] = {&sums.weight, &sums.red, &sums.green, &sums.blue, &sums.alpha};
    for (int q = 0; q < kQuantityCount; q++) {
        out[q]->resize(area);
        SumAlongColumns(horizontal[q], taps, radius, width, height, *out[q]);
    }
    return sums;
}
