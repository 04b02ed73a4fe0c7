// Which cursor the canvas shows for the current tool. Platform-free.
#pragma once

#include "common/messages.h"

struct CursorSituation {
    int tool = 0;
    bool overImage = false;
    bool transformPending = false;
    bool rasterLayer = false;       // the current layer exists and is a raster layer
    int bitsPerPixel = 32;          // stored depth of the current image
    int layerCount = 0;             // layers of the current image
    bool vectorLayerOption = true;  // the current shape tool draws on a new vector layer
    int zoom = 1;
    bool ctrl = false;
    bool shift = false;
};

// The cursor resource to show, or kArrowCursor.
int CursorForSituation(const CursorSituation& situation);

// Whether the tool can act at all in this situation (the not-allowed cursor shows otherwise).
bool ToolCanAct(const CursorSituation& situation);
