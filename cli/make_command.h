// vexilc make: an icon or cursor from one picture scaled to several sizes, or from several
// pictures each kept for its own size.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <string>
#include <vector>

#include "core/pyx.h"

struct MakeSettings {
    std::vector<int> sizes;  // empty: the standard seven for one picture, each picture's own size for several
    int depth = 32;
    bool hasHotspot = false;
    int hotspotX = 0, hotspotY = 0;  // in the largest picture's pixels
    bool pngLarge = false;
};

struct MakeRequest {
    std::wstring out;
    std::vector<std::wstring> inputs;
    MakeSettings settings;
};

// Options may stand anywhere; the first name is OUT, the rest are pictures. False, with
// what is wrong in `error`, for a usage mistake.
bool ParseMakeArguments(const std::vector<std::wstring>& args, MakeRequest* request, std::wstring* error);

struct InputPicture {
    std::wstring name;
    int width, height;
};

// One entry of the new file: picture `source` kept as it is, or scaled, keeping its
// proportions, into (x, y, drawnWidth, drawnHeight) of a transparent side x side square.
struct PlannedEntry {
    int source;
    bool asIs;
    int width, height;
    int x, y, drawnWidth, drawnHeight;
};

// Which picture becomes which entry, smallest entry first. False, with the reason in `error`,
// when pictures that must be kept as they are cannot be icon entries.
bool PlanEntries(const std::vector<InputPicture>& inputs, const std::vector<int>& sizes,
                 std::vector<PlannedEntry>* entries, std::wstring* error);

// A new document with one Image per planned entry, at the settings' depth, hot spots
// mapped from the largest picture. Null, with the reason in `error`, when it cannot be made.
Resource* BuildIconDocument(const std::vector<Gdiplus::Bitmap*>& pictures, const std::vector<std::wstring>& names,
                            const MakeSettings& settings, std::wstring* error);

// The whole command: returns the exit status (0, 1 for a file problem, 2 for a usage mistake).
int RunMakeCommand(const std::vector<std::wstring>& args);
