// One icon or cursor image block, in either form, to and from the document records.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ico_format.h"
#include "pyx.h"

// Decodes a bitmap-form block, or a PNG-form block through GDI+. bitsPerPixel of a PNG
// block is 32.
bool DecodeIconImage(const uint8_t* block, size_t size, DecodedPicture* picture);

// A new unlinked Image holding the picture: composite and one raster layer, each its own
// copy of the pixels; other fields at their defaults.
Image* ImageFromPicture(DecodedPicture& picture);
