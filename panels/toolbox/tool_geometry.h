// Where the toolbox buttons sit and which one a point hits. Platform-free.
#pragma once

#include <cstdint>

#include "common/messages.h"

constexpr int kNoButton = 255;   // hovered value when the pointer is over no button
constexpr int kButtonSize = 24;
constexpr int kIconSize = 20;
constexpr int kToolboxWidth = 60;
constexpr int kToolboxHeight = 500;

struct ButtonOrigin {
    int x;
    int y;
};

// Top-left corner of button n (0-based): two columns, rows of 24 pixels.
ButtonOrigin ButtonOriginOf(int n);

// The button under (px, py) in toolbox client coordinates, or kNoButton.
int HitTestButton(int px, int py);
