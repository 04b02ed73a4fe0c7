// The tool options bar (dialog 103) driven with real messages: its controls, the control set
// of every tool, the correction of numeric edits, the checkboxes, the text and the font.
#include <windows.h>

#include <commctrl.h>

#include <set>
#include <string>
#include <vector>

#include "toolbox/toolrack_fixture.h"

namespace {

constexpr UINT kToolChanged = WM_APP + 80;
constexpr UINT kApplyText = WM_APP + 86;
constexpr UINT kCopyText = WM_APP + 95;

enum Kind { kLabel, kEdit, kSpin, kCheck, kPush };

struct ControlCase {
    int id;
    Kind kind;
    const wchar_t* text;  // edits: the default value shown
};

const ControlCase kControls[] = {
    {1001, kLabel, nullptr},  // the title, checked per tool
    {1002, kEdit, L"0"}, {1003, kSpin, L""}, {1004, kCheck, L"Contiguous"},
    {1005, kLabel, L"Color Tolerance :"}, {1006, kLabel, L"Alpha Tolerance :"},
    {1007, kEdit, L"0"}, {1008, kSpin, L""},
    {1009, kLabel, L"Brush Size :"}, {1010, kEdit, L"1"}, {1011, kSpin, L""},
    {1012, kCheck, L"Antialiased"},
    {1013, kLabel, L"Brush Size :"}, {1014, kEdit, L"1"}, {1015, kSpin, L""},
    {1016, kCheck, L"Antialiased"},
    {1017, kLabel, L"Brush Size :"}, {1018, kEdit, L"1"}, {1019, kSpin, L""},
    {1020, kLabel, L"Font : Arial; Size : 10; Style : Regular"}, {1021, kPush, L"Choose Font"},
    {1022, kEdit, L""}, {1023, kPush, L"Apply"}, {1024, kCheck, L"Antialiased"},
    {1025, kLabel, L"Text :"},
    {1026, kLabel, L"Brush Size :"}, {1027, kEdit, L"1"}, {1028, kSpin, L""},
    {1029, kCheck, L"Antialiased"},
    {1030, kLabel, L"Brush Size :"}, {1031, kEdit, L"1"}, {1032, kSpin, L""},
    {1033, kCheck, L"Antialiased"}, {1034, kCheck, L"Vector Layer"},
    {1035, kCheck, L"Antialiased"}, {1036, kCheck, L"Vector Layer"},
    {1037, kLabel, L"Brush Size :"}, {1038, kEdit, L"1"}, {1039, kSpin, L""},
    {1040, kCheck, L"Round Rectangle"}, {1041, kLabel, L"Radius X :"}, {1042, kEdit, L"1"},
    {1043, kSpin, L""}, {1044, kLabel, L"Radius Y :"}, {1045, kEdit, L"1"}, {1046, kSpin, L""},
    {1047, kCheck, L"Antialiased"}, {1048, kCheck, L"Vector Layer"},
    {1049, kCheck, L"Round Rectangle"}, {1050, kLabel, L"Radius X :"}, {1051, kEdit, L"1"},
    {1052, kSpin, L""}, {1053, kLabel, L"Radius Y :"}, {1054, kEdit, L"1"}, {1055, kSpin, L""},
    {1056, kCheck, L"Antialiased"}, {1057, kCheck, L"Vector Layer"},
    {1058, kLabel, L"Brush Size :"}, {1059, kEdit, L"1"}, {1060, kSpin, L""},
    {1061, kCheck, L"Antialiased"}, {1062, kCheck, L"Vector Layer"},
    {1063, kCheck, L"Antialiased"}, {1064, kCheck, L"Vector Layer"},
    {1065, kLabel, L"Brush Size :"}, {1066, kEdit, L"1"}, {1067, kSpin, L""},
    {1068, kCheck, L"Antialiased"}, {1069, kCheck, L"Vector Layer"},
    {1070, kCheck, L"Antialiased"}, {1071, kCheck, L"Vector Layer"},
    {1072, kLabel, L"Brush Size :"}, {1073, kEdit, L"1"}, {1074, kSpin, L""},
};

using Field = int32_t ToolOptions::*;

struct NumericCase {
    int edit;
    int spin;
    Field field;
    int minimum;
    int maximum;
};

const NumericCase kNumerics[] = {
    {1002, 1003, &ToolOptions::wandColorTolerance, 0, 255},
    {1007, 1008, &ToolOptions::wandAlphaTolerance, 0, 255},
    {1010, 1011, &ToolOptions::penSize, 1, 50},
    {1014, 1015, &ToolOptions::eraserSize, 1, 50},
    {1018, 1019, &ToolOptions::blurSize, 1, 50},
    {1027, 1028, &ToolOptions::lineSize, 1, 50},
    {1031, 1032, &ToolOptions::ellipseSize, 1, 50},
    {1038, 1039, &ToolOptions::rectangleSize, 1, 50},
    {1042, 1043, &ToolOptions::rectangleRadiusX, 1, 100},
    {1045, 1046, &ToolOptions::rectangleRadiusY, 1, 100},
    {1051, 1052, &ToolOptions::filledRectangleRadiusX, 1, 100},
    {1054, 1055, &ToolOptions::filledRectangleRadiusY, 1, 100},
    {1059, 1060, &ToolOptions::polygonSize, 1, 50},
    {1066, 1067, &ToolOptions::customShapeSize, 1, 50},
    {1073, 1074, &ToolOptions::hollowTextSize, 1, 50},
};

struct CheckCase {
    int box;
    int tool;  // a tool that shows the box
    Field field;
    int initial;
};

const CheckCase kChecks[] = {
    {1004, 2, &ToolOptions::wandContiguous, 0},
    {1012, 3, &ToolOptions::penAntialiased, 1},
    {1024, 9, &ToolOptions::textAntialiased, 1},
    {1029, 18, &ToolOptions::lineAntialiased, 1},
    {1033, 10, &ToolOptions::ellipseAntialiased, 1},
    {1034, 10, &ToolOptions::ellipseVectorLayer, 1},
    {1035, 11, &ToolOptions::filledEllipseAntialiased, 1},
    {1036, 11, &ToolOptions::filledEllipseVectorLayer, 1},
    {1040, 12, &ToolOptions::rectangleRounded, 0},
    {1047, 12, &ToolOptions::rectangleAntialiased, 1},
    {1048, 12, &ToolOptions::rectangleVectorLayer, 1},
    {1049, 13, &ToolOptions::filledRectangleRounded, 0},
    {1056, 13, &ToolOptions::filledRectangleAntialiased, 1},
    {1057, 13, &ToolOptions::filledRectangleVectorLayer, 1},
    {1061, 14, &ToolOptions::polygonAntialiased, 1},
    {1062, 14, &ToolOptions::polygonVectorLayer, 1},
    {1063, 15, &ToolOptions::filledPolygonAntialiased, 1},
    {1064, 15, &ToolOptions::filledPolygonVectorLayer, 1},
    {1068, 16, &ToolOptions::customShapeAntialiased, 1},
    {1069, 16, &ToolOptions::customShapeVectorLayer, 1},
    {1070, 17, &ToolOptions::filledCustomShapeAntialiased, 1},
    {1071, 17, &ToolOptions::filledCustomShapeVectorLayer, 1},
};

struct ToolCase {
    const wchar_t* title;
    std::set<int> shown;
};

const std::set<int> kTextControls = {1020, 1021, 1022, 1023, 1024, 1025};

std::set<int> Join(std::set<int> a, const std::set<int>& b)
{
    a.insert(b.begin(), b.end());
    return a;
}

const ToolCase kTools[22] = {
    {L"Rectangular Selection Tool Options : There's no option available", {}},
    {L"Move Tool Options : There's no option available", {}},
    {L"Magic Wand Tool Options :", {1002, 1003, 1004, 1005, 1006, 1007, 1008}},
    {L"Pen Tool Options :", {1009, 1010, 1011, 1012}},
    {L"Eraser Tool Options :", {1013, 1014, 1015}},
    {L"Paint Bucket Tool Options : There's no option available", {}},
    {L"Gradient Tool Options : There's no option available", {}},
    {L"Blur Tool Options :", {1017, 1018, 1019}},
    {L"Hollow Text Tool Options :", Join({1072, 1073, 1074}, kTextControls)},
    {L"Filled Text Tool Options :", kTextControls},
    {L"Ellipse Tool Options :", {1030, 1031, 1032, 1033, 1034}},
    {L"Filled Ellipse Tool Options :", {1035, 1036}},
    {L"Rectangle Tool Options :",
     {1037, 1038, 1039, 1040, 1041, 1042, 1043, 1044, 1045, 1046, 1047, 1048}},
    {L"Filled Rectangle Tool Options :", {1049, 1050, 1051, 1052, 1053, 1054, 1055, 1056, 1057}},
    {L"Polygon Tool Options :", {1058, 1059, 1060, 1061, 1062}},
    {L"Filled Polygon Tool Options :", {1063, 1064}},
    {L"Custom Shape Tool Options :", {1065, 1066, 1067, 1068, 1069}},
    {L"Filled Custom Shape Tool Options :", {1070, 1071}},
    {L"Line Tool Options :", {1026, 1027, 1028, 1029}},
    {L"Color Picker Tool Options : There's no option available", {}},
    {L"Zoom-In Tool Options : There's no option available", {}},
    {L"Zoom-Out Tool Options : There's no option available", {}},
};

std::set<int> VisibleControls(HWND bar)
{
    std::set<int> shown;
    for (HWND child = GetWindow(bar, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child) && GetDlgCtrlID(child) != 1001)
            shown.insert(GetDlgCtrlID(child));
    return shown;
}

std::wstring ControlText(HWND bar, int id) { return WindowText(GetDlgItem(bar, id)); }

// Replaces an edit's text the way typing does: select everything and type the characters.
void Type(HWND bar, int id, const std::wstring& text)
{
    HWND edit = GetDlgItem(bar, id);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_CLEAR, 0, 0);
    for (wchar_t c : text)
        SendMessageW(edit, WM_CHAR, c, 1);
    PumpMessages();
}

