// The main window's command dispatch: one handler per menu.
#pragma once

#include <windows.h>

#include "shell_state.h"

// fromAccelerator: the command came from the accelerator table rather than the menu.
void OnCommand(ShellState& shell, int commandId, bool fromAccelerator);

// The About dialog (command 104).
void ShowAboutDialog(ShellState& shell);
