// One icon or cursor image block, in either form, as a document Image.
#pragma once

#include <cstddef>
#include <cstdint>

#include "pyx.h"

// A new unlinked Image decoded from a bitmap-form block, or from a PNG-form block through
// GDI+: composite and one raster layer, each its own copy of the pixels; other fields at
// their defaults. `blockDepth` receives the depth the block names (32 for PNG). Null when the
// block cannot be decoded.
Image* ImageFromIconBlock(const uint8_t* block, size_t size, int* blockDepth);

