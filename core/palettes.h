// The three fixed palettes that every color reduction of the program uses.
#pragma once

#include <cstdint>

// One palette entry as 0x00RRGGBB.
using PaletteColor = uint32_t;

constexpr int kPalette256Count = 256;
constexpr int kPalette16Count = 16;
constexpr int kPalette2Count = 2;

extern const PaletteColor kPalette256[kPalette256Count];
extern const PaletteColor kPalette16[kPalette16Count];
extern const PaletteColor kPalette2[kPalette2Count];

inline uint8_t PaletteRed(PaletteColor c) { return uint8_t(c >> 16); }
inline uint8_t PaletteGreen(PaletteColor c) { return uint8_t(c >> 8); }
inline uint8_t PaletteBlue(PaletteColor c) { return uint8_t(c); }

// The palette an icon block of the given depth stores, or null above 8 bits.
const PaletteColor* PaletteForDepth(int bitsPerPixel, int* count);
