// Document core: icon reading and writing, color reduction on write and on its own.
#include <windows.h>
#include <gdiplus.h>

#include <cstring>
#include <string>
#include <vector>

#include "bench.h"
#include "cli/make_command.h"
#include "common/image_encoders.h"
#include "core/dither.h"
#include "core/palettes.h"
#include "core/pyx.h"
#include "tests/core/document_builders.h"

namespace {

std::wstring BenchPath(const wchar_t* name)
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"vexil-bench-" + std::to_wstring(GetCurrentProcessId()) + L"-" + name;
}

void PaintNoise(Gdiplus::Bitmap* bitmap, bool opaque)
{
    Gdiplus::Rect all(0, 0, int(bitmap->GetWidth()), int(bitmap->GetHeight()));
    Gdiplus::BitmapData data{};
    if (bitmap->LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &data) != Gdiplus::Ok)
        return;
    uint32_t state = 12345;
    for (int y = 0; y < all.Height; y++) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(data.Scan0) + y * data.Stride);
        for (int x = 0; x < all.Width; x++) {
            state = state * 1664525u + 1013904223u;
            row[x] = opaque ? (state | 0xFF000000u) : state;
        }
    }
    bitmap->UnlockBits(&data);
}

void PaintPicture(Gdiplus::Bitmap* bitmap, const std::vector<uint32_t>& pixels)
{
    const int size = int(bitmap->GetWidth());
    Gdiplus::Rect all(0, 0, size, size);
    Gdiplus::BitmapData data{};
    if (bitmap->LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &data) != Gdiplus::Ok)
        return;
    for (int y = 0; y < size; y++)
        memcpy(static_cast<uint8_t*>(data.Scan0) + y * data.Stride, &pixels[size_t(y) * size], size_t(size) * 4);
    bitmap->UnlockBits(&data);
}

Resource* SevenSizeIcon()
{
    static const uint16_t kSizes[] = {16, 24, 32, 48, 64, 128, 256};
    Resource* document = DocumentWithoutImages();
    for (uint16_t size : kSizes) {
        Image* image = PYX_CreateImage(size, size);
        PaintPicture(image->composite, BenchPicture(size));
        AppendImage(document, image);
    }
    return document;
}

// vexilc make of the seven standard sizes from a 1024 x 1024 PNG, in-process: reading the
// picture, scaling, writing the file. scripts/compare leaves the PNG it gives Pillow in the
// pictures folder; without it, a picture of noise with every level of transparency.
void BenchMakeFromPicture()
{
    const wchar_t* folder = _wgetenv(L"VEXIL_BENCH_PICTURES");
    const std::wstring shared = folder ? std::wstring(folder) + L"\\make-1024.png" : L"";
    const bool useShared = !shared.empty() && GetFileAttributesW(shared.c_str()) != INVALID_FILE_ATTRIBUTES;
    const std::wstring picturePath = useShared ? shared : BenchPath(L"make.png"), iconPath = BenchPath(L"make.ico");
    if (!useShared) {
        Gdiplus::Bitmap picture(1024, 1024, PixelFormat32bppARGB);
        PaintNoise(&picture, false);
        CLSID png;
        if (!FindImageEncoder(L"image/png", &png) || picture.Save(picturePath.c_str(), &png, nullptr) != Gdiplus::Ok)
            return;
    }
    // The target: Pillow's open and save(format="ICO", sizes=...) of the same PNG, as
    // scripts/compare times it, took 111 to 122 ms on our two-core Linux build machine when
    // it was quiet (up to 240 ms while others ran builds beside it).
    Report("vexilc make, 7 sizes from a 1024x1024 PNG",
           MedianMilliseconds(10, [&] { RunMakeCommand({iconPath, picturePath}); }), 113);
    if (!useShared)
        DeleteFileW(picturePath.c_str());
    DeleteFileW(iconPath.c_str());
}

// Error diffusion to each fixed palette as the icon writer does it: a private copy of the
// pixels dithered, with the palette indices kept. The targets are Pillow's figures for the
// same work (quantize with Floyd-Steinberg to the same palette; convert("1") for two
// colours) as scripts/compare timed them on our two-core Linux build machine when it was
// quiet: 0.9, 0.9 and 0.26 ms at 256 x 256, in proportion to the pixels at other sizes.
void ReportColorReduction()
{
    const struct {
        const char* name;
        const PaletteColor* palette;
        int count;
        int level;
        double target;  // ms at 256 x 256
    } palettes[] = {{"256 colours", kPalette256, kPalette256Count, 3, 0.9},
                    {"16 colours", kPalette16, kPalette16Count, 7, 0.9},
                    {"2 colours", kPalette2, kPalette2Count, 7, 0.26}};
    for (int size : {64, 256, 1024}) {
        std::vector<uint32_t> pixels = BenchPicture(size), work(pixels.size());
        std::vector<uint16_t> indices(pixels.size());
        const PixelView view{size, size, std::ptrdiff_t(size) * 4, reinterpret_cast<uint8_t*>(work.data())};
        const double scale = double(size) * size / (256.0 * 256.0);
        for (const auto& p : palettes) {
            const NearestColorFinder* finder = NearestColorFinder::ForFixedPalette(p.palette, p.count);
            const double ms = MedianMilliseconds(size <= 256 ? 30 : 8, [&] {
                memcpy(work.data(), pixels.data(), pixels.size() * 4);
                DitherToPalette(view, *finder, p.level, 200, indices.data());
            });
            const std::string tag = std::to_string(size) + "x" + std::to_string(size);
            Report("reduce " + tag + " to " + p.name, ms, p.target * scale);
        }
    }
}

}  // namespace

void RunCoreBenchmarks()
{
    BenchMakeFromPicture();
    Resource* icon = SevenSizeIcon();
    const std::wstring iconPath = BenchPath(L"seven.ico");
    Report("write icon, 7 sizes 16..256, 32-bit",
           MedianMilliseconds(30, [&] { PYX_SaveIconToFile(nullptr, iconPath.c_str(), icon); }), 3);
    Report("read icon, 7 sizes 16..256, 32-bit", MedianMilliseconds(30, [&] {
               PYX_DoCleanupInternalResource(PYX_LoadIconFromFile(nullptr, iconPath.c_str()));
           }), 3);
    PYX_DoCleanupInternalResource(icon);
    DeleteFileW(iconPath.c_str());

    struct DepthCase {
        int bits;
        double target;
    } depths[] = {{8, 10}, {4, 5}, {1, 5}};
    Image* image = PYX_CreateImage(256, 256);
    PaintNoise(image->composite, true);
    const std::wstring path = BenchPath(L"depth.ico");
    for (const DepthCase& depth : depths) {
        image->bitsPerPixel = uint8_t(depth.bits);
        Report("write 256x256 icon at " + std::to_string(depth.bits) + " bits (dithered)",
               MedianMilliseconds(15, [&] { PYX_SaveSingleImageAsIcon(nullptr, path.c_str(), image); }),
               depth.target);
    }
    PYX_DeleteImage(image);
    DeleteFileW(path.c_str());
    ReportColorReduction();
}
