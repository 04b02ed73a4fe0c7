// What every settings dialog shares: opening, the slider and edit pairs, the color buttons,
// the depth lists, the preview, OK and Cancel. Each dialog is a DialogLayout; this file reads
// the description and does the rest.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <string>

#include "common/document_ops.h"
#include "common/gdiplus_pixels.h"
#include "common/messages.h"
#include "common/selection_state.h"
#include "dialogs/dialog_state.h"
#include "resources/fxdialogs/fxdialogs_resources.h"

namespace {

DialogState* StateOf(HWND dialog)
{
    return reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

bool IsEffectDialog(const DialogState& state)
{
    return state.layout->type == kNoFilter;
}

const PairLayout* PairByEdit(const DialogState& state, int id)
{
    for (int i = 0; i < state.layout->pairCount; i++)
        if (state.layout->pairs[i].editId != 0 && state.layout->pairs[i].editId == id)
            return &state.layout->pairs[i];
    return nullptr;
}

const PairLayout* PairBySlider(const DialogState& state, int id)
{
    for (int i = 0; i < state.layout->pairCount; i++)
        if (state.layout->pairs[i].sliderId == id)
            return &state.layout->pairs[i];
    return nullptr;
}

const ColorLayout* ColorByButton(const DialogState& state, int id)
{
    for (int i = 0; i < state.layout->colorCount; i++)
        if (state.layout->colors[i].buttonId == id)
            return &state.layout->colors[i];
    return nullptr;
}

struct Range {
    int32_t low, high;
};

// The filter table gives the ranges; the shadow offsets reach half the Image either way.
Range PairRange(const DialogState& state, const PairLayout& pair)
{
    const FilterParameter* parameter = FindParameter(state.layout->type, pair.word);
    if (!parameter)
        return {pair.low, pair.high};
    if (parameter->value == FilterValue::kOffset) {
        const int32_t half = (pair.word == 4 ? state.image->width : state.image->height) / 2;
        return {-half, half};
    }
    return {parameter->low, parameter->high};
}

int32_t SliderPosition(const DialogState& state, int sliderId)
{
    return int32_t(SendDlgItemMessageW(state.dialog, sliderId, TBM_GETPOS, 0, 0));
}

void SetSliderPosition(const DialogState& state, int sliderId, int32_t value)
{
    SendDlgItemMessageW(state.dialog, sliderId, TBM_SETPOS, TRUE, value);
}

std::wstring ItemText(HWND dialog, int id)
{
    wchar_t text[64] = {};
    GetDlgItemTextW(dialog, id, text, 64);
    return text;
}

// ---- preview ----

Gdiplus::Bitmap* PreviewSource(const DialogState& state)
{
    if (IsEffectDialog(state))
        return state.layer->bitmap;
    return state.context->selection ? state.context->selection->content : nullptr;
}

void MakePreviewBuffer(DialogState& state)
{
    RECT client{};
    GetClientRect(state.preview, &client);
    const int width = std::max(1, int(client.right)), height = std::max(1, int(client.bottom));
    state.previewBuffer = new Gdiplus::Bitmap(width, height, PixelFormat32bppARGB);
    Gdiplus::Bitmap* source = PreviewSource(state);
    if (source && source->GetWidth() > 0 && source->GetHeight() > 0)
        state.fit = FitPreview(int(source->GetWidth()), int(source->GetHeight()), width, height);
}

void DrawPreview(const DialogState& state, HDC target)
{
    Gdiplus::Bitmap* buffer = state.previewBuffer;
    if (!buffer || buffer->GetLastStatus() != Gdiplus::Ok)
        return;
    {
        Gdiplus::Graphics graphics(buffer);
        graphics.SetCompositingQuality(Gdiplus::CompositingQualityHighQuality);
        graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
        if (IsEffectDialog(state))
            graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        graphics.Clear(Gdiplus::Color(255, 255, 255, 255));
        if (state.previewBitmap)
            graphics.DrawImage(state.previewBitmap,
                               Gdiplus::RectF(state.fit.left, state.fit.top, state.fit.width, state.fit.height));
    }
    Gdiplus::Graphics screen(target);
    screen.DrawImage(buffer, 0, 0, int(buffer->GetWidth()), int(buffer->GetHeight()));
}

Gdiplus::Bitmap* FilterPreview(DialogState& state)
{
    Gdiplus::Bitmap* source = PreviewSource(state);
    if (!source)
        return nullptr;
    FilterParams& request = state.request;
    request = {};
    const bool shadow = state.layout->type == kDropShadow;
    request.filterType = shadow ? (state.dropShadow ? kDropShadow : kInnerShadow) : state.layout->type;
    request.source = source;
    request.kernel = state.kernel;
    request.word4 = state.words[4];
    request.word5 = state.words[5];
    request.word6 = state.words[6];
    request.word7 = shadow ? state.dropShadow : 0;
    request.shadowColor = shadow ? reinterpret_cast<const uint32_t*>(&state.words[8]) : nullptr;
    request.word9 = state.words[9];
    request.word10 = state.words[10];
    request.word11 = state.words[11];
    request.word12 = state.words[12];
    return ApplyFilter(&request);
}

// ---- colors ----

COLORREF ShownColor(const DialogState& state, const ColorLayout& color)
{
    const uint32_t value = uint32_t(state.words[color.word]);
    switch (color.cell) {
    case ColorCell::kOpaqueWord: return RGB((value >> 16) & 255, (value >> 8) & 255, value & 255);
    case ColorCell::kColorRefWord: return COLORREF(value & 0xFFFFFF);
    case ColorCell::kRgbWords: return RGB(state.words[4] & 255, state.words[5] & 255, state.words[6] & 255);
    }
    return 0;
}

void SetPairValue(DialogState& state, const PairLayout& pair, int32_t value)
{
    SetSliderPosition(state, pair.sliderId, value);
    state.words[pair.word] = SliderPosition(state, pair.sliderId);
    if (pair.editId)
        SetEditNumber(state, pair.editId, state.words[pair.word]);
}

void StoreColor(DialogState& state, const ColorLayout& color, COLORREF chosen)
{
    switch (color.cell) {
    case ColorCell::kOpaqueWord:
        state.words[color.word] =
            int32_t(0xFF000000u | (GetRValue(chosen) << 16) | (GetGValue(chosen) << 8) | GetBValue(chosen));
        break;
    case ColorCell::kColorRefWord: state.words[color.word] = int32_t(chosen); break;
    case ColorCell::kRgbWords: {
        const int32_t channels[3] = {GetRValue(chosen), GetGValue(chosen), GetBValue(chosen)};
        for (int i = 0; i < state.layout->pairCount; i++)
            if (state.layout->pairs[i].word >= 4 && state.layout->pairs[i].word <= 6)
                SetPairValue(state, state.layout->pairs[i], channels[state.layout->pairs[i].word - 4]);
        break;
    }
    }
}

void OnColorButton(DialogState& state, const ColorLayout& color)
{
    CHOOSECOLORW chooser{};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = state.dialog;
    chooser.rgbResult = ShownColor(state, color);
    chooser.lpCustColors = state.customColors;
    chooser.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (!ChooseColorW(&chooser))
        return;  // cancelled: nothing changes
    StoreColor(state, color, chooser.rgbResult);
    UpdatePreview(state);
}

void DrawColorButton(const DialogState& state, const ColorLayout& color, const DRAWITEMSTRUCT& item)
{
    HBRUSH face = CreateSolidBrush(ShownColor(state, color));
    FillRect(item.hDC, &item.rcItem, face);
    DeleteObject(face);
    FrameRect(item.hDC, &item.rcItem, HBRUSH(GetStockObject(BLACK_BRUSH)));
}

// ---- depth lists ----

const wchar_t* const kDepthNames[] = {L"Low", L"Medium", L"High", L"Very High"};

void FillDepthList(DialogState& state)
{
    const ListLayout& list = state.layout->list;
    const FilterParameter* depth = FindParameter(state.layout->type, list.word);
    if (!list.listId || !depth)
        return;
    const int count = std::min(int(std::size(kDepthNames)), (depth->high - depth->low) / 2 + 1);
    for (int i = 0; i < count; i++)
        SendDlgItemMessageW(state.dialog, list.listId, CB_ADDSTRING, 0, LPARAM(kDepthNames[i]));
    const int item = std::clamp((state.words[list.word] - depth->low) / 2, 0, count - 1);
    SendDlgItemMessageW(state.dialog, list.listId, CB_SETCURSEL, item, 0);
}

void OnDepthChosen(DialogState& state)
{
    const ListLayout& list = state.layout->list;
    const FilterParameter* depth = FindParameter(state.layout->type, list.word);
    const LRESULT item = SendDlgItemMessageW(state.dialog, list.listId, CB_GETCURSEL, 0, 0);
    if (!depth || item == CB_ERR)
        return;
    state.words[list.word] = depth->low + 2 * int32_t(item);
    UpdatePreview(state);
}

// ---- edits and sliders ----

// A whole number, with a leading "-" only where signed; no blanks, nothing after it.
bool ParseNumber(const std::wstring& text, EditSign sign, int32_t& value)
{
    size_t at = 0;
    const bool negative = sign == EditSign::kSigned && !text.empty() && text[0] == L'-';
    at = negative ? 1 : 0;
    if (at == text.size())
        return false;
    int64_t number = 0;
    for (; at < text.size(); at++) {
        if (text[at] < L'0' || text[at] > L'9')
            return false;
        number = std::min<int64_t>(number * 10 + (text[at] - L'0'), 1000000000);
    }
    value = int32_t(negative ? -number : number);
    return true;
}

void ValidatePair(DialogState& state, const PairLayout& pair)
{
    const Range range = PairRange(state, pair);
    int32_t value = 0;
    if (!ParseNumber(ItemText(state.dialog, pair.editId), pair.sign, value)) {
        value = state.layout->singleEdit ? 0 : SliderPosition(state, pair.sliderId);
        SetEditNumber(state, pair.editId, value);
    } else if (value < range.low || value > range.high) {
        value = std::clamp(value, range.low, range.high);
        SetEditNumber(state, pair.editId, value);
    }
    SetSliderPosition(state, pair.sliderId, value);
    state.words[pair.word] = SliderPosition(state, pair.sliderId);
    if (state.layout->singleEdit) {
        const int length = GetWindowTextLengthW(GetDlgItem(state.dialog, pair.editId));
        SendDlgItemMessageW(state.dialog, pair.editId, EM_SETSEL, length, length);
    }
    UpdatePreview(state);
}

void OnValidate(DialogState& state, WPARAM wParam)
{
    const int id = LOWORD(wParam);
    const PairLayout* pair = id == 0 ? &state.layout->pairs[0] : PairByEdit(state, id);
    if (pair && pair->editId)
        ValidatePair(state, *pair);
}

void RequestValidation(DialogState& state, int editId)
{
    if (!state.layout->validateMessage) {
        if (state.layout->validateAtOnce)
            state.layout->validateAtOnce(state, editId);
        return;
    }
    PostMessageW(state.dialog, state.layout->validateMessage, state.layout->singleEdit ? 0 : editId, 0);
}

void OnEditChange(DialogState& state, int id)
{
    const PairLayout* pair = PairByEdit(state, id);
    if (!state.editSync || !pair)
        return;
    if (pair->sign == EditSign::kSigned && ItemText(state.dialog, id) == L"-")
        return;  // a sign alone waits for its digits
    RequestValidation(state, id);
}

void OnScroll(DialogState& state, HWND slider, int code)
{
    const PairLayout* pair = PairBySlider(state, GetDlgCtrlID(slider));
    if (!pair || (state.layout->actOnRelease && code == TB_THUMBTRACK))
        return;
    state.words[pair->word] = SliderPosition(state, pair->sliderId);
    if (state.editSync && pair->editId)
        SetEditNumber(state, pair->editId, state.words[pair->word]);
    UpdatePreview(state);
}

// ---- subclassed controls ----

LRESULT CALLBACK NoEraseProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_ERASEBKGND)
        return 1;
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK SliderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    if (message == WM_SETFOCUS) {
        SetFocus(reinterpret_cast<DialogState*>(data)->preview);
        return 0;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    DialogState& state = *reinterpret_cast<DialogState*>(data);
    if (message == WM_KILLFOCUS || (message == WM_KEYUP && wParam == VK_RETURN))
        RequestValidation(state, GetDlgCtrlID(window));
    return DefSubclassProc(window, message, wParam, lParam);
}

void SkipErasing(HWND control)
{
    if (control)
        SetWindowSubclass(control, NoEraseProc, 1, 0);
}

// ---- opening ----

void SetUpPair(DialogState& state, const PairLayout& pair)
{
    const Range range = PairRange(state, pair);
    HWND slider = GetDlgItem(state.dialog, pair.sliderId);
    SendMessageW(slider, TBM_SETRANGEMIN, FALSE, range.low);
    SendMessageW(slider, TBM_SETRANGEMAX, TRUE, range.high);
    SetSliderPosition(state, pair.sliderId, state.words[pair.word]);
    SetWindowSubclass(slider, SliderProc, 1, DWORD_PTR(&state));
    if (!pair.editId)
        return;
    SendDlgItemMessageW(state.dialog, pair.editId, EM_LIMITTEXT, pair.characters, 0);
    SetEditNumber(state, pair.editId, SliderPosition(state, pair.sliderId));
    SubclassEdit(state, GetDlgItem(state.dialog, pair.editId));
}

void CenterOverOwner(const DialogState& state)
{
    RECT owner{}, dialog{};
    if (!state.owner || !GetWindowRect(state.owner, &owner) || !GetWindowRect(state.dialog, &dialog))
        return;
    const int width = dialog.right - dialog.left, height = dialog.bottom - dialog.top;
    const int left = owner.left + (owner.right - owner.left - width) / 2;
    const int top = owner.top + (owner.bottom - owner.top - height) / 2;
    SetWindowPos(state.dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OnOpen(DialogState& state, HWND dialog)
{
    state.dialog = dialog;
    state.editSync = false;
    state.preview = GetDlgItem(dialog, state.layout->previewId);
    std::fill(std::begin(state.customColors), std::end(state.customColors), state.layout->customColor);
    for (int i = 0; i < state.layout->pairCount; i++)
        SetUpPair(state, state.layout->pairs[i]);
    SkipErasing(state.preview);
    for (int i = 0; i < state.layout->colorCount; i++)
        SkipErasing(GetDlgItem(dialog, state.layout->colors[i].buttonId));
    FillDepthList(state);
    if (state.layout->onOpen)
        state.layout->onOpen(state);
    MakePreviewBuffer(state);
    UpdatePreview(state);
    state.editSync = true;
    CenterOverOwner(state);
}

// ---- closing ----

void OnApply(DialogState& state)
{
    const bool applied = state.layout->apply ? state.layout->apply(state) : ApplyFilterResult(state);
    if (!applied) {
        ReportNotApplied(state.dialog);
        EndDialog(state.dialog, 0);
        return;
    }
    StoreRemembered(state);
    state.context->document->modified = 1;
    SendMessageW(state.owner, kDialogApplied, IsEffectDialog(state) ? 0 : 1, 0);
    EndDialog(state.dialog, 1);
}

void OnCommand(DialogState& state, int id, int code)
{
    if (state.layout->onCommand && state.layout->onCommand(state, id, code))
        return;
    if (id == IDC_OK && code == BN_CLICKED)
        OnApply(state);
    else if (id == IDCANCEL)
        EndDialog(state.dialog, 0);
    else if (const ColorLayout* color = ColorByButton(state, id); color && code == BN_CLICKED)
        OnColorButton(state, *color);
    else if (id == state.layout->list.listId && state.layout->list.listId && code == CBN_SELCHANGE)
        OnDepthChosen(state);
    else if (code == EN_CHANGE)
        OnEditChange(state, id);
}

void OnDrawItem(DialogState& state, const DRAWITEMSTRUCT& item)
{
    if (int(item.CtlID) == state.layout->previewId)
        DrawPreview(state, item.hDC);
    else if (const ColorLayout* color = ColorByButton(state, int(item.CtlID)))
        DrawColorButton(state, *color, item);
    else if (state.layout->onDrawItem)
        state.layout->onDrawItem(state, item);
}

bool IsValidationMessage(UINT message)
{
    return message >= kValidateOpacity && message <= kValidateShadow;
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        OnOpen(*reinterpret_cast<DialogState*>(lParam), dialog);
        return TRUE;
    }
    DialogState* state = StateOf(dialog);
    if (!state)
        return FALSE;
    switch (message) {
    case WM_COMMAND: OnCommand(*state, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_HSCROLL: OnScroll(*state, HWND(lParam), LOWORD(wParam)); return TRUE;
    case WM_DRAWITEM: OnDrawItem(*state, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    }
    if (IsValidationMessage(message) && message == state->layout->validateMessage) {
        OnValidate(*state, wParam);
        return TRUE;
    }
    return FALSE;
}

void ReleaseDialogState(DialogState& state)
{
    delete state.previewBuffer;
    delete state.previewBitmap;
    delete state.effectPath;
    delete state.effectRequest.highlights;
    state.previewBuffer = nullptr;
    state.previewBitmap = nullptr;
    state.effectPath = nullptr;
    state.effectRequest.highlights = nullptr;
}

}  // namespace

HMODULE DialogModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&DialogModule), &module);
    return module;
}

