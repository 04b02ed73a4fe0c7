// Starting the programs beside the running one and finding the main window a started copy of
// vexil.exe shows: shared by the tests that run the real program and by the start-up bench.
#pragma once

#include <windows.h>

#include <string>

// The folder of the running program (the build's bin folder), without a closing backslash.
std::wstring ThisProgramFolder();

// The file of that name in that folder.
std::wstring PathBesideThisProgram(const std::wstring& fileName);

// The visible main window (class "VEXIL") of the process, or null when it has none yet.
HWND FindShownMainWindow(DWORD processId);

// Looks every 50 ms, for up to ten seconds, for that window.
HWND WaitForShownMainWindow(DWORD processId);
