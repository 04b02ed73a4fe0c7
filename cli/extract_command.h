// vexilc extract: every icon image of an icon library as a one-image icon file.
#pragma once

#include <cstdio>
#include <string>

// Writes the Images of `library` as folder\000.ico, 001.ico, ... and names each written
// file on `listing` (one line each; null lists nothing). Returns 0, or 1 after printing why.
int ExtractLibrary(const std::wstring& library, const std::wstring& folder, FILE* listing);
