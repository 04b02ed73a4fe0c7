// The shell's one undo chain. Its exports come with the document core's undo history; until
// core/pyx.h declares them (and defines PYX_HAS_UNDO_CHAIN), the shell runs without a chain.
#pragma once

#include "shell_state.h"

// Destroys the current chain (if any) and makes a new empty one.
void ReplaceUndoChain(ShellState& shell);
void DeleteUndoChain(ShellState& shell);

// What the chain can do now; nothing without a chain.
bool CanUndo(const ShellState& shell);
bool CanRedo(const ShellState& shell);
