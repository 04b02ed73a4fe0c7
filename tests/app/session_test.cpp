// A whole editing session as a user does it, through the real main window: open a
// multi-size icon out of a system library, paint, add a layer and shapes, filter, apply an
// effect, undo and redo, save in every kind and open each file again.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "common/document_ops.h"
#include "common/message_box_recorder.h"
#include "common/messages.h"
#include "core/pyx.h"
#include "dialog_answers.h"
#include "harness/test_bitmaps.h"
#include "harness/test_files.h"
#include "panels/toolbox/toolrack.h"
#include "panels/toolbox/toolrack_ids.h"
// Both panels name a box IDC_TITLE; this test uses neither.
#undef IDC_TITLE
#include "panels/imagelist/imagestrip_ids.h"
#include "resources/fxdialogs/fxdialogs_resources.h"
#include "resources/vexil/vexil_resources.h"
#include "shell_session.h"
#include "shell_state.h"

namespace {

constexpr wchar_t kLibrary[] = L"Z:\\usr\\lib\\x86_64-linux-gnu\\wine\\x86_64-windows\\shell32.dll";

// Positions of the menus in the bar.
constexpr int kEditMenu = 1, kDrawingMenu = 2, kImagesMenu = 4, kFiltersMenu = 5, kEffectsMenu = 6;

// ---- Pictures of the document, taken while the session runs ------------------------------

struct LayerShot {
    uint8_t type = 0;
    uint8_t shapeKind = 0;
    int outlinePoints = 0;  // of a vector layer's path; -1 without one
    uint32_t color = 0;     // a vector layer's primary brush color
    std::vector<uint32_t> pixels;
};

struct ImageShot {
    int width = 0, height = 0, depth = 0, hotspotX = 0, hotspotY = 0;
    uint32_t displayRate = 0, visibleLayers = 0;
    std::vector<LayerShot> layers;
    std::vector<uint32_t> composite;
};

using DocumentShot = std::vector<ImageShot>;

ImageShot ShotOf(const Image* image)
{
    ImageShot shot{image->width,    image->height,        image->bitsPerPixel, image->hotspotX,
                   image->hotspotY, image->displayRate,   image->visibleLayers, {},
                   {}};
    for (const Layer* layer = image->firstLayer; layer; layer = layer->next)
        shot.layers.push_back({layer->type, layer->shapeKind, layer->path ? layer->path->GetPointCount() : -1,
                               layer->type == kRasterLayer ? 0u : layer->brush.primaryColor, ReadPixels(layer->bitmap)});
    shot.composite = ReadPixels(image->composite);
    return shot;
}

DocumentShot ShotOf(const Resource* document)
{
    DocumentShot shot;
    for (const Image* image = document->firstImage; image; image = image->next)
        shot.push_back(ShotOf(image));
    return shot;
}

std::string Hex(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof(text), "%08X", unsigned(value));
    return text;
}

testing::AssertionResult SamePixels(const std::vector<uint32_t>& expected, const std::vector<uint32_t>& actual,
                                    int width, const std::string& what)
{
    if (expected.size() != actual.size())
        return testing::AssertionFailure() << what << ": " << actual.size() << " pixels, expected " << expected.size();
    for (size_t i = 0; i < expected.size(); i++) {
        if (expected[i] != actual[i])
            return testing::AssertionFailure() << what << " differs first at (" << int(i) % width << ", "
                                               << int(i) / width << "): " << Hex(actual[i]) << ", expected "
                                               << Hex(expected[i]);
    }
    return testing::AssertionSuccess();
}

// What a file kind keeps of an Image.
struct Keeps {
    bool layers;    // every layer with its type and visibility; otherwise one layer holding the composite
    bool hotspot;
    bool rate;      // the Image's display rate
};