const NumericCase& Numeric(int edit)
{
    for (const NumericCase& c : kNumerics)
        if (c.edit == edit)
            return c;
    return kNumerics[0];
}

}  // namespace

TEST(OptionsBarCreation, RefusesMissingParentOrContext)
{
    AppContext context{};
    EXPECT_EQ(TOOLRACKO_CreateWindow(nullptr, &context), nullptr);
    EXPECT_EQ(TOOLRACKO_CreateWindow(GetDesktopWindow(), nullptr), nullptr);
    EXPECT_EQ(context.toolOptions, nullptr);
}

TEST_F(ToolrackTest, OptionsStartWithTheirDefaults)
{
    const ToolOptions* options = context.toolOptions;
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->parent, parent);
    EXPECT_EQ(options->bar, bar);
    EXPECT_EQ(options->instance, GetModuleHandleW(L"toolrack.dll"));
    for (const NumericCase& c : kNumerics)
        EXPECT_EQ(options->*c.field, c.minimum) << "edit " << c.edit;
    for (const CheckCase& c : kChecks)
        EXPECT_EQ(options->*c.field, c.initial) << "box " << c.box;
    EXPECT_EQ(options->eraserAntialiased, 1);
    ASSERT_NE(options->text, nullptr);
    EXPECT_STREQ(options->text, L"");
    ASSERT_NE(options->textFontDescription, nullptr);
    EXPECT_STREQ(options->textFontDescription->lfFaceName, L"Arial");
    EXPECT_EQ(options->textFontDescription->lfWeight, FW_NORMAL);
    EXPECT_FALSE(options->textFontDescription->lfItalic);
    ASSERT_NE(options->textFont, nullptr);
    EXPECT_FLOAT_EQ(options->textFont->GetSize(), 10.0f);
    EXPECT_EQ(options->textFont->GetStyle(), Gdiplus::FontStyleRegular);
    EXPECT_EQ(options->textFont->GetUnit(), Gdiplus::UnitPoint);
}

