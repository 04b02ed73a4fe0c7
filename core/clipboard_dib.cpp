#include "clipboard_dib.h"

#include <cstring>

#include "byte_io.h"

namespace {

constexpr uint32_t kRgb = 0;
constexpr uint32_t kBitfields = 3;
constexpr size_t kMaskBytes = 12;
constexpr int32_t kMaxSide = 65535;  // the document's 16-bit sizes

struct DibLayout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bits = 0;
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
    case 24: return (w * 3 + 3) & ~size_t(3);
    case 32: return w * 4;
    default: return 0;
    }
}

// Where the color table starts: after the header, and after the three masks that follow a
// plain 40-byte header when the picture names its masks.
bool TableStart(const uint8_t* block, size_t size, uint32_t headerSize, int bits, uint32_t compression,
                size_t* start)
{
    *start = headerSize;
    if (compression == kRgb)
        return true;
    if (compression != kBitfields || bits != 32)
        return false;
    const size_t masksAt = kBitmapHeaderSize;
    if (headerSize == kBitmapHeaderSize)
        *start += kMaskBytes;
    if (size < masksAt + kMaskBytes)
        return false;
    return ReadU32(block + masksAt) == 0x00FF0000u && ReadU32(block + masksAt + 4) == 0x0000FF00u &&
           ReadU32(block + masksAt + 8) == 0x000000FFu;
}

bool ReadLayout(const uint8_t* block, size_t size, DibLayout* layout)
{
    if (size < kBitmapHeaderSize)
        return false;
    const uint32_t headerSize = ReadU32(block);
    const int32_t width = ReadI32(block + 4), height = ReadI32(block + 8);
    const int bits = ReadU16(block + 14);
    const uint32_t compression = ReadU32(block + 16), colorsUsed = ReadU32(block + 32);
    if (headerSize < kBitmapHeaderSize || headerSize > size || width < 1 || width > kMaxSide || height == 0 ||
        height < -kMaxSide || height > kMaxSide || RowBytesFor(width, bits) == 0)
        return false;
    size_t tableStart = 0;
    if (!TableStart(block, size, headerSize, bits, compression, &tableStart) || tableStart > size)
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

void PutPixel(const DibLayout& layout, const uint8_t* row, int x, uint8_t* out)
{
    if (layout.bits == 32) {
        std::memcpy(out, row + x * 4, 4);
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
    const PixelView out = layout.topDown ? view : FlippedView(view);
    for (int y = 0; y < layout.height; y++) {
        const uint8_t* row = layout.rows + layout.rowBytes * size_t(y);
        for (int x = 0; x < layout.width; x++)
            PutPixel(layout, row, x, out.At(x, y));
    }
    return true;
}
