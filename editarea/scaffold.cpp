// Stand-in editing area until the canvas is built: a plain "VxEditArea" window.
#include "common/scaffold_panel.h"
#include "easel.h"

namespace {
HWND gFrame = nullptr;
}

EASEL_API HWND EASEL_CreateWindow(HWND parent, int x, int y, int width, int height, AppContext* context)
{
    if (!parent || !context)
        return nullptr;
    gFrame = CreateScaffoldPanel(GetModuleHandleW(L"easel.dll"), L"VxEditArea", parent, x, y, width, height);
    return gFrame;
}

EASEL_API void EASEL_DestroyWindow()
{
    DestroyScaffoldPanel(&gFrame);
}
