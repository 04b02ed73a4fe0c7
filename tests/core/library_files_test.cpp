// Icon libraries under Wine: libraries the worker builds are read back by Windows itself and
// by PYX_GetLibraryIcons; hand-made and real modules are read; every failure says why.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <functional>

#include "common/message_box_recorder.h"
#include "core/ico_format.h"
#include "core/library_format.h"
#include "core/library_writer.h"
#include "core/pyx.h"
#include "harness/program_window.h"
#include "harness/test_bitmaps.h"
#include "harness/test_files.h"
#include "library_test_images.h"
#include "document_builders.h"

namespace {

struct PictureRecipe {
    int side;
    int bits;
};

// An .ico file whose pictures are noise with mixed alpha, one per layout.
Bytes MakeIconFile(const std::vector<PictureRecipe>& shapes)
{
    std::vector<std::vector<uint32_t>> pixels;
    std::vector<IconFileImage> images;
    for (const PictureRecipe& layout : shapes) {
        pixels.emplace_back(size_t(layout.side) * layout.side);
        for (int y = 0; y < layout.side; y++)
            for (int x = 0; x < layout.side; x++)
                pixels.back()[size_t(y) * layout.side + x] = NoiseColor(x + layout.bits, y, (x + y) % 3 ? 255 : 0);
    }
    for (size_t i = 0; i < shapes.size(); i++) {
        PixelView view{shapes[i].side, shapes[i].side, std::ptrdiff_t(shapes[i].side) * 4,
                       reinterpret_cast<uint8_t*>(pixels[i].data())};
        images.push_back({view, shapes[i].bits, 0, 0});
    }
    return BuildIconFile(kIconFileType, images);
}

IconDirectory DirectoryOf(const Bytes& file)
{
    IconDirectory directory;
    EXPECT_TRUE(ParseIconDirectory(file.data(), file.size(), false, &directory));
    return directory;
}

Bytes BlockOf(const Bytes& file, const IconDirEntry& entry)
{
    return Bytes(file.begin() + entry.blockOffset, file.begin() + entry.blockOffset + entry.blockSize);
}

std::vector<uint32_t> DecodedPixels(const Bytes& block)
{
    DecodedPicture picture;
    EXPECT_TRUE(DecodeIconBlock(block.data(), block.size(), &picture));
    std::vector<uint32_t> argb(picture.pixels.size() / 4);
    std::memcpy(argb.data(), picture.pixels.data(), picture.pixels.size());
    return argb;
}

struct WorkerRun {
    LibraryOutcome outcome;
    std::vector<RecordedMessageBox> boxes;
};

WorkerRun RunWorker(const std::wstring& target, const std::vector<std::wstring>& files, bool cancelled = false,
                    const std::wstring& templatePath = LibraryTemplatePath())
{
    MessageBoxRecorder recorder;
    LibraryCreation creation;
    creation.templatePath = templatePath;
    creation.targetPath = target;
    creation.files = files;
    creation.cancel = cancelled;
    InitializeCriticalSection(&creation.lock);
    const LibraryOutcome outcome = RunLibraryWorker(&creation);
    DeleteCriticalSection(&creation.lock);
    return {outcome, recorder.boxes()};
}

Bytes ResourceBytes(HMODULE module, const wchar_t* type, int id)
{
    HRSRC found = FindResourceExW(module, type, MAKEINTRESOURCEW(id), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    if (!found)
        return {};
    const uint8_t* data = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
    return Bytes(data, data + SizeofResource(module, found));
}

class LibraryFiles : public testing::Test {
protected:
    void SetUp() override
    {
        first = MakeIconFile({{16, 4}, {32, 8}, {48, 32}});
        second = MakeIconFile({{24, 1}, {32, 24}});
        ASSERT_TRUE(WriteBytes(TestPath(L"first.ico"), first));
        ASSERT_TRUE(WriteBytes(TestPath(L"second.ico"), second));
    }

    std::vector<std::wstring> Sources() { return {TestPath(L"first.ico"), TestPath(L"second.ico")}; }

    Bytes first, second;
};

TEST_F(LibraryFiles, WorkerBuildsIconsOneToFiveAndGroups101And102ThatWindowsReads)
{
    const std::wstring target = TestPath(L"two groups.nil");
    const WorkerRun run = RunWorker(target, Sources());
    ASSERT_EQ(run.outcome, LibraryOutcome::kDone);
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].text, L"The library has been created successfully!");
    EXPECT_EQ(run.boxes[0].caption, L"Action Result");
    EXPECT_FALSE(run.boxes[0].errorIcon);

