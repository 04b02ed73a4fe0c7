// The main window at run time: the panel layout, the minimum size, closing, keys, colors,
// display changes, dropped files and the About dialog.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "common/image_encoders.h"
#include "common/message_box_recorder.h"
#include "core/pyx.h"
#include "dialog_answers.h"
#include "harness/test_files.h"
#include "common/messages.h"
#include "shell_session.h"
#include "shell_state.h"
#include "resources/vexil/vexil_resources.h"
#include "vexil_version.h"

namespace {

void ExpectRect(HWND panel, int left, int top, int width, int height, const char* name)
{
    const RECT rect = ChildRect(panel);
    EXPECT_EQ(rect.left, left) << name;
    EXPECT_EQ(rect.top, top) << name;
    EXPECT_EQ(rect.right - rect.left, width) << name;
    EXPECT_EQ(rect.bottom - rect.top, height) << name;
}

int Height(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

// A drop of one file, as the shell hands it to the window.
HDROP MakeDrop(const std::wstring& path)
{
    const size_t bytes = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, bytes);
    auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    memcpy(reinterpret_cast<BYTE*>(files) + sizeof(DROPFILES), path.c_str(), path.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return HDROP(memory);
}

// Saves what the screen shows of a window as a PNG in the current (build) folder, for a
// person to look at.
bool SaveScreenshot(HWND window, const wchar_t* name)
{
    RECT frame;
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP surface = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, surface);
    BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY);
    SelectObject(memory, old);
    CLSID png;
    bool saved = false;
    {
        Gdiplus::Bitmap shot(surface, nullptr);
        saved = FindImageEncoder(L"image/png", &png) && shot.Save(name, &png, nullptr) == Gdiplus::Ok;
    }
    DeleteObject(surface);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
}

struct AboutLook {
    bool found = false;
    RECT client{};
    RECT button{};
    RECT version{};
    std::wstring versionText;
    COLORREF aboveThePicture = 0;
    COLORREF insideThePicture = 0;
};
AboutLook gAbout;

void CALLBACK InspectAbout(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindWindowW(L"#32770", L"About Vexil 1.0");
    if (!dialog || !IsWindowVisible(dialog))
        return;
    KillTimer(nullptr, timer);
    gAbout.found = true;
    GetClientRect(dialog, &gAbout.client);
    gAbout.button = ChildRect(GetDlgItem(dialog, IDOK));
    gAbout.version = ChildRect(GetDlgItem(dialog, IDC_ABOUT_VERSION));
    wchar_t text[64] = {};
    GetDlgItemTextW(dialog, IDC_ABOUT_VERSION, text, 64);
    gAbout.versionText = text;
    UpdateWindow(dialog);
    HDC dc = GetDC(dialog);
    gAbout.aboveThePicture = GetPixel(dc, 100, 2);
    gAbout.insideThePicture = GetPixel(dc, gAbout.client.right / 2, 5 + 20);
    ReleaseDC(dialog, dc);
    SaveScreenshot(dialog, L"vexil_about.png");
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

}  // namespace

TEST(MainWindow, PanelsFillTheClientAreaAtEverySize)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    const AppContext& context = Context();
    const int t = Height(context.toolOptionsWindow);
    ASSERT_GT(t, 0);
    for (const SIZE client : {SIZE{1024, 768}, SIZE{800, 600}, SIZE{1200, 900}}) {
        SCOPED_TRACE(testing::Message() << "client " << client.cx << " x " << client.cy);
        SetClientSize(window, client.cx, client.cy);
        RECT actual;
        GetClientRect(window, &actual);
        ASSERT_EQ(actual.right, client.cx);
        ASSERT_EQ(actual.bottom, client.cy);
        const int w = client.cx, h = client.cy;
        ExpectRect(context.toolOptionsWindow, 0, 0, w, t, "tool options bar");
        ExpectRect(context.toolboxWindow, 1, t, 60, h - t - 150, "toolbox");
        ExpectRect(context.editAreaWindow, 61, t + 2, w - 260, h - t - 150, "editing area");
        ExpectRect(context.layersWindow, w - 200, t, 200, h - t - 325, "layers panel");
        const RECT picker = ChildRect(context.colorPickerWindow);
        EXPECT_EQ(picker.left, w - 200);
        EXPECT_EQ(picker.top, h - 325);
        ExpectRect(context.imageListWindow, 1, h - 150, w - 200, 150, "image list");
    }
    // The case worked by hand: a 1024 x 768 client area.
    SetClientSize(window, 1024, 768);
    ExpectRect(context.imageListWindow, 1, 618, 824, 150, "image list");
    ExpectRect(context.layersWindow, 824, t, 200, 443 - t, "layers panel");
    ExpectRect(context.editAreaWindow, 61, t + 2, 764, 618 - t, "editing area");
    StopShell();
}

