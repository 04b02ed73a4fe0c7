// The tool options bar: a modeless child dialog across the top of the main window that
// shows the options of the current tool.
#include <windows.h>

#include <commctrl.h>

#include "common/messages.h"
#include "module_instance.h"
#include "option_controls.h"
#include "options_bar_state.h"
#include "tool_geometry.h"
#include "tool_texts.h"
#include "toolrack_ids.h"

namespace {

// The library serves one options bar per process; its record outlives the window because
// the editing area keeps reading it through the AppContext.
OptionsBarState gBar;

void ShowControls(const OptionsBarState& state, int tool, int show)
{
    for (int id : ControlSetOf(tool))
        ShowWindow(GetDlgItem(state.options.bar, id), show);
}

void ShowToolSet(OptionsBarState* state, int tool)
{
    ShowControls(*state, state->shownTool, SW_HIDE);
    SetDlgItemTextW(state->options.bar, IDC_TITLE, ToolOptionsTitle(tool));
    ShowControls(*state, tool, SW_SHOW);
    state->shownTool = tool;
}

void OnToolChanged(OptionsBarState* state, WPARAM tool)
{
    if (tool < WPARAM(kToolCount))
        ShowToolSet(state, int(tool));
}

void CopyTypedText(OptionsBarState* state)
{
    GetDlgItemTextW(state->options.bar, IDC_TEXT_EDIT, state->text, kToolOptionsTextUnits);
}

void OnApply(OptionsBarState* state)
{
    CopyTypedText(state);
    SendMessageW(state->options.parent, kTextApply, 0, 0);
}

// Spans the parent's client width at the top, keeping the dialog's own height.
void StretchAcrossParent(const OptionsBarState& state)
{
    RECT parent;
    RECT bar;
    GetClientRect(state.options.parent, &parent);
    GetWindowRect(state.options.bar, &bar);
    SetWindowPos(state.options.bar, nullptr, 0, 0, parent.right, bar.bottom - bar.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void OnInitDialog(OptionsBarState* state, HWND bar)
{
    state->options.bar = bar;
    StretchAcrossParent(*state);
    WriteOptionsToControls(*state);
    SetDefaultTextFont(state);
    ShowToolSet(state, 0);
}

void OnCommand(OptionsBarState* state, int id, int code)
{
    if (code == EN_CHANGE) {
        if (const NumericOption* option = NumericOptionForEdit(id))
            PostMessageW(state->options.bar, option->message, 0, 0);
        return;
    }
    if (code != BN_CLICKED)
        return;
    if (id == IDC_CHOOSE_FONT)
        ChooseTextFont(state);
    else if (id == IDC_TEXT_APPLY)
        OnApply(state);
    else
        StoreCheckbox(state, id);
}

INT_PTR CALLBACK OptionsBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM)
{
    OptionsBarState* state = &gBar;
    switch (message) {
    case WM_INITDIALOG: OnInitDialog(state, bar); return TRUE;
    case WM_COMMAND: OnCommand(state, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case kToolChanged: OnToolChanged(state, wParam); return TRUE;
    case kCopyTypedText: CopyTypedText(state); return TRUE;
    }
    if (NumericOptionForMessage(message)) {
        CorrectNumericEdit(state, message);
        return TRUE;
    }
    return FALSE;
}

// The record the toolbox's context links to; the given one when there is no toolbox.
AppContext* LinkedContext(AppContext* given)
{
    AppContext* toolbox = ToolboxContext();
    return toolbox ? toolbox : given;
}

}  // namespace

TOOLRACK_API HWND TOOLRACKO_CreateWindow(HWND parent, AppContext* context)
{
    if (!parent || !context)
        return nullptr;
    TOOLRACKO_DestroyWindow();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    gBar.options.instance = ToolrackInstance();
    ResetToolOptions(&gBar);
    gBar.options.parent = parent;
    LinkedContext(context)->toolOptions = &gBar.options;
    HWND bar = CreateDialogParamW(gBar.options.instance, MAKEINTRESOURCEW(IDD_TOOL_OPTIONS), parent,
                                  OptionsBarProc, 0);
    if (!bar) {
        gBar.options.bar = nullptr;
        return nullptr;
    }
    ShowWindow(bar, SW_SHOW);
    return bar;
}

TOOLRACK_API void TOOLRACKO_DestroyWindow()
{
    if (gBar.options.bar)
        DestroyWindow(gBar.options.bar);
    gBar.options.bar = nullptr;
    ReleaseTextFont(&gBar);
    gBar.text[0] = L'\0';
}
