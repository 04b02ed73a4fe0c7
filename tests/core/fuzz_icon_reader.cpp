// Fuzzes the icon and cursor reader: directory, every block, and a re-encode of what decodes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/ico_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    IconDirectory directory;
    if (!ParseIconDirectory(data, size, true, &directory))
        return 0;
    for (const IconDirEntry& entry : directory.entries) {
        DecodedPicture picture;
        if (ClassifyIconBlock(data + entry.blockOffset, entry.blockSize) != IconBlockKind::kBitmap)
            continue;
        if (!DecodeIconBlock(data + entry.blockOffset, entry.blockSize, &picture))
            continue;
        // Whatever was read must write back: small pictures only, to keep the fuzzer fast.
        if (picture.width * picture.height <= 64 * 64) {
            std::vector<uint8_t> block(IconBlockSize(picture.width, picture.height, WritableDepth(picture.bitsPerPixel)));
            EncodeIconBlock(picture.View(), WritableDepth(picture.bitsPerPixel), block.data(), block.size());
        }
    }
    return 0;
}
