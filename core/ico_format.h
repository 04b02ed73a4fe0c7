// The icon and cursor file layout: a 6-byte header, 16-byte directory entries and one
// device-independent bitmap block per entry. Bytes in, pixels out, and back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/pixel_view.h"

constexpr size_t kIconHeaderSize = 6;
constexpr size_t kIconEntrySize = 16;
constexpr size_t kBitmapHeaderSize = 40;

// Largest side we decode. Real icons stop at 256; this leaves room for oversized PNG
// entries while keeping a hostile header from asking for gigabytes.
constexpr int kMaxIconSide = 4096;

enum IconFileType : uint16_t {
    kIconFileType = 1,
    kCursorFileType = 2,
};

struct IconDirEntry {
    uint8_t width;
    uint8_t height;
    uint8_t colorCount;
    uint8_t reserved;
    uint16_t planesOrHotspotX;  // icon: planes; cursor: hot spot x
    uint16_t bitsOrHotspotY;    // icon: bits per pixel; cursor: hot spot y
    uint32_t blockSize;
    uint32_t blockOffset;
};

struct IconDirectory {
    uint16_t type = 0;
    std::vector<IconDirEntry> entries;
};

// Reads the header and directory of an icon or cursor file held in memory. Fails on a bad
// header (reserved not 0, a type not accepted) or when a directory entry, or the block it
// names, lies outside the file.
bool ParseIconDirectory(const uint8_t* file, size_t fileSize, bool acceptCursorType,
                        IconDirectory* directory);

// Size of an icon image block: header, color table, pixel rows and mask rows. 0 for a depth
// that has no encoding (anything but 1, 4, 8, 24, 32).
uint32_t IconBlockSize(int width, int height, int bitsPerPixel);

// The depth a picture is written at: its own when it has an encoding, else 32 bits.
int WritableDepth(int bitsPerPixel);

enum class IconBlockKind { kBitmap, kPng };
IconBlockKind ClassifyIconBlock(const uint8_t* block, size_t size);

// A decoded picture: 32-bit pixels, rows top to bottom, stride width * 4.
struct DecodedPicture {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;  // depth named in the block header
    std::vector<uint8_t> pixels;

    PixelView View() { return {width, height, std::ptrdiff_t(width) * 4, pixels.data()}; }
};

// Size and depth of a bitmap-form icon image block, after checking that the header can
// describe the block and that the block holds everything the header promises (a 32-bit
// block may stop after its pixel rows; its alpha channel then says what is transparent).
struct IconBlockInfo {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
};
bool ReadIconBlockInfo(const uint8_t* block, size_t size, IconBlockInfo* info);

// Decodes a block that ReadIconBlockInfo accepted into `out`, which has the block's width
// and height (rows top to bottom). Masked pixels become transparent black.
void DecodeIconBlockInto(const uint8_t* block, size_t size, const PixelView& out);

// Both steps into a new picture. Fails when the header cannot describe the block or the
// block is too short for it.
bool DecodeIconBlock(const uint8_t* block, size_t size, DecodedPicture* picture);

// Encodes `source` (rows top to bottom) as an icon image block of `bitsPerPixel` into
// `block`, which holds exactly IconBlockSize(...) bytes. Depths 1, 4 and 8 are dithered
// against the fixed palettes from the bottom row up, as the rows are stored.
bool EncodeIconBlock(const PixelView& source, int bitsPerPixel, uint8_t* block, size_t blockSize);

// One picture of a file to write.
struct IconFileImage {
    PixelView pixels;
    int bitsPerPixel;
    int hotspotX;
    int hotspotY;
    // When set, the entry's block is these bytes as they are (a PNG-compressed picture)
    // instead of a bitmap block made from `pixels`.
    const std::vector<uint8_t>* storedBlock = nullptr;
};

// The bytes of a whole icon or cursor file: header, entries, then the blocks back to back.
std::vector<uint8_t> BuildIconFile(IconFileType type, const std::vector<IconFileImage>& images);
// The same into `file`, which is emptied first (its memory is kept).
void BuildIconFile(IconFileType type, const std::vector<IconFileImage>& images, std::vector<uint8_t>* file);