void Redraw(HWND window)
{
    if (window)
        InvalidateRect(window, nullptr, FALSE);
}

void SetEditNumber(DialogState& state, int editId, int32_t value)
{
    const bool sync = state.editSync;
    state.editSync = false;  // our own write is no user's change
    wchar_t text[16];
    swprintf(text, 16, L"%d", int(value));
    SetDlgItemTextW(state.dialog, editId, text);
    state.editSync = sync;
}

void SubclassEdit(DialogState& state, HWND edit)
{
    if (edit)
        SetWindowSubclass(edit, EditProc, 1, DWORD_PTR(&state));
}

void UpdatePreview(DialogState& state)
{
    delete state.previewBitmap;
    state.previewBitmap = IsEffectDialog(state) ? EffectPreview(state) : FilterPreview(state);
    Redraw(state.preview);
    for (int i = 0; i < state.layout->colorCount; i++)
        Redraw(GetDlgItem(state.dialog, state.layout->colors[i].buttonId));
}

INT_PTR RunSettingsDialog(const DialogLayout& layout, HWND owner, AppContext* context, DialogState& state)
{
    state.layout = &layout;
    state.owner = owner;
    state.context = context;
    LoadRemembered(state);
    const INT_PTR result =
        DialogBoxParamW(DialogModule(), MAKEINTRESOURCEW(layout.resource), owner, DialogProc, LPARAM(&state));
    ReleaseDialogState(state);
    return result == 1 ? 1 : 0;
}
