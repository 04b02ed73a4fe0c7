// Fuzzes the animated cursor reader: chunk scan, count checks, and every step's frame block.
#include <cstddef>
#include <cstdint>

#include "core/ani_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    AniContents contents;
    if (ParseAni(data, size, &contents) != AniParseResult::kOk)
        return 0;
    for (const AniStep& step : AniSteps(contents)) {
        AniFrameImage image;
        if (!AniFrameImageOf(contents.frames[step.frame], &image))
            continue;
        if (ClassifyIconBlock(image.block, image.blockSize) != IconBlockKind::kBitmap)
            continue;
        DecodedPicture picture;
        DecodeIconBlock(image.block, image.blockSize, &picture);
    }
    return 0;
}
