// vexilc library and vexilc extract, run as a user runs them: a separate process, its exit
// code, its output and the files it leaves.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "core/ico_format.h"
#include "harness/program_window.h"
#include "harness/test_files.h"
#include "library_test_images.h"

namespace {

struct ToolRun {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;  // stdout and stderr together
};

ToolRun RunVexilc(const std::wstring& arguments)
{
    ToolRun run;
    const std::wstring outputPath = TestPath(L"vexilc-output.txt");
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE output = CreateFileW(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = output;
    PROCESS_INFORMATION process{};
    std::wstring command = L"\"" + ThisProgramFolder() + L"\\vexilc.exe\" " + arguments;
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, TestFolder().c_str(), &startup,
                       &process)) {
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &run.exitCode);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(output);
    const Bytes bytes = ReadBytes(outputPath);
    run.output.assign(bytes.begin(), bytes.end());
    return run;
}

std::vector<std::vector<uint8_t>> DecodedImages(const Bytes& file)
{
    std::vector<std::vector<uint8_t>> images;
    IconDirectory directory;
    EXPECT_TRUE(ParseIconDirectory(file.data(), file.size(), false, &directory));
    for (const IconDirEntry& entry : directory.entries) {
        DecodedPicture picture;
        EXPECT_TRUE(DecodeIconBlock(file.data() + entry.blockOffset, entry.blockSize, &picture));
        images.push_back(picture.pixels);
    }
    return images;
}

TEST(LibraryConsoleTool, BuildsALibraryAndExtractsEveryImageAsAnIconFile)
{
    std::vector<std::vector<uint8_t>> sourceImages;
    for (const wchar_t* name : {L"two_sizes.ico", L"eight_bit_4.ico"}) {
        const Bytes file = ReadBytes(FixturePath(std::wstring(L"fuzz\\icon_reader\\") + name));
        ASSERT_TRUE(WriteBytes(TestPath(name), file));
        for (auto& image : DecodedImages(file))
            sourceImages.push_back(image);
    }
    const ToolRun built = RunVexilc(L"library tool.nil two_sizes.ico eight_bit_4.ico");
    EXPECT_EQ(built.exitCode, 0u) << built.output;
    EXPECT_NE(built.output.find("The library has been created successfully!"), std::string::npos) << built.output;

    const ToolRun extracted = RunVexilc(L"extract tool.nil extracted");
    EXPECT_EQ(extracted.exitCode, 0u) << extracted.output;
    for (size_t i = 0; i < sourceImages.size(); i++) {
        wchar_t name[32];
        swprintf(name, 32, L"extracted\\%03d.ico", int(i));
        const std::vector<std::vector<uint8_t>> images = DecodedImages(ReadBytes(TestPath(name)));
        ASSERT_EQ(images.size(), 1u) << "file " << i;
        EXPECT_EQ(images[0], sourceImages[i]) << "file " << i;
    }
    wchar_t oneTooMany[32];
    swprintf(oneTooMany, 32, L"extracted\\%03d.ico", int(sourceImages.size()));
    EXPECT_FALSE(FileExists(TestPath(oneTooMany)));
}

TEST(LibraryConsoleTool, FailuresPrintTheEditorsMessageAndExitWithOne)
{
    ASSERT_TRUE(WriteBytes(TestPath(L"not a library.dll"), Bytes(100, 'x')));
    const struct {
        const wchar_t* arguments;
        const char* message;
    } cases[] = {
        {L"library failed.nil missing.ico", "I/O Error: An error occurred during Library creation. Operation canceled."},
        {L"extract \"not a library.dll\" out", "Format Error: Library is not valid"},
        {L"extract missing.dll out", "I/O Error: Error Opening Library for Reading"},
    };
    for (const auto& c : cases) {
        const ToolRun run = RunVexilc(c.arguments);
        EXPECT_EQ(run.exitCode, 1u) << c.message;
        EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
    }
    EXPECT_FALSE(FileExists(TestPath(L"failed.nil")));
}

// vexilc info reads icon libraries like the other kinds: one line per icon image.
TEST(LibraryConsoleTool, InfoListsEveryImageOfALibrary)
{
    // The 32-bit module holds two_sizes.ico (1 x 1 at 32 bits, 2 x 2 at 1 bit) and
    // eight_bit_4.ico (4 x 4 at 8 bits); the 16-bit one the first image of two_sizes.ico
    // and rgb_3.ico (3 x 2 at 24 bits).
    const std::wstring module = ThisProgramFolder() + L"\\library_test_icons32.dll";
    ASSERT_TRUE(WriteBytes(TestPath(L"Icons.NIL"), ReadBytes(module)));
    ASSERT_TRUE(WriteBytes(TestPath(L"icons.icl"), ReadBytes(FixturePath(L"fuzz\\library_reader\\ne_two_icons.icl"))));
    const std::string threeImages = "0 1x1 32bpp hotspot=0,0 rate=5 layers=1\r\n"
                                    "1 2x2 1bpp hotspot=0,0 rate=5 layers=1\r\n"
                                    "2 4x4 8bpp hotspot=0,0 rate=5 layers=1\r\n";
    const struct {
        std::wstring arguments;
        DWORD exitCode;
        std::string output;
    } cases[] = {
        {L"info \"" + module + L"\"", 0, threeImages},
        {L"info Icons.NIL", 0, threeImages},
        {L"info icons.icl", 0,
         "0 1x1 32bpp hotspot=0,0 rate=5 layers=1\r\n"
         "1 3x2 24bpp hotspot=0,0 rate=5 layers=1\r\n"},
        {L"info \"not a library.exe\"", 1, "Format Error: Library is not valid\r\n"},
    };
    ASSERT_TRUE(WriteBytes(TestPath(L"not a library.exe"), Bytes(100, 'x')));
    for (const auto& c : cases) {
        const ToolRun run = RunVexilc(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << std::string(c.arguments.begin(), c.arguments.end());
        EXPECT_EQ(run.output, c.output) << std::string(c.arguments.begin(), c.arguments.end());
    }
}

}  // namespace
