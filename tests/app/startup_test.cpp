// Start-up: the main window, its menu bar and accelerators, the AppContext, the panels'
// creation order, and the file named on the command line.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/message_box_recorder.h"
#include "common/selection_state.h"
#include "core/pyx.h"
#include "harness/program_window.h"
#include "harness/test_files.h"
#include "main_window.h"
#include "open_by_path.h"
#include "resources/vexil/vexil_resources.h"
#include "shell_session.h"
#include "shell_state.h"
#include "startup.h"

namespace {

struct MenuEntry {
    int id;  // 0 for a separator
    const wchar_t* label;
};

std::vector<MenuEntry> ReadMenu(HMENU menu)
{
    std::vector<MenuEntry> entries;
    static wchar_t labels[64][80];
    for (int i = 0; i < GetMenuItemCount(menu) && i < 64; i++) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = labels[i];
        info.cch = 80;
        labels[i][0] = 0;
        GetMenuItemInfoW(menu, UINT(i), TRUE, &info);
        entries.push_back({(info.fType & MFT_SEPARATOR) ? 0 : int(info.wID), labels[i]});
    }
    return entries;
}

void ExpectMenu(HMENU bar, int position, const wchar_t* title, const std::vector<MenuEntry>& expected)
{
    wchar_t text[64] = {};
    GetMenuStringW(bar, UINT(position), text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, title);
    const std::vector<MenuEntry> actual = ReadMenu(GetSubMenu(bar, position));
    ASSERT_EQ(actual.size(), expected.size()) << "items of " << testing::PrintToString(std::wstring(title));
    for (size_t i = 0; i < expected.size(); i++) {
        SCOPED_TRACE(testing::Message() << "menu " << position << " position " << i);
        EXPECT_EQ(actual[i].id, expected[i].id);
        if (expected[i].id) {
            EXPECT_STREQ(actual[i].label, expected[i].label);
        }
    }
}

