// A long run of random menu commands, tool changes, clicks and drags on every panel, with
// every dialog and message box cancelled as it opens: the program neither crashes nor hangs,
// and its document stays whole.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "common/document_ops.h"
#include "common/messages.h"
#include "shell_session.h"
#include "shell_state.h"

namespace {

// Every dialog and message box is cancelled as it opens; a Yes/No box, which has no Cancel,
// is answered No.
LRESULT CALLBACK CancelEveryDialog(int code, WPARAM wParam, LPARAM lParam)
{
    wchar_t className[16] = {};
    if (code == HCBT_ACTIVATE && GetClassNameW(HWND(wParam), className, 16) && lstrcmpW(className, L"#32770") == 0) {
        PostMessageW(HWND(wParam), WM_COMMAND, IDCANCEL, 0);
        PostMessageW(HWND(wParam), WM_COMMAND, IDNO, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

struct MenuCommand {
    HMENU menu;  // the menu of the bar that holds it
    int position;  // of that menu in the bar
    UINT id;
};

// The commands a user can reach, except Exit (the run goes on) and Help (it would start the
// platform's help viewer).
void CollectCommands(HMENU bar, std::vector<MenuCommand>* commands)
{
    for (int position = 0; position < GetMenuItemCount(bar); position++) {
        HMENU menu = GetSubMenu(bar, position);
        for (int i = 0; menu && i < GetMenuItemCount(menu); i++) {
            const UINT id = GetMenuItemID(menu, i);
            if (id != 0 && id != UINT(-1) && id != 105 && id != 32884)
                commands->push_back({menu, position, id});
        }
    }
}

// As when the user opens the menu and clicks the item: disabled items do nothing.
void ChooseFromMenu(HWND window, const MenuCommand& command)
{
    SendMessageW(window, WM_INITMENUPOPUP, WPARAM(command.menu), command.position);
    if (!(GetMenuState(command.menu, command.id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)))
        SendMessageW(window, WM_COMMAND, command.id, 0);
}

struct Target {
    HWND window;
    int width;
    int height;
};

Target TargetOf(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return {window, client.right > 0 ? client.right : 1, client.bottom > 0 ? client.bottom : 1};
}

// A press, a few moves with the button held and a release, Ctrl or Shift now and then.
void RandomDrag(const Target& target, std::mt19937& random)
{
    std::uniform_int_distribution<int> x(0, target.width - 1), y(0, target.height - 1), keys(0, 3);
    const WPARAM modifier = (keys(random) == 1 ? MK_CONTROL : 0) | (keys(random) == 2 ? MK_SHIFT : 0);
    SendMessageW(target.window, WM_LBUTTONDOWN, MK_LBUTTON | modifier, MAKELPARAM(x(random), y(random)));
    for (int step = keys(random); step > 0; step--)
        SendMessageW(target.window, WM_MOUSEMOVE, MK_LBUTTON | modifier, MAKELPARAM(x(random), y(random)));
    const LPARAM end = MAKELPARAM(x(random), y(random));
    SendMessageW(target.window, keys(random) == 0 ? WM_LBUTTONDBLCLK : WM_LBUTTONUP, modifier, end);
    if (GetCapture() == target.window)
        SendMessageW(target.window, WM_LBUTTONUP, modifier, end);
}

}  // namespace

TEST(RandomInput, TwoThousandRandomActionsLeaveAWorkingProgram)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    AppContext& context = Context();
    std::vector<MenuCommand> commands;
    CollectCommands(GetMenu(window), &commands);
    ASSERT_GT(commands.size(), 60u);
    const std::vector<Target> targets = {
        TargetOf(FindWindowExW(context.editAreaWindow, nullptr, L"VxGridArea", nullptr)),
        TargetOf(context.layersWindow), TargetOf(GetWindow(context.layersWindow, GW_CHILD)),
        TargetOf(context.imageListWindow), TargetOf(GetWindow(context.imageListWindow, GW_CHILD)),
        TargetOf(context.toolboxWindow), TargetOf(context.colorPickerWindow)};
    HHOOK hook = SetWindowsHookExW(WH_CBT, CancelEveryDialog, nullptr, GetCurrentThreadId());
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> action(0, 9), tool(0, kToolCount - 1);
    std::uniform_int_distribution<size_t> command(0, commands.size() - 1), target(0, targets.size() - 1);
    for (int i = 0; i < 2000 && IsWindow(window); i++) {
        const int kind = action(random);
        if (kind < 3)
            ChooseFromMenu(window, commands[command(random)]);
        else if (kind < 4)
            SendMessageW(context.toolboxWindow, kToolboxSelectTool, tool(random), 0);
        else if (targets[target(random)].window)
            RandomDrag(targets[target(random)], random);
        PumpMessages();
        ASSERT_TRUE(context.document && context.document->imageCount > 0) << "step " << i;
        ASSERT_NE(CurrentImage(context), nullptr) << "step " << i;
    }
    UnhookWindowsHookEx(hook);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_GT(CurrentShell().undoChain->count, 0) << "the run really changed the document";
    StopShell();
}
