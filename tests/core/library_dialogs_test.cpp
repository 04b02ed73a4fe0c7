// Library creation through the real dialogs under Xvfb: a driver thread finds the windows
// the way a user sees them, reads their texts, types and clicks with messages, while the
// test thread sits in PYX_CreateLibrary.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <atomic>
#include <functional>
#include <thread>

#include "core/library_format.h"
#include "core/pyx.h"
#include "core/pyx_resource.h"
#include "harness/program_window.h"
#include "harness/test_files.h"
#include "library_test_images.h"

namespace {

constexpr DWORD kPatience = 20000;  // ms; far beyond what any step takes

std::wstring Text(HWND window)
{
    wchar_t text[1024] = {};
    if (window)
        SendMessageTimeoutW(window, WM_GETTEXT, 1024, LPARAM(text), SMTO_BLOCK, kPatience, nullptr);
    return text;
}

HWND Descendant(HWND parent, int id)
{
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    EnumChildWindows(parent, [](HWND child, LPARAM param) -> BOOL {
        Search* s = reinterpret_cast<Search*>(param);
        if (GetDlgCtrlID(child) != s->id)
            return TRUE;
        s->found = child;
        return FALSE;
    }, LPARAM(&search));
    return search.found;
}

// Polls until `ready` holds; false after kPatience.
bool WaitUntil(const std::function<bool()>& ready)
{
    for (DWORD waited = 0; waited < kPatience; waited += 10) {
        if (ready())
            return true;
        Sleep(10);
    }
    return false;
}

HWND WaitForDialog(const wchar_t* title)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindWindowW(L"#32770", title)) != nullptr; });
    return found;
}

void Click(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(dialog, id)));
}

std::wstring MessageBoxText(HWND box)
{
    std::wstring text;
    EnumChildWindows(box, [](HWND child, LPARAM param) -> BOOL {
        wchar_t className[16] = {};
        GetClassNameW(child, className, 16);
        if (lstrcmpiW(className, L"Static") == 0 && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON &&
            reinterpret_cast<std::wstring*>(param)->empty())
            *reinterpret_cast<std::wstring*>(param) = Text(child);
        return TRUE;
    }, LPARAM(&text));
    return text;
}

// Runs PYX_CreateLibrary on this thread and `drive` on another. Afterwards, and whenever
// the driver gave up, any result box is read and closed so that nothing waits for ever.
struct SeenBox {
    std::wstring caption, text, ownerTitle;
};

// The target is kept from one creation to the next for the life of pyx.
bool gCreationStarted = false;

struct DialogSession {
    std::vector<std::wstring> resultBoxes;  // texts of the boxes captioned "Action Result"
    std::vector<SeenBox> errorBoxes;        // boxes captioned "I/O Error"

    // `drive` returns false when it gave up; the dialogs still open are then cancelled.
    void Run(const std::function<bool()>& drive)
    {
        std::atomic<bool> finished{false};
        std::thread driver([&] {
            const bool drove = drive();
            while (!finished) {
                if (HWND box = FindWindowW(L"#32770", L"Action Result")) {
                    resultBoxes.push_back(MessageBoxText(box));
                    Click(box, IDOK);
                    WaitUntil([&] { return !IsWindow(box); });
                }
                if (HWND box = FindWindowW(L"#32770", L"I/O Error")) {
                    errorBoxes.push_back({Text(box), MessageBoxText(box), Text(GetWindow(box, GW_OWNER))});
                    Click(box, IDOK);
                    WaitUntil([&] { return !IsWindow(box); });
                }
                for (const wchar_t* title : {L"Save Library As :", L"Choose Icons :", L"Create Library"})
                    if (HWND stray = FindWindowW(L"#32770", title); stray && !drove)
                        Click(stray, IDCANCEL);
                Sleep(20);
            }
        });
        PYX_CreateLibrary(nullptr, 0);
        gCreationStarted = true;
        finished = true;
        driver.join();
    }
};

// The open dialog has finished initialising once its OK button was relabelled.
HWND WaitForOpenDialog()
{
    HWND dialog = WaitForDialog(L"Choose Icons :");
    if (dialog)
        WaitUntil([&] { return Text(GetDlgItem(dialog, IDOK)) == L"Create Library"; });
    return dialog;
}

HWND FileNameField(HWND dialog)
{
    HWND field = GetDlgItem(dialog, cmb13);
    return field ? field : GetDlgItem(dialog, edt1);
}

std::wstring FirstFilter(HWND dialog)
{
    wchar_t text[256] = {};
    HWND types = GetDlgItem(dialog, cmb1);
    if (types && SendMessageW(types, CB_GETLBTEXTLEN, 0, 0) < 256)
        SendMessageW(types, CB_GETLBTEXT, 0, LPARAM(text));
    return text;
}

RECT ScreenRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

void ChooseFiles(HWND dialog, const std::wstring& names)
{
    SendMessageW(FileNameField(dialog), WM_SETTEXT, 0, LPARAM(names.c_str()));
    Click(dialog, IDOK);
}

