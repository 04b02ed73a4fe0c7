// The settings dialogs opened through their exports under Xvfb. Each test hands a script
// to a thread timer; the steps run one by one inside the dialog's own modal loop (posted
// validation messages are handled between two steps) and the last step closes the dialog.
//
// The remembered settings live for the whole test program, so the tests that look at the
// first opening come first and every other test cancels unless it checks what OK keeps.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "common/document_ops.h"
#include "common/message_box_recorder.h"
#include "common/messages.h"
#include "common/selection_state.h"
#include "dialogs/fxdialogs.h"
#include "dialogs/preview_fit.h"
#include "filters/filter_table.h"
#include "filters/sieve.h"
#include "fxdialogs_resources.h"
#include "harness/test_bitmaps.h"

namespace {

// ---- the document the dialogs work on ----

std::vector<WPARAM> gApplied;  // wParam of every WM_APP+2 the owner got

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kDialogApplied)
        gApplied.push_back(wParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeOwner()
{
    static ATOM atom = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = OwnerProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"DialogsTestOwner";
        return RegisterClassW(&windowClass);
    }();
    return atom ? CreateWindowW(L"DialogsTestOwner", L"Owner", WS_OVERLAPPEDWINDOW, 100, 100, 700, 500, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr)
                : nullptr;
}

uint32_t Opaque(int x, int y)
{
    return NoiseColor(x, y, 255);
}

struct TestDocument {
    Resource* resource = nullptr;
    AppContext context{};
    SelectionState selection{};
    HWND owner = nullptr;

    TestDocument(int width, int height)
    {
        resource = PYX_CreateNewResource();
        PYX_DeleteImage(resource->firstImage);
        resource->firstImage = PYX_CreateImage(uint16_t(width), uint16_t(height));
        PaintPixels(Layer0()->bitmap, Opaque);
        context.document = resource;
        context.selection = &selection;
        owner = MakeOwner();
        context.mainWindow = owner;
        Select(CreateRectRgn(0, 0, width, height));
        gApplied.clear();
    }
    ~TestDocument()
    {
        delete selection.content;
        if (selection.region)
            DeleteObject(selection.region);
        DestroyWindow(owner);
        PYX_DoCleanupInternalResource(resource);
    }
    Image* Picture() const { return resource->firstImage; }
    Layer* Layer0() const { return Picture()->firstLayer; }

    // The selection the editing area would make: the region, and its bounding box of the
    // layer as content.
    void Select(HRGN region)
    {
        delete selection.content;
        if (selection.region)
            DeleteObject(selection.region);
        RECT box{};
        GetRgnBox(region, &box);
        selection.region = region;
        selection.left = box.left;
        selection.top = box.top;
        selection.width = box.right - box.left;
        selection.height = box.bottom - box.top;
        const std::vector<uint32_t> layer = ReadPixels(Layer0()->bitmap);
        const int width = Picture()->width;
        selection.content = MakeBitmap(selection.width, selection.height, [&](int x, int y) {
            return layer[size_t((y + box.top) * width + x + box.left)];
        });
    }
};

// ---- driving a modal dialog from inside its loop ----

using Step = std::function<void(HWND dialog)>;

struct Script {
    std::vector<Step> steps;
    size_t next = 0;
    HWND dialog = nullptr;
    bool busy = false;
};
Script* gScript = nullptr;

// The dialog of this thread that is enabled (the color chooser disables the settings dialog).
HWND EnabledDialog(HWND except)
{
    struct Search {
        HWND except, found;
    } search{except, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), [](HWND window, LPARAM param) -> BOOL {
        Search* s = reinterpret_cast<Search*>(param);
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (window == s->except || lstrcmpW(name, L"#32770") != 0 || !IsWindowEnabled(window))
            return TRUE;
        s->found = window;
        return FALSE;
    }, LPARAM(&search));
    return search.found;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (!gScript || gScript->busy)
        return;
    gScript->busy = true;
    if (!gScript->dialog)
        gScript->dialog = EnabledDialog(nullptr);
    if (gScript->dialog && gScript->next < gScript->steps.size())
        gScript->steps[gScript->next++](gScript->dialog);
    else if (gScript->dialog)  // a script that forgot to close: nothing may hang
        PostMessageW(gScript->dialog, WM_COMMAND, IDCANCEL, 0);
    gScript->busy = false;
}

