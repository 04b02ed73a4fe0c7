// easel: the editing area (canvas view, drawing tools, selection, transformations).
#pragma once

#include <windows.h>

#include "common/app_context.h"

#ifdef EASEL_BUILDING
#define EASEL_API extern "C"
#else
#define EASEL_API extern "C" __declspec(dllimport)
#endif

EASEL_API HWND EASEL_CreateWindow(HWND parent, int x, int y, int width, int height, AppContext* context);
EASEL_API void EASEL_DestroyWindow();