// Records which windows the main window gets as children, in the order they are made.
std::vector<HWND> gCreated;
LRESULT CALLBACK RecordCreation(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND)
        gCreated.push_back(HWND(wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The recorder takes any plain dialog for a message box; the splash window (no caption, no
// text) is activated when a box shown during start-up closes, so it is left out here.
std::vector<RecordedMessageBox> BoxesWithCaption(const MessageBoxRecorder& recorder)
{
    std::vector<RecordedMessageBox> boxes;
    for (const RecordedMessageBox& box : recorder.boxes()) {
        if (!box.caption.empty())
            boxes.push_back(box);
    }
    return boxes;
}

// What the splash window looked like once it had painted itself.
struct SplashLook {
    bool painted = false;
    RECT client{}, frame{};
    COLORREF middle = 0;
};
SplashLook gSplash;

LRESULT CALLBACK WatchSplash(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPRETSTRUCT* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code != HC_ACTION || call->message != WM_PAINT || gSplash.painted)
        return CallNextHookEx(nullptr, code, wParam, lParam);
    wchar_t className[16] = {};
    const bool dialog = GetClassNameW(call->hwnd, className, 16) && lstrcmpW(className, L"#32770") == 0;
    if (dialog && !GetParent(call->hwnd) && GetWindowTextLengthW(call->hwnd) == 0) {
        gSplash.painted = true;
        GetClientRect(call->hwnd, &gSplash.client);
        GetWindowRect(call->hwnd, &gSplash.frame);
        HDC dc = GetDC(call->hwnd);
        gSplash.middle = GetPixel(dc, 60, 30);
        ReleaseDC(call->hwnd, dc);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::wstring WriteIcon(const std::wstring& name, int side)
{
    Resource* resource = PYX_CreateNewResource();
    PYX_DeleteImage(resource->firstImage);
    resource->firstImage = PYX_CreateImage(uint16_t(side), uint16_t(side));
    const std::wstring path = TestPath(name);
    EXPECT_EQ(PYX_SaveIconToFile(nullptr, path.c_str(), resource), 1);
    PYX_DoCleanupInternalResource(resource);
    return path;
}

}  // namespace

TEST(Startup, MainWindowHasItsClassTitleSizeAndAFreshDocument)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(FindWindowW(L"VEXIL", nullptr), window);
    EXPECT_EQ(WindowText(window), L"Vexil 1.0 - New Project");
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    RECT frame;
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.right - frame.left, 800);
    EXPECT_EQ(frame.bottom - frame.top, 600);
    EXPECT_EQ((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2) << "centred";

    const AppContext& context = Context();
    ASSERT_NE(context.document, nullptr);
    EXPECT_STREQ(context.document->creator, L"Vexil Icon Editor");
    EXPECT_STREQ(context.document->title, L"Untitled");
    EXPECT_EQ(context.document->imageCount, 1);
    EXPECT_EQ(context.document->firstImage->width, 48);
    EXPECT_EQ(context.currentImage, 0);
    EXPECT_EQ(context.currentLayer, 0);
    EXPECT_NE(context.palette256, nullptr);
    EXPECT_NE(context.palette16, nullptr);
    EXPECT_NE(context.palette2, nullptr);
    ASSERT_NE(context.brushSettings, nullptr);
    EXPECT_EQ(context.brushSettings->primaryColor, 0xFF000000u) << "the color picker starts with opaque black";
    ASSERT_NE(context.selection, nullptr);
    const SelectionState& selection = *context.selection;
    EXPECT_EQ(selection.width, 48);
    EXPECT_EQ(selection.height, 48);
    ASSERT_NE(selection.content, nullptr) << "nothing selected means everything selected";
    EXPECT_EQ(selection.content->GetWidth(), 48u);
    RECT box{};
    ASSERT_NE(selection.region, nullptr);
    GetRgnBox(selection.region, &box);
    const RECT whole = {0, 0, 48, 48};
    EXPECT_TRUE(EqualRect(&box, &whole));
    EXPECT_EQ(FindWindowW(nullptr, L"Vexil"), nullptr) << "the splash window is gone";
    StopShell();
}

TEST(Startup, SplashWindowShowsItsPictureCentredOnTheScreen)
{
    gSplash = SplashLook{};
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, WatchSplash, nullptr, GetCurrentThreadId());
    HWND window = StartShell();
    UnhookWindowsHookEx(hook);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(gSplash.painted);
    EXPECT_EQ(gSplash.client.right, 400);
    EXPECT_EQ(gSplash.client.bottom, 251);
    EXPECT_NEAR(gSplash.frame.left + gSplash.frame.right, GetSystemMetrics(SM_CXSCREEN), 1) << "centred";
    EXPECT_NEAR(gSplash.frame.top + gSplash.frame.bottom, GetSystemMetrics(SM_CYSCREEN), 1) << "centred";
    const COLORREF pixel = gSplash.middle;
    EXPECT_LT(GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel), 3 * 110) << "the picture's dark background";
    StopShell();
}

