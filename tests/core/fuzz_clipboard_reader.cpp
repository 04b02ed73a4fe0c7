// Fuzzes the clipboard picture readers (the blocks Paste receives): the PNG header check, and
// the bitmap block's header, masks, color table and rows of every depth, then checks that
// what was read survives a Copy.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/clipboard_dib.h"

namespace {

void CheckPngSize(const uint8_t* data, size_t size)
{
    int width = 0, height = 0;
    if (ReadPngSize(data, size, &width, &height) &&
        (width < 1 || height < 1 || width > kMaxClipboardSide || height > kMaxClipboardSide))
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CheckPngSize(data, size);
    const bool alphaMask = ClipboardBlockHasAlphaMask(data, size);
    DecodedPicture picture;
    if (!DecodeClipboardBlock(data, size, &picture))
        return 0;
    if (picture.width < 1 || picture.height < 1 || picture.width > kMaxClipboardSide ||
        picture.height > kMaxClipboardSide ||
        picture.pixels.size() != size_t(picture.width) * size_t(picture.height) * 4)
        __builtin_trap();
    if (alphaMask && picture.bitsPerPixel != 16 && picture.bitsPerPixel != 32)
        __builtin_trap();
    // Copying the pasted picture and pasting it again gives the same pixels.
    std::vector<uint8_t> copied(ClipboardBlockSize(picture.width, picture.height));
    if (!EncodeClipboardBlock(picture.View(), copied.data(), copied.size()))
        __builtin_trap();
    DecodedPicture again;
    if (!DecodeClipboardBlock(copied.data(), copied.size(), &again) || again.width != picture.width ||
        again.height != picture.height || again.bitsPerPixel != 32 || again.pixels != picture.pixels)
        __builtin_trap();
    return 0;
}
