// The dialogs of the image list, opened with the main window's messages and the context
// menu's commands, and driven with real control messages from inside their own loops.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>
#include <tlhelp32.h>

#include <set>
#include <string>

#include "common/document_ops.h"
#include "common/messages.h"
#include "core/palette_objects.h"
#include "harness/test_bitmaps.h"
#include "harness/test_files.h"
#include "imagelist/dialog_driver.h"
#include "imagelist/image_list_fixture.h"

namespace {

constexpr wchar_t kProperties[] = L"Image Properties";
constexpr wchar_t kAnimated[] = L"Animated Cursor Properties";
constexpr wchar_t kFormats[] = L"Standard Formats";
constexpr wchar_t kSaveAs[] = L"Save Image As ... ";
constexpr wchar_t kCaption[] = L"Vexil 1.0";
constexpr wchar_t kMergeQuestion[] =
    L"If you change image dimensions or it's Bits per pixel, all the layers will be merged down. "
    L"\n\n\tDo you want to continue ?";

// Control ids of the dialogs, as their resources define them.
constexpr int kHotX = 1000, kHotY = 1001, kDepthList = 1002, kWidth = 1003, kHeight = 1004, kRate = 1006;
constexpr int kCreator = 1028, kTitle = 1029;
constexpr int kExportCommand = 32784;

uint32_t Alpha(uint32_t pixel) { return pixel >> 24; }

class ImageDialogsTest : public ImageListTest {
protected:
    void SetUp() override
    {
        ImageListTest::SetUp();
        ASSERT_TRUE(CreateSharedPalettes(&palettes));
        context.palette256 = palettes.palette256;
        context.palette16 = palettes.palette16;
        context.palette2 = palettes.palette2;
    }
    void TearDown() override
    {
        ImageListTest::TearDown();
        DeleteSharedPalettes(&palettes);
    }

    // Paints the Image's composite and every layer with the same pixels.
    static void Paint(Image* image, const PixelFunction& fn)
    {
        PaintPixels(image->composite, fn);
        for (Layer* layer = image->firstLayer; layer; layer = layer->next)
            PaintPixels(layer->bitmap, fn);
    }

    void AddLayer(Image* image)
    {
        Layer* layer = PYX_CreateRasterLayer(image->width, image->height);
        ASSERT_NE(layer, nullptr);
        ASSERT_TRUE(InsertLayer(image, image->layerCount, layer, true));
    }

    std::set<uint32_t> PaletteColors(HPALETTE palette)
    {
        PALETTEENTRY entries[256];
        const UINT count = GetPaletteEntries(palette, 0, 256, entries);
        std::set<uint32_t> colors;
        for (UINT i = 0; i < count; ++i)
            colors.insert(uint32_t(entries[i].peRed) << 16 | uint32_t(entries[i].peGreen) << 8 | entries[i].peBlue);
        return colors;
    }

    void ExpectColorsFrom(Bitmap* bitmap, HPALETTE palette)
    {
        const std::set<uint32_t> colors = PaletteColors(palette);
        int outside = 0;
        for (uint32_t pixel : ReadPixels(bitmap))
            if (Alpha(pixel) != 0 && !colors.count(pixel & 0xFFFFFF))
                ++outside;
        EXPECT_EQ(outside, 0);
    }

    SharedPalettes palettes;
};

std::vector<ReceivedMessage> Only(const std::vector<ReceivedMessage>& all, UINT message)
{
    std::vector<ReceivedMessage> some;
    for (const ReceivedMessage& m : all)
        if (m.message == message)
            some.push_back(m);
    return some;
}

std::wstring Text(HWND dialog, int id)
{
    wchar_t text[64] = {};
    GetDlgItemTextW(dialog, id, text, 64);
    return text;
}

void ChooseDepth(HWND dialog, int item)
{
    SendDlgItemMessageW(dialog, kDepthList, CB_SETCURSEL, WPARAM(item), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kDepthList, CBN_SELCHANGE), LPARAM(GetDlgItem(dialog, kDepthList)));
}

// ---- Image Properties -------------------------------------------------------------------

