// The work of "Import Image as Icon" once a picture file was chosen.
#pragma once

#include <windows.h>

#include "common/app_context.h"

struct PictureFit {
    int imageWidth, imageHeight;  // the new Image, 16 to 256 each way
    int drawnWidth, drawnHeight;  // the picture as drawn at its top-left corner, at least 1
};

// A picture larger than 256 x 256 shrinks to fit, keeping its proportions; a smaller one
// keeps its size. The Image is never below 16 x 16.
PictureFit FitPicture(int width, int height);

// Reads the picture and appends it as the current Image, recording its undo ring through
// the main window. 0 (and nothing changed) when the file is not a readable picture.
int ImportPictureFile(HWND mainWindow, AppContext* context, const wchar_t* path);
