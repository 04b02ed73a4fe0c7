// vexilc make, --png-256 and the JSON of info, called in-process.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "cli/icon_writing.h"
#include "cli/info_command.h"
#include "cli/make_command.h"
#include "common/gdiplus_pixels.h"
#include "common/image_encoders.h"
#include "core/ico_format.h"
#include "core/png_decoder.h"
#include "pixport/picture_drawing.h"
#include "tests/core/document_builders.h"
#include "harness/test_bitmaps.h"
#include "harness/test_files.h"

namespace {

using BitmapPtr = std::unique_ptr<Gdiplus::Bitmap>;

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

// A picture written as a PNG file through GDI+.
void WritePng(Gdiplus::Bitmap* picture, const std::wstring& path)
{
    CLSID png;
    ASSERT_TRUE(FindImageEncoder(L"image/png", &png));
    ASSERT_EQ(picture->Save(path.c_str(), &png, nullptr), Gdiplus::Ok);
}

uint32_t Gradient(int x, int y)
{
    return 0xFF000000u | uint32_t(x / 4 % 256) << 16 | uint32_t(y / 3 % 256) << 8 | 0x80u;
}

Resource* LoadIcon(const std::wstring& path)
{
    Resource* document = PYX_LoadIconFromFile(nullptr, path.c_str());
    EXPECT_NE(document, nullptr);
    return document;
}

}  // namespace

TEST(VexilcMake, PlansEntriesFromOneOrSeveralPictures)
{
    struct Case {
        const char* what;
        std::vector<InputPicture> inputs;
        std::vector<int> sizes;
        std::vector<PlannedEntry> expected;  // source, asIs, width, height, x, y, drawn width, drawn height
    } cases[] = {
        {"one wide picture: the standard seven, centred",
         {{L"wide.png", 1024, 768}},
         {},
         {{0, false, 16, 16, 0, 2, 16, 12},
          {0, false, 24, 24, 0, 3, 24, 18},
          {0, false, 32, 32, 0, 4, 32, 24},
          {0, false, 48, 48, 0, 6, 48, 36},
          {0, false, 64, 64, 0, 8, 64, 48},
          {0, false, 128, 128, 0, 16, 128, 96},
          {0, false, 256, 256, 0, 32, 256, 192}}},
        {"a tall picture at one odd size",
         {{L"tall.png", 10, 30}},
         {20},
         {{0, false, 20, 20, 6, 0, 7, 20}}},  // 7 wide, (20 - 7) / 2 to its left
        {"several pictures kept, smallest first",
         {{L"48.png", 48, 48}, {L"16.png", 16, 16}, {L"32x16.png", 32, 16}},
         {},
         {{1, true, 16, 16, 0, 0, 16, 16}, {2, true, 32, 16, 0, 0, 32, 16}, {0, true, 48, 48, 0, 0, 48, 48}}},
        {"--sizes fills the missing sizes from the largest picture",
         {{L"16.png", 16, 16}, {L"32.png", 32, 32}, {L"300.png", 300, 300}},
         {16, 24, 32, 256},
         {{0, true, 16, 16, 0, 0, 16, 16},
          {2, false, 24, 24, 0, 0, 24, 24},
          {1, true, 32, 32, 0, 0, 32, 32},
          {2, false, 256, 256, 0, 0, 256, 256}}},
    };
    for (const Case& c : cases) {
        std::vector<PlannedEntry> entries;
        std::wstring error;
        ASSERT_TRUE(PlanEntries(c.inputs, c.sizes, &entries, &error)) << c.what << ": " << Narrow(error);
        ASSERT_EQ(entries.size(), c.expected.size()) << c.what;
        for (size_t i = 0; i < entries.size(); i++) {
            const PlannedEntry &got = entries[i], &want = c.expected[i];
            EXPECT_EQ(std::vector<int>({got.source, got.asIs, got.width, got.height, got.x, got.y, got.drawnWidth,
                                        got.drawnHeight}),
                      std::vector<int>({want.source, want.asIs, want.width, want.height, want.x, want.y,
                                        want.drawnWidth, want.drawnHeight}))
                << c.what << ", entry " << i;
        }
    }
}

