#include "ico_format.h"

#include <emmintrin.h>

#include <algorithm>
#include <cstring>

#include "byte_io.h"
#include "dither.h"
#include "palettes.h"

namespace {

constexpr uint32_t kCompressionRgb = 0;
constexpr uint32_t kCompressionBitfields = 3;

uint64_t RowBytes(uint64_t width, uint64_t bits)
{
    return ((width * bits + 31) / 32) * 4;
}

uint64_t MaskRowBytes(uint64_t width)
{
    return ((width + 31) / 32) * 4;
}

uint32_t ColorTableBytes(int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1: return 8;
    case 4: return 64;
    case 8: return 1024;
    default: return 0;
    }
}

bool IsEncodableDepth(int bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
}

// How the color of one stored pixel is found.
struct PixelFormat {
    int bits = 0;
    const uint8_t* colorTable = nullptr;
    uint32_t colorCount = 0;
    bool green6 = false;  // 16 bits: 5-6-5 instead of 5-5-5
};

struct BlockLayout {
    int width = 0;
    int height = 0;
    PixelFormat format;
    const uint8_t* pixelRows = nullptr;
    uint64_t pixelRowBytes = 0;
    const uint8_t* maskRows = nullptr;  // null for a 32-bit block that has none
    uint64_t maskRowBytes = 0;
};

bool MasksAre(const uint8_t* masks, uint32_t red, uint32_t green, uint32_t blue)
{
    return ReadU32(masks) == red && ReadU32(masks + 4) == green && ReadU32(masks + 8) == blue;
}

// Checks the bit-field masks of a 16- or 32-bit block; only the usual layouts are read.
bool ReadBitfields(const uint8_t* block, size_t size, uint32_t headerSize, int bits,
                   PixelFormat* format, uint64_t* tableStart)
{
    const uint64_t masksAt = kBitmapHeaderSize;
    if (masksAt + 12 > size)
        return false;
    const uint8_t* masks = block + masksAt;
    if (bits == 16 && MasksAre(masks, 0xF800, 0x07E0, 0x001F))
        format->green6 = true;
    else if (bits == 16 && MasksAre(masks, 0x7C00, 0x03E0, 0x001F))
        format->green6 = false;
    else if (bits != 32 || !MasksAre(masks, 0x00FF0000, 0x0000FF00, 0x000000FF))
        return false;
    // A plain 40-byte header is followed by the three masks; larger headers hold them.
    *tableStart = headerSize == kBitmapHeaderSize ? masksAt + 12 : headerSize;
    return true;
}

bool ReadBlockLayout(const uint8_t* block, size_t size, BlockLayout* layout)
{
    if (size < kBitmapHeaderSize)
        return false;
    const uint32_t headerSize = ReadU32(block);
    const int32_t width = ReadI32(block + 4);
    const int32_t doubledHeight = ReadI32(block + 8);
    const uint16_t planes = ReadU16(block + 12);
    const uint16_t bits = ReadU16(block + 14);
    const uint32_t compression = ReadU32(block + 16);
    const uint32_t colorsUsed = ReadU32(block + 32);
    if (headerSize < kBitmapHeaderSize || headerSize > size)
        return false;
    if (width < 1 || width > kMaxIconSide || doubledHeight < 2 || doubledHeight / 2 > kMaxIconSide)
        return false;
    if (planes > 1 || !(IsEncodableDepth(bits) || bits == 16))
        return false;

    layout->width = width;
    layout->height = doubledHeight / 2;
    layout->format.bits = bits;
    uint64_t tableStart = headerSize;
    if (compression == kCompressionBitfields) {
        if (!ReadBitfields(block, size, headerSize, bits, &layout->format, &tableStart))
            return false;
    } else if (compression != kCompressionRgb) {
        return false;
    }

    const uint64_t tableEntries = colorsUsed ? colorsUsed : (bits <= 8 ? 1u << bits : 0);
    const uint64_t pixelStart = tableStart + tableEntries * 4;
    layout->pixelRowBytes = RowBytes(width, bits);
    layout->maskRowBytes = MaskRowBytes(width);
    const uint64_t maskStart = pixelStart + layout->pixelRowBytes * layout->height;
    const uint64_t end = maskStart + layout->maskRowBytes * layout->height;
    // Some writers end a 32-bit block right after its pixel rows, leaving transparency to
    // the alpha channel; Windows reads those, so we do too. Other depths need their mask.
    const bool withoutMask = end > size && bits == 32 && maskStart <= size;
    if (end > size && !withoutMask)
        return false;
    layout->format.colorTable = block + tableStart;
    layout->format.colorCount = uint32_t(std::min<uint64_t>(tableEntries, 256));
    layout->pixelRows = block + pixelStart;
    layout->maskRows = withoutMask ? nullptr : block + maskStart;
    return true;
}