TEST(Startup, MenuBarHasEveryMenuItemIdLabelAndSeparator)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    HMENU bar = GetMenu(window);
    ASSERT_EQ(GetMenuItemCount(bar), 8);
    ExpectMenu(bar, 0, L"File",
               {{32771, L"New Project\tCtrl+N"}, {32772, L"Open Icon File"}, {32773, L"Open Cursor File"},
                {32774, L"Open Animated Cursor"}, {32775, L"Open Project\tCtrl+O"}, {0, nullptr},
                {32776, L"Save as Icon"}, {32777, L"Save as Cursor"}, {32778, L"Save as Animated Cursor"},
                {32779, L"Save Project\tCtrl+S"}, {0, nullptr}, {32780, L"Extract Library Icons"},
                {32781, L"Create Icon Library"}, {0, nullptr}, {32782, L"Export Current Image "},
                {32783, L"Import Image as Icon"}, {0, nullptr}, {105, L"E&xit\tCtrl+Q"}});
    ExpectMenu(bar, 1, L"Edit",
               {{32789, L"Undo\tCtrl+Z"}, {32790, L"Redo\tCtrl+Y"}, {0, nullptr}, {32791, L"Copy\tCtrl+C"},
                {32792, L"Cut\tCtrl+X"}, {32794, L"Paste as a New Layer\tCtrl+Shift+V"},
                {32795, L"Paste as a New Image\tCtrl+V"}, {0, nullptr}, {32797, L"Select All\tCtrl+A"},
                {32868, L"Select Inverse\tCtrl+Shift+I"}, {32867, L"Deselect\tCtrl+D"}, {0, nullptr},
                {32796, L"Clear All"}, {0, nullptr}, {32798, L"Flip Horizontal"}, {32799, L"Flip Vertical"},
                {32800, L"Rotate 90\u00B0  CW"}, {32801, L"Rotate 90\u00B0  CCW"}, {32802, L"Rotate 180\u00B0"},
                {0, nullptr}, {32803, L"Custom Rotate"}, {32804, L"Scale"}, {32805, L"Move"}});
    ExpectMenu(bar, 2, L"Drawing",
               {{32871, L"Use Gradient Brush"}, {0, nullptr}, {32809, L"Rectangular Selection"},
                {32810, L"Magic Wand"}, {32811, L"Pen"}, {32812, L"Eraser"}, {32813, L"Paint Bucket"},
                {32814, L"Gradient"}, {32815, L"Blur"}, {32816, L"Hollow Text"}, {32817, L"Filled Text"},
                {32818, L"Ellipse"}, {32819, L"Filled Ellipse"}, {32820, L"Rectangle"},
                {32821, L"Filled Rectangle"}, {32822, L"Polygon"}, {32823, L"Filled Polygon"},
                {32882, L"Custom Shape"}, {32881, L"Filled Custom Shape"}, {32824, L"Line"},
                {32825, L"Color Picker"}});
    ExpectMenu(bar, 3, L"Layers",
               {{32827, L"Create New Raster Layer\tCtrl+L"}, {32828, L"Duplicate Current Layer"},
                {32829, L"Delete Selected Layer(s)\tCtrl+Del"}, {32830, L"Merge Selected Layers"},
                {32831, L"Convert to Raster Layer"}, {32879, L"Merge All Layers"}});
    ExpectMenu(bar, 4, L"Images",
               {{32833, L"Create New Image\tCtrl+I"}, {32834, L"Duplicate Current Image"},
                {32835, L"Delete Current Image\tDel"}, {32836, L"Image Properties\tCtrl+P"},
                {32889, L"Animated Cursor Properties"}, {32837, L"Create Standard Formats"}});
    ExpectMenu(bar, 5, L"Filters",
               {{32840, L"Brightness and Contrast"}, {32839, L"Colorize"}, {32852, L"Grayscale"},
                {32853, L"Hue, Saturation and Luminance"}, {32851, L"Negative"}, {32856, L"Opacity"},
                {0, nullptr}, {32841, L"Linear Blur"}, {32847, L"Gaussian Blur 5x5"}, {32842, L"Heavy Blur"},
                {32843, L"Motion Blur"}, {0, nullptr}, {32850, L"Defocus"}, {32848, L"Color Emboss"},
                {32849, L"Gray Emboss"}, {32844, L"Soften"}, {32845, L"Sharpen"}, {32846, L"Unsharp Mask"},
                {0, nullptr}, {32857, L"Bevel"}, {32854, L"Inner Shadow"}, {32855, L"Drop Shadow"},
                {32883, L"Borderize"}, {32858, L"Custom Filter"}});
    ExpectMenu(bar, 6, L"Effects",
               {{32860, L"Pearl"}, {32861, L"Marble"}, {32866, L"Wave"}, {32878, L"Jelly"}, {0, nullptr},
                {32865, L"Glassy Ball"}, {32863, L"Aqua Ball"}, {0, nullptr}, {32864, L"Sweet"}});
    ExpectMenu(bar, 7, L"Help", {{32884, L"Help\tF1"}, {0, nullptr}, {104, L"&About ...\tCtrl+F1"}});
    HMENU stored = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(109));
    EXPECT_EQ(GetMenuState(stored, 32871, MF_BYCOMMAND) & MF_CHECKED, UINT(MF_CHECKED))
        << "the gradient item starts checked";
    DestroyMenu(stored);
    StopShell();
}