TEST(VexilcMake, RefusesKeptPicturesThatCannotBeEntries)
{
    struct Case {
        std::vector<InputPicture> inputs;
        std::wstring error;
    } cases[] = {
        {{{L"a.png", 16, 16}, {L"big.png", 300, 200}},
         L"\"big.png\" is 300 x 200; entries kept as they are stop at 256 x 256 (give --sizes to scale it)"},
        {{{L"a.png", 32, 32}, {L"b.png", 32, 32}}, L"\"b.png\" and \"a.png\" are both 32 x 32; give each size once"},
    };
    for (const Case& c : cases) {
        std::vector<PlannedEntry> entries;
        std::wstring error;
        EXPECT_FALSE(PlanEntries(c.inputs, {}, &entries, &error));
        EXPECT_EQ(error, c.error);
    }
}

TEST(VexilcMake, ParsesOptionsAnywhereAndNamesEveryMistake)
{
    MakeRequest request;
    std::wstring error;
    ASSERT_TRUE(ParseMakeArguments({L"--sizes", L"48,16,48", L"a.cur", L"--depth", L"4", L"x.png", L"--hotspot",
                                    L"3,7", L"--png-256", L"y.bmp"},
                                   &request, &error))
        << Narrow(error);
    EXPECT_EQ(request.out, L"a.cur");
    EXPECT_EQ(request.inputs, std::vector<std::wstring>({L"x.png", L"y.bmp"}));
    EXPECT_EQ(request.settings.sizes, std::vector<int>({16, 48}));
    EXPECT_EQ(request.settings.depth, 4);
    EXPECT_EQ(std::vector<int>({request.settings.hotspotX, request.settings.hotspotY}), std::vector<int>({3, 7}));
    EXPECT_TRUE(request.settings.hasHotspot && request.settings.pngLarge);

    struct Case {
        std::vector<std::wstring> args;
        std::wstring error;
    } cases[] = {
        {{L"a.ico"}, L"make needs OUT.ico or OUT.cur and at least one picture"},
        {{L"a.png", L"b.png"}, L"cannot make \"a.png\": use an .ico or .cur file"},
        {{L"--sizes", L"16,,32", L"a.ico", L"b.png"},
         L"--sizes takes sizes from 1 to 256 separated by commas, e.g. 16,32,48,256, not \"16,,32\""},
        {{L"--sizes", L"0,257", L"a.ico", L"b.png"},
         L"--sizes takes sizes from 1 to 256 separated by commas, e.g. 16,32,48,256, not \"0,257\""},
        {{L"--depth", L"16", L"a.ico", L"b.png"}, L"--depth takes 32, 24, 8, 4 or 1, not \"16\""},
        {{L"--hotspot", L"3", L"a.cur", L"b.png"}, L"--hotspot takes X,Y, two whole numbers from 0, not \"3\""},
        {{L"--hotspot", L"3,-1", L"a.cur", L"b.png"}, L"--hotspot takes X,Y, two whole numbers from 0, not \"3,-1\""},
        {{L"--hotspot", L"3,1", L"a.ico", L"b.png"}, L"--hotspot is for cursors: make a .cur file"},
        {{L"a.ico", L"b.png", L"--depth"}, L"--depth needs a value"},
        {{L"--size", L"16", L"a.ico", L"b.png"}, L"make has no option --size"},
    };
    for (const Case& c : cases) {
        MakeRequest bad;
        error.clear();
        EXPECT_FALSE(ParseMakeArguments(c.args, &bad, &error)) << Narrow(c.error);
        EXPECT_EQ(error, c.error);
    }
}

