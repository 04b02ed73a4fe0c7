// Raw 32-bit pictures: "QORVEN32", width, height, then top-down blue-green-red-alpha rows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/pixel_view.h"

constexpr size_t kRawImageHeaderSize = 16;

// A view of the pixels of a raw picture, or false when the block is shorter than its
// width and height say (the magic itself is not examined).
bool ParseRawImage(const uint8_t* block, size_t size, PixelView* pixels);

// The bytes of a raw picture of the given pixels.
std::vector<uint8_t> BuildRawImage(const PixelView& pixels);
