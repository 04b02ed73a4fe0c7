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
// keep ownership of it and of what it points to.
//
//  type  filter                            words read besides filterType and source
//   1    CustomFilter                      kernel, word4 kernel size, word5 scale, word6 offset
//   2    Colorize                          word4 red, word5 green, word6 blue (low bytes)
//   3    BrightnessContrast                word4 brightness -255..255, word5 contrast -100..100
//   4    LinearBlur                        -
//   5    (none: returns null)
//   6..13 MotionBlur, Soften, Sharpen, UnsharpMask, GaussianBlur5x5, ColorEmboss,
//         GrayEmboss, Defocus              -
//  14    Negative, 15 Grayscale            -
//  16    AdjustHsv                         word4 hue -180..180, word5 saturation, word6 luminance -100..100
//  17    inner shadow, 18 drop shadow      word4 X offset, word5 Y offset, word6 opacity 0..100 (low byte),
//                                          shadowColor (0xAARRGGBB, low 24 bits), word9 blur factor 0..50
//  19    AdjustOpacity                     word4 change -100..100
//  20    Bevel                             word4 light opacity, word5 shadow opacity 0..255, word6 direction
//                                          1..8 (1 top, clockwise), word10 depth 3/5/7, word11 light color,
//                                          word12 shadow color (0xAARRGGBB, low 24 bits)
//  21    HeavyBlur                         word9 blur factor 0..50
//  22    Borderize                         word4 depth 3/5/7/9, word11 color 0x00BBGGRR (red in the low byte)
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
// for a type outside 1..22, or when the bitmap cannot be made.
SIEVE_API Gdiplus::Bitmap* ApplyFilter(const FilterParams* request);