    const Bytes library = ReadBytes(target);
    ASSERT_GT(library.size(), 0x200u);
    EXPECT_EQ(ReadU16(library.data() + ReadU16(library.data() + 60) + 24), 0x10B) << "libraries stay 32-bit";

    HMODULE module = LoadLibraryExW(target.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module);
    int id = 1;
    for (const Bytes* source : {&first, &second})
        for (const IconDirEntry& entry : DirectoryOf(*source).entries) {
            EXPECT_EQ(ResourceBytes(module, RT_ICON, id), BlockOf(*source, entry)) << "icon " << id;
            id++;
        }
    EXPECT_TRUE(ResourceBytes(module, RT_ICON, 6).empty());
    EXPECT_EQ(ResourceBytes(module, RT_GROUP_ICON, 101), BuildIconGroup(DirectoryOf(first), 1));
    EXPECT_EQ(ResourceBytes(module, RT_GROUP_ICON, 102), BuildIconGroup(DirectoryOf(second), 4));
    EXPECT_TRUE(ResourceBytes(module, RT_GROUP_ICON, 103).empty());
    HICON icon = HICON(LoadImageW(module, MAKEINTRESOURCEW(101), IMAGE_ICON, 32, 32, 0));
    EXPECT_TRUE(icon) << "Windows loads the group as an icon";
    if (icon)
        DestroyIcon(icon);
    FreeLibrary(module);
}

TEST_F(LibraryFiles, ReaderGivesOneImagePerIconOfABuiltLibrary)
{
    const std::wstring target = TestPath(L"read back.nil");
    ASSERT_EQ(RunWorker(target, Sources()).outcome, LibraryOutcome::kDone);
    MessageBoxRecorder recorder;
    Resource* document = PYX_GetLibraryIcons(nullptr, target.c_str());
    ASSERT_TRUE(document);
    EXPECT_TRUE(recorder.boxes().empty());
    EXPECT_EQ(document->fileKind, 4);
    EXPECT_EQ(std::wstring(document->fileName), target);
    const std::vector<Image*> images = Images(document);
    ASSERT_EQ(images.size(), 5u);
    EXPECT_EQ(document->imageCount, 5);
    size_t i = 0;
    for (const Bytes* source : {&first, &second})
        for (const IconDirEntry& entry : DirectoryOf(*source).entries) {
            Image* image = images[i++];
            SCOPED_TRACE(testing::Message() << "image " << i);
            EXPECT_EQ(image->width, entry.width);
            EXPECT_EQ(image->height, entry.height);
            EXPECT_EQ(image->bitsPerPixel, entry.bitsOrHotspotY);
            EXPECT_EQ(image->displayRate, 5u);
            EXPECT_EQ(image->layerCount, 1);
            const std::vector<uint32_t> expected = DecodedPixels(BlockOf(*source, entry));
            EXPECT_EQ(ReadPixels(image->composite), expected);
            EXPECT_EQ(ReadPixels(image->firstLayer->bitmap), expected);
        }
    PYX_DoCleanupInternalResource(document);
}

