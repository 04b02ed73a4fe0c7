#include "common/message_box_recorder.h"

namespace {

thread_local MessageBoxRecorder* tActiveRecorder = nullptr;

BOOL CALLBACK CheckMessageBoxChild(HWND child, LPARAM param)
{
    wchar_t className[16] = {};
    GetClassNameW(child, className, 16);
    if (lstrcmpiW(className, L"Static") != 0 && lstrcmpiW(className, L"Button") != 0)
        *reinterpret_cast<bool*>(param) = false;
    return TRUE;
}

// A message box is a dialog made of static texts, its icon and buttons only; other dialogs
// (file choosers, progress dialogs) are left alone.
bool IsMessageBox(HWND window)
{
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (lstrcmpW(className, L"#32770") != 0)
        return false;
    bool onlyStaticsAndButtons = true;
    EnumChildWindows(window, CheckMessageBoxChild, LPARAM(&onlyStaticsAndButtons));
    return onlyStaticsAndButtons;
}

std::wstring WindowText(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    std::wstring text(size_t(length) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

struct BoxContent {
    std::wstring text;
    bool errorIcon = false;
};

// The message is the one static control that is not an icon; Windows and Wine give it
// different ids, so look at the controls rather than at an id.
BOOL CALLBACK ReadStatic(HWND child, LPARAM param)
{
    BoxContent* content = reinterpret_cast<BoxContent*>(param);
    wchar_t className[16] = {};
    GetClassNameW(child, className, 16);
    if (lstrcmpiW(className, L"Static") != 0)
        return TRUE;
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        HICON icon = HICON(SendMessageW(child, STM_GETICON, 0, 0));
        content->errorIcon = icon && icon == LoadIconW(nullptr, IDI_ERROR);
    } else if (content->text.empty()) {
        content->text = WindowText(child);
    }
    return TRUE;
}

}  // namespace

MessageBoxRecorder::MessageBoxRecorder() : previous_(tActiveRecorder)
{
    tActiveRecorder = this;
    hook_ = SetWindowsHookExW(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    if (hook_)
        UnhookWindowsHookEx(hook_);
    tActiveRecorder = previous_;
}

LRESULT CALLBACK MessageBoxRecorder::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && tActiveRecorder && IsMessageBox(HWND(wParam)))
        tActiveRecorder->OnActivate(HWND(wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageBoxRecorder::OnActivate(HWND box)
{
    // A box is activated again when focus comes back to it; record it once.
    if (GetPropW(box, L"VexilRecorded"))
        return;
    SetPropW(box, L"VexilRecorded", HANDLE(1));
    BoxContent content;
    EnumChildWindows(box, ReadStatic, LPARAM(&content));
    boxes_.push_back({content.text, WindowText(box), content.errorIcon});
    const LRESULT defId = SendMessageW(box, DM_GETDEFID, 0, 0);
    const int button = HIWORD(defId) == DC_HASDEFID ? LOWORD(defId) : IDOK;
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), LPARAM(GetDlgItem(box, button)));
}