testing::AssertionResult SameImage(const ImageShot& expected, const ImageShot& actual, Keeps keeps,
                                   const std::string& what)
{
    if (std::tie(expected.width, expected.height, expected.depth) != std::tie(actual.width, actual.height, actual.depth))
        return testing::AssertionFailure() << what << " is " << actual.width << " x " << actual.height << " at "
                                           << actual.depth << " bits, expected " << expected.width << " x "
                                           << expected.height << " at " << expected.depth;
    if (keeps.hotspot && (expected.hotspotX != actual.hotspotX || expected.hotspotY != actual.hotspotY))
        return testing::AssertionFailure() << what << " has its hot spot at " << actual.hotspotX << ", "
                                           << actual.hotspotY << ", expected " << expected.hotspotX << ", "
                                           << expected.hotspotY;
    if (keeps.rate && expected.displayRate != actual.displayRate)
        return testing::AssertionFailure() << what << " shows for " << actual.displayRate << " jiffies, expected "
                                           << expected.displayRate;
    testing::AssertionResult same = SamePixels(expected.composite, actual.composite, expected.width, what + " composite");
    if (!same)
        return same;
    if (!keeps.layers) {
        if (actual.layers.size() != 1)
            return testing::AssertionFailure() << what << " has " << actual.layers.size() << " layers, expected 1";
        return SamePixels(expected.composite, actual.layers[0].pixels, expected.width, what + " single layer");
    }
    if (actual.layers.size() != expected.layers.size() || actual.visibleLayers != expected.visibleLayers)
        return testing::AssertionFailure() << what << " has " << actual.layers.size() << " layers shown as "
                                           << Hex(actual.visibleLayers) << ", expected " << expected.layers.size()
                                           << " shown as " << Hex(expected.visibleLayers);
    for (size_t i = 0; i < expected.layers.size(); i++) {
        const std::string layer = what + " layer " + std::to_string(i);
        if (actual.layers[i].type != expected.layers[i].type || actual.layers[i].shapeKind != expected.layers[i].shapeKind)
            return testing::AssertionFailure() << layer << " is of type " << int(actual.layers[i].type) << "/"
                                               << int(actual.layers[i].shapeKind) << ", expected "
                                               << int(expected.layers[i].type) << "/" << int(expected.layers[i].shapeKind);
        if (actual.layers[i].outlinePoints != expected.layers[i].outlinePoints ||
            actual.layers[i].color != expected.layers[i].color)
            return testing::AssertionFailure() << layer << " has an outline of " << actual.layers[i].outlinePoints
                                               << " points in " << Hex(actual.layers[i].color) << ", expected "
                                               << expected.layers[i].outlinePoints << " in "
                                               << Hex(expected.layers[i].color);
        same = SamePixels(expected.layers[i].pixels, actual.layers[i].pixels, expected.width, layer);
        if (!same)
            return same;
    }
    return testing::AssertionSuccess();
}

testing::AssertionResult SameDocument(const DocumentShot& expected, const DocumentShot& actual, Keeps keeps)
{
    if (expected.size() != actual.size())
        return testing::AssertionFailure() << actual.size() << " Images, expected " << expected.size();
    for (size_t i = 0; i < expected.size(); i++) {
        testing::AssertionResult same = SameImage(expected[i], actual[i], keeps, "Image " + std::to_string(i));
        if (!same)
            return same;
    }
    return testing::AssertionSuccess();
}

// ---- The icon to start from --------------------------------------------------------------

// The library lists its icon images group after group; the first group ends where a size
// and depth come round again. Written as an icon file; empty when the library gives none.
std::wstring ExtractFirstGroup(const std::wstring& library, const std::wstring& path)
{
    Resource* all = PYX_GetLibraryIcons(nullptr, library.c_str());
    if (!all)
        return L"";
    Resource* group = PYX_CreateNewResource();
    PYX_DeleteImage(UnlinkImage(group, 0));
    std::set<std::tuple<int, int, int>> formats;
    for (const Image* image = all->firstImage; image; image = image->next) {
        if (!formats.insert({image->width, image->height, image->bitsPerPixel}).second)
            break;
        InsertImage(group, group->imageCount, PYX_DuplicateImage(image));
    }
    const bool written = group->imageCount > 0 && PYX_SaveIconToFile(nullptr, path.c_str(), group) == 1;
    PYX_DoCleanupInternalResource(group);
    PYX_DoCleanupInternalResource(all);
    return written ? path : L"";
}

