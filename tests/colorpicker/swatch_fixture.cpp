#include "colorpicker/swatch_fixture.h"

#include <commctrl.h>

#include "common/messages.h"

namespace {

HWND CreateParent()
{
    return CreateTestMainWindow(L"SwatchTestMain", DefWindowProcW, OuterSizeForClient(1024, 768));
}

}  // namespace

void PumpMessages()
{
    PumpThreadMessages();
}

void SwatchTest::SetUp()
{
    parent = CreateParent();
    ASSERT_NE(parent, nullptr);
    ASSERT_TRUE(CreateSharedPalettes(&palettes));
    context.mainWindow = parent;
    context.brushSettings = &brush;
    context.palette256 = palettes.palette256;
    context.palette16 = palettes.palette16;
    context.palette2 = palettes.palette2;
    panel = CreateCPWindow(parent, 10, 20, &context);
    ASSERT_NE(panel, nullptr);
    context.colorPickerWindow = panel;
    PumpMessages();
}

void SwatchTest::TearDown()
{
    DestroyCPWindow();
    if (parent)
        DestroyWindow(parent);
    PumpMessages();
    DeleteSharedPalettes(&palettes);
}

void SwatchTest::Recreate()
{
    DestroyCPWindow();
    brush = {};
    panel = CreateCPWindow(parent, 10, 20, &context);
    ASSERT_NE(panel, nullptr);
    context.colorPickerWindow = panel;
    PumpMessages();
}

int SwatchTest::SliderPosition(int id) const
{
    return int(SendMessageW(Control(id), TBM_GETPOS, 0, 0));
}

void SwatchTest::Click(int x, int y)
{
    SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    PumpMessages();
}

void SwatchTest::DragSlider(int id, int position)
{
    HWND slider = Control(id);
    SendMessageW(slider, TBM_SETPOS, TRUE, position);
    SendMessageW(panel, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position), LPARAM(slider));
    SendMessageW(panel, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), LPARAM(slider));
    PumpMessages();
}

void SwatchTest::TypeIntoBox(int id, const wchar_t* text)
{
    SetWindowTextW(Control(id), text);
    PumpMessages();  // the panel handles the box in a message it posts to itself
}

void SwatchTest::SynchronizeDepth(int bitsPerPixel)
{
    if (bitsPerPixel <= 8)
        SendMessageW(panel, kColorPickerGradient, 0, 0);
    SendMessageW(panel, kColorPickerDepth, WPARAM(bitsPerPixel), 0);
    PumpMessages();
}
