#include "library_format.h"

#include <algorithm>
#include <set>

#include "byte_io.h"

namespace {

constexpr uint16_t kMzSignature = 0x5A4D;
constexpr uint16_t kNeSignature = 0x454E;
constexpr uint16_t kPeSignature = 0x4550;
constexpr uint64_t kNewHeaderPointer = 60;

constexpr uint64_t kNeResourceTablePointer = 36;
constexpr uint16_t kNeIconType = 0x8003;
constexpr uint64_t kNeTypeRecordSize = 8;
constexpr uint64_t kNeNameRecordSize = 12;

constexpr uint64_t kPeFileHeaderEnd = 24;  // signature and file header
constexpr uint16_t kPe32Magic = 0x10B;
constexpr uint16_t kPe64Magic = 0x20B;
constexpr uint64_t kSectionHeaderSize = 40;
constexpr uint64_t kDirectoryHeaderSize = 16;
constexpr uint64_t kDirectoryEntrySize = 8;
constexpr uint64_t kDataEntrySize = 16;
constexpr uint32_t kPeIconType = 3;
constexpr uint32_t kSubdirectoryBit = 0x80000000u;

// A position check that fails the way a seek or a read on the file would: an offset past
// the end is not a valid library, a read that runs past the end is a read error.
LibraryStatus Check(size_t fileSize, uint64_t offset, uint64_t length)
{
    if (offset > fileSize)
        return LibraryStatus::kNotValid;
    if (length > fileSize - offset)
        return LibraryStatus::kReadError;
    return LibraryStatus::kOk;
}

struct BlockCollector {
    size_t fileSize;
    std::vector<LibraryIconBlock>* blocks;
    uint64_t totalBytes = 0;

    // Real modules keep their images apart, so together they never outgrow the file;
    // a table that repeats one block over and over is refused.
    LibraryStatus Add(uint64_t offset, uint32_t size, uint32_t paddedSize)
    {
        totalBytes += size;
        if (totalBytes > fileSize || blocks->size() >= kMaxLibraryImages)
            return LibraryStatus::kNotValid;
        blocks->push_back({offset, size, paddedSize});
        return LibraryStatus::kOk;
    }
};

LibraryStatus ReadNeNameRecords(const uint8_t* file, size_t fileSize, uint64_t at, uint16_t count,
                                unsigned shift, BlockCollector* collector)
{
    if (count == 0)
        return LibraryStatus::kNoIconInTable;
    if (LibraryStatus s = Check(fileSize, at, count * kNeNameRecordSize); s != LibraryStatus::kOk)
        return s;
    for (uint16_t i = 0; i < count; i++) {
        const uint8_t* record = file + at + i * kNeNameRecordSize;
        const uint64_t offset = uint64_t(ReadU16(record)) << shift;
        const uint64_t length = uint64_t(ReadU16(record + 2)) << shift;
        if (offset > fileSize)
            return LibraryStatus::kNotValid;
        const uint64_t present = std::min<uint64_t>(length, fileSize - offset);
        const uint64_t padded = std::min<uint64_t>(length, fileSize);
        if (LibraryStatus s = collector->Add(offset, uint32_t(present), uint32_t(padded)); s != LibraryStatus::kOk)
            return s;
    }
    return LibraryStatus::kOk;
}

LibraryStatus ReadNeIcons(const uint8_t* file, size_t fileSize, uint64_t header, BlockCollector* collector)
{
    if (LibraryStatus s = Check(fileSize, header + kNeResourceTablePointer, 2); s != LibraryStatus::kOk)
        return s;
    const uint64_t table = header + ReadU16(file + header + kNeResourceTablePointer);
    if (LibraryStatus s = Check(fileSize, table, 2); s != LibraryStatus::kOk)
        return s;
    const unsigned shift = ReadU16(file + table);
    if (shift >= 32)
        return LibraryStatus::kNotValid;  // no file is aligned that coarsely
    // Every record moves the position forward, so the walk ends at the latest at the end
    // of the file.
    for (uint64_t at = table + 2;;) {
        if (LibraryStatus s = Check(fileSize, at, 2); s != LibraryStatus::kOk)
            return s;
        const uint16_t type = ReadU16(file + at);
        if (type == 0)
            return LibraryStatus::kNoIconInTable;
        if (LibraryStatus s = Check(fileSize, at, kNeTypeRecordSize); s != LibraryStatus::kOk)
            return s;
        const uint16_t count = ReadU16(file + at + 2);
        at += kNeTypeRecordSize;
        if (type == kNeIconType)
            return ReadNeNameRecords(file, fileSize, at, count, shift, collector);
        at += count * kNeNameRecordSize;
    }
}

struct PeResources {
    const uint8_t* file;
    size_t fileSize;
    uint64_t sectionOffset;   // R: where .rsrc lies in the file
    uint64_t virtualAddress;  // V: where it lies in memory
    std::set<uint32_t> visited;
    BlockCollector* collector;
};

struct PeDirectory {
    uint64_t entries = 0;  // file offset of the first entry
    uint32_t count = 0;

