// The custom filter's 5 x 5 weights, scale and offset: 27 free edits, each taken at once.
// A change of a weight or of the offset sets the scale to the weights' sum (at least 1),
// so that a kernel keeps the picture's brightness unless the user types a scale himself.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "dialogs/dialog_hooks.h"
#include "resources/fxdialogs/fxdialogs_resources.h"

namespace {

constexpr int kScaleWord = 5;
constexpr int kOffsetWord = 6;
constexpr int kEditCharacters = 5;

bool IsWeightEdit(int id)
{
    return id >= IDC_CUSTOM_FIRST && id < IDC_CUSTOM_FIRST + 25;
}

bool IsCustomEdit(int id)
{
    return IsWeightEdit(id) || id == IDC_CUSTOM_SCALE || id == IDC_CUSTOM_OFFSET;
}

// Edit 1050 + 5 j + i shows row i, column j; the weights are kept row by row.
int32_t& ValueOf(DialogState& state, int id)
{
    if (id == IDC_CUSTOM_SCALE)
        return state.words[kScaleWord];
    if (id == IDC_CUSTOM_OFFSET)
        return state.words[kOffsetWord];
    const int column = (id - IDC_CUSTOM_FIRST) / 5, row = (id - IDC_CUSTOM_FIRST) % 5;
    return state.kernel[5 * row + column];
}

std::wstring EditText(const DialogState& state, int id)
{
    wchar_t text[32] = {};
    GetDlgItemTextW(state.dialog, id, text, 32);
    return text;
}

bool ParseSigned(const std::wstring& text, int32_t& value)
{
    if (text.empty() || text == L"-")
        return false;
    wchar_t* end = nullptr;
    const long number = std::wcstol(text.c_str(), &end, 10);
    if (*end != L'\0' || !(text[0] == L'-' || (text[0] >= L'0' && text[0] <= L'9')))
        return false;
    value = int32_t(number);
    return true;
}

void SetAutomaticScale(DialogState& state)
{
    int64_t sum = 0;
    for (int32_t weight : state.kernel)
        sum += weight;
    state.words[kScaleWord] = sum < 1 ? 1 : int32_t(std::min<int64_t>(sum, INT32_MAX));
    SetEditNumber(state, IDC_CUSTOM_SCALE, state.words[kScaleWord]);
}

}  // namespace

void OpenCustomDialog(DialogState& state)
{
    for (int id = IDC_CUSTOM_FIRST; id <= IDC_CUSTOM_OFFSET; id++) {
        if (!IsCustomEdit(id))
            continue;
        SendDlgItemMessageW(state.dialog, id, EM_LIMITTEXT, kEditCharacters, 0);
        SetEditNumber(state, id, ValueOf(state, id));
        SubclassEdit(state, GetDlgItem(state.dialog, id));
    }
}

void ValidateCustomEdit(DialogState& state, int id)
{
    if (!IsCustomEdit(id))
        return;
    int32_t& value = ValueOf(state, id);
    int32_t typed = 0;
    if (!ParseSigned(EditText(state, id), typed)) {
        SetEditNumber(state, id, std::abs(value));  // the value itself stays
    } else {
        value = typed;
        if (id != IDC_CUSTOM_SCALE)
            SetAutomaticScale(state);
    }
    UpdatePreview(state);
}

bool CustomCommand(DialogState& state, int id, int code)
{
    if (!IsCustomEdit(id) || code != EN_CHANGE)
        return false;
    if (state.editSync && EditText(state, id) != L"-")
        ValidateCustomEdit(state, id);
    return true;
}
