// Icon libraries: where the icon images of a 16-bit (NE) or 32/64-bit (PE) module lie, the
// group directory a new library stores per source file, and the file list the open-file
// dialog returns. Bytes in, positions out; nothing here touches the platform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ico_format.h"

// Why a library could not be read. Each maps to one message of the reader.
enum class LibraryStatus {
    kOk,
    kReadError,           // a read ran past the end of the file
    kNotValid,            // an offset outside the file, a bad signature, a looping directory
    kFormatNotSupported,  // a PE optional header that is neither 32- nor 64-bit
    kNoResourceSection,   // a PE module without ".rsrc"
    kNoIconType,          // a PE resource root without an icon-type directory
    kNoIconInTable,       // an NE resource table without icons
};

// One icon image inside the file: `size` bytes at `offset` exist; a 16-bit library may
// declare a longer, alignment-padded block, whose missing tail reads as zeros.
struct LibraryIconBlock {
    uint64_t offset = 0;
    uint32_t size = 0;
    uint32_t paddedSize = 0;
};

// The most images one document holds (its image count is 16 bits).
constexpr size_t kMaxLibraryImages = 65535;

// Finds every icon image of the module held in memory, in file order of the resource
// tables. Never reads outside `file`; refuses directories that are reached twice and
// image blocks that add up to more than the file.
LibraryStatus FindLibraryIcons(const uint8_t* file, size_t fileSize,
                               std::vector<LibraryIconBlock>* blocks);

// The bytes of one found block, zero-filled up to its padded size.
std::vector<uint8_t> LibraryBlockBytes(const uint8_t* file, size_t fileSize, const LibraryIconBlock& block);

// Group directory entries are 14 bytes: the first seven fields of a file directory entry
// and the icon id in place of the file offset.
constexpr size_t kGroupIconEntrySize = 14;

// The group directory of one icon file whose images get the ids firstIconId, +1, ...
std::vector<uint8_t> BuildIconGroup(const IconDirectory& directory, uint16_t firstIconId);

// The files of a multiple-selection buffer: one full path when `fileNameOffset` lies in
// the first string, else a folder followed by names, each ended by a zero, up to an empty
// name. `capacity` is the buffer's length in characters; nothing past capacity - 2 is read.
std::vector<std::wstring> SplitSelectedFiles(const wchar_t* buffer, size_t capacity, size_t fileNameOffset);
