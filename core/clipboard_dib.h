// Clipboard pictures (device-independent bitmaps, CF_DIB): the block that Copy hands over
// and the pictures that Paste accepts. Bytes in, pixels out, and back.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/pixel_view.h"
#include "ico_format.h"

// Size of the block Copy makes: a 32-bit icon image block of that size (pixel rows and the
// transparency mask after them).
size_t ClipboardBlockSize(int width, int height);

// Encodes the pixels (rows top to bottom) into `block` of ClipboardBlockSize bytes; the
// height field holds the picture's own height, not the icon encoding's doubled one.
bool EncodeClipboardBlock(const PixelView& pixels, uint8_t* block, size_t blockSize);

// Decodes a clipboard picture of 1, 4, 8, 24 or 32 bits per pixel, stored bottom row first
// or (negative height) top row first; 32-bit pictures may name the usual red, green and
// blue masks (BI_BITFIELDS). Palette pictures and 24-bit ones come out opaque; 32-bit ones
// keep their fourth byte as alpha. Anything else, or a block too short for what its header
// describes, is refused.
bool DecodeClipboardBlock(const uint8_t* block, size_t size, DecodedPicture* picture);
