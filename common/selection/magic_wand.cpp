#include "magic_wand.h"

#include <algorithm>
#include <cstdlib>

namespace {

struct Seed {
    int blue, green, red, alpha;
    int colorTolerance, alphaTolerance;
};

bool Matches(const uint8_t* pixel, const Seed& seed)
{
    return std::abs(pixel[kRed] - seed.red) <= seed.colorTolerance &&
           std::abs(pixel[kGreen] - seed.green) <= seed.colorTolerance &&
           std::abs(pixel[kBlue] - seed.blue) <= seed.colorTolerance &&
           std::abs(pixel[kAlpha] - seed.alpha) <= seed.alphaTolerance;
}

void MarkEveryMatch(const PixelView& layer, const Seed& seed, PixelMask& mask)
{
    for (int y = 0; y < layer.height; y++)
        for (int x = 0; x < layer.width; x++)
            mask.bits[size_t(y) * size_t(layer.width) + size_t(x)] = Matches(layer.At(x, y), seed);
}

// Scanline fill with an explicit list of pending pixels: a large uniform area costs a list,
// never stack depth.
void MarkConnectedMatches(const PixelView& layer, const Seed& seed, int seedX, int seedY, PixelMask& mask)
{
    const int width = layer.width;
    auto chosen = [&](int x, int y) -> uint8_t& { return mask.bits[size_t(y) * size_t(width) + size_t(x)]; };
    auto fits = [&](int x, int y) { return !chosen(x, y) && Matches(layer.At(x, y), seed); };
    std::vector<std::pair<int, int>> pending{{seedX, seedY}};
    while (!pending.empty()) {
        const auto [px, y] = pending.back();
        pending.pop_back();
        if (!fits(px, y))
            continue;
        int left = px, right = px;
        while (left > 0 && fits(left - 1, y))
            left--;
        while (right + 1 < width && fits(right + 1, y))
            right++;
        for (int x = left; x <= right; x++)
            chosen(x, y) = 1;
        // One pending pixel per stretch of fitting neighbours in the rows above and below.
        for (int ny : {y - 1, y + 1}) {
            if (ny < 0 || ny >= layer.height)
                continue;
            for (int x = left; x <= right; x++)
                if (fits(x, ny) && (x == left || !fits(x - 1, ny)))
                    pending.push_back({x, ny});
        }
    }
}

}  // namespace

PixelMask WandMask(const PixelView& layer, int seedX, int seedY, const WandOptions& options)
{
    PixelMask mask;
    if (layer.width <= 0 || layer.height <= 0 || !layer.pixels)
        return mask;
    mask.width = layer.width;
    mask.height = layer.height;
    mask.bits.assign(size_t(layer.width) * size_t(layer.height), 0);
    if (seedX < 0 || seedY < 0 || seedX >= layer.width || seedY >= layer.height)
        return mask;
    const uint8_t* at = layer.At(seedX, seedY);
    const Seed seed{at[kBlue], at[kGreen], at[kRed], at[kAlpha], std::clamp(options.colorTolerance, 0, 255),
                    std::clamp(options.alphaTolerance, 0, 255)};
    if (options.contiguous)
        MarkConnectedMatches(layer, seed, seedX, seedY, mask);
    else
        MarkEveryMatch(layer, seed, mask);
    return mask;
}
