// The bevel's relief measure on the alpha channel.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "common/pixel_view.h"

// The window radius of a bevel depth (3, 5, 7 give 3, 4, 6), or 0 for another depth.
int BevelRadius(int depth);

// For every pixel of the source, the sum of alpha over the half of the (2r + 1)-square
// window on the light side of `direction` (1 top .. 8 top left, clockwise) minus the sum over
// the far half; taps on the dividing line do not count. Everything outside the source counts
// as transparent. Hands over one row at a time, top to bottom: onRow(y, values of row y).
void ForEachReliefRow(const PixelView& source, int radius, int direction,
                      const std::function<void(int y, const int32_t* relief)>& onRow);

// The same, all rows at once.
std::vector<int32_t> BevelRelief(const PixelView& source, int radius, int direction);
