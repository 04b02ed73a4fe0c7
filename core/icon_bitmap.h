// Decoding a bitmap-form icon block into a GDI+ bitmap that the caller made.
#pragma once

#include <cstddef>
#include <cstdint>

#include "pyx.h"

// Decodes a block that ReadIconBlockInfo accepted into `picture`, which has the block's
// width and height. False, with `picture` left as it was, when its pixels cannot be locked
// (it is in use elsewhere) or its size is not the block's.
bool DecodeIconBlockIntoBitmap(const uint8_t* block, size_t size, Bitmap* picture);