TEST_F(ImageDialogsTest, PropertiesOpenWithTheImagesValues)
{
    UseImages({{48, 32}});
    Image* image = ImageNumber(0);
    image->hotspotX = 7;
    image->hotspotY = 9;
    image->displayRate = 12;
    image->bitsPerPixel = 8;
    std::wstring values[5];
    bool alphaOn = false, ditherOn = false;
    LRESULT depthItem = -1;
    DialogDriver driver;
    driver.On(kProperties, [&](HWND dialog) {
        const int ids[5] = {kRate, kWidth, kHeight, kHotX, kHotY};
        for (int i = 0; i < 5; ++i)
            values[i] = Text(dialog, ids[i]);
        depthItem = SendDlgItemMessageW(dialog, kDepthList, CB_GETCURSEL, 0, 0);
        alphaOn = IsWindowEnabled(GetDlgItem(dialog, 1010));
        ditherOn = IsWindowEnabled(GetDlgItem(dialog, 1011));
        Click(dialog, IDCANCEL);
    });
    SendMessageW(frame, WM_APP + 20, 0, 0);
    ASSERT_EQ(driver.seen(), std::vector<std::wstring>{kProperties});
    EXPECT_EQ(values[0], L"12");
    EXPECT_EQ(values[1], L"48");
    EXPECT_EQ(values[2], L"32");
    EXPECT_EQ(values[3], L"7");
    EXPECT_EQ(values[4], L"9");
    EXPECT_EQ(depthItem, 2);  // "8"
    EXPECT_TRUE(alphaOn);
    EXPECT_TRUE(ditherOn);
    EXPECT_TRUE(Only(TakeMessages(), WM_APP + 27).empty());  // Cancel records nothing
}

// A two-layer 32-bit Image: only the rate asks nothing; a depth change asks, and Yes merges.
TEST_F(ImageDialogsTest, TwoLayerChanges)
{
    struct Case {
        const wchar_t* name;
        int depthItem;       // -1 keeps the depth
        int answer;          // button for the merge question
        bool asks;
        int layersAfter;
        int depthAfter;
    } cases[] = {
        {L"rate only", -1, IDYES, false, 2, 32},
        {L"to 8 bits, Yes", 2, IDYES, true, 1, 8},
        {L"to 8 bits, No", 2, IDNO, true, 2, 32},
    };
    for (const Case& c : cases) {
        UseImages({{48, 48}});
        Image* image = ImageNumber(0);
        AddLayer(image);
        Paint(image, [](int x, int y) { return NoiseColor(x, y, 255); });
        context.currentLayer = 1;
        Bitmap* expected = PYX_GetDitheredImageBasedOnPalette(image->composite, context.palette256, 256, 1, 0, nullptr, 0);
        ASSERT_NE(expected, nullptr);
        std::vector<std::wstring> questions;
        DialogDriver driver;
        driver.On(kProperties, [&](HWND dialog) {
            TypeInto(dialog, kRate, L"7");
            if (c.depthItem >= 0)
                ChooseDepth(dialog, c.depthItem);
            Click(dialog, IDOK);
        });
        driver.On(kCaption, [&](HWND box) {
            questions.push_back(MessageBoxText(box));
            PostMessageW(box, WM_COMMAND, c.answer, 0);
        });
        SendMessageW(frame, WM_APP + 20, 0, 0);
        const auto messages = TakeMessages();
        ASSERT_EQ(Only(messages, WM_APP + 27).size(), 1u) << c.name;
        EXPECT_EQ(questions.size(), c.asks ? 1u : 0u) << c.name;
        if (c.asks && !questions.empty()) {
            EXPECT_EQ(questions[0], kMergeQuestion) << c.name;
        }
        EXPECT_EQ(int(image->layerCount), c.layersAfter) << c.name;
        EXPECT_EQ(int(image->bitsPerPixel), c.depthAfter) << c.name;
        EXPECT_EQ(image->displayRate, c.answer == IDNO ? 5u : 7u) << c.name;
        if (c.layersAfter == 1) {
            EXPECT_EQ(context.currentLayer, 0) << c.name;
            EXPECT_EQ(image->firstLayer->type, kRasterLayer) << c.name;
            EXPECT_EQ(ReadPixels(image->composite), ReadPixels(expected)) << c.name;
            EXPECT_EQ(ReadPixels(image->firstLayer->bitmap), ReadPixels(expected)) << c.name;
        }
        EXPECT_EQ(Only(messages, WM_APP + 14).size(), c.answer == IDNO ? 0u : 1u) << c.name;
        delete expected;
    }
}