TEST_F(LibraryFiles, FailedOrCancelledCreationKeepsThePreviousFileAndSaysWhy)
{
    const Bytes garbage = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'c', 'o', 'n'};
    ASSERT_TRUE(WriteBytes(TestPath(L"garbage.ico"), garbage));
    ASSERT_TRUE(WriteBytes(TestPath(L"empty.ico"), Bytes{0, 0, 1, 0, 0, 0}));
    Bytes cursor = MakeIconFile({{16, 32}});
    cursor[2] = 2;
    ASSERT_TRUE(WriteBytes(TestPath(L"cursor.ico"), cursor));
    const wchar_t* kFailed = L"An error occurred during Library creation. Operation canceled.";
    const wchar_t* kCannotCreate = L"Can not create Library file";
    struct Case {
        const char* what;
        std::vector<std::wstring> files;
        std::wstring templatePath;
        bool cancelled;
        LibraryOutcome outcome;
        const wchar_t* text;  // null: no box
    };
    const std::vector<Case> cases = {
        {"not an icon file", {TestPath(L"first.ico"), TestPath(L"garbage.ico")}, LibraryTemplatePath(), false,
         LibraryOutcome::kFailed, kFailed},
        {"an icon file without images", {TestPath(L"empty.ico")}, LibraryTemplatePath(), false, LibraryOutcome::kFailed,
         kFailed},
        {"a cursor file", {TestPath(L"cursor.ico")}, LibraryTemplatePath(), false, LibraryOutcome::kFailed, kFailed},
        {"a missing source", {TestPath(L"missing.ico")}, LibraryTemplatePath(), false, LibraryOutcome::kFailed, kFailed},
        {"a missing template", Sources(), TestPath(L"NoTempDll.dll"), false, LibraryOutcome::kFailed, kCannotCreate},
        {"cancelled", Sources(), LibraryTemplatePath(), true, LibraryOutcome::kCancelled, nullptr},
    };
    const std::wstring target = TestPath(L"previous.nil");
    const Bytes previous = {'o', 'l', 'd'};
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteBytes(target, previous));
        const WorkerRun run = RunWorker(target, c.files, c.cancelled, c.templatePath);
        EXPECT_EQ(run.outcome, c.outcome) << c.what;
        ASSERT_EQ(run.boxes.size(), c.text ? 1u : 0u) << c.what;
        if (c.text) {
            EXPECT_EQ(run.boxes[0].text, c.text) << c.what;
            EXPECT_EQ(run.boxes[0].caption, L"I/O Error") << c.what;
            EXPECT_TRUE(run.boxes[0].errorIcon) << c.what;
        }
        EXPECT_EQ(ReadBytes(target), previous) << c.what;
        EXPECT_FALSE(FileExists(target + L"." + std::to_wstring(GetCurrentProcessId()) + L".building")) << c.what;
    }
    // Without a previous file, nothing is left behind.
    DeleteFileW(target.c_str());
    EXPECT_EQ(RunWorker(target, Sources(), true).outcome, LibraryOutcome::kCancelled);
    EXPECT_FALSE(FileExists(target));
    const WorkerRun noFolder = RunWorker(TestPath(L"no such folder\\x.nil"), Sources());
    ASSERT_EQ(noFolder.boxes.size(), 1u);
    EXPECT_EQ(noFolder.boxes[0].text, kCannotCreate);
}

// --- reading ----------------------------------------------------------------------------

Bytes IconBlock(int side, int bits)
{
    const Bytes file = MakeIconFile({{side, bits}});
    return BlockOf(file, DirectoryOf(file).entries[0]);
}

void ExpectReadFailure(const Bytes& file, const wchar_t* text, const wchar_t* caption, const char* what)
{
    const std::wstring path = TestPath(L"broken.dll");
    ASSERT_TRUE(WriteBytes(path, file));
    MessageBoxRecorder recorder;
    Resource* document = PYX_GetLibraryIcons(nullptr, path.c_str());
    EXPECT_FALSE(document) << what;
    if (document)
        PYX_DoCleanupInternalResource(document);
    ASSERT_EQ(recorder.boxes().size(), 1u) << what;
    EXPECT_EQ(recorder.boxes()[0].text, text) << what;
    EXPECT_EQ(recorder.boxes()[0].caption, caption) << what;
    EXPECT_TRUE(recorder.boxes()[0].errorIcon) << what;
}