TEST_F(ToolrackTest, OptionsRecordGoesIntoTheToolboxContext)
{
    AppContext other{};
    TOOLRACKO_DestroyWindow();
    context.toolOptions = nullptr;
    bar = TOOLRACKO_CreateWindow(parent, &other);
    ASSERT_NE(bar, nullptr);
    EXPECT_NE(context.toolOptions, nullptr);
    EXPECT_EQ(other.toolOptions, nullptr);
}

TEST_F(ToolrackTest, BarSpansTheTopOfTheMainWindow)
{
    EXPECT_EQ(GetParent(bar), parent);
    EXPECT_TRUE(IsWindowVisible(bar));
    EXPECT_TRUE(GetWindowLongW(bar, GWL_STYLE) & WS_CHILD);
    RECT rect;
    GetWindowRect(bar, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    RECT units = {0, 0, 540, 26};
    MapDialogRect(bar, &units);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, 1024);
    EXPECT_EQ(rect.bottom, units.bottom);
}

TEST_F(ToolrackTest, BarHoldsEveryControlWithItsTextAndRange)
{
    int children = 0;
    for (HWND child = GetWindow(bar, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ++children;
    EXPECT_EQ(children, 74);
    for (const ControlCase& c : kControls) {
        SCOPED_TRACE(testing::Message() << "control " << c.id);
        HWND control = GetDlgItem(bar, c.id);
        ASSERT_NE(control, nullptr);
        const LONG style = GetWindowLongW(control, GWL_STYLE);
        switch (c.kind) {
        case kLabel: EXPECT_EQ(ClassName(control), L"Static"); break;
        case kEdit: EXPECT_EQ(ClassName(control), L"Edit"); break;
        case kSpin: EXPECT_EQ(ClassName(control), UPDOWN_CLASSW); break;
        case kCheck: EXPECT_EQ(style & BS_TYPEMASK, BS_AUTOCHECKBOX); break;
        case kPush: EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON); break;
        }
        if (c.text) {
            EXPECT_EQ(WindowText(control), c.text);
        }
    }
    for (const NumericCase& c : kNumerics) {
        SCOPED_TRACE(testing::Message() << "edit " << c.edit);
        HWND edit = GetDlgItem(bar, c.edit);
        HWND spin = GetDlgItem(bar, c.spin);
        EXPECT_TRUE(GetWindowLongW(edit, GWL_STYLE) & ES_NUMBER);
        EXPECT_EQ(HWND(SendMessageW(spin, UDM_GETBUDDY, 0, 0)), edit);
        int low = -7, high = -7;
        SendMessageW(spin, UDM_GETRANGE32, WPARAM(&low), LPARAM(&high));
        EXPECT_EQ(low, c.minimum);
        EXPECT_EQ(high, c.maximum);
        EXPECT_EQ(SendMessageW(spin, UDM_GETPOS32, 0, 0), c.minimum);
        const LONG spinStyle = GetWindowLongW(spin, GWL_STYLE);
        for (LONG flag : {UDS_AUTOBUDDY, UDS_ALIGNRIGHT, UDS_SETBUDDYINT, UDS_NOTHOUSANDS, UDS_ARROWKEYS})
            EXPECT_TRUE(spinStyle & flag) << flag;
    }
    EXPECT_FALSE(GetWindowLongW(GetDlgItem(bar, 1022), GWL_STYLE) & ES_NUMBER);
}

TEST_F(ToolrackTest, EachToolShowsItsTitleAndControlSet)
{
    EXPECT_EQ(ControlText(bar, 1001), kTools[0].title);
    EXPECT_TRUE(VisibleControls(bar).empty());
    RECT client;
    GetClientRect(bar, &client);
    // Every tool in turn, then back through them in reverse, so that each set is also
    // replaced by sets other than its neighbour's.
    std::vector<int> order;
    for (int tool = 0; tool < 22; ++tool)
        order.push_back(tool);
    for (int tool = 21; tool >= 0; tool -= 3)
        order.push_back(tool);
    int previous = 0;
    for (int tool : order) {
        SCOPED_TRACE(testing::Message() << "tool " << tool << " after " << previous);
        SendMessageW(bar, kToolChanged, tool, previous);
        EXPECT_EQ(ControlText(bar, 1001), kTools[tool].title);
        const std::set<int> shown = VisibleControls(bar);
        EXPECT_EQ(shown, kTools[tool].shown);
        // The shown controls sit side by side on the second line, inside the bar.
        std::vector<std::pair<int, RECT>> placed;
        for (int id : shown) {
            RECT r;
            GetWindowRect(GetDlgItem(bar, id), &r);
            MapWindowPoints(nullptr, bar, reinterpret_cast<POINT*>(&r), 2);
            EXPECT_GE(r.left, 0) << id;
            EXPECT_LE(r.right, client.right) << id;
            EXPECT_LE(r.bottom, client.bottom) << id;
            // A spin may overlap the border of its own edit, nothing else.
            HWND buddy = HWND(SendMessageW(GetDlgItem(bar, id), UDM_GETBUDDY, 0, 0));
            for (const auto& [otherId, other] : placed) {
                RECT overlap;
                if (GetDlgItem(bar, otherId) == buddy)
                    continue;
                EXPECT_FALSE(IntersectRect(&overlap, &r, &other)) << id << " and " << otherId;
            }
            placed.push_back({id, r});
        }
        previous = tool;
    }
}

TEST_F(ToolrackTest, ToolNumbersOutsideTheToolsChangeNothing)
{
    SendMessageW(bar, kToolChanged, 12, 0);
    const std::set<int> shown = VisibleControls(bar);
    for (WPARAM tool : {WPARAM(22), WPARAM(-1)}) {
        SendMessageW(bar, kToolChanged, tool, 12);
        EXPECT_EQ(ControlText(bar, 1001), L"Rectangle Tool Options :");
        EXPECT_EQ(VisibleControls(bar), shown);
    }
}

TEST_F(ToolrackTest, TypedNumbersAreCorrectedIntoTheirRange)
{
    struct Case {
        int tool;
        int edit;
        const wchar_t* typed;
        int stored;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {2, 1002, L"300", 255, L"255"},  {2, 1002, L"", 0, L"0"},   {2, 1007, L"128", 128, L"128"},
        {2, 1007, L"256", 255, L"255"},  {3, 1010, L"", 1, L"1"},   {3, 1010, L"50", 50, L"50"},
        {3, 1010, L"51", 50, L"50"},     {4, 1014, L"0", 1, L"1"},  {7, 1018, L"07", 7, L"07"},
        {18, 1027, L"99999999999", 50, L"50"}, {10, 1031, L"12", 12, L"12"},
        {12, 1038, L"0", 1, L"1"},       {12, 1042, L"0", 1, L"1"}, {12, 1045, L"101", 100, L"100"},
        {13, 1051, L"", 1, L"1"},        {13, 1054, L"100", 100, L"100"},
        {14, 1059, L"60", 50, L"50"},    {16, 1066, L"25", 25, L"25"},
        {8, 1073, L"400", 50, L"50"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "edit " << c.edit << " typed \""
                                        << std::string(c.typed, c.typed + wcslen(c.typed)) << "\"");
        SendMessageW(bar, kToolChanged, c.tool, 0);
        Type(bar, c.edit, c.typed);
        const NumericCase& numeric = Numeric(c.edit);
        EXPECT_EQ(context.toolOptions->*numeric.field, c.stored);
        EXPECT_EQ(ControlText(bar, c.edit), c.shown);
        EXPECT_EQ(SendMessageW(GetDlgItem(bar, numeric.spin), UDM_GETPOS32, 0, 0), c.stored);
    }
}

TEST_F(ToolrackTest, TypingGoesOnAfterACorrectedValue)
{
    SendMessageW(bar, kToolChanged, 2, 0);
    Type(bar, 1002, L"");  // becomes "0"
    HWND edit = GetDlgItem(bar, 1002);
    SendMessageW(edit, WM_CHAR, L'7', 1);
    PumpMessages();
    EXPECT_EQ(ControlText(bar, 1002), L"07");
    EXPECT_EQ(context.toolOptions->wandColorTolerance, 7);
}

TEST_F(ToolrackTest, PastedTextThatIsNoNumberGivesTheLowestValue)
{
    SendMessageW(bar, kToolChanged, 3, 0);
    SetDlgItemTextW(bar, 1010, L"12a");  // the edit refuses such typing, not such setting
    PumpMessages();
    EXPECT_EQ(context.toolOptions->penSize, 1);
    EXPECT_EQ(ControlText(bar, 1010), L"1");
}

TEST_F(ToolrackTest, SpinArrowsStepTheValueWithinItsRange)
{
    SendMessageW(bar, kToolChanged, 3, 0);
    HWND spin = GetDlgItem(bar, 1011);
    SetFocus(GetDlgItem(bar, 1010));
    SendMessageW(spin, UDM_SETPOS32, 0, 49);
    PumpMessages();
    EXPECT_EQ(context.toolOptions->penSize, 49);
    EXPECT_EQ(ControlText(bar, 1010), L"49");
}

TEST_F(ToolrackTest, CheckboxClicksStoreTheirState)
{
    for (const CheckCase& c : kChecks) {
        SCOPED_TRACE(testing::Message() << "box " << c.box);
        SendMessageW(bar, kToolChanged, c.tool, 0);
        HWND box = GetDlgItem(bar, c.box);
        EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), c.initial ? BST_CHECKED : BST_UNCHECKED);
        SendMessageW(box, BM_CLICK, 0, 0);
        EXPECT_EQ(context.toolOptions->*c.field, 1 - c.initial);
        SendMessageW(box, BM_CLICK, 0, 0);
        EXPECT_EQ(context.toolOptions->*c.field, c.initial);
    }
}

