// Filters on a 256 x 256 picture, called from one thread through ApplyFilter as the dialogs
// call it; beside the window filters, how many times faster they are than the tap-by-tap
// versions the tests compare them with.
#include <windows.h>
#include <gdiplus.h>

#include <string>
#include <vector>

#include "bench.h"
#include "common/pixel_filters/blur.h"
#include "filters/bevel_relief.h"
#include "filters/filter_request.h"
#include "filters/filter_routines.h"
#include "filters/sieve.h"
#include "tests/filters/reference_filters.h"

namespace {

constexpr int kSize = 256;
constexpr int kRuns = 40;

// An icon-like picture: a round opaque shape with a soft rim on a transparent background,
// filled with noise.
std::vector<uint32_t> IconPixels()
{
    std::vector<uint32_t> pixels(size_t(kSize) * kSize);
    uint32_t state = 99;
    for (int y = 0; y < kSize; y++)
        for (int x = 0; x < kSize; x++) {
            state = state * 1664525u + 1013904223u;
            const int dx = x - kSize / 2, dy = y - kSize / 2, d2 = dx * dx + dy * dy;
            const uint32_t alpha = d2 < 100 * 100 ? 255 : (d2 < 110 * 110 ? 128 : 0);
            pixels[size_t(y) * kSize + x] = alpha << 24 | (state & 0xFFFFFF);
        }
    return pixels;
}

Gdiplus::Bitmap* BitmapOf(std::vector<uint32_t>& pixels)
{
    Gdiplus::Bitmap* bitmap = new Gdiplus::Bitmap(kSize, kSize, PixelFormat32bppARGB);
    Gdiplus::Rect all(0, 0, kSize, kSize);
    Gdiplus::BitmapData data{};
    if (bitmap->LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &data) == Gdiplus::Ok) {
        for (int y = 0; y < kSize; y++)
            memcpy(static_cast<uint8_t*>(data.Scan0) + y * data.Stride, &pixels[size_t(y) * kSize], kSize * 4);
        bitmap->UnlockBits(&data);
    }
    return bitmap;
}

PixelView ViewOf(std::vector<uint32_t>& pixels)
{
    return {kSize, kSize, kSize * 4, reinterpret_cast<uint8_t*>(pixels.data())};
}

struct FilterCase {
    const char* name;
    int type;
    int word4, word5, word6, word9, word10;
    double target;
};

double TimeApplyFilter(const FilterCase& c, Gdiplus::Bitmap* source)
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
    return MedianMilliseconds(kRuns, [&] { delete ApplyFilter(&params); });
}

// Ratio of the tap-by-tap version's time to the fast routine's, both on plain pixels.
void ReportRatio(const char* name, const std::function<void()>& fast, const std::function<void()>& reference)
{
    const double fastTime = MedianMilliseconds(kRuns, fast), referenceTime = MedianMilliseconds(10, reference);
    std::printf("  %-50s %6.1fx faster than tap by tap (%.3f ms vs %.3f ms)\n", name, referenceTime / fastTime,
                fastTime, referenceTime);
}

void ReportReferenceRatios(std::vector<uint32_t>& pixels)
{
    std::vector<uint32_t> out(pixels.size());
    const PixelView source = ViewOf(pixels), result = ViewOf(out);
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
    std::vector<uint32_t> pixels = IconPixels();
    Gdiplus::Bitmap* source = BitmapOf(pixels);
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
    for (const FilterCase& c : cases)
        Report(std::string("filter 256x256: ") + c.name, TimeApplyFilter(c, source), c.target);
    ReportReferenceRatios(pixels);
    delete source;
}
