// Fuzzes the project reader: header, image and layer records, outlines and pixel blocks,
// then writes back what was read.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/project_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ProjectContents contents;
    if (ParseProject(data, size, &contents) != ProjectParseResult::kOk)
        return 0;
    std::vector<uint8_t> out;
    AppendProjectHeader(out, contents.header);
    for (const ProjectImage& image : contents.images) {
        AppendProjectImageFields(out, image.fields);
        AppendPixelBlock(out, image.composite);
        for (const ProjectLayer& layer : image.layers) {
            AppendLayerHead(out, layer.type, layer.outline);
            AppendPixelBlock(out, layer.pixels);
        }
    }
    // What was read writes back to the same bytes (bytes after the last record are unread).
    if (out.size() > size || !std::equal(out.begin(), out.end(), data))
        __builtin_trap();
    return 0;
}
