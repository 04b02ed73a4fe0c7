// Rotations by whole quarter turns, done pixel for pixel: exact at every depth, so the
// right angles of the menu and of the angle trackbar never lose or blur a row.
#pragma once

#include <windows.h>
#include <gdiplus.h>

// A new transparent square of side `side` holding the source turned clockwise by
// quarterTurns × 90° (0 to 3) about the square's middle (side / 2, side / 2), the unturned
// source sitting at ((side − width) / 2, (side − height) / 2); null when it cannot be made.
Gdiplus::Bitmap* TurnedIntoSquare(Gdiplus::Bitmap* source, int side, int quarterTurns);
