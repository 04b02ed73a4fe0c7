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

// The command through its Ctrl accelerator when it has one, else from the File menu.
void ChooseFileCommand(HWND window, UINT id, WORD key)
{
    if (key)
        ASSERT_TRUE(PressAccelerator(window, key, true, false)) << "Ctrl+" << char(key);
    else
        SendMessageW(window, WM_COMMAND, id, 0);
}

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

// ---- The steps of the session ------------------------------------------------------------

struct Session {
    HWND window = nullptr;
    DocumentShot extracted;  // the icon as it was written
    int edited = -1;         // the Image that is painted on
    ImageShot afterStroke, afterRectangle, afterFilter, afterEllipse, afterEffect;
    DocumentShot saved;      // the document as it was saved
};

struct FileKindCase {
    const char* step;
    UINT save, open;
    const wchar_t* file;
    Keeps keeps;
    FileKind reopenedKind;  // a project keeps the kind of the document it was saved from
    WORD saveKey, openKey;  // with Ctrl, in place of the menu; 0 for none
};

const FileKindCase kFileKinds[] = {
    {"icon", CMD_SAVE_ICON, CMD_OPEN_ICON, L"session.ico", {false, false, false}, kIconFileKind, 0, 0},
    {"cursor", CMD_SAVE_CURSOR, CMD_OPEN_CURSOR, L"session.cur", {false, true, false}, kCursorFileKind, 0, 0},
    {"animated cursor", CMD_SAVE_ANIMATED_CURSOR, CMD_OPEN_ANIMATED_CURSOR, L"session.ani", {false, true, true},
     kAniFileKind, 0, 0},
    {"project", CMD_SAVE_PROJECT, CMD_OPEN_PROJECT, L"session.fic", {true, true, true}, kIconFileKind, 'S', 'O'},
};

Image* Edited()
{
    return CurrentImage(Context());
}

const BrushSettings& Brush()
{
    return *Context().brushSettings;
}

ToolOptions& Options()
{
    return *Context().toolOptions;
}

void ExtractIcon(Session& session, std::wstring* icon)
{
    SCOPED_TRACE("step: take the first icon group out of shell32.dll");
    *icon = ExtractFirstGroup(kLibrary, TestPath(L"shell32 group.ico"));
    ASSERT_FALSE(icon->empty()) << "the library reader gives icons and the group is written";
    Resource* written = PYX_LoadIconFromFile(nullptr, icon->c_str());
    ASSERT_NE(written, nullptr);
    session.extracted = ShotOf(written);
    PYX_DoCleanupInternalResource(written);
    std::set<int> sizes;
    for (const ImageShot& image : session.extracted)
        sizes.insert(image.width);
    ASSERT_GE(sizes.size(), 3u) << "a multi-size icon";
}

void OpenIcon(Session& session, const std::wstring& icon)
{
    SCOPED_TRACE("step: open the icon through File > Open Icon File");
    MessageBoxRecorder boxes;
    {
        FileDialogAnswer open(icon);
        SendMessageW(session.window, WM_COMMAND, CMD_OPEN_ICON, 0);
        ASSERT_EQ(open.seen().size(), 1u) << "the open dialog showed";
    }
    PumpMessages();
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_EQ(WindowText(session.window), Title(icon));
    ASSERT_TRUE(SameDocument(session.extracted, ShotOf(Context().document), {true, false, false}));
    EXPECT_FALSE(MenuItemEnabled(session.window, kEditMenu, CMD_UNDO)) << "nothing to undo after an open";
}

// The 32 x 32 Image at 32 bits is the one painted on.
void ChooseEditedImage(Session& session)
{
    SCOPED_TRACE("step: click the 32 x 32 card of the image strip");
    for (size_t i = 0; i < session.extracted.size() && session.edited < 0; i++) {
        const ImageShot& image = session.extracted[i];
        if (image.width == 32 && image.height == 32 && image.depth == 32)
            session.edited = int(i);
    }
    ASSERT_GE(session.edited, 0) << "the group has a 32 x 32 Image at 32 bits";
    ASSERT_TRUE(ClickImageCard(session.edited))
        << "current Image " << Context().currentImage << ", wanted " << session.edited;
    ASSERT_EQ(Context().currentLayer, 0);
}

