// The controls strip in its transformation mode: which controls show, their ranges, and
// the labels the strip draws beside the trackbars.
#pragma once

#include <windows.h>

#include "edit_area_state.h"

// Shows the apply and cancel buttons and the angle bar (rotation) or the width and height
// bars (scale), hides the "Show Grid Lines" box.
void ShowTransformControls(const EditAreaState& state, bool rotation);

// Back to the readout: every transformation control hidden, the box shown.
void HideTransformControls(const EditAreaState& state);

// Sets a trackbar's range and position.
void SetBarRange(HWND bar, int minimum, int maximum, int position);

int BarPosition(HWND bar);

// Draws the labels of the pending transformation in the strip's font and text color.
void DrawTransformLabels(const EditAreaState& state, HDC dc);

// Repaints the strip at once.
void RedrawStrip(const EditAreaState& state);
