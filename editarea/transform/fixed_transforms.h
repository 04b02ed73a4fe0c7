// The one-step transformations of the selection content: flips and rotations by 90, -90
// and 180 degrees (WM_APP+110 to +114).
#pragma once

#include "edit_area_state.h"

// Carries out one of the five messages; false for any other message.
bool RunFixedTransformation(EditAreaState& state, unsigned message);
