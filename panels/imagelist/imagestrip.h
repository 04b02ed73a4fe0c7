// imagestrip: the image list panel.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/app_context.h"

#ifdef IMAGESTRIP_BUILDING
#define IMAGESTRIP_API extern "C"
#else
#define IMAGESTRIP_API extern "C" __declspec(dllimport)
#endif

IMAGESTRIP_API HWND CreateILWindow(HWND parent, int x, int y, AppContext* context);
IMAGESTRIP_API void DestroyILWindow();
IMAGESTRIP_API int CreateNewImageEx(uint16_t width, uint16_t height);
