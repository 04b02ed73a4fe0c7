#include "reference_filters.h"

#include <algorithm>
#include <cmath>

namespace {

const uint8_t* Tap(const PixelView& view, int x, int y)
{
    return view.At(std::clamp(x, 0, view.width - 1), std::clamp(y, 0, view.height - 1));
}

uint8_t Truncated(double value)
{
    return uint8_t(std::clamp(value, 0.0, 255.0));
}

struct WindowTap {
    int dx, dy, weight;
};

std::vector<WindowTap> TapsOf(ReferenceBlur kind)
{
    std::vector<WindowTap> taps;
    if (kind == ReferenceBlur::kMotion) {
        for (int d = -2; d <= 2; d++)
            taps.push_back({d, d, 1});
        return taps;
    }
    static const int g[5] = {1, 2, 4, 2, 1};
    const int radius = kind == ReferenceBlur::kGaussian ? 2 : 1;
    for (int dy = -radius; dy <= radius; dy++)
        for (int dx = -radius; dx <= radius; dx++) {
            int weight = 1;
            if (kind == ReferenceBlur::kGaussian)
                weight = g[dx + 2] * g[dy + 2];
            else if (kind == ReferenceBlur::kSoften && dx == 0 && dy == 0)
                weight = 8;
            taps.push_back({dx, dy, weight});
        }
    return taps;
}

void ReferencePixel(ReferenceBlur kind, const std::vector<WindowTap>& taps, const PixelView& source, int x, int y,
                    uint8_t* out)
{
    int covered = 0, total = 0, alphaSum = 0, sums[3] = {0, 0, 0};
    for (const WindowTap& tap : taps) {
        const uint8_t* p = Tap(source, x + tap.dx, y + tap.dy);
        total += tap.weight;
        alphaSum += tap.weight * p[kAlpha];
        if (p[kAlpha] == 0)
            continue;
        covered += tap.weight;
        for (int c = 0; c < 3; c++)
            sums[c] += tap.weight * p[c];
    }
    const uint8_t* centre = source.At(x, y);
    if (covered == 0) {
        std::copy(centre, centre + 4, out);
        return;
    }
    if (kind == ReferenceBlur::kGaussian) {
        out[kAlpha] = Truncated(alphaSum * double(0.01f));
        out[kRed] = Truncated(sums[kRed] * (1.0 / covered));
        out[kGreen] = Truncated(sums[kGreen] * double(float(1.0 / covered)));
        out[kBlue] = Truncated(sums[kBlue] * double(float(1.0 / covered)));
        return;
    }
    for (int c = 0; c < 3; c++)
        out[c] = uint8_t(sums[c] / covered);
    out[kAlpha] = kind == ReferenceBlur::kSoften ? centre[kAlpha] : uint8_t(alphaSum / total);
}

}  // namespace

void ReferenceCoverageBlur(ReferenceBlur kind, const PixelView& source, const PixelView& result)
{
    const std::vector<WindowTap> taps = TapsOf(kind);
    for (int y = 0; y < source.height; y++)
        for (int x = 0; x < source.width; x++)
            ReferencePixel(kind, taps, source, x, y, result.At(x, y));
}

void ReferenceCustomFilter(const int32_t* weights, int size, int scale, int offset, const PixelView& source,
                           const PixelView& result)
{
    const double reciprocal = 1.0 / std::max(scale, 1);
    for (int y = 0; y < source.height; y++)
        for (int x = 0; x < source.width; x++)
            for (int c = 0; c < 4; c++) {
                double sum = 0;
                for (int row = 0; row < size; row++)
                    for (int column = 0; column < size; column++)
                        sum += double(weights[row * size + column]) *
                               Tap(source, x + column - size / 2, y + row - size / 2)[c];
                result.At(x, y)[c] = Truncated(offset + reciprocal * sum);
            }
}

