// The reports that panels send to the main window, and how the shell passes them on.
#pragma once

#include <windows.h>

#include "shell_state.h"

// True when the message was one of the panels' reports.
bool OnPanelMessage(ShellState& shell, UINT message, WPARAM wParam, LPARAM lParam);