TEST_F(ToolrackTest, RoundRectangleEnablesOnlyItsOwnRadii)
{
    auto enabled = [&](int first, int last) {
        int count = 0;
        for (int id = first; id <= last; ++id)
            count += IsWindowEnabled(GetDlgItem(bar, id)) ? 1 : 0;
        return count;
    };
    EXPECT_EQ(enabled(1041, 1046), 0);
    EXPECT_EQ(enabled(1050, 1055), 0);
    SendMessageW(bar, kToolChanged, 12, 0);
    SendMessageW(GetDlgItem(bar, 1040), BM_CLICK, 0, 0);
    EXPECT_EQ(enabled(1041, 1046), 6);
    EXPECT_EQ(enabled(1050, 1055), 0);
    SendMessageW(bar, kToolChanged, 13, 12);
    SendMessageW(GetDlgItem(bar, 1049), BM_CLICK, 0, 0);
    EXPECT_EQ(enabled(1050, 1055), 6);
    SendMessageW(bar, kToolChanged, 12, 13);
    SendMessageW(GetDlgItem(bar, 1040), BM_CLICK, 0, 0);
    EXPECT_EQ(enabled(1041, 1046), 0);
    EXPECT_EQ(enabled(1050, 1055), 6);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(bar, 1038))) << "the brush size stays usable";
}

