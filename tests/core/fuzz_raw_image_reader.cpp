// Fuzzes the reader of raw picture resources: the size fields against the block's length,
// then checks that the picture it describes writes back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/raw_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PixelView pixels;
    if (!ParseRawImage(data, size, &pixels))
        return 0;
    const size_t pictureBytes = kRawImageHeaderSize + size_t(pixels.width) * size_t(pixels.height) * 4;
    if (pixels.width < 1 || pixels.height < 1 || pictureBytes > size)
        __builtin_trap();
    // The magic is not examined on reading and always written; everything after it is the same.
    const std::vector<uint8_t> built = BuildRawImage(pixels);
    if (built.size() != pictureBytes || std::memcmp(built.data(), "QORVEN32", 8) != 0 ||
        std::memcmp(built.data() + 8, data + 8, pictureBytes - 8) != 0)
        __builtin_trap();
    return 0;
}
