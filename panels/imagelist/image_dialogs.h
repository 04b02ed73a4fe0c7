// The dialogs the image list opens, and the parts of them the tests drive directly.
#pragma once

#include <string>

#include "common/picture_export.h"
#include "dialog_support.h"
#include "imagelist_state.h"

// What OK of Image Properties hands on: already within 16..256 and inside the picture.
struct PropertiesChoice {
    int width, height;
    int hotspotX, hotspotY;
    int displayRate;
    int depth;  // 32, 24, 8, 4 or 1
    int alphaThreshold, ditheringLevel;
};

// Applies the choice to the Image at `index`: the undo step, the merge question when layers
// would be merged, the new values, merging, resizing and depth reduction, the report.
// False when nothing changed (no such Image, or No to the question).
bool ApplyImageProperties(ImageListState* state, int index, const PropertiesChoice& choice);

// Standard Formats from the current Image: the sixteen new Images after it, the report and
// the undo step. False when it is not available or the Images cannot be made.
bool MakeStandardFormats(ImageListState* state, int alphaThreshold, int level256, int level16);

// Writes the current Image to the chosen path in `format`, with the format's extension
// forced (asking before that replaces another file). False when nothing was written.
bool ExportImageTo(ImageListState* state, ExportFormat format, const std::wstring& chosenPath);
