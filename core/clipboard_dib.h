// Clipboard pictures (device-independent bitmaps, CF_DIB and CF_DIBV5, and the registered
// "PNG" format): the block that Copy hands over and the pictures that Paste accepts. Bytes in,
// pixels out, and back.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/pixel_view.h"
#include "ico_format.h"

// Largest side of a picture we take from the clipboard. Paste scales big pictures down, so
// this is not the document's limit; it keeps a header from asking for gigabytes of pixels.
constexpr int kMaxClipboardSide = 16384;

// Size of the block Copy makes: a 32-bit icon image block of that size (pixel rows and the
// transparency mask after them).
size_t ClipboardBlockSize(int width, int height);

// Encodes the pixels (rows top to bottom) into `block` of ClipboardBlockSize bytes; the
// height field holds the picture's own height, not the icon encoding's doubled one.
bool EncodeClipboardBlock(const PixelView& pixels, uint8_t* block, size_t blockSize);

// Decodes a clipboard picture of 1, 4, 8, 16, 24 or 32 bits per pixel, stored bottom row
// first or (negative height) top row first; 16- and 32-bit pictures may name their own
// channel masks (BI_BITFIELDS, BI_ALPHABITFIELDS). Palette, 16-bit and 24-bit pictures come
// out opaque unless they name an alpha mask; 32-bit ones keep their fourth byte as alpha,
// except that a picture whose alpha is 0 everywhere is opaque (most programs leave that byte
// unused, and Windows draws such a picture opaque). Anything else, a side over
// kMaxClipboardSide, or a block too short for what its header describes, is refused.
bool DecodeClipboardBlock(const uint8_t* block, size_t size, DecodedPicture* picture);

// Whether a CF_DIBV5 block is worth taking before CF_DIB: a readable 16- or 32-bit picture
// whose header names an alpha mask.
bool ClipboardBlockHasAlphaMask(const uint8_t* block, size_t size);

// Checks that `bytes` start like a PNG file (signature, then an IHDR chunk) and reads its
// size; refuses a side of 0 or over kMaxClipboardSide, so the decoder is never asked for
// more pixels than we would take.
bool ReadPngSize(const uint8_t* bytes, size_t size, int* width, int* height);