int32_t RunDialog(const std::function<int32_t()>& open, std::vector<Step> steps)
{
    Script script;
    script.steps = std::move(steps);
    gScript = &script;
    const UINT_PTR timer = SetTimer(nullptr, 0, 5, Tick);
    const int32_t result = open();
    KillTimer(nullptr, timer);
    gScript = nullptr;
    return result;
}

std::wstring Text(HWND dialog, int id)
{
    wchar_t text[128] = {};
    GetDlgItemTextW(dialog, id, text, 128);
    return text;
}

int Position(HWND dialog, int id)
{
    return int(SendDlgItemMessageW(dialog, id, TBM_GETPOS, 0, 0));
}

void Type(HWND dialog, int id, const wchar_t* text)
{
    SetDlgItemTextW(dialog, id, text);
}

Step Typing(int id, const wchar_t* text)
{
    return [=](HWND dialog) { Type(dialog, id, text); };
}

Step Clicking(int id)
{
    return [=](HWND dialog) {
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(dialog, id)));
    };
}

const Step kOk = Clicking(IDC_OK);
const Step kCancel = Clicking(IDCANCEL);

// Answers the color chooser that the previous step opened with the given color.
Step ChoosingColor(int red, int green, int blue)
{
    return [=](HWND settings) {
        HWND chooser = EnabledDialog(settings);
        ASSERT_NE(chooser, nullptr) << "no color chooser open";
        const int values[3] = {red, green, blue};
        for (int i = 0; i < 3; i++)
            SetDlgItemInt(chooser, 706 + i, UINT(values[i]), FALSE);  // the chooser's R, G, B edits
        PostMessageW(chooser, WM_COMMAND, IDOK, LPARAM(GetDlgItem(chooser, IDOK)));
    };
}

Step ChoosingListItem(int id, int item)
{
    return [=](HWND dialog) {
        SendDlgItemMessageW(dialog, id, CB_SETCURSEL, item, 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), LPARAM(GetDlgItem(dialog, id)));
    };
}

using Opener = int32_t (*)(HWND, AppContext*);

int32_t OpenDropShadow(HWND owner, AppContext* context)
{
    return ShowShadowDialog(owner, context, 1);
}

int32_t OpenInnerShadow(HWND owner, AppContext* context)
{
    return ShowShadowDialog(owner, context, 0);
}

// The reference result: the filter library itself, with the words the description gives.
std::vector<uint32_t> Filtered(Gdiplus::Bitmap* source, FilterParams request)
{
    request.source = source;
    Gdiplus::Bitmap* result = ApplyFilter(&request);
    std::vector<uint32_t> pixels = result ? ReadPixels(result) : std::vector<uint32_t>{};
    delete result;
    return pixels;
}

// ---- tests ----

TEST(PreviewFit, ScalesTheSourceToTheBoxesShorterSideAndCentresIt)
{
    struct Case {
        int w, h, boxW, boxH;
        float left, top, width, height;
    } cases[] = {
        {10, 40, 255, 180, 105, 0, 45, 180},
        {40, 10, 255, 180, 37.5f, 67.5f, 180, 45},
        {256, 256, 255, 195, 30, 0, 195, 195},
        {1, 1, 100, 50, 25, 0, 50, 50},
    };
    for (const Case& c : cases) {
        const PreviewRect rect = FitPreview(c.w, c.h, c.boxW, c.boxH);
        SCOPED_TRACE(testing::Message() << c.w << " x " << c.h << " in " << c.boxW << " x " << c.boxH);
        EXPECT_FLOAT_EQ(rect.left, c.left);
        EXPECT_FLOAT_EQ(rect.top, c.top);
        EXPECT_FLOAT_EQ(rect.width, c.width);
        EXPECT_FLOAT_EQ(rect.height, c.height);
    }
}

