// Putting the selection's content back over the rest of the layer, without the platform.
#pragma once

#include <vector>

#include "common/pixel_view.h"
#include "common/selection/pixel_set.h"

// target = base with `content` laid over it at (left, top), blended as normal painting does
// (not premultiplied). Where the base is fully transparent the content's pixel is copied
// exactly, so content laid back where it came from gives back the pixels it was taken from.
// Content outside the target is clipped; base and target must have the same size (false,
// and nothing written, otherwise).
bool PlaceContent(const PixelView& target, const PixelView& base, const PixelView& content, int left, int top);

// Copies into `target` the pixels of `rects` (target coordinates) from `source`, whose pixel
// (0, 0) lies at target pixel (sourceLeft, sourceTop); pixels either side lacks are skipped.
void CopyRegionPixels(const PixelView& target, const PixelView& source, int sourceLeft, int sourceTop,
                      const std::vector<PixelRect>& rects);

// The pixels of `view` with an alpha other than 0.
PixelMask OpaquePixels(const PixelView& view);
