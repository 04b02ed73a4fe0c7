// Per-pixel color adjustments: brightness and contrast, colorize, grayscale, negative.
#include "common/pixel_filters/pixel_buffer.h"
#include "filters/filter_routines.h"

namespace {

// Maps red, green and blue of every pixel through one 256-entry table; alpha passes.
void MapChannels(const PixelView& source, const PixelView& result, const uint8_t red[256], const uint8_t green[256],
                 const uint8_t blue[256])
{
    for (int y = 0; y < source.height; y++) {
        const uint32_t* from = PixelRow(source, y);
        uint32_t* to = PixelRow(result, y);
        for (int x = 0; x < source.width; x++) {
            const uint32_t pixel = from[x];
            to[x] = PackPixel(AlphaOf(pixel), red[RedOf(pixel)], green[GreenOf(pixel)], blue[BlueOf(pixel)]);
        }
    }
}

void MapAllChannels(const PixelView& source, const PixelView& result, const uint8_t table[256])
{
    MapChannels(source, result, table, table, table);
}

}  // namespace

void BrightnessContrast(const PixelView& source, const PixelView& result, int brightness, int contrast)
{
    const double slope = (double(contrast) + 100.0) * double(0.01f);
    uint8_t table[256];
    for (int v = 0; v < 256; v++) {
        const double mapped = (v - 128) * slope + (double(brightness) + 128.0);
        table[v] = mapped <= 0 ? 0 : (mapped >= 255 ? 255 : uint8_t(int(mapped)));
    }
    MapAllChannels(source, result, table);
}

void Colorize(const PixelView& source, const PixelView& result, int red, int green, int blue)
{
    uint8_t tables[3][256];
    const int colors[3] = {red & 0xFF, green & 0xFF, blue & 0xFF};
    for (int c = 0; c < 3; c++)
        for (int v = 0; v < 256; v++)
            tables[c][v] = uint8_t((colors[c] + v) / 2);
    MapChannels(source, result, tables[0], tables[1], tables[2]);
}

void Grayscale(const PixelView& source, const PixelView& result)
{
    for (int y = 0; y < source.height; y++) {
        const uint32_t* from = PixelRow(source, y);
        uint32_t* to = PixelRow(result, y);
        for (int x = 0; x < source.width; x++) {
            const uint32_t pixel = from[x];
            const uint32_t gray = (222 * RedOf(pixel) + 707 * GreenOf(pixel) + 71 * BlueOf(pixel)) / 1000;
            to[x] = PackPixel(AlphaOf(pixel), gray, gray, gray);
        }
    }
}

void Negative(const PixelView& source, const PixelView& result)
{
    for (int y = 0; y < source.height; y++) {
        const uint32_t* from = PixelRow(source, y);
        uint32_t* to = PixelRow(result, y);
        for (int x = 0; x < source.width; x++)
            to[x] = from[x] ^ 0x00FFFFFFu;
    }
}
