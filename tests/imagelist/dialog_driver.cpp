#include "imagelist/dialog_driver.h"

namespace {

thread_local DialogDriver* tDriver = nullptr;

bool IsDialog(HWND window)
{
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return lstrcmpW(className, L"#32770") == 0;
}

BOOL CALLBACK ReadStatic(HWND child, LPARAM param)
{
    auto* text = reinterpret_cast<std::wstring*>(param);
    wchar_t className[16] = {};
    GetClassNameW(child, className, 16);
    if (lstrcmpiW(className, L"Static") == 0 && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON &&
        text->empty())
        *text = WindowTextOf(child);
    return TRUE;
}

}  // namespace

std::wstring WindowTextOf(HWND window)
{
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

std::wstring MessageBoxText(HWND box)
{
    std::wstring text;
    EnumChildWindows(box, ReadStatic, LPARAM(&text));
    return text;
}

void TypeInto(HWND dialog, int id, const std::wstring& text)
{
    SetDlgItemTextW(dialog, id, text.c_str());  // the edit notifies EN_CHANGE itself
}

void EnterAndLeave(HWND dialog, int id)
{
    SetFocus(GetDlgItem(dialog, id));
    SetFocus(GetDlgItem(dialog, IDCANCEL));
}

void Click(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(dialog, id)));
}

DialogDriver::DialogDriver() : previous_(tDriver)
{
    tDriver = this;
    hook_ = SetWindowsHookExW(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
}

DialogDriver::~DialogDriver()
{
    if (hook_)
        UnhookWindowsHookEx(hook_);
    tDriver = previous_;
}

void DialogDriver::On(const std::wstring& caption, std::function<void(HWND)> action)
{
    actions_[caption] = std::move(action);
}

LRESULT CALLBACK DialogDriver::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = HWND(wParam);
    if (code == HCBT_ACTIVATE && tDriver && IsDialog(window) && !GetPropW(window, L"VexilDriven")) {
        SetPropW(window, L"VexilDriven", HANDLE(1));
        tDriver->seen_.push_back(WindowTextOf(window));
        tDriver->pending_.push_back(window);
        SetTimer(nullptr, 0, 0, RunPending);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Runs from the dialog's own loop, once the dialog has finished opening.
void CALLBACK DialogDriver::RunPending(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (!tDriver)
        return;
    std::vector<HWND> pending;
    pending.swap(tDriver->pending_);
    for (HWND window : pending) {
        if (!IsWindow(window))
            continue;
        auto action = tDriver->actions_.find(WindowTextOf(window));
        if (action != tDriver->actions_.end())
            action->second(window);
        else
            PostMessageW(window, WM_COMMAND, IDCANCEL, 0);  // an unexpected dialog must not hang the test
    }
}