void PutTableColor(const PixelFormat& format, uint32_t index, uint8_t* out)
{
    // An index past the table shows black, as Windows draws it.
    if (index < format.colorCount) {
        const uint8_t* entry = format.colorTable + index * 4;
        out[kBlue] = entry[0];
        out[kGreen] = entry[1];
        out[kRed] = entry[2];
    } else {
        out[kBlue] = out[kGreen] = out[kRed] = 0;
    }
    out[kAlpha] = 255;
}

uint8_t Expand5(uint32_t v) { return uint8_t((v << 3) | (v >> 2)); }
uint8_t Expand6(uint32_t v) { return uint8_t((v << 2) | (v >> 4)); }

void PutStoredPixel(const PixelFormat& format, const uint8_t* row, int x, uint8_t* out)
{
    switch (format.bits) {
    case 1: PutTableColor(format, (row[x / 8] >> (7 - x % 8)) & 1, out); break;
    case 4: PutTableColor(format, x % 2 ? row[x / 2] & 0x0F : row[x / 2] >> 4, out); break;
    case 8: PutTableColor(format, row[x], out); break;
    case 16: {
        const uint32_t v = ReadU16(row + x * 2);
        out[kBlue] = Expand5(v & 0x1F);
        if (format.green6) {
            out[kGreen] = Expand6((v >> 5) & 0x3F);
            out[kRed] = Expand5((v >> 11) & 0x1F);
        } else {
            out[kGreen] = Expand5((v >> 5) & 0x1F);
            out[kRed] = Expand5((v >> 10) & 0x1F);
        }
        out[kAlpha] = 255;
        break;
    }
    case 24:
        std::memcpy(out, row + x * 3, 3);
        out[kAlpha] = 255;
        break;
    case 32: std::memcpy(out, row + x * 4, 4); break;
    }
}

// Older 32-bit icons leave every alpha byte 0 and rely on the mask; Windows shows them
// opaque where the mask is clear, and so do we.
bool AlphaChannelUnused(const BlockLayout& layout)
{
    if (layout.format.bits != 32)
        return false;
    for (int y = 0; y < layout.height; y++) {
        const uint8_t* row = layout.pixelRows + y * layout.pixelRowBytes;
        for (int x = 0; x < layout.width; x++)
            if (row[x * 4 + 3] != 0)
                return false;
    }
    return true;
}

}  // namespace

bool ParseIconDirectory(const uint8_t* file, size_t fileSize, bool acceptCursorType,
                        IconDirectory* directory)
{
    ByteReader reader{file, fileSize};
    uint16_t reserved = 0, type = 0, count = 0;
    if (!reader.U16(&reserved) || !reader.U16(&type) || !reader.U16(&count))
        return false;
    if (reserved != 0 || !(type == kIconFileType || (acceptCursorType && type == kCursorFileType)))
        return false;
    if (!reader.Has(size_t(count) * kIconEntrySize))
        return false;
    directory->type = type;
    directory->entries.clear();
    directory->entries.reserve(count);
    for (int i = 0; i < count; i++) {
        IconDirEntry e{};
        reader.U8(&e.width);
        reader.U8(&e.height);
        reader.U8(&e.colorCount);
        reader.U8(&e.reserved);
        reader.U16(&e.planesOrHotspotX);
        reader.U16(&e.bitsOrHotspotY);
        reader.U32(&e.blockSize);
        reader.U32(&e.blockOffset);
        if (e.blockSize == 0 || uint64_t(e.blockOffset) + e.blockSize > fileSize)
            return false;
        directory->entries.push_back(e);
    }
    return true;
}

uint32_t IconBlockSize(int width, int height, int bitsPerPixel)
{
    if (!IsEncodableDepth(bitsPerPixel) || width < 0 || height < 0)
        return 0;
    const uint64_t rows = (RowBytes(width, bitsPerPixel) + MaskRowBytes(width)) * uint64_t(height);
    return uint32_t(kBitmapHeaderSize + rows + ColorTableBytes(bitsPerPixel));
}

