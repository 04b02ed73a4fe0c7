// The main window's command dispatch: one handler per menu.
#pragma once

#include <windows.h>

#include "shell_state.h"

// fromAccelerator: the command came from the accelerator table rather than the menu.
void OnCommand(ShellState& shell, int commandId, bool fromAccelerator);

// Commands marked as checking a pending transformation do nothing when an accelerator (or a
// stale menu) delivers them while one waits; the menu itself is disabled then.
bool Blocked(const ShellState& shell, bool fromAccelerator);

// True while the left button is held on the canvas: the editing area (or a window inside it)
// holds the mouse capture, and the bitmaps of the stroke must stay where they are.
bool CanvasDragInProgress(const AppContext& context);

// The About dialog (command 104).
void ShowAboutDialog(ShellState& shell);
