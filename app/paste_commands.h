// The two pastes of the clipboard's picture: as a new layer of the current Image, reduced
// to its depth, and as a new Image, scaled to fit.
#pragma once

#include "shell_state.h"

void PasteAsNewLayer(ShellState& shell);
void PasteAsNewImage(ShellState& shell);

// The size of the new Image a picture of width x height is pasted as, and the size the
// picture is drawn at in its top-left corner.
struct PastedImageSize {
    int imageWidth, imageHeight;
    int drawnWidth, drawnHeight;
};
PastedImageSize SizeForPastedImage(int width, int height);
