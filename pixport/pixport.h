// pixport: "Import Image as Icon". Bound by the shell at ordinal 1.
#pragma once

#include <windows.h>

#include "common/app_context.h"

#ifdef PIXPORT_BUILDING
#define PIXPORT_API extern "C"
#else
#define PIXPORT_API extern "C" __declspec(dllimport)
#endif

// Asks for a picture (BMP, PNG, JPEG, GIF) and appends it to the document as a new 32-bit
// Image that becomes current, scaled to fit 256 x 256. Returns 0 when the picture cannot be
// read (nothing changed, the caller tells the user); non-zero on success or when the user
// cancelled.
PIXPORT_API int ImportImageAsIcon(HWND mainWindow, AppContext* context);
