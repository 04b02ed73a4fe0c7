// The list commands: create, append, duplicate, delete and move an Image. Each changes the
// document and the panel's view of it together, has the main window record its undo step
// at the moment it needs it, and reports the change.
#include <windows.h>

#include "common/document_ops.h"
#include "common/messages.h"
#include "imagelist_state.h"
#include "imagestrip_ids.h"

namespace {

void SendToMain(ImageListState* state, UINT message, WPARAM wParam, LPARAM lParam = 0)
{
    SendMessageW(state->context->mainWindow, message, wParam, lParam);
}

void PostToMain(ImageListState* state, UINT message)
{
    PostMessageW(state->context->mainWindow, message, 0, 0);
}

// The current Image changed with the list: its layer index starts again at the bottom.
void MakeCurrent(ImageListState* state, int index)
{
    Resource* document = state->context->document;
    state->current = index;
    state->imageCount = document->imageCount;
    state->firstImage = document->firstImage;
    document->modified = 1;
    state->context->currentLayer = 0;
    state->context->currentImage = index;
}

void SetScrollPosition(ImageListState* state, int position)
{
    state->scrollPos = position;
    SetScrollPos(state->listWindow, SB_HORZ, position, TRUE);
}

}  // namespace

bool CreateImage(ImageListState* state, int width, int height, bool recordUndo)
{
    Resource* document = state->context->document;
    if (!document)
        return false;
    CancelDrag(state);
    Image* image = PYX_CreateImage(uint16_t(width), uint16_t(height));
    if (!image)
        return false;  // the document core has told the user
    if (!InsertImage(document, document->imageCount, image)) {
        PYX_DeleteImage(image);  // the list is full
        return false;
    }
    MakeCurrent(state, document->imageCount - 1);
    PostToMain(state, kImageListChanged);
    SetScrollState(state);
    if (state->maxScrollPos > 0)
        SetScrollPosition(state, state->maxScrollPos);
    if (recordUndo)
        SendToMain(state, kUndoNewRing, WPARAM(state->current));
    Redraw(state);
    return true;
}

void DuplicateCurrentImage(ImageListState* state)
{
    Resource* document = state->context->document;
    const Image* source = ImageAt(document, state->current);
    if (!source)
        return;
    CancelDrag(state);
    Image* copy = PYX_DuplicateImage(source);
    if (!copy)
        return;
    if (!InsertImage(document, state->current + 1, copy)) {
        PYX_DeleteImage(copy);
        return;
    }
    MakeCurrent(state, state->current + 1);
    PostToMain(state, kImageListChanged);
    SetScrollState(state);
    if (state->maxScrollPos > 0)
        SetScrollPosition(state, std::min(state->scrollPos + 1, state->maxScrollPos));
    SendToMain(state, kUndoNewRing, WPARAM(state->current));
    Redraw(state);
}

// Refused for the last Image: a document always keeps one, whatever asked for the delete.
void DeleteCurrentImage(ImageListState* state)
{
    Resource* document = state->context->document;
    if (!document || document->imageCount <= 1 || !ImageAt(document, state->current))
        return;
    CancelDrag(state);
    const int before = document->imageCount;
    SendToMain(state, kUndoDeleteRing, WPARAM(state->current));
    Image* removed = UnlinkImage(document, state->current);
    if (!removed)
        return;
    ForgetCard(state, removed);
    PYX_DeleteImage(removed);
    MakeCurrent(state, CurrentAfterDelete(state->current, before));
    PostToMain(state, kImageListChanged);
    SetScrollState(state);
    SetScrollPosition(state, ScrollPosAround(state->current, state->maxScrollPos, state->listWidth,
                                             state->layout));
    Redraw(state);
}

void MoveCurrentImage(ImageListState* state, int target)
{
    Resource* document = state->context->document;
    if (!ImageAt(document, state->current) || !ImageAt(document, target))
        return;
    SendToMain(state, kUndoMoveRing, WPARAM(state->current), LPARAM(target));
    if (!MoveImage(document, state->current, target))
        return;
    MakeCurrent(state, target);
    PostToMain(state, kImageListChanged);
}

bool OnImageCommand(ImageListState* state, int command)
{
    switch (command) {
    case IDM_CREATE_IMAGE: CreateImage(state, 48, 48, true); return true;
    case IDM_DUPLICATE_IMAGE: DuplicateCurrentImage(state); return true;
    case IDM_DELETE_IMAGE: DeleteCurrentImage(state); return true;
    case IDM_IMAGE_PROPERTIES: OpenImageProperties(state); return true;
    case IDM_ANIMATED_CURSOR_PROPERTIES: OpenAnimatedCursorProperties(state); return true;
    case IDM_EXPORT_IMAGE: ExportCurrentImage(state); return true;
    case IDM_STANDARD_FORMATS: OpenStandardFormats(state); return true;
    default: return false;
    }
}
