// Enabling, disabling and checking the menu items each time a menu of the bar opens.
#pragma once

#include "shell_state.h"

void UpdateMenuStates(ShellState& shell);

// The Filters menu's rule: the current layer is a raster layer of a 32-bit Image and no
// transformation is pending.
bool FiltersAvailable(const ShellState& shell);

// The Effects menu's rule: the current layer is a vector layer of a 32-bit Image and no
// transformation is pending (which effects suit the shape is the menu's own finer rule).
bool EffectsAvailable(const ShellState& shell);
