// The color picker panel driven with real control messages: creation, channels, palette
// snapping, number boxes, the preview square, depth changes, picked colors and the
// gradient settings.
#include <windows.h>

#include <commctrl.h>

#include "colorpicker/swatch_fixture.h"
#include "common/messages.h"

namespace {

// Points of the panel, from its layout.
constexpr POINT kOnPrimary = {20, 38};
constexpr POINT kOnSecondary = {36, 60};
constexpr POINT kOnSwap = {14, 59};

bool Checked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

}  // namespace

TEST(SwatchCreation, RefusesMissingParentOrContext)
{
    AppContext context{};
    EXPECT_EQ(CreateCPWindow(nullptr, 0, 0, &context), nullptr);
    EXPECT_EQ(CreateCPWindow(GetDesktopWindow(), 0, 0, nullptr), nullptr);
    DestroyCPWindow();  // nothing to destroy: must not fail
}

TEST_F(SwatchTest, OpensAsAVisibleChildWithItsInitialSettings)
{
    EXPECT_EQ(ClassName(panel), L"Color Palette");
    EXPECT_EQ(GetParent(panel), parent);
    EXPECT_TRUE(IsWindowVisible(panel));
    RECT rect;
    GetWindowRect(panel, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.right - rect.left, 200);
    EXPECT_EQ(rect.bottom - rect.top, 325);

    EXPECT_EQ(brush.primaryColor, 0xFF000000u);
    EXPECT_EQ(brush.secondaryColor, 0xFFFFFFFFu);
    EXPECT_EQ(brush.useGradient, 0u);
    EXPECT_EQ(brush.gradientKind, 1u);
    EXPECT_FLOAT_EQ(brush.linearAngle, 360.0f);
    EXPECT_EQ(brush.centerX, 50);
    EXPECT_EQ(brush.centerY, 50);
    EXPECT_EQ(brush.bellBlend, 1u);
    EXPECT_FLOAT_EQ(brush.blendFocus, 0.0f);
    EXPECT_FLOAT_EQ(brush.blendScale, 100.0f);
    EXPECT_FLOAT_EQ(brush.blendFactor, 0.0f);
    EXPECT_FLOAT_EQ(brush.blendPosition, 0.0f);

    const struct {
        int id;
        const wchar_t* text;
    } boxes[] = {{IDC_RED_BOX, L"0"}, {IDC_GREEN_BOX, L"0"}, {IDC_BLUE_BOX, L"0"}, {IDC_ALPHA_BOX, L"255"}};
    for (const auto& box : boxes) {
        EXPECT_EQ(BoxText(box.id), box.text) << box.id;
        EXPECT_EQ(SendMessageW(Control(box.id), EM_GETLIMITTEXT, 0, 0), 3) << box.id;
        EXPECT_TRUE(GetWindowLongW(Control(box.id), GWL_STYLE) & ES_NUMBER) << box.id;
    }
    const struct {
        int id, top, position;
    } sliders[] = {{1000, 255, 0},   {1001, 255, 0},   {1002, 255, 0},  {1003, 255, 255},
                   {1014, 100, 0},   {1015, 100, 100}, {1016, 100, 0},  {1017, 100, 0}};
    for (const auto& slider : sliders) {
        EXPECT_EQ(ClassName(Control(slider.id)), TRACKBAR_CLASSW) << slider.id;
        EXPECT_EQ(SendMessageW(Control(slider.id), TBM_GETRANGEMAX, 0, 0), slider.top) << slider.id;
        EXPECT_EQ(SliderPosition(slider.id), slider.position) << slider.id;
    }
    EXPECT_FALSE(Checked(Control(IDC_USE_GRADIENT)));
    EXPECT_TRUE(Checked(Control(IDC_LINEAR)));
    EXPECT_FALSE(Checked(Control(IDC_RADIAL)));
    EXPECT_TRUE(Checked(Control(IDC_BELL_BLEND)));
    EXPECT_FALSE(Checked(Control(IDC_FACTOR_BLEND)));
}

