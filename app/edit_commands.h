// The Edit menu: undo and redo aside, the shell's own clipboard, selection and clearing
// commands, and the transformations it hands to the editing area.
#pragma once

#include "shell_state.h"

// Runs an Edit menu command; false for any other command (and for Undo and Redo).
bool RunEditCommand(ShellState& shell, int id, bool fromAccelerator);
