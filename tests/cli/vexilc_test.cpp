// vexilc as a user runs it: a child process, its output, its exit code, the files it writes.
#include <gtest/gtest.h>

#include <string>

#include "core/pyx.h"
#include "harness/test_bitmaps.h"
#include "harness/test_files.h"

namespace {

struct RunResult {
    DWORD exitCode = 0xFFFFFFFF;
    std::string out;
    std::string err;
};

std::wstring VexilcPath()
{
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"vexilc.exe";
}

std::string ReadAll(HANDLE pipe)
{
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    return text;
}

// Runs vexilc with the arguments; stdout and stderr are collected (stderr by a file, so
// that neither pipe can fill up while we wait on the other).
RunResult Vexilc(const std::wstring& arguments)
{
    RunResult result;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE outRead = nullptr, outWrite = nullptr;
    CreatePipe(&outRead, &outWrite, &inherit, 0);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    const std::wstring errPath = TestPath(L"stderr.txt");
    HANDLE errFile = CreateFileW(errPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = outWrite;
    startup.hStdError = errFile;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + VexilcPath() + L"\" " + arguments;
    const BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &startup, &process);
    CloseHandle(outWrite);
    if (started) {
        result.out = ReadAll(outRead);
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &result.exitCode);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(outRead);
    CloseHandle(errFile);
    std::vector<uint8_t> err = ReadBytes(errPath);
    result.err.assign(err.begin(), err.end());
    return result;
}

std::wstring Quoted(const std::wstring& path)
{
    return L"\"" + path + L"\"";
}

// Two images: 32 x 16 at 32 bits with a transparent corner, 16 x 16 at 8 bits.
void WriteSampleIcon(const std::wstring& path)
{
    Resource* document = PYX_CreateNewResource();
    Image* first = document->firstImage;
    PYX_DeleteLayer(first->firstLayer);
    first->firstLayer = PYX_CreateRasterLayer(32, 16);
    delete first->composite;
    first->composite = MakeBitmap(32, 16, [](int x, int y) { return x == 0 && y == 0 ? 0u : NoiseColor(x, y, 255); });
    first->width = 32;
    first->height = 16;
    Image* second = PYX_CreateImage(16, 16);
    second->bitsPerPixel = 8;
    first->next = second;
    second->prev = first;
    document->imageCount = 2;
    ASSERT_EQ(PYX_SaveIconToFile(nullptr, path.c_str(), document), 1);
    PYX_DoCleanupInternalResource(document);
}

}  // namespace

TEST(Vexilc, InfoListsOneLinePerImage)
{
    const std::wstring icon = TestPath(L"sample.ico");
    WriteSampleIcon(icon);
    RunResult run = Vexilc(L"info " + Quoted(icon));
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(run.out,
              "0 32x16 32bpp hotspot=0,0 rate=5 layers=1\r\n"
              "1 16x16 8bpp hotspot=0,0 rate=5 layers=1\r\n");
}

TEST(Vexilc, ConvertWritesTheOtherFormatWithTheCoreWriters)
{
    const std::wstring icon = TestPath(L"convert.ico"), cursor = TestPath(L"convert.cur"), back = TestPath(L"back.ico");
    WriteSampleIcon(icon);
    ASSERT_EQ(Vexilc(L"convert " + Quoted(icon) + L" " + Quoted(cursor)).exitCode, 0u);
    ASSERT_EQ(Vexilc(L"convert " + Quoted(cursor) + L" " + Quoted(back)).exitCode, 0u);
    // Icon -> cursor -> icon keeps every block byte for byte (only the entries differ).
    std::vector<uint8_t> original = ReadBytes(icon), roundTrip = ReadBytes(back), asCursor = ReadBytes(cursor);
    ASSERT_EQ(roundTrip.size(), original.size());
    EXPECT_EQ(roundTrip, original);
    EXPECT_EQ(asCursor[2], 2) << "a cursor file";
    EXPECT_EQ(std::vector<uint8_t>(asCursor.begin() + 38, asCursor.end()),
              std::vector<uint8_t>(original.begin() + 38, original.end()));
}

TEST(Vexilc, ExportWritesPngWithAlphaAndBmpOverWhite)
{
    const std::wstring icon = TestPath(L"export.ico");
    WriteSampleIcon(icon);
    const std::wstring png = TestPath(L"out.png"), bmp = TestPath(L"out.bmp");
    ASSERT_EQ(Vexilc(L"export " + Quoted(icon) + L" 0 " + Quoted(png)).exitCode, 0u);
    ASSERT_EQ(Vexilc(L"export " + Quoted(icon) + L" 0 " + Quoted(bmp)).exitCode, 0u);
    Gdiplus::Bitmap pngPicture(png.c_str()), bmpPicture(bmp.c_str());
    ASSERT_EQ(pngPicture.GetWidth(), 32u);
    ASSERT_EQ(pngPicture.GetHeight(), 16u);
    std::vector<uint32_t> pngPixels = ReadPixels(&pngPicture), bmpPixels = ReadPixels(&bmpPicture);
    EXPECT_EQ(pngPixels[0], 0u) << "the transparent corner stays transparent";
    EXPECT_EQ(pngPixels[5], NoiseColor(5, 0, 255));
    EXPECT_EQ(bmpPixels[0], 0xFFFFFFFFu) << "over white";
    EXPECT_EQ(bmpPixels[5], NoiseColor(5, 0, 255));
}

