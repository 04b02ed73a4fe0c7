// Image Properties: one Image's depth, size, display rate and hot spot, with a preview of
// the reduced picture. The dialog only collects the choice; it is applied after the dialog
// has closed, so that the merge question is asked with nothing modal left open.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "common/back_buffer.h"
#include "common/document_ops.h"
#include "common/gdiplus_pixels.h"
#include "common/messages.h"
#include "image_dialog_rules.h"
#include "image_dialogs.h"
#include "imagestrip_ids.h"

namespace {

constexpr wchar_t kCaption[] = L"Vexil 1.0";
constexpr wchar_t kMergeQuestion[] =
    L"If you change image dimensions or it's Bits per pixel, all the layers will be merged down. "
    L"\n\n\tDo you want to continue ?";
const Gdiplus::Color kWhite(255, 255, 255, 255);
const Gdiplus::Color kRed(255, 255, 0, 0);

struct PropertiesDialog {
    const AppContext* context;
    Image* image;
    HWND preview;
    BackBuffer buffer;
    bool ready;  // the controls hold their first values; edits are checked from now on
    PropertiesChoice choice;
};

PropertiesDialog* DialogOf(HWND dialog)
{
    return reinterpret_cast<PropertiesDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

int EditNumber(HWND dialog, int id, int fallback)
{
    int value = 0;
    return ParseEditNumber(ItemText(dialog, id, 4), &value) ? value : fallback;
}

void SetNumber(HWND dialog, int id, int value) { SetDlgItemInt(dialog, id, UINT(value), FALSE); }

int SliderValue(HWND dialog, int id) { return int(SendDlgItemMessageW(dialog, id, TBM_GETPOS, 0, 0)); }

int DepthItem(HWND dialog) { return int(SendDlgItemMessageW(dialog, IDC_DEPTH_LIST, CB_GETCURSEL, 0, 0)); }

void EnableSliders(HWND dialog, int item)
{
    EnableWindow(GetDlgItem(dialog, IDC_ALPHA_THRESHOLD), item > 0);
    EnableWindow(GetDlgItem(dialog, IDC_DITHERING_LEVEL), item > 1);
}

void RedrawPreview(PropertiesDialog* record) { InvalidateRect(record->preview, nullptr, FALSE); }

PreviewPlace PlaceForEdits(HWND dialog, PropertiesDialog* record, int* w, int* h)
{
    *w = std::max(1, EditNumber(dialog, IDC_WIDTH, record->image->width));
    *h = std::max(1, EditNumber(dialog, IDC_HEIGHT, record->image->height));
    RECT box;
    GetClientRect(record->preview, &box);
    return PlacePreview(box.right, box.bottom, *w, *h, 2);
}

// ---- Preview ----------------------------------------------------------------------------

Bitmap* PreviewPicture(HWND dialog, PropertiesDialog* record, int w, int h)
{
    const int item = DepthItem(dialog);
    if (item <= 0)
        return nullptr;
    Bitmap* scaled = ScaledCopy(record->image->composite, w, h, Gdiplus::InterpolationModeHighQualityBicubic);
    Bitmap* reduced = ReduceToDepth(*record->context, scaled, DepthOfItem(item),
                                    SliderValue(dialog, IDC_ALPHA_THRESHOLD), SliderValue(dialog, IDC_DITHERING_LEVEL));
    delete scaled;
    return reduced;
}

void DrawPreview(HWND dialog, PropertiesDialog* record, Gdiplus::Graphics* graphics)
{
    int w = 0, h = 0;
    const PreviewPlace place = PlaceForEdits(dialog, record, &w, &h);
    graphics->Clear(kWhite);
    Gdiplus::Pen red(kRed, 1);
    graphics->DrawRectangle(&red, place.left, place.top, place.width, place.height);
    Bitmap* reduced = PreviewPicture(dialog, record, w, h);
    Bitmap* shown = reduced ? reduced : record->image->composite;
    if (shown) {
        graphics->SetCompositingQuality(Gdiplus::CompositingQualityHighQuality);
        graphics->SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBilinear);
        graphics->SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        graphics->DrawImage(shown, Gdiplus::RectF(place.left, place.top, place.width, place.height), 0, 0,
                            float(shown->GetWidth()), float(shown->GetHeight()), Gdiplus::UnitPixel);
    }
    delete reduced;
    const float x = place.left + place.width / float(w) * float(EditNumber(dialog, IDC_HOTSPOT_X, 0));
    const float y = place.top + place.height / float(h) * float(EditNumber(dialog, IDC_HOTSPOT_Y, 0));
    red.SetWidth(3);
    graphics->DrawEllipse(&red, x, y, 2.0f, 2.0f);
}

void PaintPreview(HWND dialog, PropertiesDialog* record, const DRAWITEMSTRUCT& item)
{
    const int width = item.rcItem.right - item.rcItem.left, height = item.rcItem.bottom - item.rcItem.top;
    if (!record->buffer.dc && !RebuildBackBuffer(record->buffer, width, height))
        return;
    {
        Gdiplus::Graphics graphics(record->buffer.dc);
        DrawPreview(dialog, record, &graphics);
    }
    PresentBackBuffer(record->buffer, item.hDC, width, height);
}

// ---- Live checks ------------------------------------------------------------------------

void ReplaceText(HWND dialog, int id, const std::wstring& text)
{
    if (!text.empty())
        SetDlgItemTextW(dialog, id, text.c_str());
}

void OnSizeTyped(HWND dialog, PropertiesDialog* record, int id)
{
    ReplaceText(dialog, id, CorrectTypedSize(ItemText(dialog, id)));
    const bool width = id == IDC_WIDTH;
    const int own = width ? record->image->width : record->image->height;
    const int spot = width ? record->image->hotspotX : record->image->hotspotY;
    SetNumber(dialog, width ? IDC_HOTSPOT_X : IDC_HOTSPOT_Y, EditNumber(dialog, id, 0) == own ? spot : 0);
    RedrawPreview(record);
}

void OnNumberTyped(HWND dialog, int id, const wchar_t* fallback)
{
    int value = 0;
    if (!ParseEditNumber(ItemText(dialog, id), &value))
        SetDlgItemTextW(dialog, id, fallback);
}

// A hot spot past the edge of the picture is brought to its last pixel.
void CheckHotSpots(HWND dialog)
{
    PropertiesDialog* record = DialogOf(dialog);
    if (!record || !record->ready)
        return;
    const int pairs[2][2] = {{IDC_HOTSPOT_X, IDC_WIDTH}, {IDC_HOTSPOT_Y, IDC_HEIGHT}};
    for (const auto& pair : pairs) {
        const int value = EditNumber(dialog, pair[0], 0);
        const int limit = ClampHotSpot(value, EditNumber(dialog, pair[1], 256));
        if (value != limit)
            SetNumber(dialog, pair[0], limit);
    }
    RedrawPreview(record);
}

LRESULT CALLBACK HotSpotEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
    if (message == WM_KEYUP)
        CheckHotSpots(GetParent(edit));
    return result;
}