TEST(Startup, AcceleratorTableHasTheTwentyShortcuts)
{
    HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(129));
    ASSERT_NE(table, nullptr);
    ACCEL entries[32];
    const int count = CopyAcceleratorTableW(table, entries, 32);
    struct Expected {
        BYTE modifiers;
        WORD key;
        WORD command;
    };
    const BYTE ctrl = FCONTROL, shift = FSHIFT;
    const Expected expected[] = {
        {ctrl, 'C', 32791},  {ctrl, 'X', 32792},          {ctrl, 'D', 32867},         {ctrl, 'V', 32795},
        {BYTE(ctrl | shift), 'V', 32794}, {ctrl, 'Y', 32790}, {ctrl, 'A', 32797},
        {BYTE(ctrl | shift), 'I', 32868}, {ctrl, 'Z', 32789}, {ctrl, 'N', 32771},  {ctrl, 'O', 32775},
        {ctrl, 'S', 32779},  {0, VK_F1, 32884},           {ctrl, 'P', 32836},         {ctrl, 'I', 32833},
        {0, VK_DELETE, 32835}, {ctrl, 'L', 32827},        {ctrl, VK_DELETE, 32829},   {ctrl, 'Q', 105},
        {ctrl, VK_F1, 104},
    };
    ASSERT_EQ(count, 20);
    for (const Expected& want : expected) {
        bool found = false;
        for (int i = 0; i < count; i++) {
            const ACCEL& entry = entries[i];
            found = found || (entry.cmd == want.command && entry.key == want.key &&
                              (entry.fVirt & (FCONTROL | FSHIFT | FALT)) == want.modifiers && (entry.fVirt & FVIRTKEY));
        }
        EXPECT_TRUE(found) << "command " << want.command;
    }
    DestroyAcceleratorTable(table);
}

TEST(Startup, PanelsAreCreatedInTheirOrderAsChildrenOfTheMainWindow)
{
    gCreated.clear();
    HHOOK hook = SetWindowsHookExW(WH_CBT, RecordCreation, nullptr, GetCurrentThreadId());
    HWND window = StartShell();
    UnhookWindowsHookEx(hook);
    ASSERT_NE(window, nullptr);
    const AppContext& context = Context();
    const std::vector<HWND> panels = {context.toolboxWindow, context.toolOptionsWindow, context.layersWindow,
                                      context.colorPickerWindow, context.imageListWindow, context.editAreaWindow};
    std::vector<HWND> order;
    for (HWND created : gCreated) {
        if (std::find(panels.begin(), panels.end(), created) != panels.end())
            order.push_back(created);
    }
    EXPECT_EQ(order, panels);
    for (HWND panel : panels)
        EXPECT_EQ(GetParent(panel), window);
    StopShell();
}

TEST(Startup, CommandLineFileIsOpenedWithOrWithoutQuotes)
{
    const std::wstring path = WriteIcon(L"from command line.ico", 32);
    for (const std::wstring& commandLine : {L"\"" + path + L"\"", path}) {
        SCOPED_TRACE(testing::Message() << "command line " << testing::PrintToString(commandLine));
        HWND window = StartShell(commandLine.c_str());
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(Context().document->firstImage->width, 32);
        EXPECT_EQ(Context().selection->width, 32) << "selection follows the new document";
        EXPECT_EQ(WindowText(window), L"Vexil 1.0 - " + path);
        EXPECT_STREQ(Context().document->creator, L"Vexil Icon Editor");
        StopShell();
    }
}

TEST(Startup, CommandLineThatNamesNoUsableFileKeepsTheNewDocument)
{
    const std::wstring picture = TestPath(L"picture.png");
    ASSERT_TRUE(WriteBytes(picture, {1, 2, 3}));
    MessageBoxRecorder recorder;
    HWND window = StartShell((L"\"" + picture + L"\"").c_str());
    ASSERT_NE(window, nullptr);
    const auto boxes = BoxesWithCaption(recorder);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"This file type is not supported by Vexil");
    EXPECT_EQ(boxes[0].caption, L"Vexil 1.0");
    EXPECT_FALSE(boxes[0].errorIcon) << "a warning";
    EXPECT_EQ(WindowText(window), L"Vexil 1.0 - New Project");
    StopShell();

    recorder.Clear();
    window = StartShell(TestPath(L"missing.ico").c_str());
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(BoxesWithCaption(recorder).empty()) << "a file that does not exist is passed over";
    EXPECT_EQ(Context().document->firstImage->width, 48);
    StopShell();
}

