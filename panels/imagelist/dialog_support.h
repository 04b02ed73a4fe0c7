// What the image list's dialogs share: scaled copies and depth reduction of pictures, the
// module their resources live in, placing a dialog, reading its edits, and keeping the
// keyboard focus off sliders.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <string>

#include "common/app_context.h"
#include "core/pyx.h"

HINSTANCE DialogModule();

// A new transparent width x height bitmap with the source drawn over it scaled, with
// high-quality compositing, half-pixel offset and the given interpolation; null on failure.
Bitmap* ScaledCopy(Bitmap* source, int width, int height,
                   Gdiplus::InterpolationMode mode = Gdiplus::InterpolationModeHighQualityBilinear);

// The source reduced to `depth` with alpha threshold t and dithering level k, as a new
// bitmap (a copy at 32 bits); null on failure.
Bitmap* ReduceToDepth(const AppContext& context, Bitmap* source, int depth, int t, int k);

// Centers the window over another one (or over the work area when `over` is null).
void CenterWindowOver(HWND window, HWND over);

std::wstring ItemText(HWND dialog, int id, int most = 260);

// A slider that receives the focus hands it on to `target` (the dialog's preview).
void PassFocusFrom(HWND slider, HWND target);
