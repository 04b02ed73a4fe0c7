// The three shared palettes as platform palette objects.
#pragma once

#include <windows.h>

struct SharedPalettes {
    HPALETTE palette256 = nullptr;
    HPALETTE palette16 = nullptr;
    HPALETTE palette2 = nullptr;
};

// Builds all three; on failure releases what was built and returns false.
bool CreateSharedPalettes(SharedPalettes* palettes);
void DeleteSharedPalettes(SharedPalettes* palettes);
