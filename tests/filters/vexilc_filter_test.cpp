// "vexilc filter" run as a user would run it: the files it writes and the words it prints.
#include <gtest/gtest.h>

#include <string>

#include "core/portable_pixels.h"
#include "core/pyx.h"
#include "filters/filter_request.h"
#include "filters/sieve.h"
#include "harness/program_window.h"
#include "harness/test_bitmaps.h"
#include "harness/test_files.h"

namespace {

struct RunResult {
    DWORD exitCode;
    std::string errors;
};

RunResult RunVexilc(const std::wstring& arguments)
{
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    const std::wstring errorPath = TestPath(L"stderr.txt");
    HANDLE errors = CreateFileW(errorPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdError = errors;
    startup.hStdOutput = errors;
    std::wstring commandLine = L"\"" + PathBesideThisProgram(L"vexilc.exe") + L"\" " + arguments;
    PROCESS_INFORMATION process{};
    RunResult result{9999, ""};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &result.exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(errors);
    const std::vector<uint8_t> bytes = ReadBytes(errorPath);
    result.errors.assign(bytes.begin(), bytes.end());
    return result;
}

// A 24 x 20 32-bit icon: an opaque block with a soft rim on a transparent background.
std::wstring WriteSourceIcon()
{
    Image* image = PYX_CreateImage(24, 20);
    PaintPixels(image->composite, [](int x, int y) {
        const bool inside = x >= 4 && x < 20 && y >= 3 && y < 17;
        const bool rim = x >= 3 && x < 21 && y >= 2 && y < 18;
        return NoiseColor(x, y, inside ? 255 : (rim ? 128 : 0)) & (inside || rim ? 0xFFFFFFFF : 0);
    });
    const std::wstring path = TestPath(L"source.ico");
    EXPECT_NE(PYX_SaveSingleImageAsIcon(nullptr, path.c_str(), image), 0);
    PYX_DeleteImage(image);
    return path;
}

// What ApplyFilter makes of the source icon's composite with the given request words.
std::vector<uint32_t> Expected(const std::wstring& icon, FilterParams params)
{
    Resource* document = PYX_LoadIconFromFile(nullptr, icon.c_str());
    params.source = document->firstImage->composite;
    Bitmap* filtered = ApplyFilter(&params);
    std::vector<uint32_t> pixels = ReadPixels(filtered);
    delete filtered;
    PYX_DoCleanupInternalResource(document);
    return pixels;
}

}  // namespace

TEST(VexilcFilter, WritesTheFilteredCompositeAsIconAndPicture)
{
    const std::wstring source = WriteSourceIcon();
    const std::wstring icon = TestPath(L"beveled.ico"), picture = TestPath(L"beveled.png");
    FilterParams bevel{};
    bevel.filterType = kBevel;
    bevel.word4 = 255;
    bevel.word5 = 200;
    bevel.word6 = 8;
    bevel.word10 = 5;
    bevel.word11 = 0xFFFFEE;
    bevel.word12 = 0x102030;
    const std::vector<uint32_t> expected = Expected(source, bevel);

    const std::wstring settings = L" 0 bevel 255 200 8 5 ffffee 102030 ";
    RunResult run = RunVexilc(L"filter \"" + source + L"\"" + settings + L"\"" + icon + L"\"");
    ASSERT_EQ(run.exitCode, 0u) << run.errors;
    Resource* written = PYX_LoadIconFromFile(nullptr, icon.c_str());
    ASSERT_NE(written, nullptr);
    EXPECT_EQ(written->imageCount, 1);
    EXPECT_EQ(written->firstImage->bitsPerPixel, 32);
    EXPECT_EQ(ReadPixels(written->firstImage->composite), expected);
    PYX_DoCleanupInternalResource(written);

    run = RunVexilc(L"filter \"" + source + L"\" 0 20 255 200 8 5 #FFFFEE 102030 \"" + picture + L"\"");
    ASSERT_EQ(run.exitCode, 0u) << run.errors;
    Gdiplus::Bitmap png(picture.c_str());
    EXPECT_EQ(ReadPixels(&png), expected);
}

TEST(VexilcFilter, BorderColorIsGivenAsRrggbb)
{
    const std::wstring source = WriteSourceIcon(), out = TestPath(L"border.png");
    FilterParams borderize{};
    borderize.filterType = kBorderize;
    borderize.word4 = 3;
    borderize.word11 = 0x00332211;  // red 0x11 in the low byte
    const RunResult run = RunVexilc(L"filter \"" + source + L"\" 0 borderize 3 112233 \"" + out + L"\"");
    ASSERT_EQ(run.exitCode, 0u) << run.errors;
    Gdiplus::Bitmap png(out.c_str());
    EXPECT_EQ(ReadPixels(&png), Expected(source, borderize));
}

TEST(VexilcFilter, MistakesAreNamedAndWriteNothing)
{
    const std::wstring source = WriteSourceIcon(), out = TestPath(L"never.png");
    const struct {
        const wchar_t* arguments;
        const char* message;
        DWORD exitCode;  // 2 for a mistake on the command line, 1 when the file does not fit
    } cases[] = {
        {L" 0 sepia ", "\"sepia\" is not a filter type", 2},
        {L" 0 5 ", "\"5\" is not a filter type", 2},
        {L" 0 bevel 255 ", "bevel takes 6 parameters, not 1", 2},
        {L" 0 bevel 255 255 1 4 ffffff 000000 ", "DEPTH must be an odd number from 3 to 7, not 4", 2},
        {L" 0 borderize 3 red ", "COLOR must be a color RRGGBB, not \"red\"", 2},
        {L" 0 opacity -101 ", "CHANGE must be a number from -100 to 100, not -101", 2},
        {L" 0 custom 2 1 0 1 2 3 ", "a kernel of size 2 needs 4 weights, not 3", 2},
        {L" 7 negative ", "image 7 does not exist; the file has 1 images", 1},
    };
    for (const auto& c : cases) {
        const RunResult run = RunVexilc(L"filter \"" + source + L"\"" + c.arguments + L"\"" + out + L"\"");
        EXPECT_EQ(run.exitCode, c.exitCode) << c.message;
        EXPECT_NE(run.errors.find(c.message), std::string::npos) << run.errors;
        EXPECT_FALSE(FileExists(out)) << c.message;
    }
}

TEST(VexilcFilter, UsageListsEveryFilterWithItsParameters)
{
    const RunResult run = RunVexilc(L"filter");
    EXPECT_EQ(run.exitCode, 2u);
    for (const char* line : {"vexilc filter IN INDEX TYPE [PARAMS...] OUT", "1 custom SIZE(1..9) SCALE OFFSET W1 .. Wn",
                             "20 bevel LIGHT-OPACITY SHADOW-OPACITY(0..255) DIRECTION", "22 borderize DEPTH(3, 5, 7, 9) COLOR",
                             "17 inner-shadow, 18 drop-shadow X Y OPACITY(0..100) COLOR BLUR(0..50)"})
        EXPECT_NE(run.errors.find(line), std::string::npos) << line;
}
