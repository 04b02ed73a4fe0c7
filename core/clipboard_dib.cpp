#include "clipboard_dib.h"

#include <bit>
#include <cstring>

#include "byte_io.h"

namespace {

constexpr uint32_t kRgb = 0;
constexpr uint32_t kBitfields = 3;
constexpr uint32_t kAlphaBitfields = 6;
constexpr size_t kMasksAt = kBitmapHeaderSize;  // right after a plain header, or inside a longer one
constexpr size_t kAlphaMaskAt = 52;
constexpr size_t kHeaderWithAlphaMask = 56;     // the shortest header that has the alpha mask field
constexpr uint32_t kFourthByte = 0xFF000000u;

struct ChannelMasks {
    uint32_t red = 0, green = 0, blue = 0, alpha = 0;
};

struct DibLayout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bits = 0;
    ChannelMasks masks;
    const uint8_t* table = nullptr;
    uint32_t tableEntries = 0;
    const uint8_t* rows = nullptr;
    size_t rowBytes = 0;
};

size_t RowBytesFor(int width, int bits)
{
    const size_t w = size_t(width);
    switch (bits) {
    case 1: return (w + 31) / 32 * 4;
    case 4: return (w * 4 + 31) / 32 * 4;
    case 8: return (w + 3) & ~size_t(3);
    case 16: return (w * 2 + 3) & ~size_t(3);
    case 24: return (w * 3 + 3) & ~size_t(3);
    case 32: return w * 4;
    default: return 0;
    }
}

// One run of set bits inside the pixel's own width (or no bits at all).
bool UsableMask(uint32_t mask, int bits)
{
    if (bits == 16 && mask > 0xFFFFu)
        return false;
    const uint32_t run = mask ? mask >> std::countr_zero(mask) : 0;
    return (run & (run + 1)) == 0;
}

bool UsableMasks(const ChannelMasks& masks, int bits)
{
    return masks.red && masks.green && masks.blue && UsableMask(masks.red, bits) && UsableMask(masks.green, bits) &&
           UsableMask(masks.blue, bits) && UsableMask(masks.alpha, bits);
}

// Channel masks and where the color table starts. Masks named by the picture follow a plain
// 40-byte header or sit inside a longer one. A 32-bit picture that names no alpha mask keeps
// its fourth byte as alpha, as the plain form does.
bool ReadMasks(const uint8_t* block, size_t size, uint32_t headerSize, int bits, uint32_t compression,
               ChannelMasks* masks, size_t* tableStart)
{
    *tableStart = headerSize;
    if (compression == kRgb) {
        if (bits == 32)
            *masks = {0x00FF0000u, 0x0000FF00u, 0x000000FFu, kFourthByte};
        else if (bits == 16)
            *masks = {0x7C00u, 0x03E0u, 0x001Fu, 0};
        return true;
    }
    if ((compression != kBitfields && compression != kAlphaBitfields) || (bits != 16 && bits != 32))
        return false;
    const size_t count = compression == kAlphaBitfields ? 4 : 3;
    if (headerSize == kBitmapHeaderSize)
        *tableStart += count * 4;
    else if (headerSize < kMasksAt + count * 4)
        return false;
    if (size < kMasksAt + count * 4)
        return false;
    masks->red = ReadU32(block + kMasksAt);
    masks->green = ReadU32(block + kMasksAt + 4);
    masks->blue = ReadU32(block + kMasksAt + 8);
    if (count == 4 || headerSize >= kHeaderWithAlphaMask)
        masks->alpha = ReadU32(block + kAlphaMaskAt);
    if (!masks->alpha && bits == 32 && !((masks->red | masks->green | masks->blue) & kFourthByte))
        masks->alpha = kFourthByte;
    return UsableMasks(*masks, bits);
}

bool ReadLayout(const uint8_t* block, size_t size, DibLayout* layout)
{
    if (size < kBitmapHeaderSize)
        return false;
    const uint32_t headerSize = ReadU32(block);
    const int32_t width = ReadI32(block + 4), height = ReadI32(block + 8);
    const int bits = ReadU16(block + 14);
    const uint32_t compression = ReadU32(block + 16), colorsUsed = ReadU32(block + 32);
    if (headerSize < kBitmapHeaderSize || headerSize > size || width < 1 || width > kMaxClipboardSide ||
        height == 0 || height < -kMaxClipboardSide || height > kMaxClipboardSide || RowBytesFor(width, bits) == 0)
        return false;
    if (bits <= 8 && compression != kRgb)
        return false;
    size_t tableStart = 0;
    if (!ReadMasks(block, size, headerSize, bits, compression, &layout->masks, &tableStart) || tableStart > size)
        return false;
    layout->width = width;
    layout->height = height < 0 ? -height : height;
    layout->topDown = height < 0;
    layout->bits = bits;
    layout->tableEntries = colorsUsed ? colorsUsed : bits <= 8 ? 1u << bits : 0;
    if (layout->tableEntries > (size - tableStart) / 4)
        return false;
    layout->table = block + tableStart;
    layout->rows = layout->table + size_t(layout->tableEntries) * 4;
    layout->rowBytes = RowBytesFor(width, bits);
    const size_t rowsAvailable = size - tableStart - size_t(layout->tableEntries) * 4;
    return layout->rowBytes * size_t(layout->height) <= rowsAvailable;
}

