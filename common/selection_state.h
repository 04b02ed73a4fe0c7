// The selection shared by the shell and the editing area. The shell owns the record and
// everything it holds; the editing area reads and replaces its members in place.
#pragma once

#include <windows.h>

#include <cstdint>

namespace Gdiplus {
class Bitmap;
}

struct SelectionState {
    Gdiplus::Bitmap* content;  // the selected pixels; pixel (i, j) belongs at (left + i, top + j)
    int32_t left;              // image pixels; may leave the image while moving
    int32_t top;
    int32_t width;             // size of content
    int32_t height;
    HRGN region;               // the selected pixels, in image pixel coordinates
};
