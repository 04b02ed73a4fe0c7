// Per-pixel masks and the alpha copy that several filters and the effects share.
#pragma once

#include <cstdint>
#include <vector>

#include "common/pixel_view.h"

// One byte per pixel, rows one after another: 1 where the alpha is not 0, else 0.
std::vector<uint8_t> CoverageMask(const PixelView& picture);

// The same, but 1 only where the alpha is exactly 255.
std::vector<uint8_t> OpaqueMask(const PixelView& picture);

// Sets the alpha of every pixel of `to` to the alpha of the same pixel of `from` (same size),
// keeping the color bytes of `to`.
void CopyAlpha(const PixelView& from, const PixelView& to);
