// Undo chain internals: moving whole Images in and out of a Resource's list by index.
#pragma once

#include "pyx.h"

// The Image at `index`, or null when the index is outside the list.
Image* ImageAtIndex(Resource* resource, int index);

// Unlinks the Images at indexes first..last and returns them as a list of their own (null
// when the run is not inside the list).
Image* TakeImageRun(Resource* resource, int first, int last);

// Links an unlinked list of Images in so that its head lands at `index` (imageCount puts
// it at the end). Does nothing for an index outside 0..imageCount.
void InsertImageRun(Resource* resource, int index, Image* run);

// Puts `replacement` in place of the Image at `index` and returns the one it replaced,
// unlinked. With no Image there, returns `replacement` untouched.
Image* ExchangeImage(Resource* resource, int index, Image* replacement);