void PaintStroke(Session& session)
{
    SCOPED_TRACE("step: paint a stroke with the pen");
    HWND window = session.window;
    ASSERT_TRUE(ChooseFromMenu(window, kDrawingMenu, CMD_TOOL_PEN));
    ASSERT_EQ(Context().currentTool, kPenTool);
    if (MenuItemChecked(window, CMD_USE_GRADIENT)) {
        ASSERT_TRUE(ChooseFromMenu(window, kDrawingMenu, CMD_USE_GRADIENT));
    }
    ASSERT_EQ(Brush().useGradient, 0u) << "a plain color, so the stroke's pixels are known";
    SetOptionBox(IDC_PEN_ANTIALIASED, Options().penAntialiased, false);
    const uint32_t color = Brush().primaryColor;
    ASSERT_EQ(color >> 24, 0xFFu) << "an opaque pen color";
    const ImageShot before = ShotOf(Edited());
    const int steps = UndoSteps();
    Drag({{4, 10}, {10, 10}, {16, 10}, {27, 10}});
    const ImageShot after = ShotOf(Edited());
    const int width = after.width, reach = Options().penSize + 1;
    for (int y = 0; y < after.height; y++)
        for (int x = 0; x < width; x++) {
            if (y == 10 && x >= 4 && x <= 27) {
                ASSERT_EQ(At(after.layers[0].pixels, width, x, y), color) << "stroke at " << x;
                ASSERT_EQ(At(after.composite, width, x, y), color) << "composite at " << x;
            } else if (y < 10 - reach || y > 10 + reach || x < 4 - reach || x > 27 + reach) {
                ASSERT_EQ(At(after.layers[0].pixels, width, x, y), At(before.layers[0].pixels, width, x, y))
                    << "away from the stroke at " << x << ", " << y;
            }
        }
    EXPECT_EQ(UndoSteps(), steps + 1);
    EXPECT_EQ(Context().document->modified, 1u);
    session.afterStroke = after;
}

void AddLayer(Session& session)
{
    SCOPED_TRACE("step: add a raster layer with Ctrl+L");
    ASSERT_TRUE(PressAccelerator(session.window, 'L', true, false));
    PumpMessages();
    ASSERT_EQ(Edited()->layerCount, 2);
    ASSERT_EQ(Context().currentLayer, 1) << "the new layer is current";
    const ImageShot now = ShotOf(Edited());
    EXPECT_EQ(now.layers[1].type, kRasterLayer);
    for (uint32_t pixel : now.layers[1].pixels)
        ASSERT_EQ(pixel >> 24, 0u) << "the new layer is transparent";
    EXPECT_TRUE(SamePixels(session.afterStroke.composite, now.composite, now.width, "composite"));
}

void DrawRectangle(Session& session)
{
    SCOPED_TRACE("step: drag a filled rectangle into the new layer");
    ASSERT_TRUE(ChooseFromMenu(session.window, kDrawingMenu, CMD_TOOL_FILLED_RECTANGLE));
    ASSERT_EQ(Context().currentTool, kFilledRectangleTool);
    SetOptionBox(IDC_FILLED_RECT_VECTOR, Options().filledRectangleVectorLayer, false);
    Drag({{8, 14}, {14, 19}, {20, 24}});
    const ImageShot now = ShotOf(Edited());
    ASSERT_EQ(now.layers.size(), 2u) << "drawn into the layer, no layer added";
    for (int y = 0; y < now.height; y++)
        for (int x = 0; x < now.width; x++) {
            const uint32_t pixel = At(now.layers[1].pixels, now.width, x, y);
            if (x >= 9 && x <= 19 && y >= 15 && y <= 23) {
                ASSERT_EQ(pixel, Brush().primaryColor) << "inside at " << x << ", " << y;
            } else if (x < 7 || x > 21 || y < 13 || y > 25) {
                ASSERT_EQ(pixel >> 24, 0u) << "outside at " << x << ", " << y;
            }
        }
    EXPECT_TRUE(SamePixels(session.afterStroke.layers[0].pixels, now.layers[0].pixels, now.width, "the layer below"));
    session.afterRectangle = now;
}

void ApplyNegative(Session& session)
{
    SCOPED_TRACE("step: select all and apply Filters > Negative");
    ASSERT_TRUE(PressAccelerator(session.window, 'A', true, false));
    PumpMessages();
    const int steps = UndoSteps();
    ASSERT_TRUE(ChooseFromMenu(session.window, kFiltersMenu, CMD_FILTER_NEGATIVE)) << "Negative is enabled";
    const ImageShot now = ShotOf(Edited());
    const int width = now.width;
    EXPECT_EQ(UndoSteps(), steps + 1);
    for (int y = 0; y < now.height; y++)
        for (int x = 0; x < width; x++) {
            const uint32_t was = At(session.afterRectangle.layers[1].pixels, width, x, y);
            const uint32_t is = At(now.layers[1].pixels, width, x, y);
            ASSERT_EQ(is >> 24, was >> 24) << "alpha kept at " << x << ", " << y;
            if (was >> 24 == 0xFF) {
                ASSERT_EQ(is, Negative(was)) << "colors inverted at " << x << ", " << y;
            }
        }
    EXPECT_EQ(At(now.composite, width, 14, 19), Negative(Brush().primaryColor)) << "the composite shows it";
    EXPECT_TRUE(SamePixels(session.afterStroke.layers[0].pixels, now.layers[0].pixels, width, "the layer below"));
    session.afterFilter = now;
}

