// Answers the common file dialogs and the message boxes a test runs into, and records what
// they showed, so that file commands can run from the menu without a person at the screen.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct SeenFileDialog {
    std::wstring title;
    std::vector<std::wstring> filters;  // the labels of the file-type list
    std::wstring initialName;           // the file-name box as the dialog opened
};

// While it lives, every file dialog of this thread gets `path` typed in and OK pressed, or
// Cancel when `path` is empty.
class FileDialogAnswer {
public:
    explicit FileDialogAnswer(std::wstring path);
    ~FileDialogAnswer();
    FileDialogAnswer(const FileDialogAnswer&) = delete;
    FileDialogAnswer& operator=(const FileDialogAnswer&) = delete;

    const std::vector<SeenFileDialog>& seen() const { return seen_; }
    void Answer();

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    void OnActivate(HWND dialog);

    HHOOK hook_ = nullptr;
    HWND dialog_ = nullptr;
    std::wstring path_;
    std::vector<SeenFileDialog> seen_;
};

struct AnsweredBox {
    std::wstring text;
    std::wstring caption;
    bool warningIcon = false;
};

// While it lives, every message box of this thread is answered with `button` (IDYES, IDNO...).
class MessageBoxAnswer {
public:
    explicit MessageBoxAnswer(int button);
    ~MessageBoxAnswer();
    MessageBoxAnswer(const MessageBoxAnswer&) = delete;
    MessageBoxAnswer& operator=(const MessageBoxAnswer&) = delete;

    const std::vector<AnsweredBox>& boxes() const { return boxes_; }

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);

    HHOOK hook_ = nullptr;
    int button_;
    std::vector<AnsweredBox> boxes_;
};