int WritableDepth(int bitsPerPixel)
{
    return IsEncodableDepth(bitsPerPixel) ? bitsPerPixel : 32;
}

IconBlockKind ClassifyIconBlock(const uint8_t* block, size_t size)
{
    static const uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size >= 8 && std::memcmp(block, kPngSignature, 8) == 0)
        return IconBlockKind::kPng;
    return IconBlockKind::kBitmap;
}

bool ReadIconBlockInfo(const uint8_t* block, size_t size, IconBlockInfo* info)
{
    BlockLayout layout;
    if (!ReadBlockLayout(block, size, &layout))
        return false;
    *info = {layout.width, layout.height, layout.format.bits};
    return true;
}

namespace {

// One stored row into 32-bit pixels. The common depths copy whole rows; the rest go pixel
// by pixel.
void DecodeRow(const PixelFormat& format, const uint8_t* row, int width, bool forceOpaque, uint8_t* out)
{
    if (format.bits == 32) {
        std::memcpy(out, row, size_t(width) * 4);
        if (forceOpaque)
            for (int x = 0; x < width; x++)
                out[x * 4 + kAlpha] = 255;
        return;
    }
    if (format.bits == 24) {
        for (int x = 0; x < width; x++, out += 4, row += 3) {
            out[kBlue] = row[0];
            out[kGreen] = row[1];
            out[kRed] = row[2];
            out[kAlpha] = 255;
        }
        return;
    }
    for (int x = 0; x < width; x++)
        PutStoredPixel(format, row, x, out + x * 4);
}

// Masked pixels become transparent black; a mask byte of 0 masks none of its eight.
void ApplyMaskRow(const uint8_t* maskRow, int width, uint8_t* out)
{
    for (int x0 = 0; x0 < width; x0 += 8) {
        const uint8_t bits = maskRow[x0 / 8];
        if (bits == 0)
            continue;
        if (bits == 0xFF && x0 + 8 <= width) {
            std::memset(out + x0 * 4, 0, 32);
            continue;
        }
        for (int x = x0; x < width && x < x0 + 8; x++)
            if (bits & (0x80 >> (x - x0)))
                std::memset(out + x * 4, 0, 4);
    }
}

}  // namespace

void DecodeIconBlockInto(const uint8_t* block, size_t size, const PixelView& out)
{
    BlockLayout layout;
    if (!ReadBlockLayout(block, size, &layout) || out.width != layout.width || out.height != layout.height)
        return;
    // Without a mask the alpha channel is all there is, even when it is all 0.
    const bool forceOpaque = layout.maskRows && AlphaChannelUnused(layout);
    const PixelView fileOrder = FlippedView(out);  // stored rows run bottom-up
    for (int y = 0; y < layout.height; y++) {
        uint8_t* outRow = fileOrder.Row(y);
        DecodeRow(layout.format, layout.pixelRows + y * layout.pixelRowBytes, layout.width, forceOpaque, outRow);
        if (layout.maskRows)
            ApplyMaskRow(layout.maskRows + y * layout.maskRowBytes, layout.width, outRow);
    }
}

bool DecodeIconBlock(const uint8_t* block, size_t size, DecodedPicture* picture)
{
    IconBlockInfo info;
    if (!ReadIconBlockInfo(block, size, &info))
        return false;
    picture->width = info.width;
    picture->height = info.height;
    picture->bitsPerPixel = info.bitsPerPixel;
    picture->pixels.assign(size_t(info.width) * info.height * 4, 0);
    DecodeIconBlockInto(block, size, picture->View());
    return true;
}