TEST(SettingsDialogs, FirstOpeningShowsTitlesRangesAndStartingValues)
{
    struct Slider {
        int id, low, high, position, editId;
        const wchar_t* edit;
    };
    struct Case {
        Opener open;
        const wchar_t* title;
        std::vector<Slider> sliders;
    } cases[] = {
        {ShowBevelDialog, L"Bevel Settings", {{1014, 0, 255, 255, 1078, L"255"}, {1015, 0, 255, 255, 1079, L"255"}}},
        {OpenDropShadow, L"Drop Shadow Settings",
         {{1028, 0, 100, 100, 1082, L"100"}, {1029, -32, 32, 1, 0, nullptr}, {1030, -16, 16, 1, 0, nullptr},
          {1031, 0, 50, 1, 0, nullptr}}},
        {OpenInnerShadow, L"Inner Shadow Settings", {{1029, -32, 32, 1, 0, nullptr}}},
        {ShowColorizeDialog, L"Colorize Settings",
         {{1034, 0, 255, 0, 1079, L"0"}, {1035, 0, 255, 0, 1080, L"0"}, {1036, 0, 255, 0, 1081, L"0"}}},
        {ShowHSLDialog, L"Hue, Saturation and  Luminance Settings",
         {{1038, -180, 180, 0, 1081, L"0"}, {1039, -100, 100, 0, 1082, L"0"}, {1040, -100, 100, 0, 1085, L"0"}}},
        {ShowContrastDialog, L"Brightness and Contrast Settings",
         {{1042, -255, 255, 0, 1080, L"0"}, {1043, -100, 100, 0, 1081, L"0"}}},
        {ShowOpacityDialog, L"Opacity Settings", {{1045, -100, 100, 0, 1046, L"0"}}},
        {ShowBlurDialog, L"Heavy Blur Settings", {{1048, 0, 50, 1, 0, nullptr}}},
        {ShowCustomDialog, L"Custom Filter Settings", {}},
        {ShowBorderizeDialog, L"Borderize Settings", {}},
    };
    TestDocument document(64, 32);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.title, c.title + wcslen(c.title)));
        std::wstring title;
        const int32_t result = RunDialog([&] { return c.open(document.owner, &document.context); },
                                         {[&](HWND dialog) {
                                              wchar_t text[128] = {};
                                              GetWindowTextW(dialog, text, 128);
                                              title = text;
                                              for (const Slider& s : c.sliders) {
                                                  SCOPED_TRACE(s.id);
                                                  HWND slider = GetDlgItem(dialog, s.id);
                                                  EXPECT_EQ(SendMessageW(slider, TBM_GETRANGEMIN, 0, 0), s.low);
                                                  EXPECT_EQ(SendMessageW(slider, TBM_GETRANGEMAX, 0, 0), s.high);
                                                  EXPECT_EQ(Position(dialog, s.id), s.position);
                                                  if (s.edit) {
                                                      EXPECT_EQ(Text(dialog, s.editId), s.edit);
                                                  }
                                              }
                                          },
                                          kCancel});
        EXPECT_EQ(result, 0);
        EXPECT_EQ(title, c.title);
    }
    EXPECT_TRUE(gApplied.empty());
    EXPECT_EQ(document.resource->modified, 0u);
}

TEST(SettingsDialogs, DepthListsOfferTheirDepths)
{
    struct Case {
        Opener open;
        int list;
        std::vector<std::wstring> items;
    } cases[] = {
        {ShowBevelDialog, IDC_BEVEL_DEPTH, {L"Low", L"Medium", L"High"}},
        {ShowBorderizeDialog, IDC_BORDER_DEPTH, {L"Low", L"Medium", L"High", L"Very High"}},
    };
    TestDocument document(16, 16);
    for (const Case& c : cases) {
        std::vector<std::wstring> items;
        int selected = -1;
        RunDialog([&] { return c.open(document.owner, &document.context); },
                  {[&](HWND dialog) {
                       const int count = int(SendDlgItemMessageW(dialog, c.list, CB_GETCOUNT, 0, 0));
                       for (int i = 0; i < count; i++) {
                           wchar_t text[32] = {};
                           SendDlgItemMessageW(dialog, c.list, CB_GETLBTEXT, i, LPARAM(text));
                           items.push_back(text);
                       }
                       selected = int(SendDlgItemMessageW(dialog, c.list, CB_GETCURSEL, 0, 0));
                   },
                   kCancel});
        EXPECT_EQ(items, c.items);
        EXPECT_EQ(selected, 0);
    }
}

