// The controls strip ("VxCtrlsArea") below the canvas: the "Show Grid Lines" checkbox with
// the pixel readout, and the (hidden) controls of a pending transformation.
#pragma once

#include <string>

#include "edit_area_state.h"
#include "readout_text.h"

bool CreateControlsStrip(EditAreaState& state);
void DestroyControlsStrip(EditAreaState& state);

// Moves and sizes the strip and its controls for the current frame size.
void LayOutControlsStrip(EditAreaState& state);

// Replaces the readout and repaints the strip.
void SetStatusText(EditAreaState& state, const std::wstring& text);
