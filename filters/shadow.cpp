// Inner and drop shadows: the shape filled with the shadow color, blurred with HeavyBlur.
#include <algorithm>
#include <cstring>

#include "common/pixel_filters/blend.h"
#include "common/pixel_filters/masks.h"
#include "common/pixel_filters/pixel_buffer.h"
#include "filters/filter_routines.h"

namespace {

// The shadow is blurred on a canvas twice the picture's size, so it can spread beyond the
// picture's edges before it is cut back to them.
void DropShadow(const PixelView& source, const PixelView& result, const ShadowSettings& shadow)
{
    const int width = source.width, height = source.height;
    const uint32_t color = shadow.color & 0xFFFFFFu;
    PixelBuffer canvas = NewPixelBuffer(2 * width, 2 * height);
    for (int y = 0; y < height; y++) {
        const uint32_t* from = PixelRow(source, y);
        uint32_t* to = PixelRow(canvas.View(), y + height / 2) + width / 2;
        for (int x = 0; x < width; x++) {
            const uint32_t alpha = AlphaOf(from[x]) * uint32_t(shadow.opacity) / 100;
            to[x] = alpha == 0 ? 0 : color | (alpha > 255 ? 255 : alpha) << 24;
        }
    }
    for (int y = 0; y < height; y++)
        std::memset(result.Row(y), 0, size_t(width) * 4);
    // Only the part of the blurred canvas that lands on the picture is blurred.
    const long long x = (long long)shadow.offsetX - width / 2, y = (long long)shadow.offsetY - height / 2;
    const long long left = std::max(0LL, -x), right = std::min<long long>(canvas.width, width - x);
    const long long top = std::max(0LL, -y), bottom = std::min<long long>(canvas.height, height - y);
    if (left < right && top < bottom) {
        PixelBuffer blurred = NewScratchBuffer(int(right - left), int(bottom - top));
        HeavyBlurArea(canvas.View(), shadow.blurFactor, int(left), int(top), blurred.View());
        DrawOver(blurred.View(), result, x + left, y + top);
    }
    DrawOver(source, result, 0, 0);
}

// The shadow falls on the part of the shape that the shape moved by the offset leaves
// uncovered (for an offset down and right: along the upper and left inner edges).
void InnerShadow(const PixelView& source, const PixelView& result, const ShadowSettings& shadow)
{
    const int width = source.width, height = source.height;
    const uint32_t fillAlpha = uint32_t(shadow.opacity) * 255 / 100;
    const uint32_t fill = (shadow.color & 0xFFFFFFu) | (fillAlpha > 255 ? 255 : fillAlpha) << 24;
    PixelBuffer moved = NewPixelBuffer(width, height);
    DrawOver(source, moved.View(), shadow.offsetX, shadow.offsetY);
    PixelBuffer shade = NewScratchBuffer(width, height);
    for (int y = 0; y < height; y++) {
        const uint32_t* shape = PixelRow(source, y);
        const uint32_t* cover = PixelRow(moved.View(), y);
        uint32_t* to = PixelRow(shade.View(), y);
        for (int x = 0; x < width; x++)
            to[x] = AlphaOf(shape[x]) == 0 || AlphaOf(cover[x]) != 0 ? 0 : fill;
    }
    PixelBuffer blurred = NewScratchBuffer(width, height);
    HeavyBlur(shade.View(), blurred.View(), shadow.blurFactor);
    for (int y = 0; y < height; y++) {
        const uint32_t* shape = PixelRow(source, y);
        const uint32_t* shaded = PixelRow(blurred.View(), y);
        uint32_t* layer = PixelRow(moved.View(), y);
        for (int x = 0; x < width; x++)
            layer[x] = AlphaOf(shape[x]) == 0 ? 0 : (AlphaOf(shaded[x]) >= 1 ? shaded[x] : shape[x]);
        std::memset(result.Row(y), 0, size_t(width) * 4);
    }
    DrawOver(source, result, 0, 0);
    DrawOver(moved.View(), result, 0, 0);
    CopyAlpha(source, result);
}

}  // namespace

void CastShadow(const PixelView& source, const PixelView& result, const ShadowSettings& shadow)
{
    ShadowSettings checked = shadow;
    checked.opacity = shadow.opacity < 0 ? 0 : (shadow.opacity > 255 ? 255 : shadow.opacity);
    if (checked.kind == ShadowKind::kDrop)
        DropShadow(source, result, checked);
    else
        InnerShadow(source, result, checked);
}
