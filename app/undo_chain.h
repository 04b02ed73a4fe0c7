// The shell's one undo chain, replaced by a new empty one whenever a document is created or
// loaded.
#pragma once

#include "shell_state.h"

// Destroys the current chain (if any) and makes a new empty one.
void ReplaceUndoChain(ShellState& shell);
void DeleteUndoChain(ShellState& shell);

// What the chain can do now; nothing without a chain.
bool CanUndo(const ShellState& shell);
bool CanRedo(const ShellState& shell);
