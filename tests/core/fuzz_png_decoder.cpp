// Fuzzes the quick PNG reader that icon images go through before the system decoder: any bytes
// either decode into a picture of the header's size or are declined, never read or written
// outside their buffers. Chunk checksums are mended first, so that mutated streams reach the
// inflater and the row filters instead of being declined at the first checksum.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/png_decoder.h"

namespace {

uint32_t BitwiseCrc(const uint8_t* data, size_t size)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; i++) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; bit++)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void MendChunkChecksums(std::vector<uint8_t>* png)
{
    size_t at = 8;  // after the signature
    while (at + 12 <= png->size()) {
        uint8_t* chunk = png->data() + at;
        const size_t length = size_t(chunk[0]) << 24 | size_t(chunk[1]) << 16 | size_t(chunk[2]) << 8 | chunk[3];
        if (length > png->size() - at - 12)
            return;
        const uint32_t crc = BitwiseCrc(chunk + 4, length + 4);
        uint8_t* stored = chunk + 8 + length;
        for (int i = 0; i < 4; i++)
            stored[i] = uint8_t(crc >> (24 - 8 * i));
        at += length + 12;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> png(data, data + size);
    MendChunkChecksums(&png);
    PngLayout layout;
    if (!ReadPngLayout(png.data(), png.size(), 256, &layout))
        return 0;
    if (layout.width < 1 || layout.width > 256 || layout.height < 1 || layout.height > 256)
        __builtin_trap();
    std::vector<uint32_t> pixels(size_t(layout.width) * size_t(layout.height));
    const PixelView target{layout.width, layout.height, std::ptrdiff_t(layout.width) * 4,
                           reinterpret_cast<uint8_t*>(pixels.data())};
    std::vector<uint8_t> scratch;
    DecodePngInto(png.data(), png.size(), target, &scratch);
    return 0;
}