    uint32_t Name(const uint8_t* file, uint32_t i) const { return ReadU32(file + entries + i * kDirectoryEntrySize); }
    uint32_t Target(const uint8_t* file, uint32_t i) const { return ReadU32(file + entries + i * kDirectoryEntrySize + 4); }
};

// A directory may be read once: one reached again points back into the tree.
LibraryStatus ReadPeDirectory(PeResources* pe, uint32_t target, PeDirectory* directory)
{
    const uint32_t relative = target & ~kSubdirectoryBit;
    if (!pe->visited.insert(relative).second)
        return LibraryStatus::kNotValid;
    const uint64_t at = pe->sectionOffset + relative;
    if (LibraryStatus s = Check(pe->fileSize, at, kDirectoryHeaderSize); s != LibraryStatus::kOk)
        return s;
    directory->count = uint32_t(ReadU16(pe->file + at + 12)) + ReadU16(pe->file + at + 14);
    directory->entries = at + kDirectoryHeaderSize;
    return Check(pe->fileSize, directory->entries, directory->count * kDirectoryEntrySize);
}

LibraryStatus TakePeImage(PeResources* pe, uint32_t target)
{
    const uint64_t at = pe->sectionOffset + target;
    if (LibraryStatus s = Check(pe->fileSize, at, kDataEntrySize); s != LibraryStatus::kOk)
        return s;
    const uint32_t address = ReadU32(pe->file + at);
    const uint32_t size = ReadU32(pe->file + at + 4);
    if (address < pe->virtualAddress)
        return LibraryStatus::kNotValid;
    const uint64_t offset = pe->sectionOffset + (address - pe->virtualAddress);
    if (LibraryStatus s = Check(pe->fileSize, offset, size); s != LibraryStatus::kOk)
        return s;
    return pe->collector->Add(offset, size, size);
}

// Takes the data entries of a directory, descending at most `levels` further directories.
LibraryStatus TakePeEntries(PeResources* pe, const PeDirectory& directory, int levels)
{
    for (uint32_t i = 0; i < directory.count; i++) {
        const uint32_t target = directory.Target(pe->file, i);
        LibraryStatus s = LibraryStatus::kOk;
        if (!(target & kSubdirectoryBit)) {
            s = TakePeImage(pe, target);
        } else if (levels > 0) {
            PeDirectory below;
            s = ReadPeDirectory(pe, target, &below);
            if (s == LibraryStatus::kOk)
                s = TakePeEntries(pe, below, levels - 1);
        }
        if (s != LibraryStatus::kOk)
            return s;
    }
    return LibraryStatus::kOk;
}

bool FindResourceSection(const uint8_t* table, uint16_t count, PeResources* pe)
{
    static const uint8_t kName[8] = {'.', 'r', 's', 'r', 'c', 0, 0, 0};
    for (uint16_t i = 0; i < count; i++) {
        const uint8_t* section = table + i * kSectionHeaderSize;
        if (std::equal(kName, kName + 8, section)) {
            pe->virtualAddress = ReadU32(section + 12);
            pe->sectionOffset = ReadU32(section + 20);
            return true;
        }
    }
    return false;
}

LibraryStatus ReadPeIconDirectory(PeResources* pe)
{
    PeDirectory root;
    if (LibraryStatus s = ReadPeDirectory(pe, 0, &root); s != LibraryStatus::kOk)
        return s;
    for (uint32_t i = 0; i < root.count; i++) {
        const uint32_t target = root.Target(pe->file, i);
        if (root.Name(pe->file, i) != kPeIconType || !(target & kSubdirectoryBit))
            continue;
        PeDirectory icons;
        if (LibraryStatus s = ReadPeDirectory(pe, target, &icons); s != LibraryStatus::kOk)
            return s;
        // Below the icon ids come the languages and, in some modules, one more level.
        return TakePeEntries(pe, icons, 2);
    }
    return LibraryStatus::kNoIconType;
}

LibraryStatus ReadPeIcons(const uint8_t* file, size_t fileSize, uint64_t header, BlockCollector* collector)
{
    if (LibraryStatus s = Check(fileSize, header, kPeFileHeaderEnd + 2); s != LibraryStatus::kOk)
        return s;
    const uint16_t sectionCount = ReadU16(file + header + 6);
    const uint16_t optionalHeaderSize = ReadU16(file + header + 20);
    const uint16_t magic = ReadU16(file + header + kPeFileHeaderEnd);
    if (magic != kPe32Magic && magic != kPe64Magic)
        return LibraryStatus::kFormatNotSupported;
    // The section table follows the optional header, whose size the file header gives.
    const uint64_t sections = header + kPeFileHeaderEnd + optionalHeaderSize;
    if (LibraryStatus s = Check(fileSize, header, sections - header); s != LibraryStatus::kOk)
        return s;
    if (LibraryStatus s = Check(fileSize, sections, sectionCount * kSectionHeaderSize); s != LibraryStatus::kOk)
        return s;
    PeResources pe{file, fileSize, 0, 0, {}, collector};
    if (!FindResourceSection(file + sections, sectionCount, &pe))
        return LibraryStatus::kNoResourceSection;
    return ReadPeIconDirectory(&pe);
}

}  // namespace