// Depth and size changes of a one-layer Image.
TEST_F(ImageDialogsTest, DepthAndSizeChanges)
{
    const auto halfTransparent = [](int x, int y) { return NoiseColor(x, y, (x + y) % 4 == 0 ? 0 : (x % 3) * 60); };
    UseImages({{48, 48}});
    Image* image = ImageNumber(0);

    // 48 x 48 at 8 bits to 64 x 64: scaled, and again only colors of the 256-color palette.
    image->bitsPerPixel = 8;
    Paint(image, [](int x, int y) { return NoiseColor(x, y, 255); });
    {
        DialogDriver driver;
        driver.On(kProperties, [&](HWND dialog) {
            TypeInto(dialog, kWidth, L"64");
            TypeInto(dialog, kHeight, L"64");
            Click(dialog, IDOK);
        });
        SendMessageW(frame, WM_APP + 20, 0, 0);
    }
    ASSERT_EQ(image->width, 64);
    ASSERT_EQ(image->height, 64);
    EXPECT_EQ(image->bitsPerPixel, 8);
    EXPECT_EQ(image->composite->GetWidth(), 64u);
    EXPECT_EQ(image->firstLayer->bitmap->GetHeight(), 64u);
    ExpectColorsFrom(image->composite, context.palette256);
    EXPECT_EQ(ReadPixels(image->firstLayer->bitmap), ReadPixels(image->composite));

    // 8 to 32 bits changes no pixel.
    Paint(image, halfTransparent);
    const std::vector<uint32_t> before = ReadPixels(image->composite);
    {
        DialogDriver driver;
        driver.On(kProperties, [&](HWND dialog) { ChooseDepth(dialog, 0); Click(dialog, IDOK); });
        SendMessageW(frame, WM_APP + 20, 0, 0);
    }
    EXPECT_EQ(image->bitsPerPixel, 32);
    EXPECT_EQ(ReadPixels(image->composite), before);

    // 32 to 24 bits: with threshold 0 every pixel with any alpha becomes opaque, the others clear.
    {
        DialogDriver driver;
        driver.On(kProperties, [&](HWND dialog) { ChooseDepth(dialog, 1); Click(dialog, IDOK); });
        SendMessageW(frame, WM_APP + 20, 0, 0);
    }
    EXPECT_EQ(image->bitsPerPixel, 24);
    const std::vector<uint32_t> after = ReadPixels(image->composite);
    ASSERT_EQ(after.size(), before.size());
    int wrong = 0;
    for (size_t i = 0; i < after.size(); ++i)
        if (Alpha(after[i]) != (Alpha(before[i]) > 0 ? 255u : 0u) ||
            (Alpha(before[i]) > 0 && (after[i] & 0xFFFFFF) != (before[i] & 0xFFFFFF)))
            ++wrong;
    EXPECT_EQ(wrong, 0);
}

TEST_F(ImageDialogsTest, WidthEditCorrections)
{
    struct Case {
        const wchar_t* typed;
        const wchar_t* atOnce;
        const wchar_t* afterLeaving;
    } cases[] = {{L"300", L"256", L"256"}, {L"5", L"5", L"16"}, {L"", L"48", L"48"}, {L"100", L"100", L"100"}};
    UseImages({{48, 48}});
    for (const Case& c : cases) {
        std::wstring atOnce, afterLeaving;
        DialogDriver driver;
        driver.On(kProperties, [&](HWND dialog) {
            TypeInto(dialog, kWidth, c.typed);
            atOnce = Text(dialog, kWidth);
            EnterAndLeave(dialog, kWidth);
            afterLeaving = Text(dialog, kWidth);
            Click(dialog, IDCANCEL);
        });
        SendMessageW(frame, WM_APP + 20, 0, 0);
        EXPECT_EQ(atOnce, c.atOnce) << c.typed;
        EXPECT_EQ(afterLeaving, c.afterLeaving) << c.typed;
    }
    EXPECT_EQ(ImageNumber(0)->width, 48);
}