void DrawEllipseLayer(Session& session)
{
    SCOPED_TRACE("step: drag a filled ellipse as a vector layer");
    ASSERT_TRUE(PressAccelerator(session.window, 'D', true, false));
    PumpMessages();
    ASSERT_TRUE(ChooseFromMenu(session.window, kDrawingMenu, CMD_TOOL_FILLED_ELLIPSE));
    SetOptionBox(IDC_FILLED_ELLIPSE_VECTOR, Options().filledEllipseVectorLayer, true);
    const int steps = UndoSteps();
    Drag({{6, 6}, {16, 16}, {26, 26}});
    const ImageShot now = ShotOf(Edited());
    const int width = now.width;
    ASSERT_EQ(now.layers.size(), 3u) << "the shape is a layer of its own";
    EXPECT_EQ(Context().currentLayer, 2);
    EXPECT_EQ(now.layers[2].type, kFilledVectorLayer);
    EXPECT_EQ(now.layers[2].shapeKind, kEllipseShape);
    EXPECT_GT(now.layers[2].outlinePoints, 0) << "the layer keeps its outline";
    EXPECT_EQ(now.layers[2].color, Brush().primaryColor) << "and the brush it was drawn with";
    EXPECT_EQ(At(now.layers[2].pixels, width, 16, 16), Brush().primaryColor) << "the middle is filled";
    EXPECT_EQ(At(now.layers[2].pixels, width, 6, 6) >> 24, 0u) << "the box's corner is not";
    EXPECT_EQ(At(now.layers[2].pixels, width, 2, 16) >> 24, 0u) << "left of the ellipse";
    EXPECT_EQ(UndoSteps(), steps + 1);
    for (int i = 0; i < 2; i++)
        EXPECT_TRUE(SamePixels(session.afterFilter.layers[i].pixels, now.layers[i].pixels, width,
                               "layer " + std::to_string(i)));
    session.afterEllipse = now;
}

void ApplyPearl(Session& session)
{
    SCOPED_TRACE("step: apply Effects > Pearl, its dialog answered with OK");
    const int steps = UndoSteps();
    DialogAnswer ok;
    ASSERT_TRUE(ChooseAnswering(session.window, kEffectsMenu, CMD_EFFECT_PEARL, &ok)) << "offered for an ellipse";
    EXPECT_EQ(ok.titles, std::vector<std::wstring>{L"Pearl Effect Settings"});
    const ImageShot now = ShotOf(Edited());
    EXPECT_EQ(UndoSteps(), steps + 1);
    ASSERT_GE(now.layers.size(), 3u);
    EXPECT_FALSE(SamePixels(session.afterEllipse.layers[2].pixels, now.layers[2].pixels, now.width, "the shape"))
        << "the effect painted the shape";
    for (int i = 0; i < 2; i++)
        EXPECT_TRUE(SamePixels(session.afterFilter.layers[i].pixels, now.layers[i].pixels, now.width,
                               "layer " + std::to_string(i)));
    session.afterEffect = now;
}

void UndoTwiceRedoOnce(Session& session)
{
    SCOPED_TRACE("step: undo twice with Ctrl+Z, redo once with Ctrl+Y");
    const struct {
        WORD key;
        const char* what;
        const ImageShot* expected;
    } moves[] = {{'Z', "first undo: before the effect", &session.afterEllipse},
                 {'Z', "second undo: before the ellipse", &session.afterFilter},
                 {'Y', "redo: the ellipse again", &session.afterEllipse}};
    for (const auto& move : moves) {
        ASSERT_TRUE(PressAccelerator(session.window, move.key, true, false)) << move.what;
        PumpMessages();
        EXPECT_EQ(Context().currentImage, session.edited) << move.what;
        EXPECT_TRUE(SameImage(*move.expected, ShotOf(Edited()), {true, true, true}, move.what));
    }
    const DocumentShot now = ShotOf(Context().document);
    for (size_t i = 0; i < session.extracted.size(); i++) {
        if (int(i) != session.edited) {
            const std::string what = "untouched Image " + std::to_string(i);
            EXPECT_TRUE(SameImage(session.extracted[i], now[i], {true, true, true}, what));
        }
    }
}