TEST(MainWindow, DraggingStopsAt800By600)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    const struct {
        WPARAM edge;
        RECT dragged, expected;
    } drags[] = {
        {WMSZ_BOTTOMRIGHT, {100, 50, 500, 350}, {100, 50, 900, 650}},
        {WMSZ_TOPLEFT, {100, 50, 900, 400}, {100, -200, 900, 400}},
        {WMSZ_LEFT, {300, 50, 900, 700}, {100, 50, 900, 700}},
        {WMSZ_BOTTOM, {0, 0, 1000, 100}, {0, 0, 1000, 600}},
        {WMSZ_RIGHT, {0, 0, 1000, 800}, {0, 0, 1000, 800}},
    };
    for (const auto& drag : drags) {
        RECT rect = drag.dragged;
        SendMessageW(window, WM_SIZING, drag.edge, LPARAM(&rect));
        EXPECT_TRUE(EqualRect(&rect, &drag.expected))
            << "edge " << drag.edge << " gave " << rect.left << "," << rect.top << "," << rect.right << ","
            << rect.bottom;
    }
    MINMAXINFO info{};
    SendMessageW(window, WM_GETMINMAXINFO, 0, LPARAM(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 800);
    EXPECT_EQ(info.ptMinTrackSize.y, 600);
    StopShell();
}

TEST(MainWindow, PendingTransformationKeepsTheWindowOpen)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    CurrentShell().transformPending = 1;  // as while the rotation strip is open
    MessageBoxRecorder recorder;
    SendMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(recorder.boxes().size(), 1u);
    EXPECT_EQ(recorder.boxes()[0].text, L"First Apply or Cancel Transformation.");
    EXPECT_EQ(recorder.boxes()[0].caption, L"Vexil 1.0");
    EXPECT_FALSE(recorder.boxes()[0].errorIcon) << "a warning";
    EXPECT_TRUE(IsWindow(window));
    SendMessageW(window, WM_COMMAND, 105, 0);  // Exit does nothing either
    PumpMessages();
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(recorder.boxes().size(), 1u);
    StopShell();
}

TEST(MainWindow, ChangedDocumentAsksBeforeClosing)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    Context().document->modified = 1;
    MessageBoxRecorder recorder;
    FileDialogAnswer cancelTheSave(L"");
    SendMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(recorder.boxes().size(), 1u);
    EXPECT_EQ(recorder.boxes()[0].text, L"The current open project has changed.\n\nDo you want to save the changes?");
    EXPECT_EQ(recorder.boxes()[0].caption, L"Vexil 1.0");
    // The default answer is Yes; the save dialog was cancelled, so nothing is lost and the
    // program keeps running.
    EXPECT_TRUE(IsWindow(window));
    EXPECT_NE(Context().editAreaWindow, nullptr);
    StopShell();
}

TEST(MainWindow, DisplayTooSmallClosesEvenWithAPendingTransformation)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    CurrentShell().transformPending = 1;
    MessageBoxRecorder recorder;
    SendMessageW(window, WM_DISPLAYCHANGE, 24, MAKELPARAM(1024, 768));
    PumpMessages();
    EXPECT_TRUE(recorder.boxes().empty());
    EXPECT_TRUE(IsWindow(window));
    SendMessageW(window, WM_DISPLAYCHANGE, 24, MAKELPARAM(640, 480));
    PumpMessages();
    ASSERT_EQ(recorder.boxes().size(), 1u);
    EXPECT_EQ(recorder.boxes()[0].text,
              L"When running Vexil 1.0, the minimum screen resolution should be at least 800 by 600.");
    EXPECT_FALSE(IsWindow(window)) << "the forced close skips the pending-transformation guard";
    EXPECT_EQ(Context().editAreaWindow, nullptr) << "the panels were destroyed";
    StopShell();
}

