// The one record every panel receives at creation and keeps a pointer to. The shell owns it
// and everything it points to, except the tool options record, which belongs to the tool
// options bar. Panels read and change it in place.
#pragma once

#include <windows.h>

#include <cstdint>

struct Resource;        // core/pyx.h
struct BrushSettings;   // core/pyx.h
struct ToolOptions;     // the tool options bar (toolrack)
struct SelectionState;  // the editing area (easel)

struct AppContext {
    Resource* document;          // the open document
    int32_t currentImage;        // index of the current Image, 0-based
    int32_t currentLayer;        // index of the current Layer in the current Image, 0-based
    HWND mainWindow;
    HWND colorPickerWindow;
    HWND layersWindow;
    HWND imageListWindow;
    HWND toolboxWindow;
    HWND toolOptionsWindow;
    HWND editAreaWindow;
    ToolOptions* toolOptions;      // set by the tool options bar when it is created
    BrushSettings* brushSettings;  // zero-filled by the shell, edited by the color picker
    HPALETTE palette256;
    HPALETTE palette16;
    HPALETTE palette2;
    int32_t currentTool;           // 0 to 21
    SelectionState* selection;     // zero-filled by the shell, shared with the editing area
};
