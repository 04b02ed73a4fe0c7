// Small helpers the readers share to build a Resource.
#pragma once

#include "pyx.h"

// A new initialised Resource that remembers the file it comes from.
Resource* NewResourceForFile(const wchar_t* path, FileKind kind);

// Appends unlinked Images to a Resource's list in constant time.
struct ImageAppender {
    Resource* resource;
    Image* last = nullptr;

    void Append(Image* image);
};
