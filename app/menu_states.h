// Enabling, disabling and checking the menu items each time a menu of the bar opens.
#pragma once

#include "shell_state.h"

void UpdateMenuStates(ShellState& shell);
