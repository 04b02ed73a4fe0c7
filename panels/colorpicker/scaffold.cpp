// Stand-in color picker until it is built: a plain "Color Palette" window that keeps the
// picked color as the primary brush color.
#include "common/scaffold_panel.h"
#include "core/pyx.h"
#include "swatch.h"

namespace {
HWND gPanel = nullptr;
AppContext* gContext = nullptr;
}  // namespace

SWATCH_API HWND CreateCPWindow(HWND parent, int x, int y, AppContext* context)
{
    if (!context)
        return nullptr;
    gContext = context;
    gPanel = CreateScaffoldPanel(GetModuleHandleW(L"swatch.dll"), L"Color Palette", parent, x, y, 200, 325);
    return gPanel;
}

SWATCH_API void DestroyCPWindow()
{
    DestroyScaffoldPanel(&gPanel);
    gContext = nullptr;
}

SWATCH_API void SetSelColor(uint32_t color)
{
    if (gContext && gContext->brushSettings)
        gContext->brushSettings->primaryColor = color;
}
