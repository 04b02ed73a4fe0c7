// Placing the text of the text tools as a new vector layer.
#pragma once

#include "edit_area_state.h"

// The "Apply" button of the text options: the current text tool places its text at (0, 0),
// under the same conditions as a click on the canvas. Other tools do nothing.
void ApplyTextTool(EditAreaState& state);
