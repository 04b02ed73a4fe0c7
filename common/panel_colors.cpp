#include "common/panel_colors.h"

namespace {

using IsThemeActiveFn = BOOL(WINAPI*)();
using OpenThemeDataFn = HANDLE(WINAPI*)(HWND, LPCWSTR);
using GetThemeSysColorFn = COLORREF(WINAPI*)(HANDLE, int);
using CloseThemeDataFn = HRESULT(WINAPI*)(HANDLE);

PanelColors SystemColors()
{
    return {GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT),
            GetSysColor(COLOR_HIGHLIGHTTEXT), GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW)};
}

// Visual styles exist from the system version after 5.0 on.
bool SystemHasThemes()
{
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!GetVersionExW(&version))
        return false;
    return version.dwMajorVersion > 4 && version.dwMinorVersion != 0;
}

template <typename Fn>
Fn ThemeFunction(HMODULE uxtheme, const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(uxtheme, name)));
}

bool ReadThemeColors(HMODULE uxtheme, PanelColors* colors)
{
    auto isActive = ThemeFunction<IsThemeActiveFn>(uxtheme, "IsThemeActive");
    auto open = ThemeFunction<OpenThemeDataFn>(uxtheme, "OpenThemeData");
    auto color = ThemeFunction<GetThemeSysColorFn>(uxtheme, "GetThemeSysColor");
    auto close = ThemeFunction<CloseThemeDataFn>(uxtheme, "CloseThemeData");
    if (!isActive || !open || !color || !close || !isActive())
        return false;
    HANDLE theme = open(nullptr, L"BUTTON");
    if (!theme)
        return false;
    *colors = {color(theme, COLOR_HIGHLIGHT), color(theme, COLOR_BTNFACE),
               color(theme, COLOR_BTNTEXT), color(theme, COLOR_HIGHLIGHTTEXT),
               color(theme, COLOR_BTNHIGHLIGHT), color(theme, COLOR_BTNSHADOW)};
    close(theme);
    return true;
}

}  // namespace

PanelColors LoadPanelColors()
{
    PanelColors colors = SystemColors();
    if (!SystemHasThemes())
        return colors;
    HMODULE uxtheme = LoadLibraryW(L"UxTheme.dll");
    if (!uxtheme)
        return colors;
    ReadThemeColors(uxtheme, &colors);
    FreeLibrary(uxtheme);
    return colors;
}
