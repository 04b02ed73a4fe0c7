// Stand-in toolbox and tool options bar until they are built.
#include "common/scaffold_panel.h"
#include "toolrack.h"

namespace {
HWND gToolbox = nullptr;
HWND gOptions = nullptr;
HINSTANCE Instance() { return GetModuleHandleW(L"toolrack.dll"); }
}  // namespace

TOOLRACK_API HWND TOOLRACK_CreateWindow(HWND parent, int x, int y, AppContext* context)
{
    if (!parent || !context)
        return nullptr;
    context->currentTool = 0;
    gToolbox = CreateScaffoldPanel(Instance(), L"VxToolBox", parent, x, y, 60, 500);
    return gToolbox;
}

TOOLRACK_API void TOOLRACK_DestroyWindow()
{
    DestroyScaffoldPanel(&gToolbox);
}

TOOLRACK_API HWND TOOLRACKO_CreateWindow(HWND parent, AppContext* context)
{
    if (!parent || !context)
        return nullptr;
    gOptions = CreateScaffoldPanel(Instance(), L"VxToolOptions", parent, 0, 0, 800, 40);
    return gOptions;
}

TOOLRACK_API void TOOLRACKO_DestroyWindow()
{
    DestroyScaffoldPanel(&gOptions);
}