void OnEditCommand(HWND dialog, PropertiesDialog* record, int id, int code)
{
    if (code == EN_CHANGE) {
        if (id == IDC_WIDTH || id == IDC_HEIGHT)
            OnSizeTyped(dialog, record, id);
        else if (id == IDC_DISPLAY_RATE)
            OnNumberTyped(dialog, id, L"5");
        else if (id == IDC_HOTSPOT_X || id == IDC_HOTSPOT_Y)
            OnNumberTyped(dialog, id, L"0");
    } else if (code == EN_KILLFOCUS) {
        if (id == IDC_WIDTH || id == IDC_HEIGHT)
            ReplaceText(dialog, id, CorrectLeftSize(ItemText(dialog, id)));
        else
            CheckHotSpots(dialog);
    }
}

void OnPreviewClick(HWND dialog, PropertiesDialog* record, POINT point)
{
    MapWindowPoints(dialog, record->preview, &point, 1);
    int w = 0, h = 0;
    const PreviewPlace place = PlaceForEdits(dialog, record, &w, &h);
    HotSpot spot{};
    if (!HotSpotFromClick(place, w, h, point.x, point.y, &spot))
        return;
    SetNumber(dialog, IDC_HOTSPOT_X, spot.x);
    SetNumber(dialog, IDC_HOTSPOT_Y, spot.y);
    RedrawPreview(record);
}

// ---- Opening and closing ----------------------------------------------------------------

void SetSpin(HWND dialog, int id, int low, int high)
{
    SendDlgItemMessageW(dialog, id, UDM_SETRANGE32, WPARAM(low), LPARAM(high));
}

