// Fuzzes the icon-library reader: NE and PE resource tables, then every block it finds.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/ico_format.h"
#include "core/library_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<LibraryIconBlock> blocks;
    if (FindLibraryIcons(data, size, &blocks) != LibraryStatus::kOk)
        return 0;
    for (const LibraryIconBlock& block : blocks) {
        const std::vector<uint8_t> bytes = LibraryBlockBytes(data, size, block);
        DecodedPicture picture;
        if (ClassifyIconBlock(bytes.data(), bytes.size()) == IconBlockKind::kBitmap)
            DecodeIconBlock(bytes.data(), bytes.size(), &picture);
    }
    return 0;
}