TEST(SettingsDialogs, EditsAreValidatedAgainstTheirSliders)
{
    struct Case {
        Opener open;
        int edit, slider;
        std::vector<const wchar_t*> typed;
        const wchar_t* shown;
        int position;
    } cases[] = {
        {ShowBevelDialog, 1078, 1014, {L"300"}, L"255", 255},
        {OpenDropShadow, 1082, 1028, {L"150"}, L"100", 100},
        {ShowHSLDialog, 1082, 1039, {L"150"}, L"100", 100},
        {ShowHSLDialog, 1081, 1038, {L"200"}, L"180", 180},
        {ShowHSLDialog, 1081, 1038, {L"-"}, L"-", 0},
        {ShowHSLDialog, 1085, 1040, {L"-40"}, L"-40", -40},
        {ShowContrastDialog, 1080, 1042, {L"-300"}, L"-255", -255},
        {ShowColorizeDialog, 1079, 1034, {L"40", L""}, L"40", 40},
        {ShowColorizeDialog, 1081, 1036, {L"x7"}, L"0", 0},
        {ShowOpacityDialog, 1046, 1045, {L"30", L"abc"}, L"0", 0},
        {ShowOpacityDialog, 1046, 1045, {L"30", L""}, L"0", 0},
        {ShowOpacityDialog, 1046, 1045, {L"-"}, L"-", 0},
        {ShowOpacityDialog, 1046, 1045, {L"-45"}, L"-45", -45},
    };
    TestDocument document(16, 16);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "edit " << c.edit << " last typed "
                                        << std::string(c.typed.back(), c.typed.back() + wcslen(c.typed.back())));
        std::vector<Step> steps;
        for (const wchar_t* text : c.typed)
            steps.push_back(Typing(c.edit, text));
        std::wstring shown;
        int position = 9999;
        steps.push_back([&](HWND dialog) {
            shown = Text(dialog, c.edit);
            position = Position(dialog, c.slider);
        });
        steps.push_back(kCancel);
        RunDialog([&] { return c.open(document.owner, &document.context); }, steps);
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(position, c.position);
    }
}

TEST(SettingsDialogs, OkKeepsTheValuesForTheNextOpeningAndCancelForgetsThem)
{
    TestDocument document(16, 16);
    auto open = [&] { return ShowBevelDialog(document.owner, &document.context); };
    std::wstring light, shadow;
    int lightPosition = -1;
    auto read = [&](HWND dialog) {
        light = Text(dialog, 1078);
        shadow = Text(dialog, 1079);
        lightPosition = Position(dialog, 1014);
    };
    EXPECT_EQ(RunDialog(open, {Typing(1078, L"200"), Typing(1079, L"100"), kOk}), 1);
    EXPECT_EQ(gApplied, std::vector<WPARAM>{1});
    EXPECT_EQ(document.resource->modified, 1u);

    EXPECT_EQ(RunDialog(open, {read, Typing(1078, L"50"), kCancel}), 0);
    EXPECT_EQ(light, L"200");
    EXPECT_EQ(shadow, L"100");
    EXPECT_EQ(lightPosition, 200);

    RunDialog(open, {read, kCancel});
    EXPECT_EQ(light, L"200");
    EXPECT_EQ(gApplied.size(), 1u) << "nothing is sent on Cancel";
}

TEST(SettingsDialogs, ApplyingChangesTheLayerOnlyInsideTheSelectionRegion)
{
    TestDocument document(16, 16);
    // Two rectangles whose bounding box also holds pixels outside the region.
    HRGN region = CreateRectRgn(2, 3, 8, 6);
    HRGN second = CreateRectRgn(6, 6, 12, 10);
    CombineRgn(region, region, second, RGN_OR);
    DeleteObject(second);
    document.Select(region);
    const std::vector<uint32_t> before = ReadPixels(document.Layer0()->bitmap);
    FilterParams request{};
    request.filterType = kAdjustOpacity;
    request.word4 = -50;
    const std::vector<uint32_t> expected = Filtered(document.selection.content, request);
    ASSERT_EQ(expected.size(), size_t(10 * 7));

    EXPECT_EQ(RunDialog([&] { return ShowOpacityDialog(document.owner, &document.context); },
                        {Typing(1046, L"-50"), kOk}),
              1);

    const std::vector<uint32_t> after = ReadPixels(document.Layer0()->bitmap);
    const std::vector<uint32_t> content = ReadPixels(document.selection.content);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++) {
            SCOPED_TRACE(testing::Message() << "pixel " << x << ", " << y);
            const bool inside = PtInRegion(document.selection.region, x, y);
            const size_t i = size_t(y * 16 + x);
            EXPECT_EQ(after[i], inside ? expected[size_t((y - 3) * 10 + x - 2)] : before[i]);
            if (x >= 2 && x < 12 && y >= 3 && y < 10) {
                const size_t j = size_t((y - 3) * 10 + x - 2);
                EXPECT_EQ(content[j], inside ? expected[j] : 0u);
            }
        }
    EXPECT_EQ(gApplied, std::vector<WPARAM>{1});
}