TEST_F(SwatchTest, ChannelsSnapToThePaletteOfTheImageDepth)
{
    // Nearest entries worked out from the shared palettes: (200, 0, 0) is closest to
    // CC0000 of the 256 colors, FF0000 of the 16 and black of the 2; the strip's pixel at
    // (0, 9) is (255, 11, 11), closest to FF0000.
    const struct {
        int depth;
        bool fromStrip;
        uint32_t primary;
    } cases[] = {
        {8, false, 0xFFCC0000}, {4, false, 0xFFFF0000}, {1, false, 0xFF000000},
        {24, false, 0xFFC80000}, {32, false, 0xFFC80000}, {8, true, 0xFFFF0000},
        {32, true, 0xFFFF0B0B},
    };
    for (const auto& c : cases) {
        Recreate();
        SynchronizeDepth(c.depth);
        if (c.fromStrip)
            Click(10, 99);
        else
            DragSlider(IDC_RED_SLIDER, 200);
        EXPECT_EQ(brush.primaryColor, c.primary) << c.depth << (c.fromStrip ? " strip" : " slider");
        EXPECT_EQ(brush.secondaryColor, 0xFFFFFFFFu) << c.depth;
        if (!c.fromStrip) {
            EXPECT_EQ(BoxText(IDC_RED_BOX), L"200") << "the box shows the slider, not the snapped color";
        }
    }
}

TEST_F(SwatchTest, PaletteStripGivesOpaqueColorsOfItsPicture)
{
    SetSelColor(0x40102030);  // half transparent: the strip's colors are opaque
    const struct {
        int x, y;
        uint32_t color;
    } cases[] = {{185, 90, 0xFFFFFFFF}, {185, 109, 0xFF000000}, {10, 99, 0xFFFF0B0B}};
    for (const auto& c : cases) {
        Click(c.x, c.y);
        EXPECT_EQ(brush.primaryColor, c.color) << c.x << ", " << c.y;
        EXPECT_EQ(BoxText(IDC_ALPHA_BOX), L"255");
    }
}

TEST_F(SwatchTest, NumberBoxesClampRestoreAndMoveTheirSliders)
{
    const struct {
        int box;
        const wchar_t* typed;
        const wchar_t* shown;
        int slider;  // position of the box's slider afterwards
        uint32_t primary;
    } steps[] = {
        {IDC_RED_BOX, L"999", L"255", 255, 0xFFFF0000},
        {IDC_RED_BOX, L"17", L"17", 17, 0xFF110000},
        {IDC_RED_BOX, L"", L"17", 17, 0xFF110000},     // emptied: the previous number comes back
        {IDC_GREEN_BOX, L"300", L"255", 255, 0xFF11FF00},
        {IDC_BLUE_BOX, L"7", L"7", 7, 0xFF11FF07},
        {IDC_ALPHA_BOX, L"128", L"128", 128, 0x8011FF07},
        {IDC_ALPHA_BOX, L"", L"128", 128, 0x8011FF07},
    };
    for (const auto& s : steps) {
        TypeIntoBox(s.box, s.typed);
        EXPECT_EQ(BoxText(s.box), s.shown) << s.box << " typed " << testing::PrintToString(s.typed);
        EXPECT_EQ(SliderPosition(s.box - 4), s.slider) << s.box;
        EXPECT_EQ(brush.primaryColor, s.primary) << s.box << " typed " << testing::PrintToString(s.typed);
    }
}

TEST_F(SwatchTest, SliderMovesRewriteOnlyTheirOwnBox)
{
    DragSlider(1001, 90);
    EXPECT_EQ(BoxText(IDC_GREEN_BOX), L"90");
    EXPECT_EQ(BoxText(IDC_RED_BOX), L"0");
    EXPECT_EQ(brush.primaryColor, 0xFF005A00u);
    DragSlider(IDC_ALPHA_SLIDER, 0);
    EXPECT_EQ(BoxText(IDC_ALPHA_BOX), L"0");
    EXPECT_EQ(brush.primaryColor, 0x00005A00u);
}

TEST_F(SwatchTest, MouseWheelOverABoxStepsItsValue)
{
    const struct {
        int box;
        int delta;
        const wchar_t* shown;
        uint32_t primary;
    } steps[] = {
        {IDC_RED_BOX, 240, L"2", 0xFF020000},
        {IDC_RED_BOX, -120, L"1", 0xFF010000},
        {IDC_RED_BOX, -600, L"0", 0xFF000000},
        {IDC_ALPHA_BOX, 120, L"255", 0xFF000000},
        {IDC_ALPHA_BOX, -1200, L"245", 0xF5000000},
    };
    for (const auto& s : steps) {
        SendMessageW(Control(s.box), WM_MOUSEWHEEL, MAKEWPARAM(0, s.delta), MAKELPARAM(170, 30));
        PumpMessages();
        EXPECT_EQ(BoxText(s.box), s.shown) << s.box << " by " << s.delta;
        EXPECT_EQ(brush.primaryColor, s.primary) << s.box << " by " << s.delta;
    }
}

