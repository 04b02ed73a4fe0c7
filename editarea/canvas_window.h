// The canvas window ("VxGridArea"): shows the current image and takes the tools' mouse input.
#pragma once

#include "edit_area_state.h"

// Registers the class and creates the canvas inside the frame; false on failure.
bool CreateCanvas(EditAreaState& state);
void DestroyCanvas(EditAreaState& state);