TEST(SettingsDialogs, CancelLeavesLayerSelectionAndDocumentAlone)
{
    TestDocument document(16, 16);
    const std::vector<uint32_t> before = ReadPixels(document.Layer0()->bitmap);
    EXPECT_EQ(RunDialog([&] { return ShowContrastDialog(document.owner, &document.context); },
                        {Typing(1080, L"120"), kCancel}),
              0);
    EXPECT_EQ(ReadPixels(document.Layer0()->bitmap), before);
    EXPECT_EQ(ReadPixels(document.selection.content), before);
    EXPECT_EQ(document.resource->modified, 0u);
    EXPECT_TRUE(gApplied.empty());
}

// The weight of row i, column j.
int Cell(int row, int column)
{
    return IDC_CUSTOM_FIRST + 5 * column + row;
}

TEST(CustomFilterDialog, ScaleFollowsTheWeightsUntilTypedItself)
{
    const int weights[3][3] = {{1, 2, 1}, {2, 4, 2}, {1, 2, 1}};
    std::vector<Step> binomial;
    for (int i = 0; i < 3; i++)
        for (int j = 0; j < 3; j++) {
            static wchar_t texts[3][3][4];
            swprintf(texts[i][j], 4, L"%d", weights[i][j]);
            binomial.push_back(Typing(Cell(i + 1, j + 1), texts[i][j]));
        }
    struct Case {
        const char* name;
        std::vector<Step> steps;
        const wchar_t* scale;
    };
    std::vector<Case> cases = {
        {"binomial kernel", binomial, L"16"},
        {"kernel summing to 0", {Typing(Cell(2, 2), L"0")}, L"1"},
        {"kernel summing below 0", {Typing(Cell(0, 0), L"-3")}, L"1"},
        {"scale typed after the weights", binomial, L"9"},
        {"weight changed after a typed scale", binomial, L"17"},
        {"offset changed after a typed scale", binomial, L"16"},
    };
    cases[3].steps.push_back(Typing(IDC_CUSTOM_SCALE, L"9"));
    cases[4].steps.push_back(Typing(IDC_CUSTOM_SCALE, L"9"));
    cases[4].steps.push_back(Typing(Cell(0, 4), L"1"));
    cases[5].steps.push_back(Typing(IDC_CUSTOM_SCALE, L"9"));
    cases[5].steps.push_back(Typing(IDC_CUSTOM_OFFSET, L"3"));
    TestDocument document(16, 16);
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::wstring scale;
        c.steps.push_back([&](HWND dialog) { scale = Text(dialog, IDC_CUSTOM_SCALE); });
        c.steps.push_back(kCancel);
        RunDialog([&] { return ShowCustomDialog(document.owner, &document.context); }, c.steps);
        EXPECT_EQ(scale, c.scale);
    }
}

TEST(CustomFilterDialog, AClearedCellShowsTheMagnitudeAndKeepsItsWeight)
{
    TestDocument document(12, 12);
    const int cell = Cell(1, 3);
    std::wstring shown, scale;
    EXPECT_EQ(RunDialog([&] { return ShowCustomDialog(document.owner, &document.context); },
                        {Typing(cell, L"-2"), Typing(cell, L""),
                         [&](HWND dialog) {
                             shown = Text(dialog, cell);
                             scale = Text(dialog, IDC_CUSTOM_SCALE);
                         },
                         kOk}),
              1);
    EXPECT_EQ(shown, L"2");
    EXPECT_EQ(scale, L"1");
    int32_t kernel[25] = {};
    kernel[12] = 1;
    kernel[5 * 1 + 3] = -2;  // row 1, column 3 still weighs -2
    FilterParams request{};
    request.filterType = kCustomFilter;
    request.kernel = kernel;
    request.word4 = 5;
    request.word5 = 1;
    Gdiplus::Bitmap* original = MakeBitmap(12, 12, Opaque);
    EXPECT_EQ(ReadPixels(document.Layer0()->bitmap), Filtered(original, request));
    delete original;
}