TEST_F(SwatchTest, PreviewClicksSetTheCenterAndTheAngle)
{
    // Angles: 360 - atan2(26 - ry, rx - 26) * 57.32, worked out by hand.
    const struct {
        int x, y;
        int centerX, centerY;
        float angle;
    } cases[] = {
        {187, 182, 100, 100, 405.01903f},
        {135, 130, 0, 0, 224.94293f},
        {161, 156, 50, 50, 360.0f},
        {187, 156, 100, 50, 360.0f},
        {161, 130, 50, 0, 269.96196f},
        {134, 130, 50, 0, 269.96196f},  // outside the square: nothing changes
        {161, 183, 50, 0, 269.96196f},
    };
    for (const auto& c : cases) {
        Click(c.x, c.y);
        EXPECT_EQ(brush.centerX, c.centerX) << c.x << ", " << c.y;
        EXPECT_EQ(brush.centerY, c.centerY) << c.x << ", " << c.y;
        EXPECT_NEAR(brush.linearAngle, c.angle, 0.005f) << c.x << ", " << c.y;
        UpdateWindow(panel);  // painting writes the same angle again
        EXPECT_NEAR(brush.linearAngle, c.angle, 0.005f) << c.x << ", " << c.y << " painted";
    }
    // Dragging with the button held moves the point too.
    SendMessageW(panel, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(187, 156));
    EXPECT_EQ(brush.centerX, 100);
    EXPECT_EQ(brush.centerY, 50);
    EXPECT_FLOAT_EQ(brush.linearAngle, 360.0f);
    SendMessageW(panel, WM_MOUSEMOVE, 0, MAKELPARAM(161, 130));  // no button: no change
    EXPECT_EQ(brush.centerY, 50);
}

TEST_F(SwatchTest, TheAngleIsKeptWhileTheKindIsRadial)
{
    SendMessageW(Control(IDC_RADIAL), BM_CLICK, 0, 0);
    PumpMessages();
    EXPECT_EQ(brush.gradientKind, 2u);
    EXPECT_TRUE(Checked(Control(IDC_RADIAL)));
    EXPECT_FALSE(Checked(Control(IDC_LINEAR)));
    Click(161, 130);
    UpdateWindow(panel);
    EXPECT_FLOAT_EQ(brush.linearAngle, 360.0f);
    EXPECT_EQ(brush.centerY, 0);
    SendMessageW(Control(IDC_LINEAR), BM_CLICK, 0, 0);
    PumpMessages();
    EXPECT_EQ(brush.gradientKind, 1u);
    EXPECT_NEAR(brush.linearAngle, 269.96f, 0.005f);
}

TEST_F(SwatchTest, DepthChangesSnapOrOpaqueTheSwatchesAndSetTheControls)
{
    // 0x80C80000 is half-transparent (200, 0, 0); 0x101010 is nearest to 111111 of the
    // 256 colors and to black of the 16 and 2.
    const struct {
        int depth;
        uint32_t primary, secondary;
        bool alpha, gradient;
        const wchar_t* redBox;
        const wchar_t* alphaBox;
    } cases[] = {
        {8, 0xFFCC0000, 0xFF111111, false, false, L"204", L"255"},
        {4, 0xFFFF0000, 0xFF000000, false, false, L"255", L"255"},
        {1, 0xFF000000, 0xFF000000, false, false, L"0", L"255"},
        {24, 0xFFC80000, 0xFF101010, false, true, L"200", L"255"},
        {32, 0x80C80000, 0x80101010, true, true, L"200", L"128"},
        {16, 0x80C80000, 0x80101010, true, true, L"200", L"128"},  // unknown: controls stay
    };
    for (const auto& c : cases) {
        Recreate();
        SendMessageW(panel, kColorPickerGradient, 1, 0);
        Click(kOnSecondary.x, kOnSecondary.y);
        SetSelColor(0x80101010);
        Click(kOnPrimary.x, kOnPrimary.y);
        SetSelColor(0x80C80000);
        SynchronizeDepth(c.depth);
        EXPECT_EQ(brush.primaryColor, c.primary) << c.depth;
        EXPECT_EQ(brush.secondaryColor, c.secondary) << c.depth;
        EXPECT_EQ(IsWindowEnabled(Control(IDC_ALPHA_SLIDER)) != FALSE, c.alpha) << c.depth;
        EXPECT_EQ(IsWindowEnabled(Control(IDC_ALPHA_BOX)) != FALSE, c.alpha) << c.depth;
        EXPECT_EQ(IsWindowEnabled(Control(IDC_USE_GRADIENT)) != FALSE, c.gradient) << c.depth;
        EXPECT_EQ(Checked(Control(IDC_USE_GRADIENT)), c.depth > 8) << c.depth;
        EXPECT_EQ(brush.useGradient, c.depth > 8 ? 1u : 0u) << c.depth;
        EXPECT_EQ(BoxText(IDC_RED_BOX), c.redBox) << c.depth;
        EXPECT_EQ(BoxText(IDC_ALPHA_BOX), c.alphaBox) << c.depth;
    }
}

