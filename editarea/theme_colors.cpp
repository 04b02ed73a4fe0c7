#include "theme_colors.h"

namespace {

using IsThemeActiveFunction = BOOL(WINAPI*)();
using OpenThemeDataFunction = HANDLE(WINAPI*)(HWND, LPCWSTR);
using GetThemeSysColorFunction = COLORREF(WINAPI*)(HANDLE, int);
using CloseThemeDataFunction = HRESULT(WINAPI*)(HANDLE);

EditAreaColors SystemColors()
{
    return {GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT),
            GetSysColor(COLOR_HIGHLIGHTTEXT)};
}

// The theme is consulted only on the versions whose themes carry these colors.
bool ThemeVersion()
{
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExW(&version))
        return false;
#pragma GCC diagnostic pop
    return version.dwMajorVersion > 4 && version.dwMinorVersion != 0;
}

template <typename Function>
Function ThemeFunction(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

bool ThemeColors(EditAreaColors* colors)
{
    HMODULE uxtheme = LoadLibraryW(L"UxTheme.dll");
    if (!uxtheme)
        return false;
    auto isActive = ThemeFunction<IsThemeActiveFunction>(uxtheme, "IsThemeActive");
    auto open = ThemeFunction<OpenThemeDataFunction>(uxtheme, "OpenThemeData");
    auto color = ThemeFunction<GetThemeSysColorFunction>(uxtheme, "GetThemeSysColor");
    auto close = ThemeFunction<CloseThemeDataFunction>(uxtheme, "CloseThemeData");
    bool found = false;
    if (isActive && open && color && close && isActive()) {
        HANDLE theme = open(nullptr, L"BUTTON");
        if (theme) {
            *colors = {color(theme, COLOR_HIGHLIGHT), color(theme, COLOR_BTNFACE), color(theme, COLOR_BTNTEXT),
                       color(theme, COLOR_HIGHLIGHTTEXT)};
            close(theme);
            found = true;
        }
    }
    FreeLibrary(uxtheme);
    return found;
}

}  // namespace

EditAreaColors LoadEditAreaColors()
{
    EditAreaColors colors = SystemColors();
    if (ThemeVersion())
        ThemeColors(&colors);
    return colors;
}
