// The Filters and Effects menus.
#pragma once

#include "shell_state.h"

// Runs a Filters menu command; false for any other command.
bool RunFilterCommand(ShellState& shell, int id);

// Runs an Effects menu command; false for any other command.
bool RunEffectCommand(ShellState& shell, int id);
