#include "tool_geometry.h"

namespace {
constexpr int kLeft = 6;
constexpr int kTop = 10;
constexpr int kRight = 53;  // last column of the second button column
}  // namespace

ButtonOrigin ButtonOriginOf(int n)
{
    return {kLeft + kButtonSize * (n % 2), kTop + kButtonSize * (n / 2)};
}

int HitTestButton(int px, int py)
{
    if (px < kLeft || py < kTop || px > kRight)
        return kNoButton;
    const int n = (px - kLeft) / kButtonSize + 2 * ((py - kTop) / kButtonSize);
    return n < kToolCount ? n : kNoButton;
}
