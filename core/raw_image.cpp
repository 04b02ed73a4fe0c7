#include "raw_image.h"

#include <cstring>

#include "byte_io.h"

bool ParseRawImage(const uint8_t* block, size_t size, PixelView* pixels)
{
    if (size < kRawImageHeaderSize)
        return false;
    const uint64_t width = ReadU32(block + 8), height = ReadU32(block + 12);
    if (width == 0 || height == 0 || width > 0x7FFF || height > 0x7FFF ||
        kRawImageHeaderSize + width * height * 4 > size)
        return false;
    // The pixel area is not written through; the view is shared with read-only callers.
    *pixels = {int(width), int(height), std::ptrdiff_t(width * 4), const_cast<uint8_t*>(block + kRawImageHeaderSize)};
    return true;
}

std::vector<uint8_t> BuildRawImage(const PixelView& pixels)
{
    std::vector<uint8_t> block;
    ByteWriter writer{block};
    writer.Bytes("QORVEN32", 8);
    writer.U32(uint32_t(pixels.width));
    writer.U32(uint32_t(pixels.height));
    for (int y = 0; y < pixels.height; y++)
        writer.Bytes(pixels.Row(y), size_t(pixels.width) * 4);
    return block;
}
