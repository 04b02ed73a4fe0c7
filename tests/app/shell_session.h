// Runs the editor's start-up in this test program and takes it down again, and watches the
// messages that reach the panels.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "common/app_context.h"
#include "harness/test_windows.h"  // WindowText

// Starts the shell with the given command line; null when start-up failed.
HWND StartShell(const wchar_t* commandLine = L"");

// Closes the main window as the user would (nothing unsaved) and releases everything.
void StopShell();

// Handles the window's pending messages until none is left or the main window is gone.
void PumpMessages();

AppContext& Context();

// The rectangle of a child window in its parent's client coordinates.
RECT ChildRect(HWND child);

// Sets the main window's size so that its client area is width x height.
void SetClientSize(HWND window, int width, int height);

// Presses a key with the given modifiers held, through the accelerator table as the
// message loop does; false when no accelerator matched.
bool PressAccelerator(HWND window, WORD key, bool control, bool shift);

struct PanelMessage {
    HWND panel;
    UINT message;
    WPARAM wParam;
};

// Records the application and system-color messages that reach the six panels.
class PanelSpy {
public:
    explicit PanelSpy(const AppContext& context);
    ~PanelSpy();
    PanelSpy(const PanelSpy&) = delete;
    PanelSpy& operator=(const PanelSpy&) = delete;

    // The messages one panel received, in order, after handling what was posted.
    std::vector<PanelMessage> ReceivedBy(HWND panel);
    void Clear();

private:
    std::vector<std::pair<HWND, WNDPROC>> originals_;
};

