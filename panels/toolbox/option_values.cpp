// The option values of the tool options bar: defaults, their controls, and the correction
// of what is typed into the numeric edits.
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "option_controls.h"
#include "options_bar_state.h"
#include "toolrack_ids.h"

namespace {

HWND Control(const OptionsBarState& state, int id) { return GetDlgItem(state.options.bar, id); }

// The whole text of an edit, however long.
std::vector<wchar_t> EditText(HWND edit)
{
    std::vector<wchar_t> text(GetWindowTextLengthW(edit) + 1, L'\0');
    GetWindowTextW(edit, text.data(), int(text.size()));
    return text;
}

void SetSpin(const OptionsBarState& state, const NumericOption& option, int32_t value)
{
    SendMessageW(Control(state, option.spinId), UDM_SETPOS32, 0, value);
}

void SetRanges(const OptionsBarState& state)
{
    for (const NumericOption& option : NumericOptions()) {
        const OptionBounds bounds = BoundsOf(option.range);
        SendMessageW(Control(state, option.spinId), UDM_SETRANGE32, bounds.minimum, bounds.maximum);
    }
}

}  // namespace

void ResetToolOptions(OptionsBarState* state)
{
    ToolOptions& o = state->options;
    const HINSTANCE instance = o.instance;
    o = {};
    o.instance = instance;
    for (const NumericOption& option : NumericOptions())
        o.*option.field = BoundsOf(option.range).minimum;
    // Every switch starts on except Contiguous and the two Round Rectangle boxes.
    for (const CheckOption& option : CheckOptions())
        o.*option.field = 1;
    o.wandContiguous = 0;
    o.rectangleRounded = 0;
    o.filledRectangleRounded = 0;
    state->text[0] = L'\0';
    o.text = state->text;
    o.textFontDescription = &state->fontDescription;
    state->shownTool = -1;
}

void WriteOptionsToControls(const OptionsBarState& state)
{
    SetRanges(state);
    for (const NumericOption& option : NumericOptions()) {
        SetDlgItemInt(state.options.bar, option.editId, state.options.*option.field, FALSE);
        SetSpin(state, option, state.options.*option.field);
    }
    for (const CheckOption& option : CheckOptions())
        CheckDlgButton(state.options.bar, option.boxId,
                       state.options.*option.field ? BST_CHECKED : BST_UNCHECKED);
    SendDlgItemMessageW(state.options.bar, IDC_TEXT_EDIT, EM_LIMITTEXT, kToolOptionsTextUnits - 1,
                        0);
    SetDlgItemTextW(state.options.bar, IDC_TEXT_EDIT, state.text);
    EnableRadiusControls(state);
}

void CorrectNumericEdit(OptionsBarState* state, UINT message)
{
    const NumericOption* option = NumericOptionForMessage(message);
    if (!option)
        return;
    HWND edit = Control(*state, option->editId);
    const CorrectedValue value = CorrectOptionText(EditText(edit).data(), option->range);
    state->options.*option->field = value.value;
    if (!value.corrected)
        return;
    SetDlgItemInt(state->options.bar, option->editId, value.value, FALSE);
    SetSpin(*state, *option, value.value);
    // Typing goes on after the corrected value, not in front of it.
    const LPARAM end = GetWindowTextLengthW(edit);
    SendMessageW(edit, EM_SETSEL, end, end);
}

void StoreCheckbox(OptionsBarState* state, int boxId)
{
    const CheckOption* option = CheckOptionForBox(boxId);
    if (!option)
        return;
    state->options.*option->field = IsDlgButtonChecked(state->options.bar, boxId) == BST_CHECKED;
    if (RadiusGroupForBox(boxId))
        EnableRadiusControls(*state);
}

void EnableRadiusControls(const OptionsBarState& state)
{
    for (const RadiusGroup& group : RadiusGroups())
        for (int id = group.firstControl; id <= group.lastControl; ++id)
            EnableWindow(Control(state, id), state.options.*group.rounded != 0);
}
