// layerpane: the layers panel.
#pragma once

#include <windows.h>

#include "common/app_context.h"

#ifdef LAYERPANE_BUILDING
#define LAYERPANE_API extern "C"
#else
#define LAYERPANE_API extern "C" __declspec(dllimport)
#endif

LAYERPANE_API HWND CreateLWindow(HWND parent, int x, int y, AppContext* context);
LAYERPANE_API void DestroyLWindow();
LAYERPANE_API int GetSelectedLayerCount();
