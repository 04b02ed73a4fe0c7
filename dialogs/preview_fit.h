// Where the preview picture goes inside the preview box: as large as the box's shorter side
// allows, centred, scaled up as well as down. Free of Win32 so that it can be tested alone.
#pragma once

#include <algorithm>

struct PreviewRect {
    float left, top, width, height;
};

// A w x h source in a W x H box (all at least 1).
inline PreviewRect FitPreview(int sourceWidth, int sourceHeight, int boxWidth, int boxHeight)
{
    const float scale = float(std::min(boxWidth, boxHeight)) / float(std::max(sourceWidth, sourceHeight));
    PreviewRect rect{};
    rect.width = scale * float(sourceWidth);
    rect.height = scale * float(sourceHeight);
    rect.left = std::max(0.0f, (float(boxWidth) - rect.width) / 2);
    rect.top = std::max(0.0f, (float(boxHeight) - rect.height) / 2);
    return rect;
}
