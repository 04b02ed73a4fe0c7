// swatch: the color picker panel.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/app_context.h"

#ifdef SWATCH_BUILDING
#define SWATCH_API extern "C"
#else
#define SWATCH_API extern "C" __declspec(dllimport)
#endif

SWATCH_API HWND CreateCPWindow(HWND parent, int x, int y, AppContext* context);
SWATCH_API void DestroyCPWindow();
SWATCH_API void SetSelColor(uint32_t color);