TEST(MainWindow, KeysGoToTheEditingAreaAndColorChangesToEveryPanel)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    const AppContext& context = Context();
    PanelSpy spy(context);
    SendMessageW(window, WM_KEYDOWN, VK_LEFT, 0x014B0001);
    SendMessageW(window, WM_KEYUP, VK_LEFT, 0xC14B0001);
    const auto keys = spy.ReceivedBy(context.editAreaWindow);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].message, UINT(WM_KEYDOWN));
    EXPECT_EQ(keys[0].wParam, WPARAM(VK_LEFT));
    EXPECT_EQ(keys[1].message, UINT(WM_KEYUP));
    spy.Clear();
    SendMessageW(window, WM_SYSCOLORCHANGE, 0, 0);
    for (HWND panel : {context.imageListWindow, context.layersWindow, context.colorPickerWindow,
                       context.toolboxWindow, context.toolOptionsWindow, context.editAreaWindow}) {
        const auto received = spy.ReceivedBy(panel);
        ASSERT_EQ(received.size(), 1u);
        EXPECT_EQ(received[0].message, UINT(WM_SYSCOLORCHANGE));
    }
    StopShell();
}

TEST(MainWindow, DroppedFilesAreOpened)
{
    Resource* resource = PYX_CreateNewResource();
    PYX_DeleteImage(resource->firstImage);
    resource->firstImage = PYX_CreateImage(24, 24);
    const std::wstring cursor = TestPath(L"dropped.cur");
    ASSERT_EQ(PYX_SaveCursorToFile(nullptr, cursor.c_str(), resource), 1);
    PYX_DoCleanupInternalResource(resource);
    const std::wstring picture = TestPath(L"dropped.png");
    ASSERT_TRUE(WriteBytes(picture, {1}));

    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    MessageBoxRecorder recorder;
    SendMessageW(window, WM_DROPFILES, WPARAM(MakeDrop(picture)), 0);
    ASSERT_EQ(recorder.boxes().size(), 1u);
    EXPECT_EQ(recorder.boxes()[0].text, L"This file type is not supported by Vexil");
    EXPECT_EQ(Context().document->firstImage->width, 48);

    SendMessageW(window, WM_DROPFILES, WPARAM(MakeDrop(cursor)), 0);
    EXPECT_EQ(recorder.boxes().size(), 1u);
    EXPECT_EQ(Context().document->firstImage->width, 24);
    EXPECT_EQ(Context().document->fileKind, kCursorFileKind);
    EXPECT_EQ(WindowText(window), L"Vexil 1.0 - " + cursor);
    StopShell();
}

TEST(MainWindow, AboutDialogShowsThePictureAndClosesWithCancel)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    gAbout = AboutLook{};
    SetTimer(nullptr, 0, 50, InspectAbout);
    SendMessageW(window, WM_COMMAND, 104, 0);  // returns when the dialog has closed
    ASSERT_TRUE(gAbout.found);
    EXPECT_GE(gAbout.client.right, 400);
    EXPECT_GT(gAbout.button.top, 5 + 292) << "the OK button sits below the picture";
    // The one version number, in the row of the OK button and left of it.
    EXPECT_EQ(gAbout.versionText, std::wstring(L"Version ") + VEXIL_VERSION_TEXT_W);
    EXPECT_GT(gAbout.version.top, 5 + 292);
    EXPECT_LT(gAbout.version.right, gAbout.button.left);
    EXPECT_EQ(gAbout.aboveThePicture, GetSysColor(COLOR_BTNFACE));
    const COLORREF inside = gAbout.insideThePicture;
    EXPECT_LT(GetRValue(inside) + GetGValue(inside) + GetBValue(inside), 3 * 110) << "the picture's dark band";
    EXPECT_EQ(FindWindowW(L"#32770", L"About Vexil 1.0"), nullptr);
    StopShell();
}

// A picture of the whole window with a 48 x 48 icon open, for a person to look at.
TEST(MainWindow, WritesAScreenshotForAPersonToLookAt)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    SetClientSize(window, 1024, 768);
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_TRUE(SaveScreenshot(window, L"vexil_main_window.png"));
    StopShell();
}