// Hand-made icons: each picture is a square 32-bit block of one color.
Bytes PlainIcon(int images, int side)
{
    Bytes file = {0, 0, 1, 0, uint8_t(images), 0};
    const uint32_t pixelBytes = uint32_t(side * side * 4);
    const uint32_t blockSize = 40 + pixelBytes + uint32_t(side * ((side + 31) / 32) * 4);
    for (int i = 0; i < images; i++) {
        const Bytes entry = {uint8_t(side), uint8_t(side), 0, 0, 1, 0, 32, 0};
        file.insert(file.end(), entry.begin(), entry.end());
        PutU32(file, file.size(), blockSize);
        PutU32(file, file.size(), uint32_t(6 + 16 * images + i * blockSize));
    }
    for (int i = 0; i < images; i++) {
        Bytes block(blockSize, 0);
        PutU32(block, 0, 40);
        PutU32(block, 4, uint32_t(side));
        PutU32(block, 8, uint32_t(side * 2));
        PutU16(block, 12, 1);
        PutU16(block, 14, 32);
        for (size_t p = 40; p < 40 + pixelBytes; p += 4)
            PutU32(block, p, 0xFF000000u | uint32_t(0x402010 * (i + 1)));
        file.insert(file.end(), block.begin(), block.end());
    }
    return file;
}

struct CurrentFolder {
    wchar_t saved[MAX_PATH] = {};
    explicit CurrentFolder(const std::wstring& folder)
    {
        GetCurrentDirectoryW(MAX_PATH, saved);
        SetCurrentDirectoryW(folder.c_str());
    }
    ~CurrentFolder() { SetCurrentDirectoryW(saved); }
};

TEST(LibraryDialogs, CreatesALibraryFromTwoChosenFilesWithTheTargetTyped)
{
    ASSERT_TRUE(WriteBytes(TestPath(L"three.ico"), PlainIcon(3, 16)));
    ASSERT_TRUE(WriteBytes(TestPath(L"two.ico"), PlainIcon(2, 16)));
    const std::wstring target = TestPath(L"typed.nil");
    CurrentFolder folder(TestFolder());  // the open dialog starts in the current folder
    const bool firstCreation = !gCreationStarted;

    std::wstring okText, filter, label, button, initialTarget, progressTitle, nowProcessing, cancelText;
    bool layoutLinedUp = false;
    LRESULT progressLimit = -1;
    DialogSession session;
    session.Run([&] {
        HWND open = WaitForOpenDialog();
        if (!open)
            return false;
        okText = Text(GetDlgItem(open, IDOK));
        filter = FirstFilter(open);
        label = Text(Descendant(open, IDC_TARGET_LABEL));
        button = Text(Descendant(open, IDC_TARGET_BROWSE));
        HWND field = Descendant(open, IDC_TARGET_PATH);
        initialTarget = Text(field);
        const RECT list = ScreenRect(GetDlgItem(open, cmb1)), typeLabel = ScreenRect(GetDlgItem(open, stc2));
        const RECT fieldRect = ScreenRect(field), buttonRect = ScreenRect(Descendant(open, IDC_TARGET_BROWSE));
        const RECT labelRect = ScreenRect(Descendant(open, IDC_TARGET_LABEL));
        layoutLinedUp = fieldRect.left == list.left && buttonRect.right == list.right &&
                        fieldRect.right == buttonRect.left && labelRect.left == typeLabel.left;
        SendMessageW(field, WM_SETTEXT, 0, LPARAM(target.c_str()));
        ChooseFiles(open, L"\"three.ico\" \"two.ico\"");
        HWND progress = WaitForDialog(L"Create Library");
        if (!progress)
            return false;
        progressTitle = Text(progress);
        nowProcessing = Text(GetDlgItem(progress, IDC_PROGRESS_LABEL));
        cancelText = Text(GetDlgItem(progress, IDCANCEL));
        progressLimit = SendMessageW(GetDlgItem(progress, IDC_PROGRESS_BAR), PBM_GETRANGE, FALSE, 0);
        return true;
    });

    EXPECT_EQ(okText, L"Create Library");
    EXPECT_EQ(filter, L"Icon Files ( *.ico )");
    EXPECT_EQ(label, L"Target :");
    EXPECT_EQ(button, L"...");
    if (firstCreation) {
        EXPECT_EQ(initialTarget, ThisProgramFolder() + L"\\NewLibrary.nil");
    }
    EXPECT_TRUE(layoutLinedUp) << "the panel lines up with the file-type label and list";
    EXPECT_EQ(progressTitle, L"Create Library");
    EXPECT_EQ(nowProcessing, L"Now processing :");
    EXPECT_EQ(cancelText, L"Cancel");
    EXPECT_EQ(progressLimit, 2);
    ASSERT_EQ(session.resultBoxes.size(), 1u);
    EXPECT_EQ(session.resultBoxes[0], L"The library has been created successfully!");

    HMODULE module = LoadLibraryExW(target.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module);
    for (int id = 1; id <= 5; id++)
        EXPECT_TRUE(FindResourceW(module, MAKEINTRESOURCEW(id), RT_ICON)) << "icon " << id;
    EXPECT_TRUE(FindResourceW(module, MAKEINTRESOURCEW(101), RT_GROUP_ICON));
    EXPECT_TRUE(FindResourceW(module, MAKEINTRESOURCEW(102), RT_GROUP_ICON));
    FreeLibrary(module);

    // The next creation starts from the last target; cancelling it changes nothing.
    std::wstring nextTarget;
    DialogSession again;
    again.Run([&] {
        HWND open = WaitForOpenDialog();
        nextTarget = Text(Descendant(open, IDC_TARGET_PATH));
        Click(open, IDCANCEL);
        return open != nullptr;
    });
    EXPECT_EQ(nextTarget, target);
    EXPECT_TRUE(again.resultBoxes.empty());
}

