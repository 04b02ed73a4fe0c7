// Animated Cursor Properties: the creator and title texts, while a second thread plays every
// Image in turn at its display rate. The thread waits on a stop event rather than sleeping,
// so closing never waits for a long frame, and it only invalidates the preview: a redraw it
// waited for could deadlock against the dialog waiting for it.
#include <windows.h>
#include <process.h>

#include "common/back_buffer.h"
#include "image_dialog_rules.h"
#include "image_dialogs.h"
#include "imagestrip_ids.h"

namespace {

constexpr int kMostText = 199;
constexpr unsigned kRestartStack = 10240;

struct AnimationDialog {
    Resource* document;
    HWND button;
    int boxWidth, boxHeight;
    BackBuffer buffer;
    CRITICAL_SECTION lock;  // guards everything below
    Bitmap* frame;          // the composite to show; read by the dialog's thread only to draw
    PreviewPlace place;
    bool running;           // the thread has reported
    bool stopping;
    bool redrawsAllowed;
    HANDLE stopEvent;
    HANDLE runningEvent;
    HANDLE thread;
};

AnimationDialog* DialogOf(HWND dialog)
{
    return reinterpret_cast<AnimationDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// Shows one Image; false once the stop flag is set.
bool ShowFrame(AnimationDialog* record, const Image* image)
{
    EnterCriticalSection(&record->lock);
    if (!record->running) {
        record->running = true;
        SetEvent(record->runningEvent);
    }
    if (record->stopping) {
        LeaveCriticalSection(&record->lock);
        return false;
    }
    record->frame = image->composite;
    record->place = PlacePreview(record->boxWidth, record->boxHeight, image->width, image->height, 0);
    const bool redraw = record->redrawsAllowed;
    LeaveCriticalSection(&record->lock);
    if (redraw)
        InvalidateRect(record->button, nullptr, FALSE);
    return true;
}

// True when the stop event came during the wait.
bool Rest(AnimationDialog* record, unsigned milliseconds)
{
    return milliseconds > 0 && WaitForSingleObject(record->stopEvent, milliseconds) == WAIT_OBJECT_0;
}

unsigned __stdcall AnimationThread(void* parameter)
{
    auto* record = static_cast<AnimationDialog*>(parameter);
    for (;;) {
        unsigned roundTime = 0;
        for (const Image* image = record->document->firstImage; image; image = image->next) {
            if (!ShowFrame(record, image))
                return 0;
            const unsigned wait = FrameMilliseconds(image->displayRate);
            roundTime += wait;
            if (Rest(record, wait))
                break;  // the next ShowFrame sees the flag
        }
        Rest(record, RoundRestMilliseconds(roundTime));
        if (!record->document->firstImage) {
            EnterCriticalSection(&record->lock);
            const bool stop = record->stopping;
            SetEvent(record->runningEvent);
            LeaveCriticalSection(&record->lock);
            if (stop)
                return 0;
        }
    }
}

bool StartAnimation(AnimationDialog* record, unsigned stackSize)
{
    record->running = false;
    record->stopping = false;
    ResetEvent(record->stopEvent);
    ResetEvent(record->runningEvent);
    record->thread = HANDLE(_beginthreadex(nullptr, stackSize, AnimationThread, record, 0, nullptr));
    if (!record->thread)
        return false;
    WaitForSingleObject(record->runningEvent, INFINITE);
    return true;
}

void StopAnimation(AnimationDialog* record)
{
    EnterCriticalSection(&record->lock);
    record->redrawsAllowed = false;
    LeaveCriticalSection(&record->lock);
    if (!record->thread)
        return;
    EnterCriticalSection(&record->lock);
    record->stopping = true;
    LeaveCriticalSection(&record->lock);
    SetEvent(record->stopEvent);
    WaitForSingleObject(record->thread, INFINITE);
    CloseHandle(record->thread);
    record->thread = nullptr;
}

void AllowRedraws(AnimationDialog* record)
{
    EnterCriticalSection(&record->lock);
    record->redrawsAllowed = true;
    LeaveCriticalSection(&record->lock);
    InvalidateRect(record->button, nullptr, FALSE);
}

void MakeBuffer(AnimationDialog* record)
{
    RECT box;
    GetClientRect(record->button, &box);
    record->boxWidth = box.right;
    record->boxHeight = box.bottom;
    RebuildBackBuffer(record->buffer, box.right, box.bottom);
}

void PaintPreview(AnimationDialog* record, const DRAWITEMSTRUCT& item)
{
    if (!record->buffer.dc)
        return;
    EnterCriticalSection(&record->lock);
    {
        Gdiplus::Graphics graphics(record->buffer.dc);
        graphics.Clear(Gdiplus::Color(255, 255, 255, 255));
        if (record->frame) {
            const PreviewPlace& place = record->place;
            graphics.SetCompositingQuality(Gdiplus::CompositingQualityHighQuality);
            graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBilinear);
            graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
            graphics.DrawImage(record->frame, Gdiplus::RectF(place.left, place.top, place.width, place.height), 0,
                               0, float(record->frame->GetWidth()), float(record->frame->GetHeight()),
                               Gdiplus::UnitPixel);
        }
    }
    PresentBackBuffer(record->buffer, item.hDC, record->boxWidth, record->boxHeight);
    LeaveCriticalSection(&record->lock);
}

// Copies an edit's text into the document's field when it differs.
void TakeText(HWND dialog, int id, wchar_t (&field)[200], Resource* document)
{
    const std::wstring text = ItemText(dialog, id, kMostText);
    if (text == field)
        return;
    lstrcpynW(field, text.c_str(), 200);
    document->modified = 1;
}

void Close(HWND dialog, AnimationDialog* record, bool accept)
{
    if (accept) {
        TakeText(dialog, IDC_CREATOR, record->document->creator, record->document);
        TakeText(dialog, IDC_TITLE, record->document->title, record->document);
    }
    EnterCriticalSection(&record->lock);
    record->redrawsAllowed = false;
    LeaveCriticalSection(&record->lock);
    EndDialog(dialog, accept ? IDOK : IDCANCEL);
    StopAnimation(record);
    ReleaseBackBuffer(record->buffer);
}

void OnInit(HWND dialog, AnimationDialog* record)
{
    SetWindowLongPtrW(dialog, DWLP_USER, LONG_PTR(record));
    record->button = GetDlgItem(dialog, IDC_ANIMATION_PREVIEW);
    SendDlgItemMessageW(dialog, IDC_CREATOR, EM_SETLIMITTEXT, kMostText, 0);
    SendDlgItemMessageW(dialog, IDC_TITLE, EM_SETLIMITTEXT, kMostText, 0);
    SetDlgItemTextW(dialog, IDC_CREATOR, record->document->creator);
    SetDlgItemTextW(dialog, IDC_TITLE, record->document->title);
    MakeBuffer(record);
    if (StartAnimation(record, 0))
        AllowRedraws(record);
}

void OnDisplayChange(AnimationDialog* record)
{
    StopAnimation(record);
    MakeBuffer(record);
    if (StartAnimation(record, kRestartStack))
        AllowRedraws(record);
}

INT_PTR CALLBACK AnimationProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    AnimationDialog* record = message == WM_INITDIALOG ? reinterpret_cast<AnimationDialog*>(lParam) : DialogOf(dialog);
    if (!record)
        return FALSE;
    switch (message) {
    case WM_INITDIALOG: OnInit(dialog, record); return TRUE;
    case WM_DISPLAYCHANGE: OnDisplayChange(record); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            Close(dialog, record, LOWORD(wParam) == IDOK);
        return TRUE;
    case WM_DRAWITEM:
        if (wParam != IDC_ANIMATION_PREVIEW)
            return FALSE;
        PaintPreview(record, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void OpenAnimatedCursorProperties(ImageListState* state)
{
    AppContext* context = state->context;
    if (!context || !context->document)
        return;
    CancelDrag(state);
    AnimationDialog record{};
    record.document = context->document;
    record.stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    record.runningEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    InitializeCriticalSection(&record.lock);
    if (record.stopEvent && record.runningEvent)
        DialogBoxParamW(DialogModule(), MAKEINTRESOURCEW(IDD_ANIMATED_CURSOR_PROPERTIES), context->mainWindow,
                        AnimationProc, LPARAM(&record));
    StopAnimation(&record);  // the dialog could not be made: nothing may keep running
    ReleaseBackBuffer(record.buffer);
    DeleteCriticalSection(&record.lock);
    for (HANDLE event : {record.stopEvent, record.runningEvent})
        if (event)
            CloseHandle(event);
}