TEST_F(ToolrackTest, TypedTextReachesTheToolsOnlyWhenPlacedOrApplied)
{
    SendMessageW(bar, kToolChanged, 9, 0);
    Type(bar, 1022, L"Hello");
    EXPECT_STREQ(context.toolOptions->text, L"");
    SendMessageW(GetDlgItem(bar, 1023), BM_CLICK, 0, 0);
    auto messages = TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].message, kApplyText);
    EXPECT_EQ(messages[0].optionsText, L"Hello") << "copied before the main window hears of it";
    EXPECT_STREQ(context.toolOptions->text, L"Hello");

    Type(bar, 1022, L"World");
    SendMessageW(bar, kCopyText, 0, 0);
    EXPECT_STREQ(context.toolOptions->text, L"World");
    EXPECT_TRUE(TakeMessages().empty()) << "the editing area's request is not relayed";
}

TEST_F(ToolrackTest, LongTextIsCutAt511Units)
{
    const std::wstring longText(600, L'x');
    SetDlgItemTextW(bar, 1022, longText.c_str());
    SendMessageW(bar, kCopyText, 0, 0);
    EXPECT_EQ(std::wstring(context.toolOptions->text), std::wstring(511, L'x'));
}

namespace {

// Answers the font dialog the moment it opens.
HHOOK gFontHook = nullptr;
int gFontAnswer = IDOK;
int gFontDialogs = 0;

LRESULT CALLBACK AnswerFontDialog(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && ClassName(HWND(wParam)) == L"#32770") {
        ++gFontDialogs;
        PostMessageW(HWND(wParam), WM_COMMAND, gFontAnswer, 0);
    }
    return CallNextHookEx(gFontHook, code, wParam, lParam);
}