TEST(LibraryDialogs, DotsButtonChoosesTheTargetWithTheSaveDialog)
{
    CurrentFolder folder(TestFolder());
    std::wstring saveFilter, chosen;
    bool saveDialogSeen = false;
    DialogSession session;
    session.Run([&] {
        HWND open = WaitForOpenDialog();
        if (!open)
            return false;
        HWND button = Descendant(open, IDC_TARGET_BROWSE);
        PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(IDC_TARGET_BROWSE, BN_CLICKED), LPARAM(button));
        HWND save = WaitForDialog(L"Save Library As :");
        if (!save)
            return false;
        saveDialogSeen = true;
        saveFilter = FirstFilter(save);
        ChooseFiles(save, TestPath(L"chosen"));
        HWND field = Descendant(open, IDC_TARGET_PATH);
        WaitUntil([&] { return Text(field).find(L"chosen") != std::wstring::npos; });
        chosen = Text(field);
        Click(open, IDCANCEL);
        return true;
    });
    EXPECT_TRUE(saveDialogSeen);
    EXPECT_EQ(saveFilter, L"New Icon Library Files ( *.nil )");
    EXPECT_EQ(chosen, TestPath(L"chosen.nil")) << "the default extension is nil";
    EXPECT_FALSE(FileExists(TestPath(L"chosen.nil"))) << "a cancelled open dialog creates nothing";
}

TEST(LibraryDialogs, CancelInTheProgressDialogLeavesNoLibrary)
{
    // Many large files, so that the worker is still busy when Cancel arrives.
    std::wstring names;
    for (int i = 0; i < 20; i++) {
        const std::wstring name = std::to_wstring(i) + L".ico";
        ASSERT_TRUE(WriteBytes(TestPath(name), PlainIcon(4, 256 - i)));
        names += L"\"" + name + L"\" ";
    }
    const std::wstring target = TestPath(L"cancelled.nil");
    CurrentFolder folder(TestFolder());
    bool progressSeen = false;
    DialogSession session;
    session.Run([&] {
        HWND open = WaitForOpenDialog();
        if (!open)
            return false;
        SendMessageW(Descendant(open, IDC_TARGET_PATH), WM_SETTEXT, 0, LPARAM(target.c_str()));
        ChooseFiles(open, names);
        HWND progress = WaitForDialog(L"Create Library");
        progressSeen = progress != nullptr;
        Click(progress, IDCANCEL);
        return progressSeen;
    });
    EXPECT_TRUE(progressSeen);
    EXPECT_TRUE(session.resultBoxes.empty()) << "a cancel ends without a message";
    EXPECT_FALSE(FileExists(target));
}

TEST(LibraryDialogs, AFileThatIsNoIconFailsTheLibraryAndKeepsTheOldOne)
{
    ASSERT_TRUE(WriteBytes(TestPath(L"good.ico"), PlainIcon(2, 16)));
    ASSERT_TRUE(WriteBytes(TestPath(L"bad.ico"), Bytes(50, 'b')));
    const std::wstring target = TestPath(L"kept.nil");
    const Bytes previous = {'o', 'l', 'd'};
    ASSERT_TRUE(WriteBytes(target, previous));
    CurrentFolder folder(TestFolder());
    DialogSession session;
    session.Run([&] {
        HWND open = WaitForOpenDialog();
        if (!open)
            return false;
        SendMessageW(Descendant(open, IDC_TARGET_PATH), WM_SETTEXT, 0, LPARAM(target.c_str()));
        ChooseFiles(open, L"\"good.ico\" \"bad.ico\"");
        return true;
    });
    ASSERT_EQ(session.errorBoxes.size(), 1u);
    EXPECT_EQ(session.errorBoxes[0].text, L"An error occurred during Library creation. Operation canceled.");
    EXPECT_EQ(session.errorBoxes[0].ownerTitle, L"Create Library") << "the progress dialog owns the worker's boxes";
    EXPECT_TRUE(session.resultBoxes.empty());
    EXPECT_EQ(ReadBytes(target), previous);
}

}  // namespace