TEST_F(SwatchTest, ThirtyTwoToEightBitsAndBackReenablesTheControls)
{
    SynchronizeDepth(8);
    SynchronizeDepth(32);
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_ALPHA_SLIDER)));
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_ALPHA_BOX)));
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_USE_GRADIENT)));
    EXPECT_FALSE(Checked(Control(IDC_USE_GRADIENT)));
}

TEST_F(SwatchTest, PickedColorsLandInTheSelectedSwatch)
{
    const struct {
        int depth;
        bool secondary;
        uint32_t picked;
        uint32_t primary, secondaryColor;
        const wchar_t* redBox;
        const wchar_t* alphaBox;
    } cases[] = {
        {32, false, 0x80336699, 0x80336699, 0xFFFFFFFF, L"51", L"128"},
        {24, false, 0x80336699, 0xFF336699, 0xFFFFFFFF, L"51", L"255"},
        {32, true, 0x80336699, 0xFF000000, 0x80336699, L"51", L"128"},
        // Picked colors are taken as they are, without palette snapping.
        {8, false, 0xFF123456, 0xFF123456, 0xFFFFFFFF, L"18", L"255"},
    };
    for (const auto& c : cases) {
        Recreate();
        SynchronizeDepth(c.depth);
        if (c.secondary)
            Click(kOnSecondary.x, kOnSecondary.y);
        SetSelColor(c.picked);
        EXPECT_EQ(brush.primaryColor, c.primary) << c.depth << " " << c.secondary;
        EXPECT_EQ(brush.secondaryColor, c.secondaryColor) << c.depth << " " << c.secondary;
        EXPECT_EQ(BoxText(IDC_ALPHA_BOX), c.alphaBox) << c.depth << " " << c.secondary;
        EXPECT_EQ(BoxText(IDC_RED_BOX), c.redBox) << c.depth;
        EXPECT_EQ(SliderPosition(1000), _wtoi(c.redBox)) << c.depth;
    }
}

TEST_F(SwatchTest, SwapExchangesTheColorsAndReloadsTheControls)
{
    SetSelColor(0x80336699);
    Click(kOnSwap.x, kOnSwap.y);
    EXPECT_EQ(brush.primaryColor, 0xFFFFFFFFu);
    EXPECT_EQ(brush.secondaryColor, 0x80336699u);
    EXPECT_EQ(BoxText(IDC_RED_BOX), L"255");
    EXPECT_EQ(BoxText(IDC_ALPHA_BOX), L"255");
    // The sliders now edit the secondary.
    Click(kOnSecondary.x, kOnSecondary.y);
    EXPECT_EQ(BoxText(IDC_RED_BOX), L"51");
    DragSlider(IDC_RED_SLIDER, 0);
    EXPECT_EQ(brush.secondaryColor, 0x80006699u);
    EXPECT_EQ(brush.primaryColor, 0xFFFFFFFFu);
}

TEST_F(SwatchTest, GradientSwitchKindAndBlendReachTheBrush)
{
    SendMessageW(panel, kColorPickerGradient, 1, 0);
    EXPECT_EQ(brush.useGradient, 1u);
    EXPECT_TRUE(Checked(Control(IDC_USE_GRADIENT)));
    SendMessageW(Control(IDC_USE_GRADIENT), BM_CLICK, 0, 0);
    EXPECT_EQ(brush.useGradient, 0u);
    SendMessageW(Control(IDC_USE_GRADIENT), BM_CLICK, 0, 0);
    EXPECT_EQ(brush.useGradient, 1u);
    SendMessageW(panel, kColorPickerGradient, 0, 0);
    EXPECT_EQ(brush.useGradient, 0u);
    EXPECT_FALSE(Checked(Control(IDC_USE_GRADIENT)));

    SendMessageW(Control(IDC_FACTOR_BLEND), BM_CLICK, 0, 0);
    EXPECT_EQ(brush.bellBlend, 0u);
    EXPECT_FALSE(Checked(Control(IDC_BELL_BLEND)));
    SendMessageW(Control(IDC_BELL_BLEND), BM_CLICK, 0, 0);
    EXPECT_EQ(brush.bellBlend, 1u);

    const struct {
        int id;
        int position;
        float BrushSettings::*field;
    } sliders[] = {{IDC_BLEND_FOCUS, 30, &BrushSettings::blendFocus},
                   {IDC_BLEND_SCALE, 45, &BrushSettings::blendScale},
                   {IDC_BLEND_FACTOR, 60, &BrushSettings::blendFactor},
                   {IDC_BLEND_POSITION, 75, &BrushSettings::blendPosition}};
    for (const auto& s : sliders) {
        DragSlider(s.id, s.position);
        EXPECT_FLOAT_EQ(brush.*s.field, float(s.position)) << s.id;
    }
    // Clicks in the slider's track only count once the mouse is let go.
    HWND focus = Control(IDC_BLEND_FOCUS);
    SendMessageW(focus, TBM_SETPOS, TRUE, 80);
    SendMessageW(panel, WM_HSCROLL, MAKEWPARAM(TB_PAGEUP, 0), LPARAM(focus));
    EXPECT_FLOAT_EQ(brush.blendFocus, 30.0f);
    SendMessageW(panel, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), LPARAM(focus));
    EXPECT_FLOAT_EQ(brush.blendFocus, 80.0f);
}

