// The user-defined kernel.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "common/pixel_filters/pixel_buffer.h"
#include "filters/filter_routines.h"

namespace {

// One source row as four padded channel planes (blue, green, red, alpha), edges repeated.
template <typename Plane>
void SplitRow(const uint32_t* row, int width, int half, int span, Plane* planes)
{
    for (int i = 0; i < span; i++) {
        const uint32_t pixel = row[ClampIndex(i - half, width)];
        for (int channel = 0; channel < 4; channel++)
            planes[size_t(channel) * span + i] = Plane((pixel >> (8 * channel)) & 0xFF);
    }
}

// Sums are accumulated in Sum: 32-bit integers when no sum can leave their range (then every
// partial sum is an integer the double arithmetic would hold exactly too, so the results
// agree to the bit), otherwise in double. Either way each pixel adds its taps in row-major
// order; the taps are applied a whole row of pixels at a time. Weight and Plane are the
// types the products are formed from (16-bit where the weights allow, which vectorizes well).
template <typename Sum, typename Weight, typename Plane>
void Convolve(const CustomKernel& kernel, const PixelView& source, const PixelView& result)
{
    const int size = kernel.size, half = size / 2, width = source.width, span = width + size;
    const double reciprocal = 1.0 / (kernel.scale < 1 ? 1 : kernel.scale);
    std::vector<Plane> planes(size_t(4) * span);
    std::vector<Sum> sums(size_t(4) * width);
    for (int y = 0; y < source.height; y++) {
        std::fill(sums.begin(), sums.end(), Sum(0));
        for (int r = 0; r < size; r++) {
            SplitRow(PixelRow(source, ClampIndex(y + r - half, source.height)), width, half, span, planes.data());
            for (int c = 0; c < size; c++) {
                const Weight weight = Weight(kernel.weights[size_t(r) * size + c]);
                if (weight == 0)
                    continue;
                for (int channel = 0; channel < 4; channel++) {
                    const Plane* from = planes.data() + size_t(channel) * span + c;
                    Sum* to = sums.data() + size_t(channel) * width;
                    for (int x = 0; x < width; x++)
                        to[x] += Sum(weight) * Sum(from[x]);
                }
            }
        }
        uint32_t* out = PixelRow(result, y);
        for (int x = 0; x < width; x++) {
            uint32_t pixel = 0;
            for (int channel = 0; channel < 4; channel++)
                pixel |= uint32_t(TruncateToByte(kernel.offset + reciprocal * double(sums[size_t(channel) * width + x])))
                         << (8 * channel);
            out[x] = pixel;
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

bool WeightsFit16Bits(const CustomKernel& kernel)
{
    for (size_t i = 0; i < size_t(kernel.size) * size_t(kernel.size); i++)
        if (kernel.weights[i] < -32768 || kernel.weights[i] > 32767)
            return false;
    return true;
}

}  // namespace

void CustomFilter(const CustomKernel& kernel, const PixelView& source, const PixelView& result)
{
    CustomKernel checked = kernel;
    if (checked.size <= 0 || !checked.weights)
        checked.size = 0;  // no taps: every channel is just the offset
    if (LargestChannelSum(checked) >= 2147483647.0)
        Convolve<double, double, double>(checked, source, result);
    else if (WeightsFit16Bits(checked))
        Convolve<int32_t, int16_t, int16_t>(checked, source, result);
    else
        Convolve<int32_t, int32_t, int32_t>(checked, source, result);
}
