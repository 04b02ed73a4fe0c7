// Fuzzes the quick PNG reader that icon images go through before the system decoder: any bytes
// either decode into a picture of the header's size or are declined, never read or written
// outside their buffers.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/png_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PngLayout layout;
    if (!ReadPngLayout(data, size, 256, &layout))
        return 0;
    if (layout.width < 1 || layout.width > 256 || layout.height < 1 || layout.height > 256)
        __builtin_trap();
    std::vector<uint32_t> pixels(size_t(layout.width) * size_t(layout.height));
    const PixelView target{layout.width, layout.height, std::ptrdiff_t(layout.width) * 4,
                           reinterpret_cast<uint8_t*>(pixels.data())};
    std::vector<uint8_t> scratch;
    DecodePngInto(data, size, target, &scratch);
    return 0;
}