namespace {

void WriteBitmapHeader(uint8_t* block, int width, int height, int bits)
{
    WriteU32(block, kBitmapHeaderSize);
    WriteU32(block + 4, uint32_t(width));
    WriteU32(block + 8, uint32_t(height * 2));
    WriteU16(block + 12, 1);
    WriteU16(block + 14, uint16_t(bits));
    WriteU32(block + 16, kCompressionRgb);
    WriteU32(block + 20, uint32_t(RowBytes(width, bits) * height));
}

void WriteColorTable(uint8_t* table, const PaletteColor* palette, int count)
{
    for (int i = 0; i < count; i++) {
        table[i * 4 + 0] = PaletteBlue(palette[i]);
        table[i * 4 + 1] = PaletteGreen(palette[i]);
        table[i * 4 + 2] = PaletteRed(palette[i]);
        table[i * 4 + 3] = 0;
    }
}

// The bits of one mask byte in file order: the first pixel is the highest bit.
constexpr uint8_t ReversedBits(int byte)
{
    int reversed = 0;
    for (int i = 0; i < 8; i++)
        reversed |= ((byte >> i) & 1) << (7 - i);
    return uint8_t(reversed);
}

struct ReversedByteTable {
    uint8_t bits[256];
    constexpr ReversedByteTable() : bits()
    {
        for (int i = 0; i < 256; i++)
            bits[i] = ReversedBits(i);
    }
};
constexpr ReversedByteTable kReversed;

// Sixteen pixels' "transparent" flags, pixel i in bit i: alpha 0 at 32 bits, anything short
// of opaque below that.
inline unsigned TransparentFlags16(const uint8_t* pixels, bool thirtyTwoBits)
{
    const __m128i* at = reinterpret_cast<const __m128i*>(pixels);
    const __m128i low = _mm_packs_epi32(_mm_srli_epi32(_mm_loadu_si128(at), 24), _mm_srli_epi32(_mm_loadu_si128(at + 1), 24));
    const __m128i high = _mm_packs_epi32(_mm_srli_epi32(_mm_loadu_si128(at + 2), 24), _mm_srli_epi32(_mm_loadu_si128(at + 3), 24));
    const __m128i alpha = _mm_packus_epi16(low, high);
    const unsigned opaque = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(alpha, _mm_set1_epi8(char(0xFF)))));
    const unsigned clear = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(alpha, _mm_setzero_si128())));
    return thirtyTwoBits ? clear : ~opaque & 0xFFFF;
}

// Mask bit 1 = transparent: alpha 0 at 32 bits, anything short of opaque below that. The
// mask rows start cleared.
void WriteMask(const PixelView& rows, int bits, uint8_t* mask)
{
    const uint64_t maskRowBytes = MaskRowBytes(rows.width);
    for (int y = 0; y < rows.height; y++) {
        uint8_t* maskRow = mask + y * maskRowBytes;
        const uint8_t* row = rows.Row(y);
        int x = 0;
        for (; x + 16 <= rows.width; x += 16) {
            const unsigned flags = TransparentFlags16(row + x * 4, bits == 32);
            maskRow[x / 8] = kReversed.bits[flags & 0xFF];
            maskRow[x / 8 + 1] = kReversed.bits[flags >> 8];
        }
        for (; x < rows.width; x++) {
            const uint8_t alpha = row[x * 4 + kAlpha];
            const bool transparent = bits == 32 ? alpha == 0 : alpha != 255;
            if (transparent)
                maskRow[x / 8] |= uint8_t(0x80 >> (x % 8));
        }
    }
}

void WriteDirectColorRows(const PixelView& rows, int bits, uint8_t* out)
{
    const uint64_t rowBytes = RowBytes(rows.width, bits);
    for (int y = 0; y < rows.height; y++) {
        uint8_t* row = out + y * rowBytes;
        const uint8_t* from = rows.Row(y);
        if (bits == 32) {
            std::memcpy(row, from, size_t(rows.width) * 4);
            continue;
        }
        for (int x = 0; x < rows.width; x++, row += 3, from += 4) {
            row[0] = from[kBlue];
            row[1] = from[kGreen];
            row[2] = from[kRed];
        }
    }
}

void WriteIndexedRows(const PixelView& rows, int bits, const PaletteColor* palette, int count,
                      uint8_t* out)
{
    const int level = bits == 8 ? 3 : 7;
    constexpr int kAlphaThreshold = 200;
    // Dither a private copy: the mask above was taken from the undithered pixels.
    // Both buffers are kept from save to save: fresh pages cost more than the dithering.
    thread_local std::vector<uint8_t> copy;
    thread_local std::vector<uint16_t> indices;
    copy.resize(size_t(rows.width) * rows.height * 4);
    indices.resize(size_t(rows.width) * rows.height);
    PixelView work{rows.width, rows.height, std::ptrdiff_t(rows.width) * 4, copy.data()};
    for (int y = 0; y < rows.height; y++)
        std::memcpy(work.Row(y), rows.Row(y), size_t(rows.width) * 4);
    DitherToPalette(work, *NearestColorFinder::ForFixedPalette(palette, count), level, kAlphaThreshold,
                    indices.data());

    const uint64_t rowBytes = RowBytes(rows.width, bits);
    const int perByte = 8 / bits;
    for (int y = 0; y < rows.height; y++) {
        uint8_t* row = out + y * rowBytes;
        for (int x = 0; x < rows.width; x++) {
            const int shift = bits * (perByte - 1 - x % perByte);
            row[x / perByte] |= uint8_t(indices[size_t(y) * rows.width + x] << shift);
        }
    }
    constexpr size_t kKeptPixels = size_t(4) << 20;  // a 2048 x 2048 picture
    if (indices.size() > kKeptPixels) {
        std::vector<uint8_t>().swap(copy);
        std::vector<uint16_t>().swap(indices);
    }
}

}  // namespace