// Typing the Image's own size back restores its hot spot; any other size gives 0.
TEST_F(ImageDialogsTest, HotSpotRestore)
{
    UseImages({{48, 40}});
    ImageNumber(0)->hotspotX = 10;
    ImageNumber(0)->hotspotY = 20;
    struct Step {
        int edit;
        const wchar_t* typed;
        int spotEdit;
        const wchar_t* spot;
    } steps[] = {{kWidth, L"64", kHotX, L"0"}, {kWidth, L"48", kHotX, L"10"},
                 {kHeight, L"41", kHotY, L"0"}, {kHeight, L"40", kHotY, L"20"}};
    std::vector<std::wstring> seen;
    DialogDriver driver;
    driver.On(kProperties, [&](HWND dialog) {
        for (const Step& step : steps) {
            TypeInto(dialog, step.edit, step.typed);
            seen.push_back(Text(dialog, step.spotEdit));
        }
        Click(dialog, IDCANCEL);
    });
    SendMessageW(frame, WM_APP + 20, 0, 0);
    ASSERT_EQ(seen.size(), 4u);
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(seen[i], steps[i].spot) << steps[i].typed;
}

// Enter pressed in the width edit with 0 in it: OK itself keeps the size within 16..256 and
// the hot spot inside the picture.
TEST_F(ImageDialogsTest, EnterWithZeroWidth)
{
    UseImages({{48, 48}});
    DialogDriver driver;
    driver.On(kProperties, [&](HWND dialog) {
        TypeInto(dialog, kWidth, L"0");
        TypeInto(dialog, kHotX, L"40");
        TypeInto(dialog, kHotY, L"48");
        HWND edit = GetDlgItem(dialog, kWidth);
        SetFocus(edit);
        PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0x001C0001);
        PostMessageW(edit, WM_KEYUP, VK_RETURN, 0xC01C0001);
    });
    SendMessageW(frame, WM_APP + 20, 0, 0);
    const Image* image = ImageNumber(0);
    EXPECT_EQ(image->width, 16);
    EXPECT_EQ(image->height, 48);
    EXPECT_EQ(image->hotspotX, 15);
    EXPECT_EQ(image->hotspotY, 47);
    EXPECT_EQ(image->composite->GetWidth(), 16u);
}

// A hot spot typed past the picture's edge comes back to its last pixel when the edit is left.
TEST_F(ImageDialogsTest, HotSpotLimitWhenLeaving)
{
    UseImages({{48, 32}});
    std::wstring x, y;
    DialogDriver driver;
    driver.On(kProperties, [&](HWND dialog) {
        TypeInto(dialog, kHotX, L"100");
        EnterAndLeave(dialog, kHotX);
        TypeInto(dialog, kHotY, L"32");
        EnterAndLeave(dialog, kHotY);
        x = Text(dialog, kHotX);
        y = Text(dialog, kHotY);
        Click(dialog, IDCANCEL);
    });
    SendMessageW(frame, WM_APP + 20, 0, 0);
    EXPECT_EQ(x, L"47");
    EXPECT_EQ(y, L"31");
}

// A click on the preview picks the hot spot: a 48 x 48 picture is drawn 1:1 in the middle.
TEST_F(ImageDialogsTest, HotSpotByClick)
{
    UseImages({{48, 48}});
    std::wstring x, y, missedX;
    int expectedX = -1, expectedY = -1;
    DialogDriver driver;
    driver.On(kProperties, [&](HWND dialog) {
        HWND preview = GetDlgItem(dialog, 1005);
        RECT box;
        GetClientRect(preview, &box);
        const int left = (box.right - 48) / 2, top = (box.bottom - 48) / 2;
        POINT point{left + 11, top + 21};
        // The picture starts at (W - 48) / 2 in floating point: half a pixel to the right of
        // `left` when W is odd, and the hot spot is the distance truncated.
        expectedX = int(float(point.x) - float(box.right - 48) / 2);
        expectedY = int(float(point.y) - float(box.bottom - 48) / 2);
        MapWindowPoints(preview, dialog, &point, 1);
        SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        x = Text(dialog, kHotX);
        y = Text(dialog, kHotY);
        POINT outside{1, 1};
        MapWindowPoints(preview, dialog, &outside, 1);
        SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(outside.x, outside.y));
        missedX = Text(dialog, kHotX);
        Click(dialog, IDOK);
    });
    SendMessageW(frame, WM_APP + 20, 0, 0);
    EXPECT_TRUE(expectedX == 10 || expectedX == 11) << expectedX;
    EXPECT_EQ(x, std::to_wstring(expectedX));
    EXPECT_EQ(y, std::to_wstring(expectedY));
    EXPECT_EQ(missedX, x);
    EXPECT_EQ(std::to_wstring(ImageNumber(0)->hotspotX), x);
}

