// The layers panel's one state record and the routines its two window procedures call.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <cstdint>

#include "common/app_context.h"
#include "common/back_buffer.h"
#include "common/panel_colors.h"
#include "core/pyx.h"

struct LayerPanelState {
    HWND frame;  // "Layer Palette"
    HWND list;   // "Layer List Palette", the rows and the scroll bar
    AppContext* context;
    int frameWidth;
    int frameHeight;
    int listHeight;
    BackBuffer frameBuffer;
    BackBuffer listBuffer;  // every row, 176 x 945; the window shows a slice of it
    PanelColors colors;
    Gdiplus::Font* font;
    Gdiplus::GraphicsPath* framePath;
    Image* image;  // the Image whose layers are shown
    int imageIndex;
    int current;        // list index of the current layer (0 = bottom)
    uint32_t selected;  // bit i: layer i is selected
    int scrollPos;      // rows scrolled off the top
    int maxScrollPos;
    int pointerX;
    int pointerY;
    bool armed;     // a left press on a row: a drag may start
    bool dragging;  // a row is being dragged; the list holds the capture
    Gdiplus::Bitmap* checkerboard;
    Gdiplus::Bitmap* eyeIcon;
    Gdiplus::Bitmap* brushIcon;
    HCURSOR normalCursor;
    HCURSOR dragCursor;
    HCURSOR arrowCursor;
    HMENU menu;  // the resource; its first submenu is shown
    bool inputEnabled;
};

// layer_panel.cpp
LayerPanelState& Panel();
HINSTANCE LayerpaneInstance();

// layer_list.cpp: the list window and the shared bookkeeping.
bool RegisterListClass();
HWND CreateListWindow(LayerPanelState* state);
// The Image on show, reloaded first when the document's current Image is another one.
Image* ShownImage(LayerPanelState* state);
void ReloadLayers(LayerPanelState* state);
void RefreshScroll(LayerPanelState* state);
void SetScrollPosition(LayerPanelState* state, int position);
void SetCurrentLayer(LayerPanelState* state, int layer);
void RedrawList(LayerPanelState* state);
void SetModified(LayerPanelState* state);
void SendUndoRing(LayerPanelState* state);
void ReportChange(LayerPanelState* state, UINT message, bool flag, bool post);

// layer_rows.cpp
void RenderList(const LayerPanelState& state);
void RenderFrame(const LayerPanelState& state);

// layer_look.cpp: colors, font, outline, pictures, cursors and menu.
void LoadLook(LayerPanelState* state);
void RebuildFramePath(LayerPanelState* state);
void ReleaseLook(LayerPanelState* state);

// layer_drag.cpp: the mouse on the list.
void OnListLeftDown(LayerPanelState* state, int x, int y, WPARAM keys);
void OnListMouseMove(LayerPanelState* state, int x, int y, WPARAM keys);
void OnListLeftUp(LayerPanelState* state, int x, int y);
void OnListCaptureLost(LayerPanelState* state, HWND newOwner);
void OnListRightDown(LayerPanelState* state, int x, int y);

// layer_commands.cpp
enum class UndoRecorded { kNo, kYes };
void CreateRasterLayer(LayerPanelState* state, UndoRecorded recorded);
void DuplicateLayer(LayerPanelState* state);
void DeleteSelectedLayers(LayerPanelState* state);
void MergeSelectedLayers(LayerPanelState* state);
void ConvertToRaster(LayerPanelState* state);
void MergeAllLayers(LayerPanelState* state);
void ToggleVisibility(LayerPanelState* state, int layer);
void MoveCurrentLayer(LayerPanelState* state, int target);
void OnLayerInsertedAbove(LayerPanelState* state);
// The context menu's enabling rules; true when the command may run.
bool CommandAllowed(const LayerPanelState& state, UINT command);
void RunMenuCommand(LayerPanelState* state, UINT command);