uint32_t IndexAt(const uint8_t* row, int bits, int x)
{
    switch (bits) {
    case 1: return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4: return x % 2 ? row[x / 2] & 0x0F : row[x / 2] >> 4;
    default: return row[x];
    }
}

// The masked bits of a pixel stretched to 0..255, rounded, so 5-bit 16 gives 132 as Windows'
// own bit replication does, and 5-bit 31 and 8-bit 255 both give 255.
uint8_t Channel(uint32_t value, uint32_t mask)
{
    const int shift = std::countr_zero(mask);
    const uint64_t top = uint64_t(mask >> shift);
    return uint8_t((((value & mask) >> shift) * 255 + top / 2) / top);
}

void PutMaskedPixel(const ChannelMasks& masks, uint32_t value, uint8_t* out)
{
    out[kRed] = Channel(value, masks.red);
    out[kGreen] = Channel(value, masks.green);
    out[kBlue] = Channel(value, masks.blue);
    out[kAlpha] = masks.alpha ? Channel(value, masks.alpha) : 255;
}

bool PlainBgra(const ChannelMasks& masks)
{
    return masks.red == 0x00FF0000u && masks.green == 0x0000FF00u && masks.blue == 0x000000FFu &&
           masks.alpha == kFourthByte;
}

void PutPixel(const DibLayout& layout, const uint8_t* row, int x, uint8_t* out)
{
    if (layout.bits == 32) {
        PutMaskedPixel(layout.masks, ReadU32(row + x * 4), out);
    } else if (layout.bits == 16) {
        PutMaskedPixel(layout.masks, ReadU16(row + x * 2), out);
    } else if (layout.bits == 24) {
        std::memcpy(out, row + x * 3, 3);
        out[kAlpha] = 255;
    } else {
        // An index past a short color table is black rather than a read past it.
        const uint32_t index = IndexAt(row, layout.bits, x);
        if (index < layout.tableEntries)
            std::memcpy(out, layout.table + index * 4, 3);
        out[kAlpha] = 255;
    }
}

void DecodeRows(const DibLayout& layout, const PixelView& out)
{
    const bool copyRows = layout.bits == 32 && PlainBgra(layout.masks);
    for (int y = 0; y < layout.height; y++) {
        const uint8_t* row = layout.rows + layout.rowBytes * size_t(y);
        if (copyRows) {
            std::memcpy(out.Row(y), row, layout.rowBytes);
            continue;
        }
        for (int x = 0; x < layout.width; x++)
            PutPixel(layout, row, x, out.At(x, y));
    }
}

// A picture whose alpha is 0 everywhere did not mean to be invisible: its writer left the
// byte unused. Windows draws it opaque, and so does our icon reader.
void OpaqueWhenAlphaUnused(std::vector<uint8_t>& pixels)
{
    for (size_t i = kAlpha; i < pixels.size(); i += 4)
        if (pixels[i] != 0)
            return;
    for (size_t i = kAlpha; i < pixels.size(); i += 4)
        pixels[i] = 255;
}

uint32_t ReadBigEndian32(const uint8_t* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

}  // namespace

size_t ClipboardBlockSize(int width, int height)
{
    return IconBlockSize(width, height, 32);
}

bool EncodeClipboardBlock(const PixelView& pixels, uint8_t* block, size_t blockSize)
{
    if (!EncodeIconBlock(pixels, 32, block, blockSize))
        return false;
    WriteU32(block + 8, uint32_t(pixels.height));
    return true;
}

bool DecodeClipboardBlock(const uint8_t* block, size_t size, DecodedPicture* picture)
{
    DibLayout layout;
    if (!block || !ReadLayout(block, size, &layout))
        return false;
    picture->width = layout.width;
    picture->height = layout.height;
    picture->bitsPerPixel = layout.bits;
    picture->pixels.assign(size_t(layout.width) * layout.height * 4, 0);
    const PixelView view = picture->View();
    DecodeRows(layout, layout.topDown ? view : FlippedView(view));
    if (layout.masks.alpha)
        OpaqueWhenAlphaUnused(picture->pixels);
    return true;
}

bool ClipboardBlockHasAlphaMask(const uint8_t* block, size_t size)
{
    if (!block || size < kHeaderWithAlphaMask || ReadU32(block) < kHeaderWithAlphaMask)
        return false;
    const int bits = ReadU16(block + 14);
    return (bits == 16 || bits == 32) && ReadU32(block + kAlphaMaskAt) != 0;
}

bool ReadPngSize(const uint8_t* bytes, size_t size, int* width, int* height)
{
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    constexpr size_t kHeaderChunkEnd = 8 + 8 + 13 + 4;  // signature, length and type, IHDR data, CRC
    if (!bytes || size < kHeaderChunkEnd || std::memcmp(bytes, kSignature, 8) != 0 ||
        ReadBigEndian32(bytes + 8) != 13 || std::memcmp(bytes + 12, "IHDR", 4) != 0)
        return false;
    const uint32_t w = ReadBigEndian32(bytes + 16), h = ReadBigEndian32(bytes + 20);
    if (w < 1 || h < 1 || w > uint32_t(kMaxClipboardSide) || h > uint32_t(kMaxClipboardSide))
        return false;
    *width = int(w);
    *height = int(h);
    return true;
}
