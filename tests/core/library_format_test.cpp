// Icon libraries, platform-free: finding icon images in NE and PE modules, refusing broken
// tables, the group directory of a new library and the file list of the open dialog.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/library_format.h"
#include "library_test_images.h"

namespace {

Bytes Filler(size_t size, uint8_t seed)
{
    Bytes b(size);
    for (size_t i = 0; i < size; i++)
        b[i] = uint8_t(seed + i * 7);
    return b;
}

LibraryStatus Find(const Bytes& file, std::vector<LibraryIconBlock>* blocks)
{
    return FindLibraryIcons(file.data(), file.size(), blocks);
}

void ExpectBlocksHold(const Bytes& file, const std::vector<LibraryIconBlock>& blocks, const std::vector<Bytes>& icons)
{
    ASSERT_EQ(blocks.size(), icons.size());
    for (size_t i = 0; i < icons.size(); i++) {
        Bytes got = LibraryBlockBytes(file.data(), file.size(), blocks[i]);
        got.resize(icons[i].size());  // NE blocks are padded to the alignment unit
        EXPECT_EQ(got, icons[i]) << "icon " << i;
    }
}

TEST(LibraryFormat, FindsPeIconsIn32And64BitModulesWithAndWithoutLanguageLevel)
{
    const std::vector<Bytes> icons = {Filler(40, 1), Filler(13, 2), Filler(300, 3)};
    for (uint16_t magic : {0x10B, 0x20B})
        for (bool languageLevel : {true, false})
            for (bool groupTypeFirst : {false, true}) {
                SCOPED_TRACE(testing::Message() << "magic " << magic << " language level " << languageLevel
                                                << " group type first " << groupTypeFirst);
                PeLayout layout;
                layout.magic = magic;
                layout.languageLevel = languageLevel;
                layout.groupTypeFirst = groupTypeFirst;
                layout.icons = icons;
                const BuiltPe pe = BuildPe(layout);
                std::vector<LibraryIconBlock> blocks;
                ASSERT_EQ(Find(pe.bytes, &blocks), LibraryStatus::kOk);
                ExpectBlocksHold(pe.bytes, blocks, icons);
            }
}

TEST(LibraryFormat, FindsNeIconsAndZeroFillsTheAlignmentPaddingOfTheLastOne)
{
    NeLayout layout;
    layout.icons = {Filler(40, 1), Filler(21, 5)};
    const BuiltNe ne = BuildNe(layout);
    std::vector<LibraryIconBlock> blocks;
    ASSERT_EQ(Find(ne.bytes, &blocks), LibraryStatus::kOk);
    ExpectBlocksHold(ne.bytes, blocks, layout.icons);
    EXPECT_EQ(blocks[0].offset, ne.iconOffsets[0]);
    EXPECT_EQ(blocks[0].paddedSize, 48u);
    // The file ends right after the last block, short of its padded length.
    EXPECT_EQ(blocks[1].size, 21u);
    EXPECT_EQ(blocks[1].paddedSize, 32u);
    const Bytes last = LibraryBlockBytes(ne.bytes.data(), ne.bytes.size(), blocks[1]);
    EXPECT_EQ(Bytes(last.begin() + 21, last.end()), Bytes(11, 0));
}

struct BrokenCase {
    const char* what;
    std::function<Bytes()> make;
    LibraryStatus expected;
};

Bytes Pe(const std::function<void(PeLayout&)>& adjust, const std::function<void(BuiltPe&)>& breakIt = nullptr)
{
    PeLayout layout;
    layout.icons = {Filler(40, 1), Filler(24, 9)};
    adjust(layout);
    BuiltPe pe = BuildPe(layout);
    if (breakIt)
        breakIt(pe);
    return pe.bytes;
}

Bytes Ne(const std::function<void(NeLayout&)>& adjust, const std::function<void(BuiltNe&)>& breakIt = nullptr)
{
    NeLayout layout;
    layout.icons = {Filler(40, 1), Filler(24, 9)};
    adjust(layout);
    BuiltNe ne = BuildNe(layout);
    if (breakIt)
        breakIt(ne);
    return ne.bytes;
}

void Keep(PeLayout&) {}
void KeepNe(NeLayout&) {}

TEST(LibraryFormat, BrokenOrIconlessModulesGiveTheReasonOfTheirFailure)
{
    using S = LibraryStatus;
    const std::vector<BrokenCase> cases = {
        {"one byte", [] { return Bytes{'M'}; }, S::kReadError},
        {"not MZ", [] { Bytes b = Pe(Keep); b[0] = 'Z'; return b; }, S::kNotValid},
        {"header pointer beyond a short file", [] { return Bytes{'M', 'Z', 0, 0}; }, S::kNotValid},
        {"new header beyond the file", [] { Bytes b = DosStub(); PutU16(b, 60, 0x4000); return b; }, S::kNotValid},
        {"unknown signature", [] { Bytes b = Pe(Keep); b[kTestNewHeader] = 'L'; return b; }, S::kNotValid},
        {"PE headers cut short", [] { Bytes b = Pe(Keep); b.resize(kTestNewHeader + 100); return b; }, S::kReadError},
        {"optional header neither 32 nor 64 bit", [] { return Pe([](PeLayout& s) { s.magic = 0x107; }); }, S::kFormatNotSupported},
        {"no .rsrc section", [] { return Pe([](PeLayout& s) { s.resourceSection = false; }); }, S::kNoResourceSection},
        {"section count past the file", [] { return Pe(Keep, [](BuiltPe& p) { PutU16(p.bytes, kTestNewHeader + 6, 60000); }); }, S::kReadError},
        {"resources beyond the file", [] { return Pe(Keep, [](BuiltPe& p) { PutU32(p.bytes, p.sectionTable + 20, 0x7FFFFFF0); }); }, S::kNotValid},
        {"no icon type", [] { return Pe([](PeLayout& s) { s.rootType = 24; }); }, S::kNoIconType},
        {"icon type is a data entry", [] { return Pe(Keep, [](BuiltPe& p) { PutU32(p.bytes, p.resources + 20, uint32_t(p.iconDirectory)); }); }, S::kNoIconType},
        {"directory entry count past the file", [] { return Pe(Keep, [](BuiltPe& p) { PutU16(p.bytes, p.resources + p.iconDirectory + 14, 65000); }); }, S::kReadError},
        {"icon directory pointing at the root", [] { return Pe(Keep, [](BuiltPe& p) { PutU32(p.bytes, p.resources + 20, 0x80000000u); }); }, S::kNotValid},
        {"language directory pointing at itself", [] { return Pe(Keep, [](BuiltPe& p) {
             PutU32(p.bytes, p.resources + p.firstLanguageDirectory + 20, 0x80000000u | uint32_t(p.firstLanguageDirectory)); }); }, S::kNotValid},
        {"two ids sharing one language directory", [] { return Pe(Keep, [](BuiltPe& p) {
             PutU32(p.bytes, p.resources + p.iconDirectory + 16 + 8 + 4, 0x80000000u | uint32_t(p.firstLanguageDirectory)); }); }, S::kNotValid},
        {"data address below the section", [] { return Pe(Keep, [](BuiltPe& p) { PutU32(p.bytes, p.resources + p.firstDataEntry, 0x100); }); }, S::kNotValid},
        {"data beyond the file", [] { return Pe(Keep, [](BuiltPe& p) { PutU32(p.bytes, p.resources + p.firstDataEntry, 0x7FFF0000); }); }, S::kNotValid},
        {"data running past the end", [] { return Pe(Keep, [](BuiltPe& p) { PutU32(p.bytes, p.resources + p.firstDataEntry + 4, 100000); }); }, S::kReadError},
        {"data entry beyond the file", [] { return Pe([](PeLayout& s) { s.languageLevel = false; }, [](BuiltPe& p) {
             PutU32(p.bytes, p.resources + p.iconDirectory + 16 + 4, 0x7FFFFF00); }); }, S::kNotValid},
        {"one block named over and over", [] { return Pe([](PeLayout& s) { s.icons = {Filler(2000, 1), Filler(8, 2)}; }, [](BuiltPe& p) {
             const size_t second = p.resources + p.firstDataEntry + 16;
             PutU32(p.bytes, second, ReadU32(p.bytes.data() + p.resources + p.firstDataEntry));
             PutU32(p.bytes, second + 4, 2000); }); }, S::kNotValid},
        {"NE icon type with no records", [] { return Ne([](NeLayout& s) { s.icons.clear(); }); }, S::kNoIconInTable},
        {"NE without icon type", [] { return Ne([](NeLayout& s) { s.iconType = false; }); }, S::kNoIconInTable},
        {"NE alignment shift beyond any file", [] { return Ne([](NeLayout& s) { s.shift = 40; s.icons.clear(); }); }, S::kNotValid},
        {"NE resource table beyond the file", [] { return Ne(KeepNe, [](BuiltNe& n) { PutU16(n.bytes, kTestNewHeader + 36, 0xF000); }); }, S::kNotValid},
        {"NE skipped type running past the file", [] { return Ne(KeepNe, [](BuiltNe& n) { PutU16(n.bytes, n.table + 4, 60000); }); }, S::kNotValid},
        {"NE icon beyond the file", [] { return Ne(KeepNe, [](BuiltNe& n) { PutU16(n.bytes, n.iconTypeRecord + 8, 0xFFFF); }); }, S::kNotValid},
        {"NE name records cut short", [] { return Ne(KeepNe, [](BuiltNe& n) { n.bytes.resize(n.iconTypeRecord + 14); }); }, S::kReadError},
        {"NE table without an end", [] { return Ne([](NeLayout& s) { s.iconType = false; }, [](BuiltNe& n) { n.bytes.resize(n.iconTypeRecord + 1); }); }, S::kReadError},
    };
    for (const BrokenCase& c : cases) {
        std::vector<LibraryIconBlock> blocks = {{1, 2, 3}};
        EXPECT_EQ(Find(c.make(), &blocks), c.expected) << c.what;
        EXPECT_TRUE(blocks.empty()) << c.what << ": a failed read leaves no blocks";
    }
}

TEST(LibraryFormat, EmptyPeIconDirectoryIsReadAsNoImages)
{
    std::vector<LibraryIconBlock> blocks;
    EXPECT_EQ(Find(Pe([](PeLayout& s) { s.icons.clear(); }), &blocks), LibraryStatus::kOk);
    EXPECT_TRUE(blocks.empty());
}

// Under the sanitizers: every prefix of a good module is refused or read within itself.
TEST(LibraryFormat, EveryTruncationIsReadWithinTheBytesThatRemain)
{
    for (const Bytes& whole : {Pe(Keep), Pe([](PeLayout& s) { s.magic = 0x20B; }), Ne(KeepNe)}) {
        for (size_t length = 0; length < whole.size(); length++) {
            const Bytes prefix(whole.begin(), whole.begin() + length);
            std::vector<LibraryIconBlock> blocks;
            const LibraryStatus status = Find(prefix, &blocks);
            for (const LibraryIconBlock& block : blocks)
                EXPECT_LE(block.offset + block.size, length);
            if (status != LibraryStatus::kOk) {
                EXPECT_TRUE(blocks.empty());
            }
        }
    }
}

TEST(LibraryFormat, GroupDirectoryCopiesTheFileEntriesAndNumbersTheIcons)
{
    IconDirectory directory;
    directory.type = kIconFileType;
    directory.entries = {{16, 16, 16, 0, 1, 4, 296, 38}, {0, 0, 0, 0, 1, 32, 0x12345, 334}};
    const Bytes expected = {0, 0, 1, 0, 2, 0,
                            16, 16, 16, 0, 1, 0, 4, 0, 0x28, 1, 0, 0, 7, 0,
                            0, 0, 0, 0, 1, 0, 32, 0, 0x45, 0x23, 1, 0, 8, 0};
    EXPECT_EQ(BuildIconGroup(directory, 7), expected);
}

TEST(LibraryFormat, SelectedFilesAreOneFullPathOrAFolderAndItsNames)
{
    struct Case {
        const char* what;
        std::wstring buffer;  // embedded zeros included
        size_t offset;
        std::vector<std::wstring> expected;
    };
    using namespace std::string_literals;
    const std::vector<Case> cases = {
        {"one file", L"C:\\icons\\a.ico\0\0"s, 9, {L"C:\\icons\\a.ico"}},
        {"three files", L"C:\\icons\0a.ico\0b.ico\0c d.ico\0\0"s, 9,
         {L"C:\\icons\\a.ico", L"C:\\icons\\b.ico", L"C:\\icons\\c d.ico"}},
        {"files in a drive's root", L"C:\\\0a.ico\0b.ico\0\0"s, 4, {L"C:\\a.ico", L"C:\\b.ico"}},
        {"nothing chosen", L"\0\0"s, 0, {}},
        {"offset past the buffer", L"C:\\a.ico\0\0"s, 40, {}},
        {"last name not ended", L"C:\\icons\0a.ico\0b.ico"s, 9, {L"C:\\icons\\a.ico"}},
        {"unterminated single path", L"C:\\a.ico"s, 3, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitSelectedFiles(c.buffer.data(), c.buffer.size(), c.offset), c.expected) << c.what;
}

}  // namespace