void SetSlider(HWND dialog, int id, int low, int high, int position)
{
    SendDlgItemMessageW(dialog, id, TBM_SETRANGEMIN, FALSE, low);
    SendDlgItemMessageW(dialog, id, TBM_SETRANGEMAX, FALSE, high);
    SendDlgItemMessageW(dialog, id, TBM_SETPOS, TRUE, position);
    PassFocusFrom(GetDlgItem(dialog, id), GetDlgItem(dialog, IDC_PROPERTIES_PREVIEW));
}

void FillControls(HWND dialog, const Image& image)
{
    for (const wchar_t* depth : {L"32", L"24", L"8", L"4", L"1"})
        SendDlgItemMessageW(dialog, IDC_DEPTH_LIST, CB_ADDSTRING, 0, LPARAM(depth));
    const int item = ItemOfDepth(image.bitsPerPixel);
    SendDlgItemMessageW(dialog, IDC_DEPTH_LIST, CB_SETCURSEL, WPARAM(item), 0);
    SetSpin(dialog, IDC_DISPLAY_RATE_SPIN, 0, 9999);
    SetSpin(dialog, IDC_WIDTH_SPIN, 16, 256);
    SetSpin(dialog, IDC_HEIGHT_SPIN, 16, 256);
    for (int id : {IDC_DISPLAY_RATE, IDC_WIDTH, IDC_HEIGHT, IDC_HOTSPOT_X, IDC_HOTSPOT_Y})
        SendDlgItemMessageW(dialog, id, EM_SETLIMITTEXT, 4, 0);
    SetNumber(dialog, IDC_DISPLAY_RATE, int(std::min<uint32_t>(image.displayRate, 9999)));
    SetNumber(dialog, IDC_WIDTH, image.width);
    SetNumber(dialog, IDC_HEIGHT, image.height);
    SetNumber(dialog, IDC_HOTSPOT_X, image.hotspotX);
    SetNumber(dialog, IDC_HOTSPOT_Y, image.hotspotY);
    SetSlider(dialog, IDC_ALPHA_THRESHOLD, 0, 255, 0);
    SetSlider(dialog, IDC_DITHERING_LEVEL, 1, 100, 1);
    EnableSliders(dialog, item);
    for (int id : {IDC_HOTSPOT_X, IDC_HOTSPOT_Y})
        SetWindowSubclass(GetDlgItem(dialog, id), HotSpotEditProc, 1, 0);
}

void OnInit(HWND dialog, PropertiesDialog* record)
{
    SetWindowLongPtrW(dialog, DWLP_USER, LONG_PTR(record));
    record->preview = GetDlgItem(dialog, IDC_PROPERTIES_PREVIEW);
    FillControls(dialog, *record->image);
    record->ready = true;
}

// What OK reads: the size within 16..256 and the hot spot inside it, whatever the edits
// hold at that moment (Enter does not leave the edit first).
void ReadChoice(HWND dialog, PropertiesDialog* record)
{
    PropertiesChoice& choice = record->choice;
    const Image& image = *record->image;
    choice.width = ClampImageSize(EditNumber(dialog, IDC_WIDTH, image.width));
    choice.height = ClampImageSize(EditNumber(dialog, IDC_HEIGHT, image.height));
    choice.hotspotX = ClampHotSpot(EditNumber(dialog, IDC_HOTSPOT_X, 0), choice.width);
    choice.hotspotY = ClampHotSpot(EditNumber(dialog, IDC_HOTSPOT_Y, 0), choice.height);
    choice.displayRate = EditNumber(dialog, IDC_DISPLAY_RATE, 5);
    choice.depth = DepthOfItem(DepthItem(dialog));
    choice.alphaThreshold = SliderValue(dialog, IDC_ALPHA_THRESHOLD);
    choice.ditheringLevel = SliderValue(dialog, IDC_DITHERING_LEVEL);
}

void OnCommand(HWND dialog, PropertiesDialog* record, int id, int code)
{
    switch (id) {
    case IDOK:
        ReadChoice(dialog, record);
        EndDialog(dialog, IDOK);
        return;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); return;
    case IDC_DEPTH_LIST:
        if (code == CBN_SELCHANGE) {
            EnableSliders(dialog, DepthItem(dialog));
            RedrawPreview(record);
        }
        return;
    default:
        if (record->ready)
            OnEditCommand(dialog, record, id, code);
    }
}

