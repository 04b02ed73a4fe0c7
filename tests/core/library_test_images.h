// Hand-made icon libraries for the library tests: a 16-bit (NE) module and a 32- or 64-bit
// (PE) module holding given icon blocks, with the offsets of their tables so that tests can
// break them on purpose.
#pragma once

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/byte_io.h"

using Bytes = std::vector<uint8_t>;

inline void PutU16(Bytes& b, size_t at, uint16_t v)
{
    if (b.size() < at + 2) b.resize(at + 2);
    WriteU16(b.data() + at, v);
}

inline void PutU32(Bytes& b, size_t at, uint32_t v)
{
    if (b.size() < at + 4) b.resize(at + 4);
    WriteU32(b.data() + at, v);
}

inline void PutBytes(Bytes& b, size_t at, const Bytes& data)
{
    if (b.size() < at + data.size()) b.resize(at + data.size());
    std::copy(data.begin(), data.end(), b.begin() + at);
}

constexpr size_t kTestNewHeader = 64;

inline Bytes DosStub()
{
    Bytes b(kTestNewHeader, 0);
    b[0] = 'M';
    b[1] = 'Z';
    PutU16(b, 60, uint16_t(kTestNewHeader));
    return b;
}

struct PeLayout {
    uint16_t magic = 0x10B;
    bool resourceSection = true;
    uint32_t rootType = 3;          // the type of the one root entry
    bool groupTypeFirst = false;    // a group-icon type entry ahead of the icon type
    bool languageLevel = true;      // icon id -> language -> data, or icon id -> data
    std::vector<Bytes> icons;
};

struct BuiltPe {
    Bytes bytes;
    size_t sectionTable = 0;
    size_t resources = 0;  // R
    size_t iconDirectory = 0;
    size_t firstLanguageDirectory = 0;
    size_t firstDataEntry = 0;
    uint32_t virtualAddress = 0x3000;
};

inline void PutDirectory(Bytes& b, size_t at, const std::vector<std::pair<uint32_t, uint32_t>>& entries)
{
    PutU32(b, at + 12, 0);
    PutU16(b, at + 14, uint16_t(entries.size()));
    for (size_t i = 0; i < entries.size(); i++) {
        PutU32(b, at + 16 + i * 8, entries[i].first);
        PutU32(b, at + 16 + i * 8 + 4, entries[i].second);
    }
}

inline size_t DirectorySize(size_t entries) { return 16 + entries * 8; }

inline BuiltPe BuildPe(const PeLayout& layout)
{
    BuiltPe pe;
    Bytes& b = pe.bytes;
    b = DosStub();
    const uint16_t optionalSize = layout.magic == 0x20B ? 240 : 224;
    b.push_back('P'), b.push_back('E'), b.push_back(0), b.push_back(0);
    PutU16(b, kTestNewHeader + 4, layout.magic == 0x20B ? 0x8664 : 0x14C);
    PutU16(b, kTestNewHeader + 6, 1);
    PutU16(b, kTestNewHeader + 20, optionalSize);
    PutU16(b, kTestNewHeader + 24, layout.magic);
    pe.sectionTable = kTestNewHeader + 24 + optionalSize;
    pe.resources = 0x200;
    PutBytes(b, pe.sectionTable, Bytes{'.', 'r', 's', 'r', 'c', 0, 0, 0});
    if (!layout.resourceSection)
        b[pe.sectionTable + 1] = 't';
    PutU32(b, pe.sectionTable + 12, pe.virtualAddress);
    PutU32(b, pe.sectionTable + 20, uint32_t(pe.resources));

    const size_t n = layout.icons.size();
    const size_t R = pe.resources;
    const size_t rootEntries = layout.groupTypeFirst ? 2 : 1;
    pe.iconDirectory = DirectorySize(rootEntries);
    const size_t groupDirectory = pe.iconDirectory + DirectorySize(n);
    pe.firstLanguageDirectory = groupDirectory + DirectorySize(0);
    pe.firstDataEntry = pe.firstLanguageDirectory + (layout.languageLevel ? n * DirectorySize(1) : 0);
    size_t data = pe.firstDataEntry + n * 16;

    std::vector<std::pair<uint32_t, uint32_t>> root;
    if (layout.groupTypeFirst)
        root.push_back({14, 0x80000000u | uint32_t(groupDirectory)});
    root.push_back({layout.rootType, 0x80000000u | uint32_t(pe.iconDirectory)});
    PutDirectory(b, R, root);
    PutDirectory(b, R + groupDirectory, {});
    std::vector<std::pair<uint32_t, uint32_t>> ids;
    for (size_t i = 0; i < n; i++) {
        const size_t entry = pe.firstDataEntry + i * 16;
        if (layout.languageLevel) {
            const size_t language = pe.firstLanguageDirectory + i * DirectorySize(1);
            PutDirectory(b, R + language, {{0, uint32_t(entry)}});
            ids.push_back({uint32_t(i + 1), 0x80000000u | uint32_t(language)});
        } else {
            ids.push_back({uint32_t(i + 1), uint32_t(entry)});
        }
        PutU32(b, R + entry, pe.virtualAddress + uint32_t(data));
        PutU32(b, R + entry + 4, uint32_t(layout.icons[i].size()));
        PutBytes(b, R + data, layout.icons[i]);
        data += (layout.icons[i].size() + 3) & ~size_t(3);
    }
    PutDirectory(b, R + pe.iconDirectory, ids);
    b.resize(R + data);
    return pe;
}

struct NeLayout {
    uint16_t shift = 4;
    bool otherTypeFirst = true;  // a group-icon type with one record ahead of the icons
    bool iconType = true;
    std::vector<Bytes> icons;
};

struct BuiltNe {
    Bytes bytes;
    size_t table = 0;          // resource table (alignment shift first)
    size_t iconTypeRecord = 0;
    std::vector<size_t> iconOffsets;
};

inline BuiltNe BuildNe(const NeLayout& layout)
{
    BuiltNe ne;
    Bytes& b = ne.bytes;
    b = DosStub();
    b.push_back('N'), b.push_back('E');
    ne.table = kTestNewHeader + 64;
    PutU16(b, kTestNewHeader + 36, uint16_t(ne.table - kTestNewHeader));
    PutU16(b, ne.table, layout.shift);
    size_t at = ne.table + 2;
    if (layout.otherTypeFirst) {
        PutU16(b, at, 0x800E);
        PutU16(b, at + 2, 1);
        at += 8 + 12;
    }
    ne.iconTypeRecord = at;
    if (layout.iconType) {
        PutU16(b, at, 0x8003);
        PutU16(b, at + 2, uint16_t(layout.icons.size()));
        at += 8 + 12 * layout.icons.size();
    }
    PutU16(b, at, 0);
    at += 2;
    const size_t unit = size_t(1) << layout.shift;
    size_t data = (at + unit - 1) / unit * unit;
    for (size_t i = 0; i < layout.icons.size(); i++) {
        const size_t record = ne.iconTypeRecord + 8 + i * 12;
        PutU16(b, record, uint16_t(data >> layout.shift));
        PutU16(b, record + 2, uint16_t((layout.icons[i].size() + unit - 1) >> layout.shift));
        PutU16(b, record + 6, uint16_t(0x8000 | (i + 1)));
        PutBytes(b, data, layout.icons[i]);
        ne.iconOffsets.push_back(data);
        data = (data + layout.icons[i].size() + unit - 1) / unit * unit;
    }
    return ne;
}
