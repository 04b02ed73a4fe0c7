// toolrack: the toolbox and the tool options bar.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <cstdint>

#include "common/app_context.h"

#ifdef TOOLRACK_BUILDING
#define TOOLRACK_API extern "C"
#else
#define TOOLRACK_API extern "C" __declspec(dllimport)
#endif

// The options of the drawing tools. One instance, owned by toolrack; AppContext::toolOptions
// points to it from the creation of the tool options bar until the program ends. The editing
// area reads it live whenever a tool acts. Flags are 0 or 1.
struct ToolOptions {
    HINSTANCE instance;  // toolrack's module
    HWND parent;         // the main window
    HWND bar;            // the tool options bar
    int32_t wandColorTolerance;   // 0..255
    int32_t wandContiguous;
    int32_t wandAlphaTolerance;   // 0..255
    int32_t penSize;              // 1..50
    int32_t penAntialiased;
    int32_t eraserSize;           // 1..50
    int32_t eraserAntialiased;
    int32_t blurSize;             // 1..50
    LOGFONTW* textFontDescription;  // as the font dialog uses it
    Gdiplus::Font* textFont;        // the drawing font made from the description
    wchar_t* text;                  // 512 units, terminated
    int32_t textAntialiased;
    int32_t lineSize;             // 1..50
    int32_t lineAntialiased;
    int32_t ellipseSize;          // 1..50
    int32_t ellipseAntialiased;
    int32_t ellipseVectorLayer;
    int32_t filledEllipseAntialiased;
    int32_t filledEllipseVectorLayer;
    int32_t rectangleSize;        // 1..50
    int32_t rectangleRounded;
    int32_t rectangleRadiusX;     // 1..100
    int32_t rectangleRadiusY;     // 1..100
    int32_t rectangleAntialiased;
    int32_t rectangleVectorLayer;
    int32_t filledRectangleRounded;
    int32_t filledRectangleRadiusX;  // 1..100
    int32_t filledRectangleRadiusY;  // 1..100
    int32_t filledRectangleAntialiased;
    int32_t filledRectangleVectorLayer;
    int32_t polygonSize;          // 1..50
    int32_t polygonAntialiased;
    int32_t polygonVectorLayer;
    int32_t filledPolygonAntialiased;
    int32_t filledPolygonVectorLayer;
    int32_t customShapeSize;      // 1..50
    int32_t customShapeAntialiased;
    int32_t customShapeVectorLayer;
    int32_t filledCustomShapeAntialiased;
    int32_t filledCustomShapeVectorLayer;
    int32_t hollowTextSize;       // 1..50
};

constexpr int kToolOptionsTextUnits = 512;  // the text buffer, terminator included

// The toolbox: a 60-pixel-wide child of the main window with one button per tool.
TOOLRACK_API HWND TOOLRACK_CreateWindow(HWND parent, int x, int y, AppContext* context);
TOOLRACK_API void TOOLRACK_DestroyWindow();

// The tool options bar; create it after the toolbox.
TOOLRACK_API HWND TOOLRACKO_CreateWindow(HWND parent, AppContext* context);
TOOLRACK_API void TOOLRACKO_DestroyWindow();
