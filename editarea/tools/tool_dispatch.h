// The canvas's mouse entry points: each turns one mouse message into a ToolInput and hands it
// to the current tool's handlers, taking and releasing the mouse capture for drags.
#pragma once

#include "edit_area_state.h"

// x and y are canvas client coordinates; keys is the wParam of the mouse message.
void ToolButtonDown(EditAreaState& state, int x, int y, WPARAM keys);
void ToolDoubleClick(EditAreaState& state, int x, int y, WPARAM keys);
void ToolButtonUp(EditAreaState& state, int x, int y, WPARAM keys);
// Called by the canvas's own pointer-move handling, after auto-scrolling.
void ToolMouseMove(EditAreaState& state, int x, int y, WPARAM keys);
// WM_CAPTURECHANGED: `newOwner` is the window that now holds the capture (may be null).
void ToolCaptureChanged(EditAreaState& state, HWND newOwner);