TEST(BorderizeDialog, PassesTheChosenColorAsAColorReferenceAndTheDepth)
{
    TestDocument document(20, 20);
    COLORREF face = 0;
    EXPECT_EQ(RunDialog([&] { return ShowBorderizeDialog(document.owner, &document.context); },
                        {Clicking(IDC_BORDER_COLOR), ChoosingColor(255, 0, 0), ChoosingListItem(IDC_BORDER_DEPTH, 3),
                         [&](HWND dialog) {
                             HWND button = GetDlgItem(dialog, IDC_BORDER_COLOR);
                             UpdateWindow(button);
                             RECT rect{};
                             GetClientRect(button, &rect);
                             HDC dc = GetDC(button);
                             face = GetPixel(dc, rect.right / 2, rect.bottom / 2);
                             ReleaseDC(button, dc);
                         },
                         kOk}),
              1);
    EXPECT_EQ(face, RGB(255, 0, 0));
    FilterParams request{};
    request.filterType = kBorderize;
    request.word4 = 9;
    request.word11 = 255;  // red in the low byte
    Gdiplus::Bitmap* original = MakeBitmap(20, 20, Opaque);
    EXPECT_EQ(ReadPixels(document.Layer0()->bitmap), Filtered(original, request));
    delete original;
}

TEST(SettingsDialogs, AFilterWithoutResultLeavesTheLayerAndSaysSo)
{
    TestDocument document(16, 16);
    const std::vector<uint32_t> before = ReadPixels(document.Layer0()->bitmap);
    // Someone else holding the content's pixels makes the filter give no bitmap.
    Gdiplus::BitmapData data{};
    Gdiplus::Rect all(0, 0, 16, 16);
    ASSERT_EQ(document.selection.content->LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data),
              Gdiplus::Ok);
    MessageBoxRecorder boxes;
    const int32_t result = RunDialog([&] { return ShowColorizeDialog(document.owner, &document.context); },
                                     {Typing(1079, L"200"), kOk});
    document.selection.content->UnlockBits(&data);
    EXPECT_EQ(result, 0);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, L"The settings could not be applied. The picture has been left as it was.");
    EXPECT_EQ(boxes.boxes()[0].caption, L"Error");
    EXPECT_TRUE(boxes.boxes()[0].errorIcon);
    EXPECT_EQ(ReadPixels(document.Layer0()->bitmap), before);
    EXPECT_EQ(ReadPixels(document.selection.content), before);
    EXPECT_EQ(document.resource->modified, 0u);
    EXPECT_TRUE(gApplied.empty());
}

TEST(SettingsDialogs, NothingOpensWithoutADocument)
{
    AppContext empty{};
    for (Opener open : {ShowBevelDialog, ShowColorizeDialog, ShowHSLDialog, ShowContrastDialog, ShowOpacityDialog,
                        ShowBlurDialog, ShowCustomDialog, ShowBorderizeDialog})
        EXPECT_EQ(open(nullptr, &empty), 0);
    EXPECT_EQ(ShowOpacityDialog(nullptr, nullptr), 0);
    EXPECT_EQ(ShowStyleDialog(nullptr, nullptr, 2), 0);
}

// ---- the effect dialog ----

struct VectorDocument : TestDocument {
    explicit VectorDocument(uint8_t shapeKind, int extraLayers = 0) : TestDocument(32, 32)
    {
        Gdiplus::GraphicsPath* path = new Gdiplus::GraphicsPath();
        if (shapeKind == kEllipseShape)
            path->AddEllipse(4, 4, 24, 24);
        else
            path->AddRectangle(Gdiplus::Rect(4, 4, 24, 24));
        Gdiplus::Bitmap* bitmap = MakeBitmap(32, 32, [](int, int) { return 0u; });
        {
            Gdiplus::Graphics graphics(bitmap);
            Gdiplus::SolidBrush brush(Gdiplus::Color(255, 40, 90, 200));
            graphics.FillPath(&brush, path);
        }
        PYX_DeleteLayer(UnlinkLayer(Picture(), 0));
        InsertLayer(Picture(), 0, PYX_CreateVectorLayer(bitmap, path, shapeKind), true);
        for (int i = 0; i < extraLayers; i++)
            InsertLayer(Picture(), i + 1, PYX_CreateRasterLayer(32, 32), true);
    }
};

