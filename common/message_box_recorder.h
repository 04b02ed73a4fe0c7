// Records every message box the current thread opens and closes it with its default
// button, so that tests and the console tool see the exact words and nothing waits for a
// click. Only one recorder is active per thread; it hooks that thread alone (WH_CBT).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct RecordedMessageBox {
    std::wstring text;
    std::wstring caption;
    bool errorIcon = false;  // the box showed the error (hand) icon
};

class MessageBoxRecorder {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    const std::vector<RecordedMessageBox>& boxes() const { return boxes_; }
    void Clear() { boxes_.clear(); }

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    void OnActivate(HWND box);

    HHOOK hook_ = nullptr;
    MessageBoxRecorder* previous_ = nullptr;
    std::vector<RecordedMessageBox> boxes_;
};
