#include "palette_objects.h"

#include <vector>

#include "palettes.h"

namespace {

HPALETTE CreatePaletteObject(const PaletteColor* colors, int count)
{
    std::vector<uint8_t> storage(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * count);
    LOGPALETTE* logical = reinterpret_cast<LOGPALETTE*>(storage.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = WORD(count);
    PALETTEENTRY* entries = logical->palPalEntry;
    for (int i = 0; i < count; i++)
        entries[i] = {PaletteRed(colors[i]), PaletteGreen(colors[i]), PaletteBlue(colors[i]), 0};
    return CreatePalette(logical);
}

}  // namespace

bool CreateSharedPalettes(SharedPalettes* palettes)
{
    palettes->palette256 = CreatePaletteObject(kPalette256, kPalette256Count);
    palettes->palette16 = CreatePaletteObject(kPalette16, kPalette16Count);
    palettes->palette2 = CreatePaletteObject(kPalette2, kPalette2Count);
    if (palettes->palette256 && palettes->palette16 && palettes->palette2)
        return true;
    DeleteSharedPalettes(palettes);
    return false;
}

void DeleteSharedPalettes(SharedPalettes* palettes)
{
    for (HPALETTE* palette : {&palettes->palette256, &palettes->palette16, &palettes->palette2}) {
        if (*palette)
            DeleteObject(*palette);
        *palette = nullptr;
    }
}
