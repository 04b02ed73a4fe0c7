// sieve: the filter library. One entry point turns a 32-bit ARGB bitmap into a new,
// filtered bitmap; the library keeps no state and never changes the source.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <cstdint>

#ifdef SIEVE_BUILDING
#define SIEVE_API extern "C"
#else
#define SIEVE_API extern "C" __declspec(dllimport)
#endif

// The request: twelve words in this order. Callers zero it, fill what the type reads and
// keep ownership of it and of what it points to. Which words each type reads, their ranges
// and kinds, are in the filter table (filters/filter_table.h); types 17 and 18 read the
// shadow color through the pointer of word 8, and the custom filter its weights through
// word 3.
struct FilterParams {
    int32_t filterType;            // word 1
    Gdiplus::Bitmap* source;       // word 2; read only
    const int32_t* kernel;         // word 3; kernelSize x kernelSize weights, row-major, top row first
    int32_t word4;
    int32_t word5;
    int32_t word6;
    int32_t word7;                 // passed along by some callers, never read
    const uint32_t* shadowColor;   // word 8
    int32_t word9;
    int32_t word10;
    int32_t word11;
    int32_t word12;
};

// A new bitmap of the source's size and pixel format, owned by the caller; null for type 5,
// for a type outside 1..22, when the bitmap cannot be made, or when the source's pixels
// cannot be locked (someone else holds a lock on them).
SIEVE_API Gdiplus::Bitmap* ApplyFilter(const FilterParams* request);
