// The image list's one state record (one panel per process) and the routines its two
// window procedures call, by concern.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <unordered_map>

#include "common/app_context.h"
#include "common/back_buffer.h"
#include "core/pyx.h"
#include "strip_geometry.h"

// A card as drawn: thumbnail, frames and labels in the strip's first slot, kept until the
// Image, its labels or the page change, so that a scroll step draws one new card and copies
// the others.
struct CardPicture {
    Gdiplus::Bitmap* picture;
    const Bitmap* composite;  // what it was made from, to notice a replaced composite
    CardFacts facts;
    int cardGap;
};

struct PanelLook {
    Gdiplus::Color face, text, highlightText, highlight, lightEdge, shadow;
};

struct ImageListState {
    AppContext* context;
    HWND frameWindow;
    int frameWidth, frameHeight;
    BackBuffer frameBuffer;
    Gdiplus::GraphicsPath* framePath;
    Gdiplus::Font* thumbFont;
    PanelLook colors;

    HWND listWindow;
    int listWidth, listHeight;
    BackBuffer listBuffer;
    StripLayout layout;
    Image* firstImage;  // as last loaded from the document
    int imageCount;
    int scrollPos, maxScrollPos;
    int current;
    std::unordered_map<const Image*, CardPicture> cards;

    int pointerX;
    HCURSOR normalCursor, dragCursor, arrowCursor;
    bool armed, dragging;
    int dropTarget;
    int pressX;  // -1 once a drag has started
    HMENU menuResource, menu;
    bool inputEnabled;
};

ImageListState& Panel();

// imagelist_window.cpp
void Redraw(ImageListState* state);
void SetScrollState(ImageListState* state);  // range, page and position of the scroll bar
void ReloadDocument(ImageListState* state);

// strip_paint.cpp
Gdiplus::GraphicsPath* NewFramePath(float width, float height);  // the frame's rounded outline
void RebuildFramePath(ImageListState* state);
void PaintFrame(ImageListState* state, HDC target);
void PaintStrip(ImageListState* state, HDC target);
void LoadPanelLook(ImageListState* state);
void ForgetCard(ImageListState* state, const Image* image);
void ForgetCards(ImageListState* state);

// strip_mouse.cpp
void OnStripLeftDown(ImageListState* state, int x);
void OnStripMouseMove(ImageListState* state, int x, WPARAM keys);
void OnStripLeftUp(ImageListState* state, int x);
void OnStripRightDown(ImageListState* state, int x);
void OnStripCaptureLost(ImageListState* state, HWND newCapture);
void OnStripScroll(ImageListState* state, int request);
void CancelDrag(ImageListState* state);
void ChooseImage(ImageListState* state, int index);

// image_commands.cpp
bool CreateImage(ImageListState* state, int width, int height, bool recordUndo);
void DuplicateCurrentImage(ImageListState* state);
void DeleteCurrentImage(ImageListState* state);
void MoveCurrentImage(ImageListState* state, int target);
bool OnImageCommand(ImageListState* state, int command);

// The dialogs that open from the list, one file each (image_dialogs.h).
void OpenStandardFormats(ImageListState* state);
void OpenImageProperties(ImageListState* state);
void OpenAnimatedCursorProperties(ImageListState* state);
void ExportCurrentImage(ImageListState* state);
