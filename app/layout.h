// Where the six panels sit in the main window's client area.
#pragma once

#include <windows.h>

#include "common/app_context.h"

struct PanelRect {
    int left, top, width, height;
};

// W and H are the client width and height, T the tool options bar's height.
struct PanelLayout {
    PanelRect toolOptions;   // resized only
    PanelRect toolbox;
    PanelRect editArea;      // its position is fixed at creation; later only resized
    PanelRect layers;
    PanelRect colorPicker;   // moved only: width and height are the panel's own
    PanelRect imageList;
};

enum class EditAreaHeight { AtCreation, AfterResize };

PanelLayout ComputePanelLayout(int clientWidth, int clientHeight, int toolOptionsHeight, EditAreaHeight editArea);

// Moves and sizes the panels that exist for the main window's current client size.
void LayoutPanels(const AppContext& context, EditAreaHeight editArea);
