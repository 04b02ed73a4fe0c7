// The main window: its class, its creation and its messages.
#pragma once

#include "shell_state.h"

// The minimum size of the main window, and of the screen it runs on.
constexpr int kMinimumWidth = 800;
constexpr int kMinimumHeight = 600;

bool RegisterMainWindowClass(HINSTANCE instance);
HWND CreateMainWindow(HINSTANCE instance);

// The minimum-resolution message for a screen smaller than 800 x 600; false when it was shown.
bool CheckScreenSize(int width, int height);
