// The dialogs the list opens (Standard Formats, Image Properties, Animated Cursor
// Properties) and the export of one Image are not built yet: their messages and menu
// commands are accepted here and do nothing, so that every caller already has its route.
#include "imagelist_state.h"

void OpenStandardFormats(ImageListState*) {}
void OpenImageProperties(ImageListState*) {}
void OpenAnimatedCursorProperties(ImageListState*) {}
void ExportCurrentImage(ImageListState*) {}