TEST(LibraryReading, BrokenAndIconlessModulesGiveTheirMessage)
{
    PeLayout good;
    good.icons = {IconBlock(16, 32)};
    PeLayout noRsrc = good;
    noRsrc.resourceSection = false;
    PeLayout noIcons = good;
    noIcons.rootType = 24;
    PeLayout oddMagic = good;
    oddMagic.magic = 0x107;
    NeLayout emptyNe;
    BuiltPe looping = BuildPe(good);
    PutU32(looping.bytes, looping.resources + 20, 0x80000000u);
    PeLayout undecodable;
    undecodable.icons = {Bytes(60, 0xEE)};
    const wchar_t* kNotValid = L"Library is not valid";
    ExpectReadFailure(Bytes{'M'}, L"Error Reading Library", L"I/O Error", "one byte");
    ExpectReadFailure(Bytes(200, 'x'), kNotValid, L"Format Error", "no MZ");
    ExpectReadFailure(BuildPe(oddMagic).bytes, L"Library Format is not supported", L"Format Error", "odd magic");
    ExpectReadFailure(BuildPe(noRsrc).bytes, L"There's no resource in this Library", L"Resource not found", "no .rsrc");
    ExpectReadFailure(BuildPe(noIcons).bytes, L"There's no icon in this Library", L"Icon not found", "no icon type");
    ExpectReadFailure(BuildNe(emptyNe).bytes, L"There's no Icon in this Library", L"Icon Not Found", "NE count 0");
    ExpectReadFailure(looping.bytes, kNotValid, L"Format Error", "directory pointing back at the root");
    ExpectReadFailure(BuildPe(undecodable).bytes, kNotValid, L"Format Error", "icon bytes no decoder reads");

    MessageBoxRecorder recorder;
    EXPECT_FALSE(PYX_GetLibraryIcons(nullptr, TestPath(L"missing.dll").c_str()));
    ASSERT_EQ(recorder.boxes().size(), 1u);
    EXPECT_EQ(recorder.boxes()[0].text, L"Error Opening Library for Reading");
    EXPECT_EQ(recorder.boxes()[0].caption, L"I/O Error");
}

Resource* ReadQuietly(const Bytes& file, const wchar_t* name)
{
    const std::wstring path = TestPath(name);
    EXPECT_TRUE(WriteBytes(path, file));
    MessageBoxRecorder recorder;
    Resource* document = PYX_GetLibraryIcons(nullptr, path.c_str());
    EXPECT_TRUE(recorder.boxes().empty());
    return document;
}

TEST(LibraryReading, HandMadeNeAnd32And64BitModulesGiveTheirImages)
{
    const std::vector<Bytes> blocks = {IconBlock(16, 4), IconBlock(32, 32), IconBlock(20, 24)};
    NeLayout ne;
    ne.icons = blocks;
    PeLayout pe32;
    pe32.icons = blocks;
    PeLayout pe64 = pe32;
    pe64.magic = 0x20B;
    pe64.languageLevel = false;
    const std::vector<std::pair<const wchar_t*, Bytes>> modules = {
        {L"hand.icl", BuildNe(ne).bytes}, {L"hand32.dll", BuildPe(pe32).bytes}, {L"hand64.dll", BuildPe(pe64).bytes}};
    for (const auto& [name, bytes] : modules) {
        SCOPED_TRACE(testing::Message() << "module " << std::string(name, name + wcslen(name)));
        Resource* document = ReadQuietly(bytes, name);
        ASSERT_TRUE(document);
        const std::vector<Image*> images = Images(document);
        ASSERT_EQ(images.size(), blocks.size());
        for (size_t i = 0; i < blocks.size(); i++) {
            EXPECT_EQ(images[i]->bitsPerPixel, ReadU16(blocks[i].data() + 14));
            EXPECT_EQ(ReadPixels(images[i]->composite), DecodedPixels(blocks[i]));
        }
        PYX_DoCleanupInternalResource(document);
    }
    PeLayout empty;
    Resource* none = ReadQuietly(BuildPe(empty).bytes, L"empty.dll");
    ASSERT_TRUE(none) << "an empty icon directory is no failure; the caller reports it";
    EXPECT_EQ(none->imageCount, 0);
    EXPECT_FALSE(none->firstImage);
    PYX_DoCleanupInternalResource(none);
}

