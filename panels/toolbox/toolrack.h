// toolrack: the toolbox and the tool options bar.
#pragma once

#include <windows.h>

#include "common/app_context.h"

#ifdef TOOLRACK_BUILDING
#define TOOLRACK_API extern "C"
#else
#define TOOLRACK_API extern "C" __declspec(dllimport)
#endif

TOOLRACK_API HWND TOOLRACK_CreateWindow(HWND parent, int x, int y, AppContext* context);
TOOLRACK_API void TOOLRACK_DestroyWindow();
TOOLRACK_API HWND TOOLRACKO_CreateWindow(HWND parent, AppContext* context);
TOOLRACK_API void TOOLRACKO_DestroyWindow();
