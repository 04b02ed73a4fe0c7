// The pixel readout of the controls strip. Platform-free.
#pragma once

#include <cstdint>
#include <string>

// Readout for the pixel (x, y) whose color is 0xAARRGGBB.
std::wstring PixelReadout(uint32_t color, int x, int y);

// Readout while the pointer is off the image: the labels without numbers.
std::wstring EmptyReadout();