LibraryStatus FindLibraryIcons(const uint8_t* file, size_t fileSize, std::vector<LibraryIconBlock>* blocks)
{
    blocks->clear();
    BlockCollector collector{fileSize, blocks};
    LibraryStatus status = Check(fileSize, 0, 2);
    if (status == LibraryStatus::kOk && ReadU16(file) != kMzSignature)
        status = LibraryStatus::kNotValid;
    if (status == LibraryStatus::kOk)
        status = Check(fileSize, kNewHeaderPointer, 2);
    uint64_t header = 0;
    if (status == LibraryStatus::kOk) {
        header = ReadU16(file + kNewHeaderPointer);  // the low 16 bits, as 16-bit loaders read it
        status = Check(fileSize, header, 2);
    }
    if (status == LibraryStatus::kOk) {
        const uint16_t signature = ReadU16(file + header);
        if (signature == kNeSignature)
            status = ReadNeIcons(file, fileSize, header, &collector);
        else if (signature == kPeSignature)
            status = ReadPeIcons(file, fileSize, header, &collector);
        else
            status = LibraryStatus::kNotValid;
    }
    if (status != LibraryStatus::kOk)
        blocks->clear();
    return status;
}

std::vector<uint8_t> LibraryBlockBytes(const uint8_t* file, size_t fileSize, const LibraryIconBlock& block)
{
    std::vector<uint8_t> bytes(std::max(block.size, block.paddedSize), 0);
    if (block.offset <= fileSize && block.size <= fileSize - block.offset)
        std::copy(file + block.offset, file + block.offset + block.size, bytes.begin());
    return bytes;
}

std::vector<uint8_t> BuildIconGroup(const IconDirectory& directory, uint16_t firstIconId)
{
    std::vector<uint8_t> group;
    ByteWriter writer{group};
    writer.U16(0);
    writer.U16(kIconFileType);
    writer.U16(uint16_t(directory.entries.size()));
    uint16_t id = firstIconId;
    for (const IconDirEntry& entry : directory.entries) {
        writer.U8(entry.width);
        writer.U8(entry.height);
        writer.U8(entry.colorCount);
        writer.U8(entry.reserved);
        writer.U16(entry.planesOrHotspotX);
        writer.U16(entry.bitsOrHotspotY);
        writer.U32(entry.blockSize);
        writer.U16(id++);
    }
    return group;
}

std::vector<std::wstring> SplitSelectedFiles(const wchar_t* buffer, size_t capacity, size_t fileNameOffset)
{
    std::vector<std::wstring> files;
    if (!buffer || capacity < 2 || fileNameOffset >= capacity)
        return files;
    const size_t firstEnd = size_t(std::find(buffer, buffer + capacity, L'\0') - buffer);
    if (firstEnd == 0 || firstEnd == capacity)
        return files;
    if (fileNameOffset <= firstEnd) {  // one file: the buffer holds its full path
        files.emplace_back(buffer, firstEnd);
        return files;
    }
    std::wstring folder(buffer, firstEnd);
    if (folder.back() != L'\\')
        folder += L'\\';
    const wchar_t* end = buffer + capacity;
    for (const wchar_t* name = buffer + fileNameOffset; name <= end - 2 && *name;) {
        const wchar_t* nameEnd = std::find(name, end, L'\0');
        if (nameEnd == end)
            break;  // unterminated: not a name the dialog wrote
        files.push_back(folder + std::wstring(name, nameEnd));
        name = nameEnd + 1;
    }
    return files;
}