void PressChooseFont(HWND bar, int answer)
{
    gFontAnswer = answer;
    gFontDialogs = 0;
    gFontHook = SetWindowsHookExW(WH_CBT, AnswerFontDialog, nullptr, GetCurrentThreadId());
    SendMessageW(GetDlgItem(bar, 1021), BM_CLICK, 0, 0);
    UnhookWindowsHookEx(gFontHook);
    gFontHook = nullptr;
}

}  // namespace

TEST_F(ToolrackTest, ChosenFontNamesFaceSizeAndStyle)
{
    SendMessageW(bar, kToolChanged, 9, 0);
    ToolOptions* options = context.toolOptions;
    // The dialog starts from the stored description; OK takes what it shows.
    HDC screen = GetDC(nullptr);
    options->textFontDescription->lfHeight = -MulDiv(12, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    options->textFontDescription->lfWeight = FW_BOLD;
    options->textFontDescription->lfItalic = TRUE;
    PressChooseFont(bar, IDOK);
    ASSERT_EQ(gFontDialogs, 1);
    EXPECT_EQ(ControlText(bar, 1020), L"Font : Arial; Size : 12; Style : Bold Italic");
    ASSERT_NE(options->textFont, nullptr);
    EXPECT_FLOAT_EQ(options->textFont->GetSize(), 12.0f);
    EXPECT_EQ(options->textFont->GetStyle(), Gdiplus::FontStyleBoldItalic);
}

TEST_F(ToolrackTest, CancelledFontDialogChangesNothing)
{
    SendMessageW(bar, kToolChanged, 8, 0);
    ToolOptions* options = context.toolOptions;
    const Gdiplus::Font* before = options->textFont;
    PressChooseFont(bar, IDCANCEL);
    ASSERT_EQ(gFontDialogs, 1);
    EXPECT_EQ(options->textFont, before);
    EXPECT_EQ(ControlText(bar, 1020), L"Font : Arial; Size : 10; Style : Regular");
}

TEST_F(ToolrackTest, DestroyingTheBarKeepsTheRecordReadable)
{
    ToolOptions* options = context.toolOptions;
    TOOLRACKO_DestroyWindow();
    EXPECT_FALSE(IsWindow(bar));
    EXPECT_EQ(context.toolOptions, options);
    EXPECT_EQ(options->bar, nullptr);
    EXPECT_EQ(options->textFont, nullptr);
    EXPECT_EQ(options->penSize, 1);
}