bool IsRed(uint32_t rgb) { return (rgb >> 16 & 255) > 200 && (rgb >> 8 & 255) < 60 && (rgb & 255) < 60; }

// The preview: white, the picture 1:1 in the middle inside its red outline, the hot spot mark,
// and the picture reduced to the chosen depth.
TEST_F(ImageDialogsTest, PropertiesPreview)
{
    UseImages({{48, 48}});
    Image* image = ImageNumber(0);
    Paint(image, [](int, int) { return 0xFF0000FFu; });
    image->hotspotX = 40;
    image->hotspotY = 8;
    Capture at32, at1;
    DialogDriver driver;
    driver.On(kProperties, [&](HWND dialog) {
        HWND preview = GetDlgItem(dialog, 1005);
        at32 = CaptureWindow(preview);
        ChooseDepth(dialog, 4);  // 1 bit
        at1 = CaptureWindow(preview);
        Click(dialog, IDCANCEL);
    });
    SendMessageW(frame, WM_APP + 20, 0, 0);
    ASSERT_GT(at32.width, 60);
    const int left = (at32.width - 48) / 2, top = (at32.height - 48) / 2;
    EXPECT_EQ(at32.at(2, 2), 0xFFFFFFu);
    EXPECT_EQ(at32.at(left + 24, top + 24), 0x0000FFu);
    EXPECT_TRUE(IsRed(at32.at(left + 48, top + 24)) || IsRed(at32.at(left + 49, top + 24)));
    EXPECT_TRUE(IsRed(at32.at(left + 41, top + 9)));  // the hot spot mark
    EXPECT_FALSE(IsRed(at32.at(left + 9, top + 41)));
    EXPECT_EQ(at1.at(left + 24, top + 24), 0x000000u);  // blue is nearer black than white
    EXPECT_EQ(at1.at(2, 2), 0xFFFFFFu);
}

// ---- Standard Formats -------------------------------------------------------------------

TEST_F(ImageDialogsTest, StandardFormatsPreviewGrid)
{
    UseImages({{64, 64}});
    Paint(ImageNumber(0), [](int, int) { return 0xFF0000FFu; });
    Capture grid;
    DialogDriver driver;
    driver.On(kFormats, [&](HWND dialog) {
        grid = CaptureWindow(GetDlgItem(dialog, 1015));
        Click(dialog, IDCANCEL);
    });
    SendMessageW(frame, WM_APP + 19, 0, 0);
    const int W = grid.width, H = grid.height;
    ASSERT_GT(W, 200);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const uint32_t highlightRgb = uint32_t(GetRValue(highlight)) << 16 | GetGValue(highlight) << 8 | GetBValue(highlight);
    EXPECT_EQ(grid.at(8, 8), highlightRgb);  // the corner cell
    const int sizes[4] = {48, 32, 24, 16};
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column) {
            const int n = sizes[column];
            const int x = 13 + column * (W - 13) / 4 + ((W - 13) / 4 - n) / 2;
            const int y = 13 + row * (H - 13) / 4 + ((H - 13) / 4 - 48) / 2 + (48 - n) / 2;
            EXPECT_EQ(grid.at(x + n / 2, y + n / 2), 0x0000FFu) << column << "," << row;
            EXPECT_EQ(grid.at(x + n + 2, y + n / 2), 0xFFFFFFu) << column << "," << row;
        }
    for (int i = 1; i < 4; ++i) {
        EXPECT_EQ(grid.at(13 + i * (W - 13) / 4, H / 2 + 3), 0x000000u) << i;  // column lines
        EXPECT_EQ(grid.at(W / 2 + 3, 13 + i * (H - 13) / 4), 0x000000u) << i;  // row lines
    }
}

