// Opening a file by its name alone: dropped on the main window, named on the command line,
// or chosen from the recent files. The extension picks the reader.
#pragma once

#include <string>

#include "shell_state.h"

// The path a command line names: without its enclosing double quotes when it starts with one.
std::wstring CommandLinePath(const wchar_t* commandLine);

// A dropped file or the command line's: checks the extension, asks about unsaved changes,
// loads the file by its extension and installs it. Ignored while a transformation waits.
// Returns true when the file became the document.
bool OpenFileByPath(ShellState& shell, const wchar_t* path);

// A recent file: any extension other than the four document kinds is read as a library.
// Says so when the file is gone. True when the file became the document.
bool OpenRecentFile(ShellState& shell, const wchar_t* path);
