// Undo and Redo (Edit menu): one step of the undo chain, then every panel shows the result.
#pragma once

#include "shell_state.h"

// Nothing happens when the chain has nothing to undo or redo.
void UndoLastStep(ShellState& shell);
void RedoLastStep(ShellState& shell);
