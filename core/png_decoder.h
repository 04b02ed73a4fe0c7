// A quick reader for the plain PNG forms that icon images use. Large icon libraries carry
// hundreds of them and the system decoder takes many milliseconds for each; this one reads
// the common, unambiguous cases and declines everything else, which then goes to the system
// decoder as before. Bytes in, pixels out; nothing here touches the platform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/pixel_view.h"

struct PngLayout {
    int width = 0;
    int height = 0;
    int bitDepth = 0;
    int colorType = 0;
};

// Reads the header: true for a form this reader takes on (not interlaced; 8-bit truecolor,
// gray with alpha or truecolor with alpha; gray or palette at 1, 2, 4 or 8 bits) with sides
// of 1 to maxSide pixels, in a file long enough to hold them compressed.
bool ReadPngLayout(const uint8_t* data, size_t size, int maxSide, PngLayout* layout);

// Decodes into `target` (its width and height must match the header): straight
// blue-green-red-alpha, transparency chunks applied. False for what the system decoder might
// read differently (a gamma other than 1/2.2, an embedded colour profile, an unknown critical
// chunk) and on any damage (a bad checksum, a short or overlong stream, an unknown filter, a
// palette index without a colour); the target's contents are then unspecified. `scratch` holds the inflated rows; a caller
// decoding many pictures passes the same vector each time and spares fresh memory.
bool DecodePngInto(const uint8_t* data, size_t size, const PixelView& target, std::vector<uint8_t>* scratch);