// Modules made by the resource compiler, 32- and 64-bit, with the two icons of
// library_test_icons.rc; and Wine's own shell32.dll when the prefix has one.
TEST(LibraryReading, ModulesBuiltByTheResourceCompilerAndShell32)
{
    std::vector<uint32_t> expectedSides;
    for (const wchar_t* icon : {L"fuzz\\icon_reader\\two_sizes.ico", L"fuzz\\icon_reader\\eight_bit_4.ico"}) {
        const Bytes file = ReadBytes(FixturePath(icon));
        for (const IconDirEntry& entry : DirectoryOf(file).entries)
            expectedSides.push_back(entry.width);
    }
    const std::wstring folder = ThisProgramFolder();
    for (const wchar_t* name : {L"\\library_test_icons32.dll", L"\\library_test_icons64.dll"}) {
        MessageBoxRecorder recorder;
        Resource* document = PYX_GetLibraryIcons(nullptr, (folder + name).c_str());
        ASSERT_TRUE(document) << (recorder.boxes().empty() ? "" : std::string(recorder.boxes()[0].text.begin(), recorder.boxes()[0].text.end()));
        std::vector<uint32_t> sides;
        for (Image* image : Images(document))
            sides.push_back(image->width);
        EXPECT_EQ(sides, expectedSides);
        PYX_DoCleanupInternalResource(document);
    }
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring shell32 = std::wstring(system) + L"\\shell32.dll";
    if (!FileExists(shell32))
        GTEST_SKIP() << "no shell32.dll in this prefix";
    MessageBoxRecorder recorder;
    Resource* document = PYX_GetLibraryIcons(nullptr, shell32.c_str());
    ASSERT_TRUE(document);
    EXPECT_GT(document->imageCount, 10);
    for (Image* image : Images(document))
        EXPECT_TRUE(image->composite && image->width > 0 && image->height > 0);
    PYX_DoCleanupInternalResource(document);
}

}  // namespace

namespace {

// The template comes from the registry's program folder, else from beside the program.
TEST(LibraryTemplate, ComesFromAppPathOrTheProgramFolder)
{
    const std::wstring programFolder = ThisProgramFolder();

    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Vexil\\Path", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    wchar_t saved[MAX_PATH] = {};
    DWORD savedSize = sizeof(saved), savedType = 0;
    const bool hadValue =
        RegQueryValueExW(key, L"AppPath", nullptr, &savedType, reinterpret_cast<BYTE*>(saved), &savedSize) == ERROR_SUCCESS;

    const std::wstring folder = TestFolder() + L"\\";
    RegSetValueExW(key, L"AppPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                   DWORD((folder.size() + 1) * sizeof(wchar_t)));
    EXPECT_EQ(LibraryApplicationDirectory(), TestFolder());
    EXPECT_EQ(LibraryTemplatePath(), TestFolder() + L"\\TempDll.dll");

    RegDeleteValueW(key, L"AppPath");
    EXPECT_EQ(LibraryApplicationDirectory(), programFolder);
    EXPECT_EQ(LibraryTemplatePath(), programFolder + L"\\TempDll.dll");

    if (hadValue)
        RegSetValueExW(key, L"AppPath", 0, savedType, reinterpret_cast<const BYTE*>(saved), savedSize);
    RegCloseKey(key);
}

}  // namespace
