// A custom rotation or scale that waits for Apply or Cancel, with a live preview from the
// trackbars of the controls strip (WM_APP+107, +108).
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include "edit_area_state.h"

// What a pending transformation keeps so that every preview step starts again from the
// same source and Cancel puts back exactly what was there. Owned by the editing area.
struct PendingTransform {
    bool rotation;  // custom rotation; else scale
    bool vector;    // the current layer is a vector layer
    Gdiplus::Bitmap* source;  // raster: the content cropped to its alpha, as opened
    int sourceWidth;
    int sourceHeight;
    SelectionState before;         // raster: the selection as it was (owned copies)
    Gdiplus::Bitmap* savedLayer;   // the layer's bitmap as it was
    Gdiplus::GraphicsPath* savedPath;        // vector: the layer's path as it was
    Gdiplus::Graphics* contentSurface;       // raster rotation: draws on the enlarged content
};

// Open a custom rotation or a scale; a refused opening still posts WM_APP+115.
void OpenCustomRotation(EditAreaState& state);
void OpenScale(EditAreaState& state);

// A trackbar notification of the strip (WM_HSCROLL): code and position of the message.
void TrackTransformation(EditAreaState& state, HWND bar, int code, int position);

void ApplyTransformation(EditAreaState& state);
void CancelTransformation(EditAreaState& state);

// Frees whatever a pending transformation holds (the editing area is going away).
void ReleasePendingTransform(EditAreaState& state);
