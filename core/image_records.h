// Image construction shared by the readers.
#pragma once

#include "pyx.h"

// An Image with every default set and no pixels yet: no composite, no layers.
Image* NewEmptyImage(uint16_t width, uint16_t height);

// A new Image that takes over `composite` and gets one raster layer holding a copy of it.
Image* NewImageFromComposite(Bitmap* composite);
