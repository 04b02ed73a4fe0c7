#include "dialog_answers.h"

#include <dlgs.h>

namespace {

thread_local FileDialogAnswer* tFileAnswer = nullptr;

thread_local MessageBoxAnswer* tBoxAnswer = nullptr;
thread_local std::vector<AnsweredBox>* tBoxes = nullptr;
thread_local int tButton = 0;

std::wstring TextOf(HWND window)
{
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

bool IsDialog(HWND window)
{
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return lstrcmpW(className, L"#32770") == 0;
}

// A file dialog has its file-type list; a message box has no list at all.
bool IsFileDialog(HWND window)
{
    return IsDialog(window) && GetDlgItem(window, cmb1);
}

HWND FileNameBox(HWND dialog)
{
    HWND box = GetDlgItem(dialog, cmb13);
    return box ? box : GetDlgItem(dialog, edt1);
}

std::vector<std::wstring> FilterLabels(HWND dialog)
{
    std::vector<std::wstring> labels;
    HWND list = GetDlgItem(dialog, cmb1);
    const int count = int(SendMessageW(list, CB_GETCOUNT, 0, 0));

    for (int i = 0; i < count; i++) {
        wchar_t label[256] = {};
        SendMessageW(list, CB_GETLBTEXT, WPARAM(i), LPARAM(label));
        labels.push_back(label);
    }
    return labels;
}

struct BoxText {
    std::wstring text;
    bool warning = false;
};

BOOL CALLBACK ReadBoxChild(HWND child, LPARAM param)
{
    auto* box = reinterpret_cast<BoxText*>(param);
    wchar_t className[16] = {};
    GetClassNameW(child, className, 16);
    if (lstrcmpiW(className, L"Static") != 0)
        return TRUE;
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        HICON icon = HICON(SendMessageW(child, STM_GETICON, 0, 0));
        box->warning = icon && icon == LoadIconW(nullptr, IDI_WARNING);
    } else if (box->text.empty()) {
        box->text = TextOf(child);
    }
    return TRUE;
}

bool Once(HWND window, const wchar_t* mark)
{
    if (GetPropW(window, mark))
        return false;
    SetPropW(window, mark, HANDLE(1));
    return true;
}

}  // namespace

FileDialogAnswer::FileDialogAnswer(std::wstring path) : path_(std::move(path))
{
    tFileAnswer = this;
    hook_ = SetWindowsHookExW(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
}

FileDialogAnswer::~FileDialogAnswer()
{
    UnhookWindowsHookEx(hook_);
    tFileAnswer = nullptr;
}

LRESULT CALLBACK FileDialogAnswer::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && tFileAnswer && IsFileDialog(HWND(wParam)) && Once(HWND(wParam), L"VexilAnswered"))
        tFileAnswer->OnActivate(HWND(wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The file-type list is filled once the dialog runs, so it is read, and the dialog
// answered, from the dialog's own message loop.
void CALLBACK AnswerFromTheLoop(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (tFileAnswer)
        tFileAnswer->Answer();
}

void FileDialogAnswer::OnActivate(HWND dialog)
{
    seen_.push_back({TextOf(dialog), {}, TextOf(FileNameBox(dialog))});
    dialog_ = dialog;
    SetTimer(nullptr, 0, 0, AnswerFromTheLoop);
}

void FileDialogAnswer::Answer()
{
    HWND dialog = dialog_;
    if (!IsWindow(dialog))
        return;
    seen_.back().filters = FilterLabels(dialog);
    HWND nameBox = FileNameBox(dialog);
    if (path_.empty()) {
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    SetWindowTextW(nameBox, path_.c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(GetDlgItem(dialog, IDOK)));
}

MessageBoxAnswer::MessageBoxAnswer(int button) : button_(button)
{
    tBoxAnswer = this;
    tBoxes = &boxes_;
    tButton = button_;
    hook_ = SetWindowsHookExW(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
}

MessageBoxAnswer::~MessageBoxAnswer()
{
    UnhookWindowsHookEx(hook_);
    tBoxAnswer = nullptr;
    tBoxes = nullptr;
}

LRESULT CALLBACK MessageBoxAnswer::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    HWND box = HWND(wParam);
    if (code == HCBT_ACTIVATE && tBoxAnswer && IsDialog(box) && !IsFileDialog(box) && Once(box, L"VexilBoxAnswered")) {
        BoxText content;
        EnumChildWindows(box, ReadBoxChild, LPARAM(&content));
        tBoxes->push_back({content.text, TextOf(box), content.warning});
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(tButton, BN_CLICKED), LPARAM(GetDlgItem(box, tButton)));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
