// Filters on 64 x 64, 256 x 256 and 1024 x 1024 pictures, called from one thread through
// ApplyFilter as the dialogs call it; beside the window filters, how many times faster they
// are than the tap-by-tap versions the tests compare them with.
#include <windows.h>
#include <gdiplus.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench.h"
#include "common/gdiplus_pixels.h"
#include "common/pixel_filters/blur.h"
#include "filters/bevel_relief.h"
#include "filters/filter_request.h"
#include "filters/filter_routines.h"
#include "filters/sieve.h"
#include "tests/filters/reference_filters.h"

namespace {

constexpr int kSizes[] = {64, 256, 1024};

// Fewer runs where one run takes long.
int RunsFor(int size)
{
    return size <= 256 ? 40 : 8;
}

// An icon-like picture: a round opaque shape with a soft rim on a transparent background,
// filled with noise.
std::vector<uint32_t> IconPixels(int size)
{
    std::vector<uint32_t> pixels(size_t(size) * size);
    const int inner = size * 100 / 256, outer = size * 110 / 256;
    uint32_t state = 99;
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++) {
            state = state * 1664525u + 1013904223u;
            const int dx = x - size / 2, dy = y - size / 2, d2 = dx * dx + dy * dy;
            const uint32_t alpha = d2 < inner * inner ? 255 : (d2 < outer * outer ? 128 : 0);
            pixels[size_t(y) * size + x] = alpha << 24 | (state & 0xFFFFFF);
        }
    return pixels;
}

// The raw picture "QORVEN32", width, height, pixels; empty when missing or not size x size.
std::vector<uint32_t> ReadRawPicture(const std::wstring& path, int size)
{
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (!file)
        return {};
    char magic[8];
    uint32_t dimensions[2] = {0, 0};
    std::vector<uint32_t> pixels(size_t(size) * size);
    const bool ok = fread(magic, 1, 8, file) == 8 && fread(dimensions, 4, 2, file) == 2 &&
                    memcmp(magic, "QORVEN32", 8) == 0 && dimensions[0] == uint32_t(size) &&
                    dimensions[1] == uint32_t(size) && fread(pixels.data(), 4, pixels.size(), file) == pixels.size();
    fclose(file);
    return ok ? pixels : std::vector<uint32_t>();
}

Gdiplus::Bitmap* BitmapOf(std::vector<uint32_t>& pixels, int size)
{
    Gdiplus::Bitmap* bitmap = new Gdiplus::Bitmap(size, size, PixelFormat32bppARGB);
    Gdiplus::Rect all(0, 0, size, size);
    Gdiplus::BitmapData data{};
    if (bitmap->LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &data) == Gdiplus::Ok) {
        for (int y = 0; y < size; y++)
            memcpy(static_cast<uint8_t*>(data.Scan0) + y * data.Stride, &pixels[size_t(y) * size], size_t(size) * 4);
        bitmap->UnlockBits(&data);
    }
    return bitmap;
}

PixelView ViewOf(std::vector<uint32_t>& pixels, int size)
{
    return {size, size, std::ptrdiff_t(size) * 4, reinterpret_cast<uint8_t*>(pixels.data())};
}

struct FilterCase {
    const char* name;
    int type;
    int word4, word5, word6, word9, word10;
    double target;
};

double TimeApplyFilter(const FilterCase& c, Gdiplus::Bitmap* source, int runs)
{
    static const int32_t kernel[25] = {0, 0, -1, 0, 0, 0, -1, -2, -1, 0, -1, -2, 16, -2, -1, 0, -1, -2, -1, 0, 0, 0, -1, 0, 0};
    static const uint32_t shadowColor = 0xFF000000;
    FilterParams params{};
    params.filterType = c.type;
    params.source = source;
    params.kernel = kernel;
    params.word4 = c.word4;
    params.word5 = c.word5;
    params.word6 = c.word6;
    params.shadowColor = &shadowColor;
    params.word9 = c.word9;
    params.word10 = c.word10;
    params.word11 = 0xFFFFFF;
    return MedianMilliseconds(runs, [&] { delete ApplyFilter(&params); });
}

// What every filter call pays before any pixel work: its result bitmap made, cleared and
// deleted (under Wine its memory is mapped afresh each time, so this grows with the size).
// A new cleared bitmap, made and freed the way every filter makes its result.
double TimeResultBitmap(int size, int runs)
{
    return MedianMilliseconds(runs, [&] { delete NewArgbBitmap(size, size); });
}

// Ratio of the tap-by-tap version's time to the fast routine's, both on plain pixels.
void ReportRatio(const char* name, const std::function<void()>& fast, const std::function<void()>& reference)
{
    const double fastTime = MedianMilliseconds(RunsFor(256), fast), referenceTime = MedianMilliseconds(10, reference);
    std::printf("  %-50s %6.1fx faster than tap by tap (%.3f ms vs %.3f ms)\n", name, referenceTime / fastTime,
                fastTime, referenceTime);
}