TEST_F(SwatchTest, FocusGivenToASliderMovesOnToItsBox)
{
    const struct {
        int slider, box;
    } cases[] = {{1000, IDC_RED_BOX}, {1002, IDC_BLUE_BOX}, {1003, IDC_ALPHA_BOX}, {IDC_BLEND_SCALE, IDC_RED_BOX}};
    for (const auto& c : cases) {
        SetFocus(parent);
        SetFocus(Control(c.slider));
        EXPECT_EQ(GetFocus(), Control(c.box)) << c.slider;
    }
    SendMessageW(panel, WM_MOUSEMOVE, 0, MAKELPARAM(100, 318));
    EXPECT_EQ(GetFocus(), parent);
}

namespace {

// Answers the next color dialog with a button as soon as it is shown, and notes where it
// stood and what it started from.
struct DialogAnswer {
    int button = IDOK;
    int opened = 0;
    RECT where{};
    HWND owner = nullptr;
};
DialogAnswer gAnswer;
HHOOK gHook = nullptr;

LRESULT CALLBACK AnswerColorDialog(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && ClassName(reinterpret_cast<HWND>(wParam)) == L"#32770") {
        HWND dialog = reinterpret_cast<HWND>(wParam);
        ++gAnswer.opened;
        GetWindowRect(dialog, &gAnswer.where);
        gAnswer.owner = GetWindow(dialog, GW_OWNER);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(gAnswer.button, BN_CLICKED), 0);
    }
    return CallNextHookEx(gHook, code, wParam, lParam);
}

}  // namespace

TEST_F(SwatchTest, ClickingTheSelectedSwatchOpensTheColorDialog)
{
    // The dialog starts from the current red, green and blue; OK makes them the swatch's
    // color with alpha 255, Cancel changes nothing.
    const struct {
        int button;
        int depth;
        uint32_t before, after;
    } cases[] = {
        {IDCANCEL, 32, 0x80102030, 0x80102030},
        {IDOK, 32, 0x80102030, 0xFF102030},
        {IDOK, 8, 0xFFC80000, 0xFFCC0000},  // snapped like any other change on 8 bits
    };
    gHook = SetWindowsHookExW(WH_CBT, AnswerColorDialog, nullptr, GetCurrentThreadId());
    ASSERT_NE(gHook, nullptr);
    for (const auto& c : cases) {
        Recreate();
        SynchronizeDepth(c.depth);
        SetSelColor(c.before);
        gAnswer = DialogAnswer{};
        gAnswer.button = c.button;
        Click(20, 38);  // the primary is selected: the dialog opens
        EXPECT_EQ(gAnswer.opened, 1) << c.button;
        EXPECT_EQ(gAnswer.owner, GetAncestor(panel, GA_ROOT)) << c.button;  // a child owns through its window
        EXPECT_EQ(brush.primaryColor, c.after) << c.button << " at " << c.depth;
        RECT main;
        GetWindowRect(parent, &main);
        EXPECT_NEAR((gAnswer.where.left + gAnswer.where.right) / 2, (main.left + main.right) / 2, 2);
        EXPECT_NEAR((gAnswer.where.top + gAnswer.where.bottom) / 2, (main.top + main.bottom) / 2, 2);
    }
    UnhookWindowsHookEx(gHook);
    gHook = nullptr;
    // Selecting the other swatch does not open the dialog.
    gAnswer = DialogAnswer{};
    Click(36, 60);
    EXPECT_EQ(gAnswer.opened, 0);
}