// One 1024 x 768 picture gives seven square icons that Windows' own loader reads, each with
// transparent bands above and below the picture.
TEST(VexilcMake, OneWidePictureGivesSevenIconsWindowsReads)
{
    const std::wstring picturePath = TestPath(L"wide.png"), iconPath = TestPath(L"wide.ico");
    BitmapPtr picture(MakeBitmap(1024, 768, Gradient));
    WritePng(picture.get(), picturePath);
    ASSERT_EQ(RunMakeCommand({iconPath, picturePath}), 0);

    const std::vector<uint8_t> file = ReadBytes(iconPath);
    IconDirectory directory;
    ASSERT_TRUE(ParseIconDirectory(file.data(), file.size(), false, &directory));
    ASSERT_EQ(directory.entries.size(), 7u);
    const int sides[] = {16, 24, 32, 48, 64, 128, 256};
    for (size_t i = 0; i < 7; i++) {
        const int side = sides[i];
        const IconDirEntry& entry = directory.entries[i];
        HICON icon = CreateIconFromResourceEx(const_cast<uint8_t*>(file.data() + entry.blockOffset), entry.blockSize,
                                              TRUE, 0x00030000, side, side, LR_DEFAULTCOLOR);
        ASSERT_NE(icon, nullptr) << side;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colors{};
        GetObjectW(info.hbmColor, sizeof colors, &colors);
        EXPECT_EQ(std::vector<long>({colors.bmWidth, colors.bmHeight}), std::vector<long>({side, side}));
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
    HANDLE largest = LoadImageW(nullptr, iconPath.c_str(), IMAGE_ICON, 256, 256, LR_LOADFROMFILE);
    EXPECT_NE(largest, nullptr);
    DestroyIcon(HICON(largest));

    Resource* document = LoadIcon(iconPath);
    ASSERT_NE(document, nullptr);
    std::vector<uint32_t> small = ReadPixels(document->firstImage->composite);  // 16 x 12 at y = 2
    for (int y : {0, 1, 14, 15})
        EXPECT_EQ(small[size_t(y) * 16 + 8], 0u) << "row " << y << " lies outside the picture";
    for (int y : {2, 8, 13})
        EXPECT_EQ(small[size_t(y) * 16 + 8] >> 24, 0xFFu) << "row " << y << " shows the picture";
    PYX_DoCleanupInternalResource(document);
}

// Hand-made 16 and 32 pictures are kept pixel for pixel; the 48 one fills in 24 and 256.
TEST(VexilcMake, HandMadePicturesAreKeptAsTheyAre)
{
    std::vector<std::wstring> args = {L"--sizes", L"16,24,32,48,256", TestPath(L"hand.ico")};
    std::vector<std::vector<uint32_t>> pixels;
    for (int side : {16, 32, 48}) {
        BitmapPtr picture(MakeBitmap(side, side, [side](int x, int y) { return NoiseColor(x, y, 40u + side); }));
        pixels.push_back(ReadPixels(picture.get()));
        args.push_back(TestPath(L"hand" + std::to_wstring(side) + L".png"));
        WritePng(picture.get(), args.back());
    }
    ASSERT_EQ(RunMakeCommand(args), 0);
    Resource* document = LoadIcon(args[2]);
    ASSERT_NE(document, nullptr);
    ASSERT_EQ(document->imageCount, 5);
    std::vector<int> widths;
    for (Image* image = document->firstImage; image; image = image->next)
        widths.push_back(image->width);
    EXPECT_EQ(widths, std::vector<int>({16, 24, 32, 48, 256}));
    EXPECT_EQ(ReadPixels(document->firstImage->composite), pixels[0]);
    EXPECT_EQ(ReadPixels(document->firstImage->next->next->composite), pixels[1]);
    EXPECT_EQ(ReadPixels(document->firstImage->next->next->next->composite), pixels[2]);
    PYX_DoCleanupInternalResource(document);
}

// Every image at the asked depth, reduced the editor's way: two colors leave only black and
// white; 24 bits keep the colors but make every pixel opaque or transparent.
TEST(VexilcMake, DepthReducesEveryImage)
{
    const std::wstring picturePath = TestPath(L"depth.png");
    BitmapPtr picture(MakeBitmap(64, 64, [](int x, int y) { return NoiseColor(x, y, x < 8 ? 0 : 200); }));
    WritePng(picture.get(), picturePath);
    for (int depth : {24, 8, 4, 1}) {
        const std::wstring icon = TestPath(L"depth" + std::to_wstring(depth) + L".ico");
        ASSERT_EQ(RunMakeCommand({L"--sizes", L"16,64", L"--depth", std::to_wstring(depth), icon, picturePath}), 0);
        Resource* document = LoadIcon(icon);
        ASSERT_NE(document, nullptr);
        for (Image* image = document->firstImage; image; image = image->next) {
            EXPECT_EQ(image->bitsPerPixel, depth);
            for (uint32_t pixel : ReadPixels(image->composite)) {
                ASSERT_TRUE(pixel >> 24 == 0 || pixel >> 24 == 0xFF) << depth << ": " << std::hex << pixel;
                if (depth == 1 && pixel >> 24) {
                    ASSERT_TRUE(pixel == 0xFF000000u || pixel == 0xFFFFFFFFu) << std::hex << pixel;
                }
            }
        }
        EXPECT_EQ(ReadPixels(document->firstImage->next->composite)[0], 0u) << depth << ": a transparent column";
        PYX_DoCleanupInternalResource(document);
    }
}

// The hot spot names a pixel of the 1024 x 768 picture; each size puts it at the pixel
// covering the same spot (worked out by hand: 16 draws the picture 16 x 12 from y = 2).
TEST(VexilcMake, HotSpotFollowsEverySize)
{
    const std::wstring picturePath = TestPath(L"cursor.png");
    BitmapPtr picture(MakeBitmap(1024, 768, Gradient));
    WritePng(picture.get(), picturePath);
    struct Case {
        const wchar_t* hotspot;
        int x16, y16, x256, y256;
    } cases[] = {
        {L"512,384", 8, 8, 128, 128},
        {L"0,0", 0, 2, 0, 32},
        {L"1023,767", 15, 13, 255, 223},
    };
    for (const Case& c : cases) {
        const std::wstring cursor = TestPath(L"hot.cur");
        ASSERT_EQ(RunMakeCommand({L"--sizes", L"16,256", L"--hotspot", c.hotspot, cursor, picturePath}), 0);
        Resource* document = PYX_LoadCursorFromFile(nullptr, cursor.c_str());
        ASSERT_NE(document, nullptr);
        const Image& small = *document->firstImage;
        const Image& large = *small.next;
        EXPECT_EQ(std::vector<int>({small.hotspotX, small.hotspotY, large.hotspotX, large.hotspotY}),
                  std::vector<int>({c.x16, c.y16, c.x256, c.y256}))
            << Narrow(c.hotspot);
        PYX_DoCleanupInternalResource(document);
    }
}

// 256 x 256 entries as PNG: Windows and our reader see the same picture as in the bitmap
// form, the file is smaller, and every other entry is the same bytes.
TEST(VexilcMake, LargeEntriesStoredAsPng)
{
    const std::wstring picturePath = TestPath(L"typical.png"), bitmapForm = TestPath(L"bmp.ico"),
                       pngForm = TestPath(L"png.ico");
    BitmapPtr picture(MakeBitmap(1024, 768, Gradient));
    WritePng(picture.get(), picturePath);
    ASSERT_EQ(RunMakeCommand({L"--sizes", L"32,256", bitmapForm, picturePath}), 0);
    ASSERT_EQ(RunMakeCommand({L"--sizes", L"32,256", L"--png-256", pngForm, picturePath}), 0);
    const std::vector<uint8_t> bmpBytes = ReadBytes(bitmapForm), pngBytes = ReadBytes(pngForm);
    EXPECT_LT(pngBytes.size() * 2, bmpBytes.size());
    EXPECT_EQ(PngStoredEntries(bitmapForm), std::vector<bool>({false, false}));
    EXPECT_EQ(PngStoredEntries(pngForm), std::vector<bool>({false, true}));
    IconDirectory bmpDirectory, pngDirectory;
    ASSERT_TRUE(ParseIconDirectory(bmpBytes.data(), bmpBytes.size(), false, &bmpDirectory));
    ASSERT_TRUE(ParseIconDirectory(pngBytes.data(), pngBytes.size(), false, &pngDirectory));
    const IconDirEntry &bmp32 = bmpDirectory.entries[0], &png32 = pngDirectory.entries[0];
    EXPECT_EQ(std::vector<uint8_t>(bmpBytes.begin() + bmp32.blockOffset,
                                   bmpBytes.begin() + bmp32.blockOffset + bmp32.blockSize),
              std::vector<uint8_t>(pngBytes.begin() + png32.blockOffset,
                                   pngBytes.begin() + png32.blockOffset + png32.blockSize));

    Resource* asBitmap = LoadIcon(bitmapForm);
    Resource* asPng = LoadIcon(pngForm);
    ASSERT_TRUE(asBitmap && asPng);
    EXPECT_EQ(ReadPixels(asPng->firstImage->next->composite), ReadPixels(asBitmap->firstImage->next->composite));
    PYX_DoCleanupInternalResource(asBitmap);
    PYX_DoCleanupInternalResource(asPng);

    HICON icon = HICON(LoadImageW(nullptr, pngForm.c_str(), IMAGE_ICON, 256, 256, LR_LOADFROMFILE));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colors{};
    GetObjectW(info.hbmColor, sizeof colors, &colors);
    EXPECT_EQ(colors.bmWidth, 256);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
}

namespace {

// Every pixel a different colour and a different level of transparency.
uint32_t SeeThroughNoise(int x, int y)
{
    return NoiseColor(x, y, 0) | uint32_t((x * 7 + y * 13) % 256) << 24;
}

struct PngPicture {
    int width, height;
    Gdiplus::PixelFormat format;  // what GDI+ writes: RGBA from 32-bit ARGB, RGB from 24-bit
    PixelFunction fn;
};

void WritePngAs(const PngPicture& picture, const std::wstring& path)
{
    BitmapPtr painted(MakeBitmap(picture.width, picture.height, picture.fn));
    BitmapPtr converted(painted->Clone(0, 0, picture.width, picture.height, picture.format));
    ASSERT_TRUE(converted && converted->GetLastStatus() == Gdiplus::Ok);
    WritePng(converted.get(), path);
}

// The icon built the plain way: each picture read by GDI+, each entry copied or drawn
// scaled on this thread, one after another.
std::vector<uint8_t> IconMadeOneByOne(const std::vector<std::wstring>& inputs, const std::vector<int>& sizes)
{
    std::vector<BitmapPtr> pictures;
    std::vector<InputPicture> sides;
    for (const std::wstring& input : inputs) {
        pictures.emplace_back(ReadPictureFile(input.c_str()));
        sides.push_back({input, int(pictures.back()->GetWidth()), int(pictures.back()->GetHeight())});
    }
    std::vector<PlannedEntry> entries;
    std::wstring error;
    EXPECT_TRUE(PlanEntries(sides, sizes, &entries, &error));
    Resource* document = DocumentWithoutImages();
    for (const PlannedEntry& e : entries) {
        Gdiplus::Bitmap* source = pictures[size_t(e.source)].get();
        Image* image = PYX_CreateImage(uint16_t(e.width), uint16_t(e.height));
        delete image->composite;
        if (e.asIs) {
            BitmapLock lock(source, Gdiplus::ImageLockModeRead);
            image->composite = BitmapFromPixels(lock.view());
        } else {
            image->composite = NewArgbBitmap(e.width, e.height);
            EXPECT_TRUE(DrawPictureScaled(image->composite, source, {e.x, e.y, e.drawnWidth, e.drawnHeight}));
        }
        AppendImage(document, image);
    }
    const std::wstring path = TestPath(L"one-by-one.ico");
    EXPECT_TRUE(WriteIconDocument(path, document, kIconFileType, LargeEntries::kBitmap, &error));
    PYX_DoCleanupInternalResource(document);
    return ReadBytes(path);
}

}  // namespace

// Our own PNG reader and the entries drawn on two threads give the very bytes of GDI+'s
// reading and drawing one entry after another.
TEST(VexilcMake, GivesTheBytesOfDrawingOneEntryAfterAnother)
{
    const struct {
        const char* what;
        std::vector<PngPicture> pictures;
        std::wstring sizes;
    } cases[] = {
        {"one large picture, every level of transparency", {{1024, 768, PixelFormat32bppARGB, SeeThroughNoise}}, L""},
        {"one opaque picture stored without alpha", {{300, 500, PixelFormat24bppRGB, Gradient}}, L"16,32,48,256"},
        {"several pictures, the largest filling in",
         {{16, 16, PixelFormat32bppARGB, SeeThroughNoise},
          {48, 48, PixelFormat32bppARGB, Gradient},
          {600, 400, PixelFormat32bppARGB, SeeThroughNoise}},
         L"16,24,32,48,64,256"},
    };
    for (const auto& c : cases) {
        std::vector<std::wstring> inputs;
        for (const PngPicture& picture : c.pictures) {
            inputs.push_back(TestPath(L"input" + std::to_wstring(inputs.size()) + L".png"));
            WritePngAs(picture, inputs.back());
        }
        std::vector<std::wstring> args = {TestPath(L"made.ico")};
        if (!c.sizes.empty())
            args.insert(args.end(), {L"--sizes", c.sizes});
        args.insert(args.end(), inputs.begin(), inputs.end());
        ASSERT_EQ(RunMakeCommand(args), 0) << c.what;
        MakeRequest request;
        std::wstring error;
        ASSERT_TRUE(ParseMakeArguments(args, &request, &error));
        EXPECT_TRUE(ReadBytes(args[0]) == IconMadeOneByOne(inputs, request.settings.sizes)) << c.what;
    }
}

// make's large pictures go through our own PNG reader: it takes the forms GDI+ writes and
// gives GDI+'s pixels.
TEST(VexilcMake, PngReaderMatchesGdiplusOnLargePictures)
{
    for (const PngPicture& c : {PngPicture{1024, 1024, PixelFormat32bppARGB, SeeThroughNoise},
                                PngPicture{700, 300, PixelFormat24bppRGB, Gradient}}) {
        const std::wstring path = TestPath(L"large.png");
        WritePngAs(c, path);
        const std::vector<uint8_t> png = ReadBytes(path);
        PngLayout layout;
        ASSERT_TRUE(ReadPngLayout(png.data(), png.size(), 4096, &layout)) << c.width;
        ASSERT_EQ(std::vector<int>({layout.width, layout.height}), std::vector<int>({c.width, c.height}));
        std::vector<uint32_t> ours(size_t(c.width) * size_t(c.height));
        std::vector<uint8_t> scratch;
        ASSERT_TRUE(DecodePngInto(png.data(), png.size(),
                                  {c.width, c.height, c.width * 4, reinterpret_cast<uint8_t*>(ours.data())}, &scratch));
        BitmapPtr gdiplus(Gdiplus::Bitmap::FromFile(path.c_str()));
        EXPECT_TRUE(ours == ReadPixels(gdiplus.get())) << c.width;
    }
}

TEST(VexilcInfo, JsonStringsEscapeWhatJsonRequires)
{
    struct Case {
        std::wstring text;
        std::string json;
    } cases[] = {
        {L"C:\\icons\\a.ico", "\"C:\\\\icons\\\\a.ico\""},
        {L"say \"hi\"", "\"say \\\"hi\\\"\""},
        {L"tab\there\nline", "\"tab\\u0009here\\u000aline\""},
        {L"caf\u00e9 \u4e2d", "\"caf\\u00e9 \\u4e2d\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(JsonString(c.text), c.json);
}