TEST(StyleDialog, EnablesReflexScaleAndTheSeparateLayerBoxByShapeEffectAndLayerCount)
{
    struct Case {
        uint8_t shapeKind;
        int effect, layers;
        const wchar_t* title;
        bool reflex, separate;
    } cases[] = {
        {kEllipseShape, 6, 1, L"Aqua Ball Effect Settings", true, true},
        {kEllipseShape, 2, 1, L"Pearl Effect Settings", false, true},
        {kRectangleShape, 6, 1, L"Aqua Ball Effect Settings", false, true},
        {kRectangleShape, 7, 20, L"Sweet Effect Settings", false, false},
        {kEllipseShape, 1, 19, L"Wave Effect Settings", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "effect " << c.effect << " layers " << c.layers);
        VectorDocument document(c.shapeKind, c.layers - 1);
        std::wstring title;
        bool reflex = false, separate = false;
        int upper = -1, reflexScale = -1;
        RunDialog([&] { return ShowStyleDialog(document.owner, &document.context, c.effect); },
                  {[&](HWND dialog) {
                       wchar_t text[64] = {};
                       GetWindowTextW(dialog, text, 64);
                       title = text;
                       reflex = IsWindowEnabled(GetDlgItem(dialog, IDC_STYLE_REFLEX));
                       separate = IsWindowEnabled(GetDlgItem(dialog, IDC_STYLE_SEPARATE));
                       upper = Position(dialog, IDC_STYLE_UPPER_INTENSITY);
                       reflexScale = Position(dialog, IDC_STYLE_REFLEX);
                   },
                   kCancel});
        EXPECT_EQ(title, c.title);
        EXPECT_EQ(reflex, c.reflex);
        EXPECT_EQ(separate, c.separate);
        EXPECT_EQ(upper, 50);
        EXPECT_EQ(reflexScale, 60);
    }
}

bool HasCoverage(Gdiplus::Bitmap* bitmap)
{
    for (uint32_t pixel : ReadPixels(bitmap))
        if (pixel >> 24)
            return true;
    return false;
}

TEST(StyleDialog, SeparateHighlightsGoOnAVisibleLayerAboveTheVectorLayer)
{
    VectorDocument document(kEllipseShape);
    const std::vector<uint32_t> shape = ReadPixels(document.Layer0()->bitmap);
    EXPECT_EQ(RunDialog([&] { return ShowStyleDialog(document.owner, &document.context, 2); },
                        {[](HWND dialog) { CheckDlgButton(dialog, IDC_STYLE_SEPARATE, BST_CHECKED); }, kOk}),
              1);
    Image* image = document.Picture();
    ASSERT_EQ(image->layerCount, 2);
    EXPECT_EQ(LayerAt(image, 0)->type, kFilledVectorLayer);
    EXPECT_EQ(LayerAt(image, 0)->shapeKind, kEllipseShape);
    EXPECT_EQ(ReadPixels(LayerAt(image, 0)->bitmap), shape) << "the shape itself is not painted";
    EXPECT_EQ(LayerAt(image, 1)->type, kRasterLayer);
    EXPECT_TRUE(HasCoverage(LayerAt(image, 1)->bitmap));
    EXPECT_TRUE(VisibilityBit(image->visibleLayers, 1));
    EXPECT_EQ(document.context.currentLayer, 0);
    EXPECT_EQ(gApplied, std::vector<WPARAM>{0});
    EXPECT_EQ(document.resource->modified, 1u);
}

TEST(StyleDialog, WithoutSeparateHighlightsTheLayerBecomesARasterLayer)
{
    struct Case {
        int layers;
        bool tick;
    } cases[] = {{1, false}, {20, true}};  // at 20 layers the ticked box is disabled
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layers);
        VectorDocument document(kEllipseShape, c.layers - 1);
        const std::vector<uint32_t> shape = ReadPixels(document.Layer0()->bitmap);
        EXPECT_EQ(RunDialog([&] { return ShowStyleDialog(document.owner, &document.context, 2); },
                            {[&](HWND dialog) {
                                 if (c.tick)
                                     CheckDlgButton(dialog, IDC_STYLE_SEPARATE, BST_CHECKED);
                             },
                             kOk}),
                  1);
        Layer* layer = document.Layer0();
        EXPECT_EQ(document.Picture()->layerCount, c.layers);
        EXPECT_EQ(layer->type, kRasterLayer);
        EXPECT_EQ(layer->shapeKind, kCustomShape);
        EXPECT_NE(layer->path, nullptr);
        EXPECT_NE(ReadPixels(layer->bitmap), shape) << "the effect is painted into the layer";
        EXPECT_EQ(gApplied, std::vector<WPARAM>{0});
    }
}

}  // namespace
