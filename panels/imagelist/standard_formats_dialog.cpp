// Standard Formats: from one large square 32-bit Image, the sixteen usual icon formats (four
// sizes by four depths), previewed in a grid before they are made.
#include <windows.h>
#include <commctrl.h>

#include <array>

#include "common/back_buffer.h"
#include "common/document_ops.h"
#include "common/gdiplus_pixels.h"
#include "common/messages.h"
#include "image_dialog_rules.h"
#include "image_dialogs.h"
#include "imagestrip_ids.h"

namespace {

const Gdiplus::Color kWhite(255, 255, 255, 255);
const Gdiplus::Color kBlack(255, 0, 0, 0);
constexpr const wchar_t* kColumnTitles[4] = {L"48 x 48", L"32 x 32", L"24 x 24", L"16 x 16"};
constexpr const wchar_t* kRowTitles[4] = {L"32 bpp", L"24 bpp", L"256 Color", L"16 Color"};

struct Levels {
    int alphaThreshold, level256, level16;
};

struct FormatsDialog {
    ImageListState* state;
    Image* source;
    BackBuffer buffer;
    Levels levels;
};

FormatsDialog* DialogOf(HWND dialog)
{
    return reinterpret_cast<FormatsDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

int SliderValue(HWND dialog, int id) { return int(SendDlgItemMessageW(dialog, id, TBM_GETPOS, 0, 0)); }

Levels ReadLevels(HWND dialog)
{
    return {SliderValue(dialog, IDC_SF_ALPHA_THRESHOLD), SliderValue(dialog, IDC_SF_DITHER_256),
            SliderValue(dialog, IDC_SF_DITHER_16)};
}

// The source at n x n and `depth`, as a new bitmap.
Bitmap* FormatPicture(const AppContext& context, Image* source, int n, int depth, const Levels& levels)
{
    Bitmap* scaled = ScaledCopy(source->composite, n, n, Gdiplus::InterpolationModeHighQualityBicubic);
    if (depth == 32 || !scaled)
        return scaled;
    const int level = depth == 8 ? levels.level256 : levels.level16;
    Bitmap* reduced = ReduceToDepth(context, scaled, depth, levels.alphaThreshold, level);
    delete scaled;
    return reduced;
}

// ---- Preview ----------------------------------------------------------------------------

void DrawPictures(Gdiplus::Graphics* graphics, const FormatsDialog& record, int W, int H)
{
    graphics->SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    graphics->SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column) {
            const int n = kStandardSizes[column];
            Bitmap* picture =
                FormatPicture(*record.state->context, record.source, n, kStandardDepths[row], record.levels);
            if (!picture)
                continue;
            const GridCell cell = StandardFormatCell(W, H, column, row);
            graphics->DrawImage(picture, Gdiplus::Rect(cell.x, cell.y, n, n), 0, 0, n, n, Gdiplus::UnitPixel);
            delete picture;
        }
}

void DrawHeaders(Gdiplus::Graphics* graphics, const PanelLook& look, Gdiplus::Font* font, int W, int H)
{
    Gdiplus::SolidBrush highlight(look.highlight), text(look.highlightText);
    graphics->FillRectangle(&highlight, 3, 3, 13, 13);
    graphics->FillRectangle(&highlight, 16, 3, W - 19, 13);
    graphics->FillRectangle(&highlight, 3, 16, 13, H - 19);
    if (!font)
        return;
    Gdiplus::StringFormat centered;
    centered.SetAlignment(Gdiplus::StringAlignmentCenter);
    centered.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    for (int j = 0; j < 4; ++j) {
        const float x = float(StandardColumnX(W, j));
        const float right = j < 3 ? float(StandardColumnX(W, j + 1)) : float(W - 3);
        graphics->DrawString(kColumnTitles[j], -1, font, Gdiplus::RectF(x, 3, right - x, 13), &centered, &text);
    }
    Gdiplus::StringFormat vertical(Gdiplus::StringFormatFlagsDirectionVertical);
    vertical.SetAlignment(Gdiplus::StringAlignmentCenter);
    vertical.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    for (int r = 0; r < 4; ++r) {
        const float y = float(StandardRowY(H, r));
        const float bottom = r < 3 ? float(StandardRowY(H, r + 1)) : float(H - 3);
        graphics->DrawString(kRowTitles[r], -1, font, Gdiplus::RectF(3, y, 13, bottom - y + 1), &vertical, &text);
    }
}

void DrawGridLines(Gdiplus::Graphics* graphics, int W, int H)
{
    Gdiplus::Pen black(kBlack, 1);
    graphics->DrawLine(&black, 3, 16, W - 3, 16);
    graphics->DrawLine(&black, 16, 3, 16, H - 3);
    for (int i = 1; i < 4; ++i) {
        const int x = StandardColumnX(W, i), y = StandardRowY(H, i);
        graphics->DrawLine(&black, x, 3, x, H - 3);
        graphics->DrawLine(&black, 3, y, W - 3, y);
    }
}

void DrawFormats(Gdiplus::Graphics* graphics, const FormatsDialog& record, int W, int H)
{
    const ImageListState& state = *record.state;
    Gdiplus::GraphicsPath* outline = NewFramePath(float(W), float(H));
    graphics->Clear(state.colors.face);
    graphics->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    Gdiplus::SolidBrush white(kWhite);
    graphics->FillPath(&white, outline);
    graphics->SetSmoothingMode(Gdiplus::SmoothingModeNone);
    DrawPictures(graphics, record, W, H);
    graphics->SetClip(outline);
    graphics->SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
    DrawHeaders(graphics, state.colors, state.thumbFont, W, H);
    DrawGridLines(graphics, W, H);
    graphics->ResetClip();
    graphics->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    Gdiplus::Pen border(kBlack, 2);
    graphics->DrawPath(&border, outline);
    delete outline;
}

void PaintPreview(FormatsDialog* record, const DRAWITEMSTRUCT& item)
{
    const int width = item.rcItem.right - item.rcItem.left, height = item.rcItem.bottom - item.rcItem.top;
    if (!record->buffer.dc && !RebuildBackBuffer(record->buffer, width, height))
        return;
    {
        Gdiplus::Graphics graphics(record->buffer.dc);
        DrawFormats(&graphics, *record, width, height);
    }
    PresentBackBuffer(record->buffer, item.hDC, width, height);
}

// ---- Dialog -----------------------------------------------------------------------------

void SetSlider(HWND dialog, int id, int low, int high, int position)
{
    SendDlgItemMessageW(dialog, id, TBM_SETRANGEMIN, FALSE, low);
    SendDlgItemMessageW(dialog, id, TBM_SETRANGEMAX, FALSE, high);
    SendDlgItemMessageW(dialog, id, TBM_SETPOS, TRUE, position);
    PassFocusFrom(GetDlgItem(dialog, id), GetDlgItem(dialog, IDC_SF_PREVIEW));
}

void OnInit(HWND dialog, FormatsDialog* record)
{
    SetWindowLongPtrW(dialog, DWLP_USER, LONG_PTR(record));
    SetSlider(dialog, IDC_SF_ALPHA_THRESHOLD, 0, 255, 0);
    SetSlider(dialog, IDC_SF_DITHER_256, 1, 30, 3);
    SetSlider(dialog, IDC_SF_DITHER_16, 1, 60, 5);
    record->levels = ReadLevels(dialog);
    CenterWindowOver(dialog, record->state->context->mainWindow);
}

INT_PTR CALLBACK FormatsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    FormatsDialog* record = message == WM_INITDIALOG ? reinterpret_cast<FormatsDialog*>(lParam) : DialogOf(dialog);
    if (!record)
        return FALSE;
    switch (message) {
    case WM_INITDIALOG: OnInit(dialog, record); return TRUE;
    case WM_HSCROLL:
        record->levels = ReadLevels(dialog);
        InvalidateRect(GetDlgItem(dialog, IDC_SF_PREVIEW), nullptr, FALSE);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            record->levels = ReadLevels(dialog);
            EndDialog(dialog, LOWORD(wParam));
        }
        return TRUE;
    case WM_DRAWITEM:
        if (wParam != IDC_SF_PREVIEW)
            return FALSE;
        PaintPreview(record, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    return FALSE;
}

// ---- Making the Images ------------------------------------------------------------------

void DeleteRun(Image* run)
{
    while (run) {
        Image* next = run->next;
        PYX_DeleteImage(run);
        run = next;
    }
}

// A new Image of the format whose composite and one layer hold the reduced picture.
Image* MakeFormat(const AppContext& context, Image* source, const StandardFormat& format, const Levels& levels)
{
    Image* image = PYX_CreateImage(uint16_t(format.size), uint16_t(format.size));
    if (!image)
        return nullptr;
    Bitmap* composite = FormatPicture(context, source, format.size, format.depth, levels);
    Bitmap* layerCopy = composite ? CloneBitmap(composite) : nullptr;
    if (!layerCopy || !image->firstLayer) {
        delete composite;
        delete layerCopy;
        PYX_DeleteImage(image);
        return nullptr;
    }
    delete image->composite;
    image->composite = composite;
    delete image->firstLayer->bitmap;
    image->firstLayer->bitmap = layerCopy;
    image->bitsPerPixel = uint8_t(format.depth);
    return image;
}

// The sixteen Images linked in their order, or null when one of them cannot be made.
Image* MakeFormatRun(const AppContext& context, Image* source, const Levels& levels)
{
    Image* first = nullptr;
    Image* last = nullptr;
    for (const StandardFormat& format : StandardFormatOrder()) {
        Image* image = MakeFormat(context, source, format, levels);
        if (!image) {
            DeleteRun(first);
            return nullptr;
        }
        image->prev = last;
        image->next = nullptr;
        (last ? last->next : first) = image;
        last = image;
    }
    return first;
}

}  // namespace

