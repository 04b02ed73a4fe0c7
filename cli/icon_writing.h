// vexilc's own writing of icon and cursor files: the editor's encoder, with 256 x 256
// pictures stored PNG-compressed on request; and which entries of a file are stored so.
#pragma once

#include <string>
#include <vector>

#include "core/ico_format.h"
#include "core/pyx.h"

enum class LargeEntries { kBitmap, kPng };

// Writes every Image of the document (its composite at its own depth, masks as the editor
// makes them). False, with what went wrong in `error` and any old file left as it was, when
// it cannot.
bool WriteIconDocument(const std::wstring& path, Resource* document, IconFileType type, LargeEntries large,
                       std::wstring* error);

// For each image of an icon, cursor or animated cursor file (in the order the readers list
// them), whether its entry is stored PNG-compressed. Empty for other files and for files
// that cannot be read.
std::vector<bool> PngStoredEntries(const std::wstring& path);
