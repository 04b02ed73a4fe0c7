// fxdialogs: the settings dialogs of the filters and effects, with live preview.
//
// Each export opens its dialog modally over `owner`, works on the context's current Image
// and Layer (and, for the filters, inside the context's selection), and returns 1 when the
// dialog was closed with OK (the result is then in the layer, the document is marked
// modified and the owner got WM_APP+2), 0 on Cancel or when nothing could be applied.
// The settings confirmed with OK are offered again at the next opening, for the rest of
// the run.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/app_context.h"

#ifdef FXDIALOGS_BUILDING
#define FXDIALOGS_API extern "C"
#else
#define FXDIALOGS_API extern "C" __declspec(dllimport)
#endif

// Effect number 1..7 (Wave, Pearl, Marble, Jelly, Glassy Ball, Aqua Ball, Sweet) on the
// current vector layer.
FXDIALOGS_API int32_t ShowStyleDialog(HWND owner, AppContext* context, int32_t effect);
FXDIALOGS_API int32_t ShowBevelDialog(HWND owner, AppContext* context);
// dropShadow 1: the drop shadow; 0: the inner shadow.
FXDIALOGS_API int32_t ShowShadowDialog(HWND owner, AppContext* context, int32_t dropShadow);
FXDIALOGS_API int32_t ShowColorizeDialog(HWND owner, AppContext* context);
FXDIALOGS_API int32_t ShowHSLDialog(HWND owner, AppContext* context);
FXDIALOGS_API int32_t ShowContrastDialog(HWND owner, AppContext* context);
FXDIALOGS_API int32_t ShowOpacityDialog(HWND owner, AppContext* context);
FXDIALOGS_API int32_t ShowBlurDialog(HWND owner, AppContext* context);
FXDIALOGS_API int32_t ShowCustomDialog(HWND owner, AppContext* context);
FXDIALOGS_API int32_t ShowBorderizeDialog(HWND owner, AppContext* context);
