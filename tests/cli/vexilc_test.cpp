// vexilc as a user runs it: a child process, its output, its exit code, the files it writes.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "common/image_encoders.h"
#include "core/pyx.h"
#include "harness/program_window.h"
#include "harness/test_bitmaps.h"
#include "harness/test_files.h"

namespace {

struct RunResult {
    DWORD exitCode = 0xFFFFFFFF;
    std::string out;
    std::string err;
};

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
    std::wstring commandLine = L"\"" + PathBesideThisProgram(L"vexilc.exe") + L"\" " + arguments;
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
        DWORD exitCode = 1;
    } cases[] = {
        {L"info " + Quoted(TestPath(L"missing.ico")), "I/O Error: Error Opening File for Reading\r\n"},
        {L"info " + Quoted(garbage), "I/O Error: Error Reading File\r\n"},
        {L"convert " + Quoted(icon) + L" " + Quoted(TestPath(L"no-folder\\x.cur")),
         "I/O Error: Error Opening File for Writing\r\n"},
        {L"export " + Quoted(icon) + L" 2 " + Quoted(TestPath(L"x.png")),
         "vexilc: image 2 does not exist; the file has 2 images\r\n"},
        {L"export " + Quoted(icon) + L" 0 " + Quoted(TestPath(L"x.gif")),
         "vexilc: cannot export to \"" + std::string(), 2},
    };
    for (const Case& c : cases) {
        RunResult run = Vexilc(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << std::string(c.arguments.begin(), c.arguments.end());
        EXPECT_EQ(run.err.substr(0, c.err.size()), c.err);
        EXPECT_TRUE(run.out.empty());
    }
    RunResult usage = Vexilc(L"frobnicate");
    EXPECT_EQ(usage.exitCode, 2u) << "a usage mistake";
    EXPECT_EQ(usage.err.rfind("vexilc: \"frobnicate\" is not a command\r\nusage: vexilc info [--json] FILE...", 0), 0u)
        << usage.err;
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
        DWORD exitCode = 1;
    } cases[] = {
        {L"0 0 6 " + Quoted(after), "vexilc: that layer is a raster layer; effects need a vector layer\r\n"},
        {L"0 2 6 " + Quoted(after), "vexilc: layer 2 does not exist; image 0 has 2 layers\r\n"},
        {L"0 1 9 " + Quoted(after), "vexilc: \"9\" is not an effect: use 1 to 7\r\n", 2},
        {L"0 1 6 " + Quoted(TestPath(L"x.ico")), "vexilc: cannot write \"", 2},
    };
    for (const Case& c : cases) {
        RunResult bad = Vexilc(L"effect " + Quoted(project) + L" " + c.arguments);
        EXPECT_EQ(bad.exitCode, c.exitCode);
        EXPECT_EQ(bad.err.substr(0, c.err.size()), c.err);
    }
}

namespace {

// Just enough JSON for info's output: objects, arrays, strings, whole numbers, true, false.
struct Json {
    char kind = 0;  // 'o', 'a', 's', 'n', 'b'
    std::wstring text;
    long long number = 0;
    std::vector<std::pair<std::wstring, Json>> members;
    std::vector<Json> items;