void ReportReferenceRatios(std::vector<uint32_t>& pixels)
{
    std::vector<uint32_t> out(pixels.size());
    const PixelView source = ViewOf(pixels, 256), result = ViewOf(out, 256);
    const struct {
        const char* name;
        void (*fast)(const PixelView&, const PixelView&);
        ReferenceBlur kind;
    } blurs[] = {{"LinearBlur", LinearBlur, ReferenceBlur::kLinear},
                 {"MotionBlur", MotionBlur, ReferenceBlur::kMotion},
                 {"Soften", Soften, ReferenceBlur::kSoften},
                 {"GaussianBlur5x5", GaussianBlur5x5, ReferenceBlur::kGaussian}};
    for (const auto& blur : blurs)
        ReportRatio(blur.name, [&] { blur.fast(source, result); },
                    [&] { ReferenceCoverageBlur(blur.kind, source, result); });
    ReportRatio("BevelRelief, depth 7", [&] { BevelRelief(source, BevelRadius(7), 2); },
                [&] { ReferenceBevelRelief(source, 7, 2); });
    static const int32_t kernel[25] = {1, 2, 3, 2, 1, 2, 4, 6, 4, 2, 3, 6, 9, 6, 3, 2, 4, 6, 4, 2, 1, 2, 3, 2, 1};
    ReportRatio("CustomFilter 5x5", [&] { CustomFilter({kernel, 5, 81, 0}, source, result); },
                [&] { ReferenceCustomFilter(kernel, 5, 81, 0, source, result); });
}

}  // namespace

void RunFilterBenchmarks()
{
    const FilterCase cases[] = {
        {"custom filter 5x5", 1, 5, 1, 0, 0, 0, 1.5},
        {"colorize", 2, 255, 128, 0, 0, 0, 1.5},
        {"brightness and contrast", 3, 40, 30, 0, 0, 0, 1.5},
        {"linear blur", 4, 0, 0, 0, 0, 0, 1.5},
        {"motion blur", 6, 0, 0, 0, 0, 0, 1.5},
        {"soften", 7, 0, 0, 0, 0, 0, 1.5},
        {"sharpen", 8, 0, 0, 0, 0, 0, 1.5},
        {"unsharp mask", 9, 0, 0, 0, 0, 0, 1.5},
        {"gaussian blur 5x5", 10, 0, 0, 0, 0, 0, 1.5},
        {"color emboss", 11, 0, 0, 0, 0, 0, 1.5},
        {"gray emboss", 12, 0, 0, 0, 0, 0, 1.5},
        {"defocus", 13, 0, 0, 0, 0, 0, 1.5},
        {"negative", 14, 0, 0, 0, 0, 0, 1.5},
        {"grayscale", 15, 0, 0, 0, 0, 0, 1.5},
        {"hue, saturation and luminance", 16, 60, -20, 10, 0, 0, 1.5},
        {"opacity", 19, -40, 0, 0, 0, 0, 1.5},
        {"bevel, depth 7", 20, 200, 200, 8, 0, 7, 3},
        {"heavy blur, factor 4", 21, 0, 0, 0, 4, 0, 1.5},
        {"heavy blur, factor 50", 21, 0, 0, 0, 50, 0, 6},
        {"borderize, depth 9", 22, 9, 0, 0, 0, 0, 1.5},
        {"inner shadow, blur 50", 17, 5, 5, 80, 50, 0, 6},
        {"drop shadow, blur 50", 18, 5, 5, 80, 50, 0, 6},
    };
    // The targets hold for 256 x 256; a picture 16 times larger may take 16 times longer.
    for (int size : kSizes) {
        std::vector<uint32_t> pixels = BenchPicture(size);
        Gdiplus::Bitmap* source = BitmapOf(pixels, size);
        const std::string tag = "filter " + std::to_string(size) + "x" + std::to_string(size) + ": ";
        const double scale = size <= 256 ? 1.0 : double(size) * size / (256.0 * 256.0);
        for (const FilterCase& c : cases)
            Report(tag + c.name, TimeApplyFilter(c, source, RunsFor(size)), c.target * scale);
        Report(tag + "the result bitmap alone", TimeResultBitmap(size, RunsFor(size)), 0.1 * scale);
        delete source;
    }
    std::vector<uint32_t> pixels = BenchPicture(256);
    ReportReferenceRatios(pixels);
}

std::vector<uint32_t> BenchPicture(int size)
{
    const wchar_t* folder = _wgetenv(L"VEXIL_BENCH_PICTURES");
    if (!folder || !*folder)
        return IconPixels(size);
    const std::wstring path = std::wstring(folder) + L"\\picture-" + std::to_wstring(size) + L".raw";
    std::vector<uint32_t> pixels = ReadRawPicture(path, size);
    if (pixels.empty()) {
        std::fwprintf(stderr, L"vexil-bench: %ls is missing or not a %d x %d raw picture\n", path.c_str(), size, size);
        std::exit(2);
    }
    return pixels;
}
