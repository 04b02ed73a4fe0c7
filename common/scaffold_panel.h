// A plain stand-in panel: a child window of the right class and size that only shows its
// class name. Libraries whose panel is not built yet use it so that start-up and layout run.
#pragma once

#include <windows.h>

HWND CreateScaffoldPanel(HINSTANCE instance, const wchar_t* className, HWND parent, int x, int y,
                         int width, int height);
void DestroyScaffoldPanel(HWND* panel);