TEST(Vexilc, FailuresPrintTheEditorsMessageAndExitWithOne)
{
    const std::wstring garbage = TestPath(L"garbage.ico");
    ASSERT_TRUE(WriteBytes(garbage, std::vector<uint8_t>(64, 0x33)));
    const std::wstring icon = TestPath(L"ok.ico");
    WriteSampleIcon(icon);
    struct Case {
        std::wstring arguments;
        std::string err;
    } cases[] = {
        {L"info " + Quoted(TestPath(L"missing.ico")), "I/O Error: Error Opening File for Reading\r\n"},
        {L"info " + Quoted(garbage), "I/O Error: Error Reading File\r\n"},
        {L"convert " + Quoted(icon) + L" " + Quoted(TestPath(L"no-folder\\x.cur")),
         "I/O Error: Error Opening File for Writing\r\n"},
        {L"export " + Quoted(icon) + L" 2 " + Quoted(TestPath(L"x.png")),
         "vexilc: image 2 does not exist; the file has 2 images\r\n"},
        {L"export " + Quoted(icon) + L" 0 " + Quoted(TestPath(L"x.gif")),
         "vexilc: cannot export to \"" + std::string() },
    };
    for (const Case& c : cases) {
        RunResult run = Vexilc(c.arguments);
        EXPECT_EQ(run.exitCode, 1u) << std::string(c.arguments.begin(), c.arguments.end());
        EXPECT_EQ(run.err.substr(0, c.err.size()), c.err);
        EXPECT_TRUE(run.out.empty());
    }
    RunResult usage = Vexilc(L"frobnicate");
    EXPECT_EQ(usage.exitCode, 1u);
    EXPECT_EQ(usage.err.rfind("usage: vexilc info FILE", 0), 0u) << usage.err;
}

namespace {

// A 48 x 48 project: the empty raster layer, then a filled red ellipse as a vector layer.
// Returns the ellipse layer's pixels.
std::vector<uint32_t> WriteEllipseProject(const std::wstring& path)
{
    Resource* document = PYX_CreateNewResource();
    Image* image = document->firstImage;
    Path* outline = new Path();
    outline->AddEllipse(6.0f, 10.0f, 36.0f, 28.0f);
    Bitmap* shape = MakeBitmap(48, 48, [](int, int) { return 0u; });
    {
        Gdiplus::Graphics graphics(shape);
        Gdiplus::SolidBrush red(Gdiplus::Color(255, 200, 30, 30));
        graphics.FillPath(&red, outline);
    }
    std::vector<uint32_t> pixels = ReadPixels(shape);
    image->firstLayer->next = PYX_CreateVectorLayer(shape, outline, kEllipseShape);
    image->layerCount = 2;
    EXPECT_EQ(PYX_SaveProjectToFile(nullptr, path.c_str(), document), 1);
    PYX_DoCleanupInternalResource(document);
    return pixels;
}

}  // namespace

TEST(Vexilc, EffectPaintsAVectorLayerOfAProject)
{
    const std::wstring project = TestPath(L"ellipse.fic"), after = TestPath(L"after.png"),
                       saved = TestPath(L"after.fic");
    const std::vector<uint32_t> in = WriteEllipseProject(project);
    RunResult run = Vexilc(L"effect " + Quoted(project) + L" 0 1 6 " + Quoted(after));
    ASSERT_EQ(run.exitCode, 0u) << run.err;
    Gdiplus::Bitmap glossy(after.c_str());
    std::vector<uint32_t> out = ReadPixels(&glossy);
    ASSERT_EQ(in.size(), out.size());
    int changed = 0;
    for (size_t i = 0; i < in.size(); i++) {
        if (in[i] >> 24 == 0) {
            ASSERT_EQ(out[i] >> 24, 0u) << "pixel " << i << " outside the shape stays transparent";
        }
        changed += in[i] != out[i];
    }
    EXPECT_GT(changed, 50) << "the highlights changed the shape";

    ASSERT_EQ(Vexilc(L"effect " + Quoted(project) + L" 0 1 2 " + Quoted(saved)).exitCode, 0u);
    EXPECT_EQ(Vexilc(L"info " + Quoted(saved)).out, "0 48x48 32bpp hotspot=0,0 rate=5 layers=2\r\n");

    struct Case {
        std::wstring arguments;
        std::string err;
    } cases[] = {
        {L"0 0 6 " + Quoted(after), "vexilc: that layer is a raster layer; effects need a vector layer\r\n"},
        {L"0 2 6 " + Quoted(after), "vexilc: layer 2 does not exist; image 0 has 2 layers\r\n"},
        {L"0 1 9 " + Quoted(after), "vexilc: \"9\" is not an effect: use 1 to 7\r\n"},
        {L"0 1 6 " + Quoted(TestPath(L"x.ico")), "vexilc: cannot write \""},
    };
    for (const Case& c : cases) {
        RunResult bad = Vexilc(L"effect " + Quoted(project) + L" " + c.arguments);
        EXPECT_EQ(bad.exitCode, 1u);
        EXPECT_EQ(bad.err.substr(0, c.err.size()), c.err);
    }
}