TEST_F(ImageDialogsTest, StandardFormatsInsertsSixteen)
{
    UseImages({{32, 32}, {64, 64}, {32, 32}}, 1);
    Paint(ImageNumber(1), [](int x, int y) { return NoiseColor(x, y, 255); });
    Image* formerSecond = ImageNumber(2);
    DialogDriver driver;
    driver.On(kFormats, [](HWND dialog) { Click(dialog, IDOK); });
    SendMessageW(frame, WM_APP + 19, 0, 0);
    ASSERT_EQ(driver.seen(), std::vector<std::wstring>{kFormats});
    ASSERT_EQ(context.document->imageCount, 19);
    const int sizes[4] = {16, 24, 32, 48}, depths[4] = {4, 8, 24, 32};
    for (int i = 0; i < 16; ++i) {
        const Image* image = ImageNumber(2 + i);
        EXPECT_EQ(image->width, sizes[i % 4]) << i;
        EXPECT_EQ(image->height, sizes[i % 4]) << i;
        EXPECT_EQ(image->bitsPerPixel, depths[i / 4]) << i;
        EXPECT_EQ(image->layerCount, 1) << i;
        EXPECT_EQ(image->displayRate, 5u) << i;
        EXPECT_EQ(image->composite->GetWidth(), unsigned(sizes[i % 4])) << i;
        EXPECT_EQ(ReadPixels(image->firstLayer->bitmap), ReadPixels(image->composite)) << i;
    }
    ExpectColorsFrom(ImageNumber(2)->composite, context.palette16);
    ExpectColorsFrom(ImageNumber(9)->composite, context.palette256);
    EXPECT_EQ(ImageNumber(18), formerSecond);
    const auto messages = TakeMessages();
    const auto rings = Only(messages, WM_APP + 30);
    ASSERT_EQ(rings.size(), 1u);
    EXPECT_EQ(rings[0].wParam, 2u);
    EXPECT_EQ(rings[0].lParam, 17);
    EXPECT_EQ(Only(messages, WM_APP + 14).size(), 1u);
    // The current Image stays the source: the strip marks it and a second run starts from it.
    DialogDriver again;
    again.On(kFormats, [](HWND dialog) { Click(dialog, IDCANCEL); });
    SendMessageW(frame, WM_APP + 19, 0, 0);
    EXPECT_EQ(again.seen().size(), 1u);
    EXPECT_EQ(context.document->imageCount, 19);
}

TEST_F(ImageDialogsTest, StandardFormatsOnlyFromLargeSquare32Bits)
{
    struct Case {
        int width, height, depth;
    } cases[] = {{32, 32, 32}, {64, 48, 32}, {64, 64, 24}};
    for (const Case& c : cases) {
        UseImages({{c.width, c.height}});
        ImageNumber(0)->bitsPerPixel = uint8_t(c.depth);
        DialogDriver driver;
        driver.On(kFormats, [](HWND dialog) { Click(dialog, IDOK); });
        SendMessageW(frame, WM_APP + 19, 0, 0);
        EXPECT_TRUE(driver.seen().empty()) << c.width << "x" << c.height;
        EXPECT_EQ(context.document->imageCount, 1);
    }
}

// ---- Export This Image ------------------------------------------------------------------

struct SaveAnswer {
    int filterIndex;  // 1-based
    std::wstring name;
};

void AnswerSaveDialog(HWND dialog, const SaveAnswer& answer, std::vector<std::wstring>* seen)
{
    HWND types = GetDlgItem(dialog, cmb1);
    seen->push_back(WindowTextOf(GetDlgItem(dialog, cmb13) ? GetDlgItem(dialog, cmb13) : GetDlgItem(dialog, edt1)));
    SendMessageW(types, CB_SETCURSEL, WPARAM(answer.filterIndex - 1), 0);
    // A choice with the mouse notifies both; dialogs differ in which one they act on.
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), LPARAM(types));
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), LPARAM(types));
    seen->push_back(WindowTextOf(GetDlgItem(dialog, cmb13) ? GetDlgItem(dialog, cmb13) : GetDlgItem(dialog, edt1)));
    HWND nameBox = GetDlgItem(dialog, cmb13) ? GetDlgItem(dialog, cmb13) : GetDlgItem(dialog, edt1);
    SetWindowTextW(nameBox, answer.name.c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(GetDlgItem(dialog, IDOK)));
}