bool EncodeIconBlock(const PixelView& source, int bitsPerPixel, uint8_t* block, size_t blockSize)
{
    const int width = source.width, height = source.height;
    if (blockSize != IconBlockSize(width, height, bitsPerPixel) || blockSize == 0)
        return false;
    std::memset(block, 0, blockSize);
    WriteBitmapHeader(block, width, height, bitsPerPixel);

    int colorCount = 0;
    const PaletteColor* palette = PaletteForDepth(bitsPerPixel, &colorCount);
    uint8_t* table = block + kBitmapHeaderSize;
    uint8_t* pixelRows = table + ColorTableBytes(bitsPerPixel);
    uint8_t* maskRows = pixelRows + RowBytes(width, bitsPerPixel) * height;
    // Files store the bottom row first; walking a flipped view writes them in file order.
    const PixelView fileOrder = FlippedView(source);
    WriteMask(fileOrder, bitsPerPixel, maskRows);
    if (palette) {
        WriteColorTable(table, palette, colorCount);
        WriteIndexedRows(fileOrder, bitsPerPixel, palette, colorCount, pixelRows);
    } else {
        WriteDirectColorRows(fileOrder, bitsPerPixel, pixelRows);
    }
    return true;
}

namespace {

uint32_t EntryBlockSize(const IconFileImage& image)
{
    if (image.storedBlock)
        return uint32_t(image.storedBlock->size());
    return IconBlockSize(image.pixels.width, image.pixels.height, WritableDepth(image.bitsPerPixel));
}

}  // namespace

std::vector<uint8_t> BuildIconFile(IconFileType type, const std::vector<IconFileImage>& images)
{
    std::vector<uint8_t> file;
    BuildIconFile(type, images, &file);
    return file;
}

void BuildIconFile(IconFileType type, const std::vector<IconFileImage>& images, std::vector<uint8_t>* out)
{
    std::vector<uint8_t>& file = *out;
    file.clear();
    uint64_t total = kIconHeaderSize + kIconEntrySize * images.size();
    for (const IconFileImage& image : images)
        total += EntryBlockSize(image);
    file.reserve(size_t(total));
    ByteWriter writer{file};
    writer.U16(0);
    writer.U16(type);
    writer.U16(uint16_t(images.size()));
    uint32_t offset = uint32_t(kIconHeaderSize + kIconEntrySize * images.size());
    std::vector<uint32_t> sizes;
    for (const IconFileImage& image : images) {
        const int bits = WritableDepth(image.bitsPerPixel);
        const uint32_t size = EntryBlockSize(image);
        writer.U8(uint8_t(image.pixels.width));  // 256 is stored as 0
        writer.U8(uint8_t(image.pixels.height));
        writer.U8(bits == 1 ? 2 : bits == 4 ? 16 : 0);
        writer.U8(0);
        writer.U16(uint16_t(type == kIconFileType ? 1 : image.hotspotX));
        writer.U16(uint16_t(type == kIconFileType ? bits : image.hotspotY));
        writer.U32(size);
        writer.U32(offset);
        offset += size;
        sizes.push_back(size);
    }
    for (size_t i = 0; i < images.size(); i++) {
        const size_t at = file.size();
        if (images[i].storedBlock) {
            file.insert(file.end(), images[i].storedBlock->begin(), images[i].storedBlock->end());
            continue;
        }
        file.resize(at + sizes[i]);
        EncodeIconBlock(images[i].pixels, WritableDepth(images[i].bitsPerPixel), file.data() + at, sizes[i]);
    }
}
