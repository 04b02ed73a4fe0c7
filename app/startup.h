// Start-up and shutdown of the editor, in their fixed order.
#pragma once

#include <windows.h>

// Everything up to the shown main window: false when the program must end (screen too
// small, or a window that could not be created); what was made is released then.
bool StartVexil(HINSTANCE instance, const wchar_t* commandLine);

// The message loop, translating the accelerators for the main window.
int RunMessageLoop();

// One message's accelerator, as the loop translates it: true when it became a command.
// Keys typed while an edit control has the focus stay with that edit.
bool TranslateShellAccelerator(MSG* message);

// After the loop: the document, palettes, selection, brush, undo chain, pictures, AppContext.
void FinishVexil();
