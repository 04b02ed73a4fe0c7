// The user-defined kernel.
#include <cstdlib>
#include <vector>

#include "common/pixel_filters/pixel_buffer.h"
#include "filters/filter_routines.h"

namespace {

// Sums are accumulated in Sum: 32-bit integers when no sum can leave their range (then every
// partial sum is an integer the double arithmetic would hold exactly too, so the results
// agree to the bit), otherwise in double, tap by tap in row-major order.
template <typename Sum>
void Convolve(const CustomKernel& kernel, const PixelView& source, const PixelView& result)
{
    const int size = kernel.size, half = size / 2, width = source.width;
    const double reciprocal = 1.0 / (kernel.scale < 1 ? 1 : kernel.scale);
    std::vector<int> columns(size_t(size) * width);  // tap column c of pixel x
    for (int c = 0; c < size; c++)
        for (int x = 0; x < width; x++)
            columns[size_t(c) * width + x] = ClampIndex(x + c - half, width);
    std::vector<const uint32_t*> rows(size);
    for (int y = 0; y < source.height; y++) {
        for (int r = 0; r < size; r++)
            rows[r] = PixelRow(source, ClampIndex(y + r - half, source.height));
        uint32_t* to = PixelRow(result, y);
        for (int x = 0; x < width; x++) {
            Sum sums[4] = {0, 0, 0, 0};
            for (int r = 0; r < size; r++) {
                const int32_t* weights = kernel.weights + size_t(r) * size;
                for (int c = 0; c < size; c++) {
                    const uint32_t pixel = rows[r][columns[size_t(c) * width + x]];
                    const Sum weight = Sum(weights[c]);
                    for (int channel = 0; channel < 4; channel++)
                        sums[channel] += weight * Sum((pixel >> (8 * channel)) & 0xFF);
                }
            }
            uint32_t pixel = 0;
            for (int channel = 0; channel < 4; channel++)
                pixel |= uint32_t(TruncateToByte(kernel.offset + reciprocal * double(sums[channel]))) << (8 * channel);
            to[x] = pixel;
        }
    }
}

double LargestChannelSum(const CustomKernel& kernel)
{
    double total = 0;
    for (size_t i = 0; i < size_t(kernel.size) * size_t(kernel.size); i++)
        total += std::llabs(kernel.weights[i]);
    return total * 255.0;
}

}  // namespace

void CustomFilter(const CustomKernel& kernel, const PixelView& source, const PixelView& result)
{
    CustomKernel checked = kernel;
    if (checked.size <= 0 || !checked.weights)
        checked.size = 0;  // no taps: every channel is just the offset
    if (LargestChannelSum(checked) < 2147483647.0)
        Convolve<int32_t>(checked, source, result);
    else
        Convolve<double>(checked, source, result);
}
