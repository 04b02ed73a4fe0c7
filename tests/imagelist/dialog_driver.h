// Drives the modal dialogs the panel opens from inside their own message loop: a WH_CBT
// hook notices each dialog as it is activated, and a timer then runs the test's action for
// that caption with the dialog's handle. Each dialog window is acted on once.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

class DialogDriver {
public:
    DialogDriver();
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // What to do with a dialog of this caption when it appears.
    void On(const std::wstring& caption, std::function<void(HWND)> action);
    // Captions of the dialogs activated so far, in order.
    const std::vector<std::wstring>& seen() const { return seen_; }

    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK RunPending(HWND, UINT, UINT_PTR timer, DWORD);

private:
    HHOOK hook_ = nullptr;
    DialogDriver* previous_ = nullptr;
    std::map<std::wstring, std::function<void(HWND)>> actions_;
    std::vector<std::wstring> seen_;
    std::vector<HWND> pending_;
};

std::wstring WindowTextOf(HWND window);
// The message of a message box (its one static that is not an icon).
std::wstring MessageBoxText(HWND box);
// Types into an edit the way a user's keys end: the new text, then EN_CHANGE.
void TypeInto(HWND dialog, int id, const std::wstring& text);
// Moves the keyboard focus into the control and out again (EN_KILLFOCUS).
void EnterAndLeave(HWND dialog, int id);
void Click(HWND dialog, int id);
