// The selection shared by the shell and the editing area. The shell owns the record and
// what it holds; the editing area reads and replaces its members.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/pyx.h"

struct SelectionState {
    Bitmap* content;  // the selected pixels; pixel (i, j) belongs at image pixel (left + i, top + j)
    int32_t left;     // may be negative or beyond the image while moving
    int32_t top;
    int32_t width;
    int32_t height;
    HRGN region;      // the selected image pixels, any shape
};
