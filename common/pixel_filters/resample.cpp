#include "common/pixel_filters/resample.h"

#include <cmath>
#include <vector>

#include "common/pixel_filters/pixel_buffer.h"

namespace {

struct Tap {
    int index;
    float weight;
};

// For each output position, the source positions it reads and their weights (summing to 1).
struct AxisTaps {
    std::vector<size_t> first;  // output i reads taps[first[i]] .. taps[first[i + 1] - 1]
    std::vector<Tap> taps;
};

AxisTaps MakeAxisTaps(int inCount, int outCount)
{
    AxisTaps axis;
    const double scale = double(outCount) / double(inCount);
    const double radius = scale < 1.0 ? 1.0 / scale : 1.0;
    for (int i = 0; i < outCount; i++) {
        axis.first.push_back(axis.taps.size());
        const double centre = (i + 0.5) / scale - 0.5;
        double total = 0;
        for (int j = int(std::ceil(centre - radius)); j <= int(std::floor(centre + radius)); j++) {
            const double weight = 1.0 - std::fabs(j - centre) / radius;
            if (weight <= 0)
                continue;
            axis.taps.push_back({ClampIndex(j, inCount), float(weight)});
            total += weight;
        }
        for (size_t t = axis.first.back(); t < axis.taps.size(); t++)
            axis.taps[t].weight = float(axis.taps[t].weight / total);
    }
    axis.first.push_back(axis.taps.size());
    return axis;
}

struct Premultiplied {
    float blue, green, red, alpha;
};

Premultiplied Premultiply(uint32_t pixel)
{
    const float alpha = float(AlphaOf(pixel));
    return {float(BlueOf(pixel)) * alpha, float(GreenOf(pixel)) * alpha, float(RedOf(pixel)) * alpha, alpha};
}

void AddWeighted(Premultiplied& sum, const Premultiplied& value, float weight)
{
    sum.blue += value.blue * weight;
    sum.green += value.green * weight;
    sum.red += value.red * weight;
    sum.alpha += value.alpha * weight;
}

uint32_t Unpremultiply(const Premultiplied& value)
{
    const int alpha = int(value.alpha + 0.5f);
    if (alpha <= 0)
        return 0;
    const float toColor = 1.0f / value.alpha;
    return PackPixel(ClampToByte(alpha), ClampToByte(int(value.red * toColor + 0.5f)),
                     ClampToByte(int(value.green * toColor + 0.5f)), ClampToByte(int(value.blue * toColor + 0.5f)));
}

// Every source row scaled to the output width.
std::vector<Premultiplied> ScaleRows(const PixelView& from, const AxisTaps& columns, int outWidth)
{
    std::vector<Premultiplied> rows(size_t(outWidth) * from.height);
    std::vector<Premultiplied> line(from.width);
    for (int y = 0; y < from.height; y++) {
        const uint32_t* pixels = PixelRow(from, y);
        for (int x = 0; x < from.width; x++)
            line[x] = Premultiply(pixels[x]);
        Premultiplied* out = rows.data() + size_t(y) * outWidth;
        for (int x = 0; x < outWidth; x++) {
            Premultiplied sum{};
            for (size_t t = columns.first[x]; t < columns.first[x + 1]; t++)
                AddWeighted(sum, line[columns.taps[t].index], columns.taps[t].weight);
            out[x] = sum;
        }
    }
    return rows;
}

}  // namespace

void ResampleBilinear(const PixelView& from, const PixelView& to)
{
    const AxisTaps columns = MakeAxisTaps(from.width, to.width);
    const AxisTaps rowTaps = MakeAxisTaps(from.height, to.height);
    const std::vector<Premultiplied> rows = ScaleRows(from, columns, to.width);
    std::vector<Premultiplied> sum(to.width);
    for (int y = 0; y < to.height; y++) {
        for (Premultiplied& value : sum)
            value = {};
        for (size_t t = rowTaps.first[y]; t < rowTaps.first[y + 1]; t++) {
            const Premultiplied* row = rows.data() + size_t(rowTaps.taps[t].index) * to.width;
            const float weight = rowTaps.taps[t].weight;
            for (int x = 0; x < to.width; x++)
                AddWeighted(sum[x], row[x], weight);
        }
        uint32_t* out = PixelRow(to, y);
        for (int x = 0; x < to.width; x++)
            out[x] = Unpremultiply(sum[x]);
    }
}
