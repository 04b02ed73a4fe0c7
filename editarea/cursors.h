// The tool cursors of the canvas.
#pragma once

#include "edit_area_state.h"

void LoadToolCursors(EditAreaState& state);
void ReleaseToolCursors(EditAreaState& state);

// Shows the cursor resource `id` (kArrowCursor for the system arrow) and remembers it for
// WM_SETCURSOR.
void ShowCursorById(EditAreaState& state, int id);

// The situation of the current tool with the pointer over (or off) the image.
CursorSituation CurrentCursorSituation(const EditAreaState& state, bool overImage);