bool MakeStandardFormats(ImageListState* state, int alphaThreshold, int level256, int level16)
{
    AppContext* context = state->context;
    Resource* document = context->document;
    const int index = state->current;
    Image* source = ImageAt(document, index);
    if (!source || !StandardFormatsAvailable(source->bitsPerPixel, source->width, source->height))
        return false;
    Image* run = MakeFormatRun(*context, source, {alphaThreshold, level256, level16});
    if (!run)
        return false;
    if (!InsertImageRun(document, index + 1, run)) {
        DeleteRun(run);  // the list is full
        return false;
    }
    ReloadDocument(state);
    document->modified = 1;
    PostMessageW(context->mainWindow, kImageListChanged, 0, 0);
    SetScrollState(state);
    SetScrollPos(state->listWindow, SB_HORZ, state->scrollPos, TRUE);
    SendMessageW(context->mainWindow, kUndoStandardFormatsRing, WPARAM(index + 1), LPARAM(index + kStandardFormatCount));
    Redraw(state);
    return true;
}

void OpenStandardFormats(ImageListState* state)
{
    AppContext* context = state->context;
    Image* source = context ? ImageAt(context->document, state->current) : nullptr;
    if (!source || !StandardFormatsAvailable(source->bitsPerPixel, source->width, source->height))
        return;
    CancelDrag(state);
    FormatsDialog record{};
    record.state = state;
    record.source = source;
    const INT_PTR answer = DialogBoxParamW(DialogModule(), MAKEINTRESOURCEW(IDD_STANDARD_FORMATS),
                                           context->mainWindow, FormatsProc, LPARAM(&record));
    ReleaseBackBuffer(record.buffer);
    if (answer == IDOK)
        MakeStandardFormats(state, record.levels.alphaThreshold, record.levels.level256, record.levels.level16);
}