std::vector<int32_t> ReferenceBevelRelief(const PixelView& source, int depth, int direction)
{
    static const int kLight[8][2] = {{0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}};
    const int radius = depth == 3 ? 3 : (depth == 5 ? 4 : 6);
    const int width = source.width + 2 * depth, height = source.height + 2 * depth;
    std::vector<int> padded(size_t(width) * height, 0);
    for (int y = 0; y < source.height; y++)
        for (int x = 0; x < source.width; x++)
            padded[size_t(y + depth) * width + x + depth] = source.At(x, y)[kAlpha];
    const int lx = kLight[direction - 1][0], ly = kLight[direction - 1][1];
    std::vector<int32_t> relief;
    for (int y = 0; y < source.height; y++)
        for (int x = 0; x < source.width; x++) {
            int g = 0;
            for (int dy = -radius; dy <= radius; dy++)
                for (int dx = -radius; dx <= radius; dx++) {
                    const int side = lx * dx + ly * dy;
                    const int px = std::clamp(x + depth + dx, 0, width - 1), py = std::clamp(y + depth + dy, 0, height - 1);
                    const int alpha = padded[size_t(py) * width + px];
                    g += side > 0 ? alpha : (side < 0 ? -alpha : 0);
                }
            relief.push_back(g);
        }
    return relief;
}

std::vector<int> ReferenceOpaqueCounts(const PixelView& source, int depth)
{
    std::vector<int> counts;
    for (int y = 0; y < source.height; y++)
        for (int x = 0; x < source.width; x++) {
            int count = 0;
            for (int dy = -(depth / 2); dy <= depth / 2; dy++)
                for (int dx = -(depth / 2); dx <= depth / 2; dx++)
                    count += Tap(source, x + dx, y + dy)[kAlpha] == 255;
            counts.push_back(count);
        }
    return counts;
}

uint32_t ReferenceAdjustHsvPixel(uint32_t argb, int hueShift, int saturationShift, int luminanceShift)
{
    const float unit = 1.0f / 255.0f;
    const float r = float((argb >> 16) & 0xFF) * unit, g = float((argb >> 8) & 0xFF) * unit, b = float(argb & 0xFF) * unit;
    const float max = std::max({r, g, b}), min = std::min({r, g, b}), d = max - min;
    int hue = 0, saturation = 0;
    const int value = int(max * 100.0f);
    if (max != 0.0f && d != 0.0f) {
        float h;
        if (r == max)
            h = (g - b) / d;
        else if (g == max)
            h = (b - r) / d + 2.0f;
        else
            h = (r - g) / d + 4.0f;
        h *= 60.0f;
        if (h < 0.0f)
            h += 360.0f;
        hue = int(h);
        saturation = int(d / max * 100.0f);
    }
    hue = (hue + hueShift) % 360;
    if (hue < 0)
        hue = 0;
    saturation = std::clamp(saturation + saturationShift / 2, 0, 100);
    const float s = float(saturation) * 0.01f, v = float(std::clamp(value + luminanceShift / 2, 0, 100)) * 0.01f;
    float rgb[3];
    if (s == 0.0f) {
        rgb[0] = rgb[1] = rgb[2] = v;
    } else {
        const float f6 = float(hue) * (1.0f / 60.0f), i = std::floor(f6), f = f6 - i;
        const float p = v * (1.0f - s), q = v * (1.0f - s * f), t = v * (1.0f - s * (1.0f - f));
        const float table[6][3] = {{v, t, p}, {q, v, p}, {p, v, t}, {p, q, v}, {t, p, v}, {v, p, q}};
        const int row = i >= 0 && i < 5 ? int(i) : 5;
        std::copy(table[row], table[row] + 3, rgb);
    }
    return (argb & 0xFF000000u) | uint32_t(int(rgb[0] * 255.0f)) << 16 | uint32_t(int(rgb[1] * 255.0f)) << 8 |
           uint32_t(int(rgb[2] * 255.0f));
}
