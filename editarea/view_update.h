// Keeps the canvas's zoom, scroll bars, scroll offsets and drawn extent in step.
#pragma once

#include "edit_area_state.h"

// A new or different image: fit zoom, bars with offsets 0, drawn extent, selection view.
void FitImageToCanvas(EditAreaState& state);

// Shows or hides the bars for the current zoom and canvas size and reads the client size
// back. Offsets are left to the caller.
void UpdateScrollBars(EditAreaState& state);

// Hands the offsets and ranges to the bars and recomputes the drawn extent.
void UpdateScrollInfo(EditAreaState& state);

// After a resize of the canvas: bars again, offsets 0, drawn extent (the zoom stays).
void RefitScrollBars(EditAreaState& state);

// One WM_HSCROLL / WM_VSCROLL request.
void ScrollCanvas(EditAreaState& state, int bar, int code, int thumbPosition);

// A click or double click of the zoom tools at the image pixel (px, py).
void ZoomAtPixel(EditAreaState& state, ZoomDirection direction, bool doubleClick, int px, int py);

// Redraws the canvas at once.
void RedrawCanvas(const EditAreaState& state);

// Redraws at once only the part of the canvas showing image pixels left..right-1,
// top..bottom-1 (the rest of the window already shows what it should).
void RedrawCanvasPixels(const EditAreaState& state, int left, int top, int right, int bottom);