// A 48 x 48 picture: transparent corners, an opaque red middle.
void PaintCornersClear(Image* image)
{
    PaintPixels(image->composite, [](int x, int y) {
        return x >= 8 && x < 40 && y >= 8 && y < 40 ? 0xFFFF0000u : 0x00000000u;
    });
}

TEST_F(ImageDialogsTest, ExportForcesTheChosenTypesExtension)
{
    struct Case {
        int filterIndex;
        const wchar_t* typed;
        const wchar_t* written;
        uint32_t corner;  // 0xAARRGGBB, each channel within 8
    } cases[] = {
        {1, L"bmp_case.png", L"bmp_case.bmp", 0xFFFFFFFF},
        {2, L"jpeg_case", L"jpeg_case.jpg", 0xFFFFFFFF},
        {3, L"png_case.bmp", L"png_case.png", 0x00000000},
    };
    UseImages({{48, 48}});
    PaintCornersClear(ImageNumber(0));
    for (const Case& c : cases) {
        std::vector<std::wstring> names;
        DialogDriver driver;
        driver.On(kSaveAs, [&](HWND dialog) { AnswerSaveDialog(dialog, {c.filterIndex, TestPath(c.typed)}, &names); });
        SendMessageW(strip, WM_COMMAND, kExportCommand, 0);
        ASSERT_EQ(driver.seen(), std::vector<std::wstring>{kSaveAs}) << c.typed << " " << driver.seen().back();
        EXPECT_EQ(names.at(0), L"Untitled.bmp");
        if (c.filterIndex == 2) {
            EXPECT_EQ(names.at(1), L"Untitled.jpg");  // the name follows the chosen type at once
        }
        EXPECT_FALSE(FileExists(TestPath(c.typed))) << c.typed;
        std::wstring present;
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(TestPath(L"*").c_str(), &found);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found))
            present += std::wstring(found.cFileName) + L" ";
        FindClose(search);
        ASSERT_TRUE(FileExists(TestPath(c.written))) << c.written << " among " << present;
        Gdiplus::Bitmap* read = Gdiplus::Bitmap::FromFile(TestPath(c.written).c_str());
        ASSERT_NE(read, nullptr);
        ASSERT_EQ(read->GetWidth(), 48u);
        Gdiplus::Color corner, middle;
        read->GetPixel(0, 0, &corner);
        read->GetPixel(24, 24, &middle);
        for (int shift : {24, 16, 8, 0})
            EXPECT_NEAR(int(corner.GetValue() >> shift & 255), int(c.corner >> shift & 255), 8) << c.written;
        EXPECT_GT(middle.GetR(), 240) << c.written;
        EXPECT_LT(middle.GetG(), 16) << c.written;
        delete read;
    }
}

// The dialog asked about the typed name only: the forced name's file is not replaced silently.
TEST_F(ImageDialogsTest, ExportAsksBeforeReplacingTheForcedName)
{
    UseImages({{48, 48}});
    PaintCornersClear(ImageNumber(0));
    const std::vector<uint8_t> old = {'o', 'l', 'd'};
    ASSERT_TRUE(WriteBytes(TestPath(L"kept.bmp"), old));
    for (int answer : {IDNO, IDYES}) {
        std::vector<std::wstring> names, questions, captions;
        DialogDriver driver;
        driver.On(kSaveAs, [&](HWND dialog) { AnswerSaveDialog(dialog, {1, TestPath(L"kept.png")}, &names); });
        driver.On(kCaption, [&](HWND box) {
            questions.push_back(MessageBoxText(box));
            PostMessageW(box, WM_COMMAND, answer, 0);
        });
        SendMessageW(strip, WM_COMMAND, kExportCommand, 0);
        ASSERT_EQ(questions.size(), 1u);
        EXPECT_EQ(questions[0], L"kept.bmp already exists.\nDo you want to replace it?");
        if (answer == IDNO) {
            EXPECT_EQ(ReadBytes(TestPath(L"kept.bmp")), old);
        } else {
            EXPECT_NE(ReadBytes(TestPath(L"kept.bmp")), old);
        }
    }
}

