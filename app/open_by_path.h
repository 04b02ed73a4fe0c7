// Opening a file named on the command line or dropped on the main window.
#pragma once

#include <string>

#include "shell_state.h"

// The path a command line names: without its enclosing double quotes when it starts with one.
std::wstring CommandLinePath(const wchar_t* commandLine);

// Checks the extension, asks about unsaved changes, loads the file by its extension and
// installs it. Returns true when the file became the document.
bool OpenFileByPath(ShellState& shell, const wchar_t* path);