// ---- Driving the window ------------------------------------------------------------------

// As when the user opens the menu and clicks the item; false when the item is disabled.
bool ChooseFromMenu(HWND window, int menuPosition, UINT id)
{
    HMENU menu = GetSubMenu(GetMenu(window), menuPosition);
    SendMessageW(window, WM_INITMENUPOPUP, WPARAM(menu), menuPosition);
    if (GetMenuState(menu, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED))
        return false;
    SendMessageW(window, WM_COMMAND, id, 0);
    PumpMessages();
    return true;
}

bool MenuItemEnabled(HWND window, int menuPosition, UINT id)
{
    HMENU menu = GetSubMenu(GetMenu(window), menuPosition);
    SendMessageW(window, WM_INITMENUPOPUP, WPARAM(menu), menuPosition);
    return !(GetMenuState(menu, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
}

bool MenuItemChecked(HWND window, UINT id)
{
    return (GetMenuState(GetMenu(window), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

struct FoundControl {
    int id;
    HWND window;
};

BOOL CALLBACK FindControl(HWND child, LPARAM param)
{
    auto* found = reinterpret_cast<FoundControl*>(param);
    if (GetDlgCtrlID(child) != found->id || !IsWindowVisible(child))
        return TRUE;
    found->window = child;
    return FALSE;
}

// Clicks the visible check box of the tool options bar until it shows `checked`.
void SetOptionBox(int id, const int32_t& option, bool checked)
{
    FoundControl found{id, nullptr};
    EnumChildWindows(Context().toolOptionsWindow, FindControl, LPARAM(&found));
    ASSERT_NE(found.window, nullptr) << "the option box " << id << " is shown";
    if ((option != 0) != checked)
        SendMessageW(found.window, BM_CLICK, 0, 0);
    PumpMessages();
    ASSERT_EQ(option != 0, checked) << "the option box " << id << " sets its option";
}

HWND Canvas()
{
    return FindWindowExW(Context().editAreaWindow, nullptr, L"VxGridArea", nullptr);
}

// The canvas shows the whole image at the largest zoom that fits, centered.
struct CanvasMap {
    int zoom, left, top;
    LPARAM At(int x, int y) const { return MAKELPARAM(left + zoom * x + zoom / 2, top + zoom * y + zoom / 2); }
};

CanvasMap MapOf(HWND canvas, const Image& image)
{
    RECT client{};
    GetClientRect(canvas, &client);
    int zoom = std::min(client.right / image.width, client.bottom / image.height);
    zoom = std::max(1, std::min(zoom, 30));
    return {zoom, (client.right - zoom * image.width) / 2, (client.bottom - zoom * image.height) / 2};
}

// A press, moves with the button held through the points, and the release at the last.
void Drag(const std::vector<POINT>& points)
{
    HWND canvas = Canvas();
    const CanvasMap map = MapOf(canvas, *CurrentImage(Context()));
    SendMessageW(canvas, WM_MOUSEMOVE, 0, map.At(points[0].x, points[0].y));
    SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, map.At(points[0].x, points[0].y));
    for (const POINT& p : points)
        SendMessageW(canvas, WM_MOUSEMOVE, MK_LBUTTON, map.At(p.x, p.y));
    SendMessageW(canvas, WM_LBUTTONUP, 0, map.At(points.back().x, points.back().y));
    PumpMessages();
}

// Clicks the cards of the image strip from the left until `index` is the current Image.
// Cards are at least 85 pixels wide, so steps of 85 visit every card.
bool ClickImageCard(int index)
{
    HWND strip = GetWindow(Context().imageListWindow, GW_CHILD);
    RECT client{};
    GetClientRect(strip, &client);
    for (int x = 5 + 40; x < client.right && Context().currentImage != index; x += 85) {
        SendMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 50));
        SendMessageW(strip, WM_LBUTTONUP, 0, MAKELPARAM(x, 50));
        PumpMessages();
    }
    return Context().currentImage == index;
}

// Answers the dialogs of one command: types into its boxes, then presses its OK button.
struct DialogAnswer {
    std::vector<std::pair<int, std::wstring>> typed;  // box id and text
    int okId = IDC_OK;
    std::vector<std::wstring> titles;  // of the dialogs answered
    HWND dialog = nullptr;
};

DialogAnswer* tAnswer = nullptr;

void CALLBACK TypeAndPressOk(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    HWND dialog = tAnswer ? tAnswer->dialog : nullptr;
    if (!IsWindow(dialog))
        return;
    for (const auto& [id, text] : tAnswer->typed)
        SetDlgItemTextW(dialog, id, text.c_str());
    HWND ok = GetDlgItem(dialog, tAnswer->okId);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(tAnswer->okId, BN_CLICKED), LPARAM(ok));
}

LRESULT CALLBACK AnswerDialog(int code, WPARAM wParam, LPARAM lParam)
{
    wchar_t className[16] = {};
    HWND dialog = HWND(wParam);
    if (code == HCBT_ACTIVATE && tAnswer && GetClassNameW(dialog, className, 16) &&
        lstrcmpW(className, L"#32770") == 0 && !GetPropW(dialog, L"VexilOk")) {
        SetPropW(dialog, L"VexilOk", HANDLE(1));
        wchar_t title[128] = {};
        GetWindowTextW(dialog, title, 128);
        tAnswer->titles.push_back(title);
        tAnswer->dialog = dialog;
        // Answered from the dialog's own loop, once its controls are filled.
        SetTimer(nullptr, 0, 0, TypeAndPressOk);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Runs the command as ChooseFromMenu does, every dialog it opens answered by `answer`.
bool ChooseAnswering(HWND window, int menuPosition, UINT id, DialogAnswer* answer)
{
    tAnswer = answer;
    HHOOK hook = SetWindowsHookExW(WH_CBT, AnswerDialog, nullptr, GetCurrentThreadId());
    const bool enabled = ChooseFromMenu(window, menuPosition, id);
    UnhookWindowsHookEx(hook);
    tAnswer = nullptr;
    return enabled;
}

BOOL CALLBACK CountOpenDialogs(HWND window, LPARAM param)
{
    wchar_t className[16] = {};
    if (IsWindowVisible(window) && GetClassNameW(window, className, 16) && lstrcmpW(className, L"#32770") == 0)
        ++*reinterpret_cast<int*>(param);
    return TRUE;
}

int UndoSteps()
{
    return CurrentShell().undoChain->count;
}

uint32_t At(const std::vector<uint32_t>& pixels, int width, int x, int y)
{
    return pixels[size_t(y) * size_t(width) + size_t(x)];
}

uint32_t Negative(uint32_t color)
{
    return (color & 0xFF000000u) | (~color & 0x00FFFFFFu);
}

struct ShellStopper {
    ~ShellStopper() { StopShell(); }
};

std::wstring Title(const std::wstring& path)
{
    return L"Vexil 1.0 - " + path;
}

}  // namespace

TEST(EditingSession, OpenPaintLayerShapeFilterEffectUndoRedoSaveAndReopen)
{
    if (GetFileAttributesW(kLibrary) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "Wine's 64-bit shell32.dll is not installed at " << testing::PrintToString(std::wstring(kLibrary));
    DocumentShot extracted;
    std::wstring icon;
    {
        SCOPED_TRACE("step: take the first icon group out of shell32.dll");
        icon = ExtractFirstGroup(kLibrary, TestPath(L"shell32 group.ico"));
        ASSERT_FALSE(icon.empty()) << "the library reader gives icons and the group is written";
        Resource* written = PYX_LoadIconFromFile(nullptr, icon.c_str());
        ASSERT_NE(written, nullptr);
        extracted = ShotOf(written);
        PYX_DoCleanupInternalResource(written);
        std::set<int> sizes;
        for (const ImageShot& image : extracted)
            sizes.insert(image.width);
        ASSERT_GE(sizes.size(), 3u) << "a multi-size icon";
    }

    HWND window = nullptr;
    {
        SCOPED_TRACE("step: start the program");
        window = StartShell();
        ASSERT_NE(window, nullptr);
    }
    // A step that stops the session still takes the program down for the tests after it.
    const ShellStopper stopper;
    SetClientSize(window, 1000, 760);
    PumpMessages();
    AppContext& context = Context();

    {
        SCOPED_TRACE("step: open the icon through File > Open Icon File");
        MessageBoxRecorder boxes;
        {
            FileDialogAnswer open(icon);
            SendMessageW(window, WM_COMMAND, CMD_OPEN_ICON, 0);
            ASSERT_EQ(open.seen().size(), 1u) << "the open dialog showed";
        }
        PumpMessages();
        EXPECT_TRUE(boxes.boxes().empty());
        EXPECT_EQ(WindowText(window), Title(icon));
        ASSERT_TRUE(SameDocument(extracted, ShotOf(context.document), {true, false, false}));
        EXPECT_FALSE(MenuItemEnabled(window, kEditMenu, CMD_UNDO)) << "nothing to undo after an open";
    }

    // The 32 x 32 Image at 32 bits is the one edited.
    int edited = -1;
    for (size_t i = 0; i < extracted.size() && edited < 0; i++) {
        if (extracted[i].width == 32 && extracted[i].height == 32 && extracted[i].depth == 32)
            edited = int(i);
    }
    ASSERT_GE(edited, 0) << "the group has a 32 x 32 Image at 32 bits";
    {
        SCOPED_TRACE("step: click the 32 x 32 card of the image strip");
        ASSERT_TRUE(ClickImageCard(edited)) << "current Image " << context.currentImage << ", wanted " << edited;
        ASSERT_EQ(context.currentLayer, 0);
    }
    Image* image = CurrentImage(context);
    const int width = image->width;
    const BrushSettings& brush = *context.brushSettings;
    ToolOptions& options = *context.toolOptions;

    ImageShot afterStroke;
    {
        SCOPED_TRACE("step: paint a stroke with the pen");
        ASSERT_TRUE(ChooseFromMenu(window, kDrawingMenu, CMD_TOOL_PEN));
        ASSERT_EQ(context.currentTool, kPenTool);
        if (MenuItemChecked(window, CMD_USE_GRADIENT)) {
            ASSERT_TRUE(ChooseFromMenu(window, kDrawingMenu, CMD_USE_GRADIENT));
        }
        ASSERT_EQ(brush.useGradient, 0u) << "a plain color, so the stroke's pixels are known";
        SetOptionBox(IDC_PEN_ANTIALIASED, options.penAntialiased, false);
        ASSERT_EQ(brush.primaryColor >> 24, 0xFFu) << "an opaque pen color";
        const ImageShot before = ShotOf(image);
        const int steps = UndoSteps();
        Drag({{4, 10}, {10, 10}, {16, 10}, {27, 10}});
        const ImageShot after = ShotOf(image);
        const int reach = options.penSize + 1;
        for (int y = 0; y < image->height; y++)
            for (int x = 0; x < width; x++) {
                if (y == 10 && x >= 4 && x <= 27) {
                    ASSERT_EQ(At(after.layers[0].pixels, width, x, y), brush.primaryColor) << "stroke at " << x;
                    ASSERT_EQ(At(after.composite, width, x, y), brush.primaryColor) << "composite at " << x;
                } else if (y < 10 - reach || y > 10 + reach || x < 4 - reach || x > 27 + reach) {
                    ASSERT_EQ(At(after.layers[0].pixels, width, x, y), At(before.layers[0].pixels, width, x, y))
                        << "away from the stroke at " << x << ", " << y;
                }
            }
        EXPECT_EQ(UndoSteps(), steps + 1);
        EXPECT_EQ(context.document->modified, 1u);
        afterStroke = after;
    }

    {
        SCOPED_TRACE("step: add a raster layer with Ctrl+L");
        ASSERT_TRUE(PressAccelerator(window, 'L', true, false));
        PumpMessages();
        ASSERT_EQ(image->layerCount, 2);
        ASSERT_EQ(context.currentLayer, 1) << "the new layer is current";
        const ImageShot now = ShotOf(image);
        EXPECT_EQ(now.layers[1].type, kRasterLayer);
        for (uint32_t pixel : now.layers[1].pixels)
            ASSERT_EQ(pixel >> 24, 0u) << "the new layer is transparent";
        EXPECT_TRUE(SamePixels(afterStroke.composite, now.composite, width, "composite"));
    }

    ImageShot afterRectangle;
    {
        SCOPED_TRACE("step: drag a filled rectangle into the new layer");
        ASSERT_TRUE(ChooseFromMenu(window, kDrawingMenu, CMD_TOOL_FILLED_RECTANGLE));
        ASSERT_EQ(context.currentTool, kFilledRectangleTool);
        SetOptionBox(IDC_FILLED_RECT_VECTOR, options.filledRectangleVectorLayer, false);
        Drag({{8, 14}, {14, 19}, {20, 24}});
        afterRectangle = ShotOf(image);
        ASSERT_EQ(afterRectangle.layers.size(), 2u) << "drawn into the layer, no layer added";
        for (int y = 0; y < image->height; y++)
            for (int x = 0; x < width; x++) {
                const uint32_t pixel = At(afterRectangle.layers[1].pixels, width, x, y);
                if (x >= 9 && x <= 19 && y >= 15 && y <= 23) {
                    ASSERT_EQ(pixel, brush.primaryColor) << "inside at " << x << ", " << y;
                } else if (x < 7 || x > 21 || y < 13 || y > 25) {
                    ASSERT_EQ(pixel >> 24, 0u) << "outside at " << x << ", " << y;
                }
            }
        EXPECT_TRUE(SamePixels(afterStroke.layers[0].pixels, afterRectangle.layers[0].pixels, width, "the layer below"));
    }

    ImageShot afterFilter;
    {
        SCOPED_TRACE("step: select all and apply Filters > Negative");
        ASSERT_TRUE(PressAccelerator(window, 'A', true, false));
        PumpMessages();
        const int steps = UndoSteps();
        ASSERT_TRUE(ChooseFromMenu(window, kFiltersMenu, CMD_FILTER_NEGATIVE)) << "Negative is enabled";
        afterFilter = ShotOf(image);
        EXPECT_EQ(UndoSteps(), steps + 1);
        for (int y = 0; y < image->height; y++)
            for (int x = 0; x < width; x++) {
                const uint32_t was = At(afterRectangle.layers[1].pixels, width, x, y);
                const uint32_t now = At(afterFilter.layers[1].pixels, width, x, y);
                ASSERT_EQ(now >> 24, was >> 24) << "alpha kept at " << x << ", " << y;
                if (was >> 24 == 0xFF) {
                    ASSERT_EQ(now, Negative(was)) << "colors inverted at " << x << ", " << y;
                }
            }
        EXPECT_EQ(At(afterFilter.composite, width, 14, 19), Negative(brush.primaryColor)) << "the composite shows it";
        EXPECT_TRUE(SamePixels(afterStroke.layers[0].pixels, afterFilter.layers[0].pixels, width, "the layer below"));
    }

    ImageShot afterEllipse;
    {
        SCOPED_TRACE("step: drag a filled ellipse as a vector layer");
        ASSERT_TRUE(PressAccelerator(window, 'D', true, false));
        PumpMessages();
        ASSERT_TRUE(ChooseFromMenu(window, kDrawingMenu, CMD_TOOL_FILLED_ELLIPSE));
        SetOptionBox(IDC_FILLED_ELLIPSE_VECTOR, options.filledEllipseVectorLayer, true);
        const int steps = UndoSteps();
        Drag({{6, 6}, {16, 16}, {26, 26}});
        afterEllipse = ShotOf(image);
        ASSERT_EQ(afterEllipse.layers.size(), 3u) << "the shape is a layer of its own";
        EXPECT_EQ(context.currentLayer, 2);
        EXPECT_EQ(afterEllipse.layers[2].type, kFilledVectorLayer);
        EXPECT_EQ(afterEllipse.layers[2].shapeKind, kEllipseShape);
        EXPECT_GT(afterEllipse.layers[2].outlinePoints, 0) << "the layer keeps its outline";
        EXPECT_EQ(afterEllipse.layers[2].color, brush.primaryColor) << "and the brush it was drawn with";
        EXPECT_EQ(At(afterEllipse.layers[2].pixels, width, 16, 16), brush.primaryColor) << "the middle is filled";
        EXPECT_EQ(At(afterEllipse.layers[2].pixels, width, 6, 6) >> 24, 0u) << "the box's corner is not";
        EXPECT_EQ(At(afterEllipse.layers[2].pixels, width, 2, 16) >> 24, 0u) << "left of the ellipse";
        EXPECT_EQ(UndoSteps(), steps + 1);
        for (int i = 0; i < 2; i++)
            EXPECT_TRUE(SamePixels(afterFilter.layers[i].pixels, afterEllipse.layers[i].pixels, width,
                                   "layer " + std::to_string(i)));
    }

    ImageShot afterEffect;
    {
        SCOPED_TRACE("step: apply Effects > Pearl, its dialog answered with OK");
        const int steps = UndoSteps();
        DialogAnswer ok;
        ASSERT_TRUE(ChooseAnswering(window, kEffectsMenu, CMD_EFFECT_PEARL, &ok)) << "Pearl is offered for an ellipse";
        EXPECT_EQ(ok.titles, std::vector<std::wstring>{L"Pearl Effect Settings"});
        afterEffect = ShotOf(image);
        EXPECT_EQ(UndoSteps(), steps + 1);
        ASSERT_GE(afterEffect.layers.size(), 3u);
        EXPECT_FALSE(SamePixels(afterEllipse.layers[2].pixels, afterEffect.layers[2].pixels, width, "the shape"))
            << "the effect painted the shape";
        for (int i = 0; i < 2; i++)
            EXPECT_TRUE(SamePixels(afterFilter.layers[i].pixels, afterEffect.layers[i].pixels, width,
                                   "layer " + std::to_string(i)));
    }

    {
        SCOPED_TRACE("step: undo twice with Ctrl+Z, redo once with Ctrl+Y");
        const struct {
            WORD key;
            const char* what;
            const ImageShot* expected;
        } moves[] = {{'Z', "first undo: before the effect", &afterEllipse},
                     {'Z', "second undo: before the ellipse", &afterFilter},
                     {'Y', "redo: the ellipse again", &afterEllipse}};
        for (const auto& move : moves) {
            ASSERT_TRUE(PressAccelerator(window, move.key, true, false)) << move.what;
            PumpMessages();
            EXPECT_EQ(context.currentImage, edited) << move.what;
            EXPECT_TRUE(SameImage(*move.expected, ShotOf(CurrentImage(context)), {true, true, true}, move.what));
        }
        DocumentShot others = ShotOf(context.document);
        for (size_t i = 0; i < extracted.size(); i++) {
            if (int(i) != edited) {
                EXPECT_TRUE(SameImage(extracted[i], others[i], {true, true, true}, "untouched Image " + std::to_string(i)));
            }
        }
    }

    {
        SCOPED_TRACE("step: set the hot spot to 7, 9 and the rate to 12 in Images > Image Properties");
        const ImageShot before = ShotOf(CurrentImage(context));
        DialogAnswer properties{{{IDC_HOTSPOT_X, L"7"}, {IDC_HOTSPOT_Y, L"9"}, {IDC_DISPLAY_RATE, L"12"}}, IDOK, {}, nullptr};
        ASSERT_TRUE(ChooseAnswering(window, kImagesMenu, CMD_IMAGE_PROPERTIES, &properties));
        EXPECT_EQ(properties.titles.size(), 1u) << "the properties dialog showed";
        ImageShot expected = before;
        expected.hotspotX = 7;
        expected.hotspotY = 9;
        expected.displayRate = 12;
        EXPECT_TRUE(SameImage(expected, ShotOf(CurrentImage(context)), {true, true, true}, "the edited Image"))
            << "only the hot spot and the rate changed";
    }

    const DocumentShot document = ShotOf(context.document);
    const struct {
        const char* step;
        UINT save, open;
        const wchar_t* file;
        Keeps keeps;
        FileKind reopenedKind;  // a project keeps the kind of the document it was saved from
    } kinds[] = {
        {"icon", CMD_SAVE_ICON, CMD_OPEN_ICON, L"session.ico", {false, false, false}, kIconFileKind},
        {"cursor", CMD_SAVE_CURSOR, CMD_OPEN_CURSOR, L"session.cur", {false, true, false}, kCursorFileKind},
        {"animated cursor", CMD_SAVE_ANIMATED_CURSOR, CMD_OPEN_ANIMATED_CURSOR, L"session.ani", {false, true, true},
         kAniFileKind},
        {"project", CMD_SAVE_PROJECT, CMD_OPEN_PROJECT, L"session.fic", {true, true, true}, kIconFileKind},
    };
    for (const auto& kind : kinds) {
        SCOPED_TRACE(std::string("step: save as ") + kind.step + " through the File menu");
        context.document->modified = 1;
        MessageBoxRecorder boxes;
        {
            FileDialogAnswer save(TestPath(L"session"));
            SendMessageW(window, WM_COMMAND, kind.save, 0);
            ASSERT_EQ(save.seen().size(), 1u) << "the save dialog showed";
        }
        PumpMessages();
        EXPECT_TRUE(boxes.boxes().empty()) << (boxes.boxes().empty() ? "" : std::string(boxes.boxes()[0].text.begin(), boxes.boxes()[0].text.end()));
        ASSERT_TRUE(FileExists(TestPath(kind.file)));
        EXPECT_EQ(context.document->modified, 0u);
        EXPECT_EQ(WindowText(window), Title(TestPath(kind.file)));
    }
    for (const auto& kind : kinds) {
        SCOPED_TRACE(std::string("step: reopen the ") + kind.step + " through the File menu");
        MessageBoxRecorder boxes;
        {
            FileDialogAnswer open(TestPath(kind.file));
            SendMessageW(window, WM_COMMAND, kind.open, 0);
            ASSERT_EQ(open.seen().size(), 1u) << "the open dialog showed";
        }
        PumpMessages();
        EXPECT_TRUE(boxes.boxes().empty());
        EXPECT_EQ(WindowText(window), Title(TestPath(kind.file)));
        EXPECT_FALSE(MenuItemEnabled(window, kEditMenu, CMD_UNDO)) << "nothing to undo after an open";
        EXPECT_EQ(context.document->fileKind, kind.reopenedKind);
        EXPECT_TRUE(SameDocument(document, ShotOf(context.document), kind.keeps));
    }

    {
        SCOPED_TRACE("step: end of the session");
        int open = 0;
        EnumThreadWindows(GetCurrentThreadId(), CountOpenDialogs, LPARAM(&open));
        EXPECT_EQ(open, 0) << "no dialog or message box is left open";
        EXPECT_TRUE(IsWindow(window));
    }
}