INT_PTR CALLBACK PropertiesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    PropertiesDialog* record = message == WM_INITDIALOG ? reinterpret_cast<PropertiesDialog*>(lParam) : DialogOf(dialog);
    if (!record)
        return FALSE;
    switch (message) {
    case WM_INITDIALOG: OnInit(dialog, record); return TRUE;
    case WM_COMMAND: OnCommand(dialog, record, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_HSCROLL: RedrawPreview(record); return TRUE;
    case WM_LBUTTONDOWN: OnPreviewClick(dialog, record, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return TRUE;
    case WM_DRAWITEM:
        if (wParam != IDC_PROPERTIES_PREVIEW)
            return FALSE;
        PaintPreview(dialog, record, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    return FALSE;
}

// ---- Applying ---------------------------------------------------------------------------

// Drawn at the same size, the copy is the composite pixel for pixel.
Bitmap* CompositeCopy(Image* image) { return CloneBitmap(image->composite); }

// The one layer's bitmap becomes a copy of the composite.
void CopyCompositeIntoLayer(Image* image)
{
    Layer* layer = image->firstLayer;
    Bitmap* copy = layer ? CompositeCopy(image) : nullptr;
    if (!copy)
        return;
    delete layer->bitmap;
    layer->bitmap = copy;
}

void MergeDown(Image* image)
{
    while (image->layerCount > 1)
        if (Layer* removed = UnlinkLayer(image, image->layerCount - 1))
            PYX_DeleteLayer(removed);
        else
            break;
    if (Layer* layer = image->firstLayer) {
        layer->type = kRasterLayer;
        layer->shapeKind = kNoShape;
        delete layer->path;
        layer->path = nullptr;
    }
    image->visibleLayers = 0xFFFFFFFF;
    CopyCompositeIntoLayer(image);
}

// The composite becomes its reduction to `depth`; the layer follows it.
void ReduceComposite(const AppContext& context, Image* image, int depth, const PropertiesChoice& choice)
{
    Bitmap* reduced = ReduceToDepth(context, image->composite, depth, choice.alphaThreshold, choice.ditheringLevel);
    if (!reduced)
        return;
    delete image->composite;
    image->composite = reduced;
    CopyCompositeIntoLayer(image);
}

void Resize(const AppContext& context, Image* image, const PropertiesChoice& choice)
{
    Bitmap* scaled = ScaledCopy(image->composite, choice.width, choice.height);
    if (!scaled)
        return;
    delete image->composite;
    image->composite = scaled;
    image->width = uint16_t(choice.width);
    image->height = uint16_t(choice.height);
    CopyCompositeIntoLayer(image);
    ReduceComposite(context, image, image->bitsPerPixel, choice);
}

}  // namespace

bool ApplyImageProperties(ImageListState* state, int index, const PropertiesChoice& choice)
{
    AppContext* context = state->context;
    Image* image = ImageAt(context->document, index);
    if (!image)
        return false;
    HWND main = context->mainWindow;
    SendMessageW(main, kUndoChangeRing, WPARAM(index), LPARAM(image));
    const bool resized = choice.width != image->width || choice.height != image->height;
    const bool redepthed = choice.depth != image->bitsPerPixel;
    if ((resized || redepthed) && image->layerCount > 1 &&
        MessageBoxW(main, kMergeQuestion, kCaption, MB_YESNO | MB_ICONWARNING) != IDYES)
        return false;
    image->displayRate = uint32_t(choice.displayRate);
    image->hotspotX = int16_t(choice.hotspotX);
    image->hotspotY = int16_t(choice.hotspotY);
    if (resized || redepthed) {
        MergeDown(image);
        context->currentLayer = 0;  // the layers above the first are gone
    }
    if (resized)
        Resize(*context, image, choice);
    if (redepthed) {
        const int old = image->bitsPerPixel;
        image->bitsPerPixel = uint8_t(choice.depth);
        if (choice.depth < old)
            ReduceComposite(*context, image, choice.depth, choice);
    }
    context->document->modified = 1;
    ForgetCard(state, image);
    PostMessageW(main, kImageListChanged, 0, 0);
    Redraw(state);
    return true;
}

void OpenImageProperties(ImageListState* state)
{
    AppContext* context = state->context;
    Image* image = context ? ImageAt(context->document, state->current) : nullptr;
    if (!image)
        return;
    CancelDrag(state);
    PropertiesDialog record{};
    record.context = context;
    record.image = image;
    const INT_PTR answer = DialogBoxParamW(DialogModule(), MAKEINTRESOURCEW(IDD_IMAGE_PROPERTIES),
                                           context->mainWindow, PropertiesProc, LPARAM(&record));
    ReleaseBackBuffer(record.buffer);
    if (answer == IDOK)
        ApplyImageProperties(state, state->current, record.choice);
}
