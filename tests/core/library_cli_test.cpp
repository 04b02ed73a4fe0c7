// vexilc library and vexilc extract, run as a user runs them: a separate process, its exit
// code, its output and the files it leaves.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "core/ico_format.h"
#include "harness/test_files.h"
#include "library_test_images.h"

namespace {

struct ToolRun {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;  // stdout and stderr together
};

std::wstring ProgramFolder()
{
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring folder = program;
    return folder.substr(0, folder.find_last_of(L'\\'));
}

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
    std::wstring command = L"\"" + ProgramFolder() + L"\\vexilc.exe\" " + arguments;
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

}  // namespace