void SetHotSpotAndRate(Session& session)
{
    SCOPED_TRACE("step: set the hot spot to 7, 9 and the rate to 12 in Images > Image Properties");
    const ImageShot before = ShotOf(Edited());
    DialogAnswer properties;
    properties.typed = {{IDC_HOTSPOT_X, L"7"}, {IDC_HOTSPOT_Y, L"9"}, {IDC_DISPLAY_RATE, L"12"}};
    properties.okId = IDOK;
    ASSERT_TRUE(ChooseAnswering(session.window, kImagesMenu, CMD_IMAGE_PROPERTIES, &properties));
    EXPECT_EQ(properties.titles.size(), 1u) << "the properties dialog showed";
    ImageShot expected = before;
    expected.hotspotX = 7;
    expected.hotspotY = 9;
    expected.displayRate = 12;
    EXPECT_TRUE(SameImage(expected, ShotOf(Edited()), {true, true, true}, "the edited Image"))
        << "only the hot spot and the rate changed";
}

void SaveAs(Session& session, const FileKindCase& kind)
{
    SCOPED_TRACE(std::string("step: save as ") + kind.step);
    Context().document->modified = 1;
    MessageBoxRecorder boxes;
    {
        FileDialogAnswer save(TestPath(L"session"));
        ChooseFileCommand(session.window, kind.save, kind.saveKey);
        ASSERT_EQ(save.seen().size(), 1u) << "the save dialog showed";
    }
    PumpMessages();
    EXPECT_TRUE(boxes.boxes().empty()) << testing::PrintToString(boxes.boxes().empty() ? std::wstring() : boxes.boxes()[0].text);
    ASSERT_TRUE(FileExists(TestPath(kind.file)));
    EXPECT_EQ(Context().document->modified, 0u);
    EXPECT_EQ(WindowText(session.window), Title(TestPath(kind.file)));
}

void Reopen(Session& session, const FileKindCase& kind)
{
    SCOPED_TRACE(std::string("step: reopen the ") + kind.step);
    MessageBoxRecorder boxes;
    {
        FileDialogAnswer open(TestPath(kind.file));
        ChooseFileCommand(session.window, kind.open, kind.openKey);
        ASSERT_EQ(open.seen().size(), 1u) << "the open dialog showed";
    }
    PumpMessages();
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_EQ(WindowText(session.window), Title(TestPath(kind.file)));
    EXPECT_FALSE(MenuItemEnabled(session.window, kEditMenu, CMD_UNDO)) << "nothing to undo after an open";
    EXPECT_EQ(Context().document->fileKind, kind.reopenedKind);
    EXPECT_TRUE(SameDocument(session.saved, ShotOf(Context().document), kind.keeps));
}

void ExpectNoDialogLeft(const Session& session)
{
    SCOPED_TRACE("step: end of the session");
    int open = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountOpenDialogs, LPARAM(&open));
    EXPECT_EQ(open, 0) << "no dialog or message box is left open";
    EXPECT_TRUE(IsWindow(session.window));
}

}  // namespace

TEST(EditingSession, OpenPaintLayerShapeFilterEffectUndoRedoSaveAndReopen)
{
    if (GetFileAttributesW(kLibrary) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "Wine's 64-bit shell32.dll is not installed at "
                     << testing::PrintToString(std::wstring(kLibrary));
    Session session;
    std::wstring icon;
    ASSERT_NO_FATAL_FAILURE(ExtractIcon(session, &icon));
    {
        SCOPED_TRACE("step: start the program");
        session.window = StartShell();
        ASSERT_NE(session.window, nullptr);
    }
    // A step that stops the session still takes the program down for the tests after it.
    const ShellStopper stopper;
    SetClientSize(session.window, 1000, 760);
    PumpMessages();
    ASSERT_NO_FATAL_FAILURE(OpenIcon(session, icon));
    for (void (*step)(Session&) : {ChooseEditedImage, PaintStroke, AddLayer, DrawRectangle, ApplyNegative,
                                   DrawEllipseLayer, ApplyPearl, UndoTwiceRedoOnce, SetHotSpotAndRate})
        ASSERT_NO_FATAL_FAILURE(step(session));
    session.saved = ShotOf(Context().document);
    for (const FileKindCase& kind : kFileKinds)
        ASSERT_NO_FATAL_FAILURE(SaveAs(session, kind));
    for (const FileKindCase& kind : kFileKinds)
        ASSERT_NO_FATAL_FAILURE(Reopen(session, kind));
    ExpectNoDialogLeft(session);
}