// ---- Animated Cursor Properties ---------------------------------------------------------

int ThreadsOfThisProcess()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            ++count;
    CloseHandle(snapshot);
    return count;
}

// Closing while it plays ends the thread every time; rate-0 and very long frames alike.
TEST_F(ImageDialogsTest, AnimatedPreviewClosesWhilePlaying)
{
    struct Case {
        const wchar_t* name;
        std::vector<uint32_t> rates;
        int button;
    } cases[] = {
        {L"usual rates", {5, 60, 1}, IDCANCEL},
        {L"every rate 0", {0, 0, 0}, IDOK},
        {L"rate 9999", {9999}, IDOK},
    };
    for (const Case& c : cases) {
        std::vector<SIZE> sizes(c.rates.size(), SIZE{32, 32});
        UseImages(sizes);
        for (size_t i = 0; i < c.rates.size(); ++i) {
            ImageNumber(int(i))->displayRate = c.rates[i];
            Paint(ImageNumber(int(i)), [i](int, int) { return 0xFF000000u | uint32_t(i * 80); });
        }
        int opened = 0;
        std::set<uint32_t> shown;
        DialogDriver driver;
        driver.On(kAnimated, [&](HWND dialog) {
            ++opened;
            const Capture preview = CaptureWindow(GetDlgItem(dialog, 1027));  // a frame while it plays
            shown.insert(preview.at(preview.width / 2, preview.height / 2));
            EXPECT_EQ(preview.at(1, 1), 0xFFFFFFu);
            Click(dialog, c.button);
        });
        SendMessageW(frame, WM_APP + 48, 0, 0);  // once, so that the platform's own threads settle
        const int threads = ThreadsOfThisProcess();
        for (int round = 0; round < 50; ++round)
            SendMessageW(frame, WM_APP + 48, 0, 0);
        EXPECT_EQ(opened, 51) << c.name;
        for (uint32_t color : shown)  // the middle of the box shows one of the Images
            EXPECT_TRUE(color == 0 || color == 80 || color == 160) << c.name << " " << color;
        EXPECT_EQ(ThreadsOfThisProcess(), threads) << c.name;
    }
}

TEST_F(ImageDialogsTest, AnimatedPropertiesTexts)
{
    struct Case {
        int button;
        const wchar_t* creator;
        const wchar_t* title;
        const wchar_t* creatorAfter;
        const wchar_t* titleAfter;
        bool modified;
    } cases[] = {
        {IDCANCEL, L"Someone", L"Spinner", L"Old Maker", L"Old Title", false},
        {IDOK, L"Old Maker", L"Old Title", L"Old Maker", L"Old Title", false},
        {IDOK, L"Someone", L"Old Title", L"Someone", L"Old Title", true},
        {IDOK, L"Old Maker", L"Spinner", L"Old Maker", L"Spinner", true},
    };
    UseImages({{32, 32}, {32, 32}});
    Resource* document = context.document;
    for (const Case& c : cases) {
        lstrcpyW(document->creator, L"Old Maker");
        lstrcpyW(document->title, L"Old Title");
        document->modified = 0;
        std::wstring shownCreator, shownTitle;
        DialogDriver driver;
        driver.On(kAnimated, [&](HWND dialog) {
            shownCreator = Text(dialog, kCreator);
            shownTitle = Text(dialog, kTitle);
            TypeInto(dialog, kCreator, c.creator);
            TypeInto(dialog, kTitle, c.title);
            Click(dialog, c.button);
        });
        SendMessageW(frame, WM_APP + 48, 0, 0);
        EXPECT_EQ(shownCreator, L"Old Maker");
        EXPECT_EQ(shownTitle, L"Old Title");
        EXPECT_STREQ(document->creator, c.creatorAfter);
        EXPECT_STREQ(document->title, c.titleAfter);
        EXPECT_EQ(document->modified != 0, c.modified) << c.creator << " " << c.title;
        EXPECT_TRUE(TakeMessages().empty());  // nothing goes to the main window
    }
}

}  // namespace
