// The editing area's one module state record (the library serves one editing area at a time).
#pragma once

#include <windows.h>

#include <string>

#include "common/back_buffer.h"
#include "common/panel_colors.h"
#include "canvas_geometry.h"
#include "common/app_context.h"
#include "core/pyx.h"
#include "cursor_choice.h"
#include "common/selection_state.h"

struct PaintStroke;       // painting/paint_stroke.h
struct PendingTransform;  // transform/pending_transform.h

struct EditAreaState {
    HINSTANCE instance;
    HWND parent;  // the main window
    HWND frame;
    HWND canvas;
    HWND strip;
    AppContext* context;

    int frameWidth;  // W
    int frameHeight; // H
    Image* image;    // null when currentImage is out of range
    Layer* layer;    // null when currentLayer is out of range

    CanvasView view;  // zoom, scrollX, scrollY, scroll flags, drawn extent, client size
    bool updatingScrollBars;  // the canvas's own resize while bars come and go

    bool showGrid;
    bool selectionOutlineVisible;
    HRGN displayRegion;  // the selection region scaled by zoom, relative to the image origin
    Bitmap* baseBitmap;  // the current layer with the selection cut out
    bool dragging;   // a tool's drag holds the mouse capture
    int dragTool;    // the tool whose drag it is
    POINT anchor;    // the image pixel where the drag started (tools may move it along)
    PaintStroke* stroke;                  // owned; the pen's or eraser's stroke in progress
    Gdiplus::GraphicsPath* shapePreview;  // owned; image pixels; outlined while not null
    bool transformPending;        // a custom rotation or scale waits for Apply or Cancel
    PendingTransform* transform;  // owned; what it keeps while pending
    bool ctrlHeld;   // as last reported by key or mouse messages
    bool shiftHeld;

    BackBuffer frameBuffer;
    BackBuffer canvasBuffer;
    BackBuffer stripBuffer;
    // The strip's frame color and rounded panel without the text, drawn again only when the
    // look it was drawn for changes: the readout repaints on every pointer move.
    BackBuffer stripPanel;
    PanelColors stripPanelColors;
    int stripPanelFrameWidth;
    std::wstring statusText;
    PanelColors colors;

    HCURSOR cursors[kCursorCount];
    HCURSOR arrow;
    HCURSOR shownCursor;
    HBRUSH selectionBrush;
    HBITMAP selectionPattern;
    HFONT readoutFont;
    UINT previousDoubleClickTime;

    HWND showGridBox;
    HWND applyButton;
    HWND cancelButton;
    HWND angleBar;
    HWND widthBar;
    HWND heightBar;
    Bitmap* applyPicture;
    Bitmap* cancelPicture;

    bool frameClassRegistered;
    bool canvasClassRegistered;
    bool stripClassRegistered;
};

// The module state.
EditAreaState& Easel();

// Looks the current image and layer up again from the context's indexes.
void LookUpImage(EditAreaState& state);
void LookUpLayer(EditAreaState& state);