    const Json& operator[](const wchar_t* name) const
    {
        for (const auto& member : members)
            if (member.first == name)
                return member.second;
        static const Json missing;
        return missing;
    }
};

bool ParseJson(const char*& p, Json* value);

bool ParseJsonString(const char*& p, std::wstring* text)
{
    if (*p++ != '"')
        return false;
    for (; *p != '"'; p++) {
        if ((unsigned char)*p < 0x20 || *p == 0)
            return false;
        if (*p != '\\') {
            *text += wchar_t((unsigned char)*p);
            continue;
        }
        const char escape = *++p;
        if (escape == 'u') {
            *text += wchar_t(std::stoi(std::string(p + 1, 4), nullptr, 16));
            p += 4;
        } else if (escape == '"' || escape == '\\' || escape == '/') {
            *text += wchar_t(escape);
        } else {
            return false;
        }
    }
    p++;
    return true;
}

bool ParseJsonList(const char*& p, char close, Json* value)
{
    for (p++; *p != close;) {
        if (!value->members.empty() || !value->items.empty()) {
            if (*p++ != ',')
                return false;
        }
        if (value->kind == 'o') {
            std::wstring name;
            Json member;
            if (!ParseJsonString(p, &name) || *p++ != ':' || !ParseJson(p, &member))
                return false;
            value->members.emplace_back(name, member);
        } else {
            value->items.emplace_back();
            if (!ParseJson(p, &value->items.back()))
                return false;
        }
    }
    p++;
    return true;
}

bool ParseJson(const char*& p, Json* value)
{
    if (*p == '{' || *p == '[') {
        value->kind = *p == '{' ? 'o' : 'a';
        return ParseJsonList(p, *p == '{' ? '}' : ']', value);
    }
    if (*p == '"') {
        value->kind = 's';
        return ParseJsonString(p, &value->text);
    }
    for (const char* word : {"true", "false"})
        if (std::string(p).rfind(word, 0) == 0) {
            value->kind = 'b';
            value->number = word[0] == 't';
            p += strlen(word);
            return true;
        }
    char* end = nullptr;
    value->kind = 'n';
    value->number = strtoll(p, &end, 10);
    const bool read = end != p;
    p = end;
    return read;
}

// info's text line for an image, made from its JSON.
std::string TextLineOf(size_t index, const Json& image)
{
    char line[160];
    snprintf(line, sizeof line, "%zu %lldx%lld %lldbpp hotspot=%lld,%lld rate=%lld layers=%lld\r\n", index,
             image[L"width"].number, image[L"height"].number, image[L"depth"].number,
             image[L"hotspot"][L"x"].number, image[L"hotspot"][L"y"].number, image[L"rate"].number,
             image[L"layers"].number);
    return line;
}

// A 64 x 48 picture of opaque noise as a PNG file.
std::wstring WriteSamplePicture(const std::wstring& name)
{
    const std::wstring path = TestPath(name);
    std::unique_ptr<Gdiplus::Bitmap> picture(MakeBitmap(64, 48, [](int x, int y) { return NoiseColor(x, y, 255); }));
    CLSID png{};
    EXPECT_TRUE(FindImageEncoder(L"image/png", &png));
    EXPECT_EQ(picture->Save(path.c_str(), &png, nullptr), Gdiplus::Ok);
    return path;
}

}  // namespace

// The JSON parses, names each file with its kind, and says what info's text lines say, plus
// which entries are PNG-compressed.
TEST(Vexilc, InfoJsonMatchesTheTextLines)
{
    const std::wstring picture = WriteSamplePicture(L"json.png");
    const std::wstring cursor = TestPath(L"odd \u00e9 name.cur"), icon = TestPath(L"json.ico");
    ASSERT_EQ(Vexilc(L"make --sizes 16,256 --hotspot 10,20 --png-256 " + Quoted(cursor) + L" " + Quoted(picture))
                  .exitCode, 0u);
    WriteSampleIcon(icon);
    RunResult json = Vexilc(L"info --json " + Quoted(cursor) + L" " + Quoted(icon));
    ASSERT_EQ(json.exitCode, 0u) << json.err;
    struct Expected {
        std::wstring file;
        const wchar_t* kind;
        std::vector<long long> png;
    } expected[] = {{cursor, L"cursor", {0, 1}}, {icon, L"icon", {0, 0}}};
    const char* p = json.out.c_str();
    for (const Expected& file : expected) {
        Json object;
        ASSERT_TRUE(ParseJson(p, &object)) << "at: " << p;
        ASSERT_EQ(std::string(p, 2), "\r\n") << "one object per line";
        p += 2;
        EXPECT_EQ(object[L"file"].text, file.file);
        EXPECT_EQ(object[L"kind"].text, file.kind);
        std::string lines;
        std::vector<long long> png;
        for (size_t i = 0; i < object[L"images"].items.size(); i++) {
            lines += TextLineOf(i, object[L"images"].items[i]);
            png.push_back(object[L"images"].items[i][L"png"].number);
        }
        EXPECT_EQ(lines, Vexilc(L"info " + Quoted(file.file)).out);
        EXPECT_EQ(png, file.png);
    }
    EXPECT_EQ(*p, 0);
}

