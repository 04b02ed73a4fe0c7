// The toolbox's tooltip window: one tool per button with the tool's name.
#include <windows.h>

#include <commctrl.h>

#include "tool_geometry.h"
#include "tool_texts.h"
#include "toolbox_state.h"

namespace {

constexpr int kShowDelay = 1000;
constexpr int kShownFor = 2000;
constexpr int kBetweenTools = 300;

void AddButtonTool(HWND tooltip, HWND toolbox, int tool)
{
    const ButtonOrigin origin = ButtonOriginOf(tool);
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;  // accepted by every common-controls version
    info.uFlags = TTF_SUBCLASS;
    info.hwnd = toolbox;
    info.uId = tool + 1;
    info.rect = {origin.x, origin.y, origin.x + kButtonSize, origin.y + kButtonSize};
    info.lpszText = const_cast<wchar_t*>(ToolTooltipText(tool));
    SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace

HWND CreateToolboxTooltips(HWND toolbox)
{
    HWND tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, toolbox, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    if (!tooltip)
        return nullptr;
    for (int tool = 0; tool < kToolCount; ++tool)
        AddButtonTool(tooltip, toolbox, tool);
    SendMessageW(tooltip, TTM_SETDELAYTIME, TTDT_INITIAL, kShowDelay);
    SendMessageW(tooltip, TTM_SETDELAYTIME, TTDT_AUTOPOP, kShownFor);
    SendMessageW(tooltip, TTM_SETDELAYTIME, TTDT_RESHOW, kBetweenTools);
    return tooltip;
}
