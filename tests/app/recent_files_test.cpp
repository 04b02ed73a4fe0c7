// The recent-files list: its order, its letter case, the registry and the File menu.
#include <gtest/gtest.h>

#include <cwctype>

#include "common/message_box_recorder.h"
#include "file_commands.h"
#include "file_test_documents.h"
#include "harness/test_files.h"
#include "recent_files.h"
#include "shell_session.h"
#include "shell_state.h"

namespace {

// The recent-file items of the File menu, in order, as (id, text).
std::vector<std::pair<UINT, std::wstring>> RecentItems(HWND window)
{
    std::vector<std::pair<UINT, std::wstring>> items;
    HMENU file = GetSubMenu(GetMenu(window), 0);
    for (int i = 0; i < GetMenuItemCount(file); i++) {
        const UINT id = GetMenuItemID(file, i);
        if (id < 32784 || id > 32787)
            continue;
        wchar_t text[MAX_PATH] = {};
        GetMenuStringW(file, UINT(i), text, MAX_PATH, MF_BYPOSITION);
        items.push_back({id, text});
    }
    return items;
}

std::vector<std::pair<UINT, std::wstring>> Numbered(const std::vector<std::wstring>& paths)
{
    std::vector<std::pair<UINT, std::wstring>> items;
    for (size_t i = 0; i < paths.size(); i++)
        items.push_back({UINT(32784 + i), paths[i]});
    return items;
}

std::wstring Upper(std::wstring text)
{
    for (wchar_t& c : text)
        c = wchar_t(std::towupper(c));
    return text;
}

std::wstring Lower(std::wstring text)
{
    for (wchar_t& c : text)
        c = wchar_t(std::towlower(c));
    return text;
}

class RecentFiles : public testing::Test {
protected:
    void SetUp() override
    {
        for (const wchar_t* name : {L"A.ico", L"B.ico", L"C.ico", L"D.ico", L"E.ico"})
            paths_.push_back(WriteTestIcon(name, 16));
    }
    void TearDown() override { RemoveRegistryRecentFiles(); }
    const std::wstring& P(char letter) const { return paths_[size_t(letter - 'A')]; }

    std::vector<std::wstring> paths_;
};

}  // namespace

TEST(RecentFileOrder, OpenedPathComesFirstWithoutRepeatsAndAtMostFour)
{
    const struct {
        std::vector<std::wstring> before;
        std::wstring opened;
        std::vector<std::wstring> after;
    } cases[] = {
        {{L"A", L"B", L"C", L"D"}, L"B", {L"B", L"A", L"C", L"D"}},
        {{L"A", L"B", L"C", L"D"}, L"E", {L"E", L"A", L"B", L"C"}},
        {{L"A", L"B", L"C", L"D"}, L"D", {L"D", L"A", L"B", L"C"}},
        {{L"c:\\x\\a.ico", L"B"}, L"C:\\X\\A.ico", {L"C:\\X\\A.ico", L"B"}},
        {{}, L"A", {L"A"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.opened));
        EXPECT_EQ(PutFirst(c.before, c.opened), c.after);
    }
}

TEST(RecentFileOrder, PathInCapitalsBecomesLowerCase)
{
    // The platform's rule keeps the drive letter as it is.
    EXPECT_EQ(PrettyPath(L"C:\\ICONS\\LOGO.ICO"), L"C:\\icons\\logo.ico");
    EXPECT_EQ(PrettyPath(L"C:\\Icons\\LOGO.ICO"), L"C:\\Icons\\LOGO.ICO") << "mixed case stays";
}

TEST_F(RecentFiles, OpensReorderTheRegistryAndTheMenu)
{
    SetRegistryRecentFiles({P('A'), P('B'), P('C'), P('D')});
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(RecentItems(window), Numbered({P('A'), P('B'), P('C'), P('D')})) << "read at start-up";
    HMENU file = GetSubMenu(GetMenu(window), 0);
    EXPECT_EQ(GetMenuState(file, 16, MF_BYPOSITION) & MF_SEPARATOR, UINT(MF_SEPARATOR));
    EXPECT_EQ(GetMenuItemID(file, 17), 32784u);
    const struct {
        char opened;
        std::vector<char> after;
    } steps[] = {
        {'B', {'B', 'A', 'C', 'D'}},
        {'E', {'E', 'B', 'A', 'C'}},
        {'C', {'C', 'E', 'B', 'A'}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.opened);
        ASSERT_TRUE(OpenDocument(CurrentShell(), DocumentKind::Icon, P(step.opened).c_str()));
        std::vector<std::wstring> expected;
        for (char letter : step.after)
            expected.push_back(P(letter));
        EXPECT_EQ(ReadRecentFilesFromRegistry(), expected);
        EXPECT_EQ(RecentItems(window), Numbered(expected));
        EXPECT_EQ(GetMenuItemCount(file), 18 + 5) << "one separator and four items, never twice";
    }
    StopShell();
}

TEST_F(RecentFiles, PathInCapitalsIsListedInLowerCase)
{
    SetRegistryRecentFiles({});
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(RecentItems(window).empty()) << "an empty list shows nothing";
    const std::wstring capitals = Upper(P('A'));
    ASSERT_TRUE(OpenDocument(CurrentShell(), DocumentKind::Icon, capitals.c_str()));
    const std::wstring expected = capitals.substr(0, 1) + Lower(capitals.substr(1));
    EXPECT_EQ(ReadRecentFilesFromRegistry(), std::vector<std::wstring>{expected});
    EXPECT_EQ(RecentItems(window), Numbered({expected}));
    StopShell();
}

TEST_F(RecentFiles, ItemOpensThePathItShowsEvenWhenTheRegistryDiffers)
{
    SetRegistryRecentFiles({P('A'), P('B')});
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    SetRegistryRecentFiles({P('C'), P('D')});  // changed behind the menu's back
    SendMessageW(window, WM_COMMAND, 32785, 0);
    EXPECT_EQ(WindowText(window), L"Vexil 1.0 - " + P('B'));
    StopShell();

    // Without the key nothing can be stored, but the session keeps and shows its list.
    RemoveRegistryRecentFiles();
    window = StartShell();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(OpenDocument(CurrentShell(), DocumentKind::Icon, P('D').c_str()));
    ASSERT_TRUE(OpenDocument(CurrentShell(), DocumentKind::Icon, P('E').c_str()));
    EXPECT_EQ(RecentItems(window), Numbered({P('E'), P('D')}));
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Vexil\\Most Recent", 0, KEY_READ, &key), ERROR_SUCCESS)
        << "the key is never created";
    SendMessageW(window, WM_COMMAND, 32785, 0);
    EXPECT_EQ(WindowText(window), L"Vexil 1.0 - " + P('D'));
    StopShell();
}

TEST_F(RecentFiles, MissingFileIsReportedAndChangesNothing)
{
    const std::wstring gone = TestPath(L"gone.ico");
    SetRegistryRecentFiles({gone});
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    MessageBoxRecorder recorder;
    SendMessageW(window, WM_COMMAND, 32784, 0);
    ASSERT_EQ(recorder.boxes().size(), 1u);
    EXPECT_EQ(recorder.boxes()[0].text, L"File access error!\n\nThe requested file couldn't be found. ");
    EXPECT_EQ(recorder.boxes()[0].caption, L"Vexil 1.0");
    EXPECT_TRUE(recorder.boxes()[0].errorIcon);
    EXPECT_EQ(WindowText(window), L"Vexil 1.0 - New Project");
    StopShell();
}
