#include "common/pixel_filters/masks.h"

namespace {

template <typename Test>
std::vector<uint8_t> MaskWhere(const PixelView& picture, Test test)
{
    std::vector<uint8_t> mask(size_t(picture.width) * size_t(picture.height));
    size_t i = 0;
    for (int y = 0; y < picture.height; y++) {
        const uint8_t* row = picture.Row(y);
        for (int x = 0; x < picture.width; x++)
            mask[i++] = test(row[x * 4 + kAlpha]) ? 1 : 0;
    }
    return mask;
}

}  // namespace

std::vector<uint8_t> CoverageMask(const PixelView& picture)
{
    return MaskWhere(picture, [](uint8_t alpha) { return alpha != 0; });
}

std::vector<uint8_t> OpaqueMask(const PixelView& picture)
{
    return MaskWhere(picture, [](uint8_t alpha) { return alpha == 255; });
}

void CopyAlpha(const PixelView& from, const PixelView& to)
{
    for (int y = 0; y < from.height; y++) {
        const uint8_t* source = from.Row(y);
        uint8_t* target = to.Row(y);
        for (int x = 0; x < from.width; x++)
            target[x * 4 + kAlpha] = source[x * 4 + kAlpha];
    }
}
