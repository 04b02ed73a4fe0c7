// The two windows that show the shell's own pictures: the splash window and the About dialog.
#pragma once

#include "shell_state.h"

// Shows the borderless splash window centred on the screen, painting shell.splashPicture.
HWND ShowSplashWindow(ShellState& shell);
void CloseSplashWindow(ShellState& shell);

// Centres the window over its owner, or over the screen when there is none.
void CentreOn(HWND window, HWND owner);