TEST(Vexilc, MakeNamesTheFileItCannotUseAndWritesNothing)
{
    const std::wstring picture = WriteSamplePicture(L"good.png");
    const std::wstring empty = TestPath(L"empty.png"), garbage = TestPath(L"garbage.png");
    const std::wstring missing = TestPath(L"missing.png"), out = TestPath(L"never.ico");
    ASSERT_TRUE(WriteBytes(empty, {}));
    ASSERT_TRUE(WriteBytes(garbage, std::vector<uint8_t>(100, 0x42)));
    auto narrow = [](const std::wstring& text) { return std::string(text.begin(), text.end()); };
    struct Case {
        std::wstring arguments;
        DWORD exitCode;
        std::string err;
    } cases[] = {
        {Quoted(out) + L" " + Quoted(picture) + L" " + Quoted(missing), 1,
         "vexilc: cannot open \"" + narrow(missing) + "\"\r\n"},
        {Quoted(out) + L" " + Quoted(empty), 1, "vexilc: \"" + narrow(empty) + "\" is empty\r\n"},
        {Quoted(out) + L" " + Quoted(garbage), 1,
         "vexilc: \"" + narrow(garbage) + "\" is not a picture vexilc reads (PNG, BMP, JPEG or GIF)\r\n"},
        {L"--depth 16 " + Quoted(out) + L" " + Quoted(picture), 2,
         "vexilc: --depth takes 32, 24, 8, 4 or 1, not \"16\"\r\n"},
        {L"--hotspot 64,0 " + Quoted(TestPath(L"never.cur")) + L" " + Quoted(picture), 2,
         "vexilc: the hot spot 64,0 lies outside \"" + narrow(picture) + "\" (64 x 48)\r\n"},
        {Quoted(out), 2, "vexilc: make needs OUT.ico or OUT.cur and at least one picture\r\n"},
    };
    for (const Case& c : cases) {
        RunResult run = Vexilc(L"make " + c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << narrow(c.arguments);
        EXPECT_EQ(run.err.substr(0, c.err.size()), c.err);
        EXPECT_FALSE(FileExists(out));
        EXPECT_FALSE(FileExists(TestPath(L"never.cur")));
    }
}

TEST(Vexilc, HelpForEveryCommandAndUsageMistakesExitWithTwo)
{
    struct Case {
        std::wstring arguments;
        DWORD exitCode;
        std::string out, err;  // the start of each
    } cases[] = {
        {L"--help", 0, "usage: vexilc info [--json] FILE...\r\n       vexilc convert", ""},
        {L"make --help", 0, "usage: vexilc make [--sizes N,N,...] [--depth D] [--hotspot X,Y] [--png-256]", ""},
        {L"info --help", 0, "usage: vexilc info [--json] FILE...\r\nOne line per image", ""},
        {L"filter --help", 0, "usage: vexilc filter IN INDEX TYPE", ""},
        {L"", 2, "", "usage: vexilc info"},
        {L"info", 2, "", "usage: vexilc info [--json] FILE..."},
        {L"export a.ico", 2, "", "usage: vexilc export IN INDEX"},
        {L"convert --png-256 a.ico b.ani", 2, "", "vexilc: --png-256 is for .ico and .cur files\r\n"},
    };
    for (const Case& c : cases) {
        RunResult run = Vexilc(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << std::string(c.arguments.begin(), c.arguments.end());
        EXPECT_EQ(run.out.substr(0, c.out.size()), c.out);
        EXPECT_EQ(run.err.substr(0, c.err.size()), c.err);
    }
}

// convert --png-256 stores the 256 x 256 entries exactly as make --png-256 does, and leaves
// the others as the editor writes them.
TEST(Vexilc, ConvertStoresLargeEntriesAsPngOnRequest)
{
    const std::wstring picture = WriteSamplePicture(L"convert.png");
    const std::wstring bitmapForm = TestPath(L"bitmap-form.ico"), converted = TestPath(L"converted.ico"),
                       made = TestPath(L"made.ico");
    const std::wstring sizes = L"make --sizes 48,256 ";
    ASSERT_EQ(Vexilc(sizes + Quoted(bitmapForm) + L" " + Quoted(picture)).exitCode, 0u);
    ASSERT_EQ(Vexilc(sizes + L"--png-256 " + Quoted(made) + L" " + Quoted(picture)).exitCode, 0u);
    ASSERT_EQ(Vexilc(L"convert --png-256 " + Quoted(bitmapForm) + L" " + Quoted(converted)).exitCode, 0u);
    const std::vector<uint8_t> bytes = ReadBytes(converted);
    EXPECT_EQ(bytes, ReadBytes(made));
    EXPECT_NE(bytes, ReadBytes(bitmapForm));
}