TEST(Startup, CommandLinePathLosesItsEnclosingQuotesOnly)
{
    const struct {
        const wchar_t* commandLine;
        const wchar_t* path;
    } cases[] = {
        {L"\"C:\\My Icons\\a.ico\"", L"C:\\My Icons\\a.ico"},
        {L"C:\\icons\\a.ico", L"C:\\icons\\a.ico"},
        {L"\"", L""},
        {L"", L""},
        {L"\"a.ico", L"a.ico"},                         // no closing quote: keep the last letter
        {L"\"C:\\icons\\a.ico\" ", L"C:\\icons\\a.ico"},  // a blank after the closing quote
    };
    for (const auto& c : cases)
        EXPECT_EQ(CommandLinePath(c.commandLine), c.path) << testing::PrintToString(std::wstring(c.commandLine));
}

TEST(Startup, AcceleratorsStayWithAnEditThatHasTheFocus)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    HWND edit = CreateWindowExW(0, L"EDIT", L"text", WS_CHILD | WS_VISIBLE, 0, 0, 80, 20, window, nullptr,
                                nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    for (HWND focus : {edit, window}) {
        SetFocus(focus);
        MSG del{focus, WM_KEYDOWN, VK_DELETE, 0x00530001, 0, {}};
        EXPECT_EQ(TranslateShellAccelerator(&del), focus == window) << (focus == edit ? "edit" : "main window");
    }
    DestroyWindow(edit);
    StopShell();
}

TEST(Startup, ScreenBelow800By600GetsTheMinimumResolutionMessage)
{
    MessageBoxRecorder recorder;
    const struct {
        int width, height;
        bool enough;
    } screens[] = {{799, 600, false}, {800, 599, false}, {640, 480, false}, {800, 600, true}, {1920, 1080, true}};
    for (const auto& screen : screens) {
        SCOPED_TRACE(testing::Message() << screen.width << " x " << screen.height);
        recorder.Clear();
        EXPECT_EQ(CheckScreenSize(screen.width, screen.height), screen.enough);
        if (screen.enough) {
            EXPECT_TRUE(recorder.boxes().empty());
            continue;
        }
        ASSERT_EQ(recorder.boxes().size(), 1u);
        EXPECT_EQ(recorder.boxes()[0].text,
                  L"When running Vexil 1.0, the minimum screen resolution should be at least 800 by 600.");
        EXPECT_EQ(recorder.boxes()[0].caption, L"Vexil 1.0");
        EXPECT_TRUE(recorder.boxes()[0].errorIcon);
    }
}

TEST(Startup, ProgramFolderComesFromTheRegistryOrElseFromTheProgramItself)
{
    const std::wstring folder = TestFolder();
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Vexil\\Path", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, L"AppPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                   DWORD((folder.size() + 1) * sizeof(wchar_t)));
    ASSERT_NE(StartShell(), nullptr);
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    EXPECT_EQ(lstrcmpiW(current, folder.c_str()), 0) << "the registry's folder";
    EXPECT_EQ(std::wstring(CurrentShell().helpPath), std::wstring(current) + L"\\help.chm");
    MessageBoxRecorder recorder;
    SendMessageW(Context().mainWindow, WM_COMMAND, 32884, 0);  // Help, with no help file there
    ASSERT_EQ(recorder.boxes().size(), 1u);
    EXPECT_EQ(recorder.boxes()[0].text, L"Help file couldn't be found.");
    EXPECT_EQ(recorder.boxes()[0].caption, L"Vexil 1.0");
    EXPECT_TRUE(recorder.boxes()[0].errorIcon);
    StopShell();

    RegDeleteValueW(key, L"AppPath");
    RegCloseKey(key);
    ASSERT_NE(StartShell(), nullptr);
    const std::wstring programFolder = ThisProgramFolder();
    GetCurrentDirectoryW(MAX_PATH, current);
    EXPECT_EQ(lstrcmpiW(current, programFolder.c_str()), 0) << "without the value, the program's own folder";
    StopShell();
}
