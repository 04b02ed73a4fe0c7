// Stand-in layers panel until it is built: a plain "Layer Palette" window, no selection.
#include "common/scaffold_panel.h"
#include "layerpane.h"

namespace {
HWND gFrame = nullptr;
}

LAYERPANE_API HWND CreateLWindow(HWND parent, int x, int y, AppContext* context)
{
    if (!context)
        return nullptr;
    gFrame = CreateScaffoldPanel(GetModuleHandleW(L"layerpane.dll"), L"Layer Palette", parent, x, y, 200, 300);
    return gFrame;
}

LAYERPANE_API void DestroyLWindow()
{
    DestroyScaffoldPanel(&gFrame);
}

LAYERPANE_API int GetSelectedLayerCount()
{
    return 0;
}
