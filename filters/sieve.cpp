// The GDI+ edge of the filter library: lock the source, make the result, run the filter.
#include "filters/sieve.h"

#include "common/bitmap_areas.h"
#include "common/gdiplus_pixels.h"
#include "common/pixel_filters/pixel_buffer.h"
#include "common/pool_work.h"
#include "filters/filter_request.h"

namespace {

// Hue, saturation and luminance take every pixel through floating point, one at a time: the
// one pixel-by-pixel filter slow enough to share out over the processors in row bands.
constexpr int kBandRows = 64;
constexpr int kMostBands = 64;

// A wide heavy blur is shared out in one band per processor: each band computes the pyramid
// only where it depends on it, which costs a little more in all than the whole picture at
// once. Below about half a million pixels handing out the work costs as much as it gains.
constexpr int kFewestPixelsToShareHeavyBlur = 512 * 512;

bool IsSharedOut(int32_t filterType)
{
    return filterType == kAdjustHsv;
}

void RunInBands(const FilterRequest& request, const PixelView& source, const PixelView& result)
{
    const std::vector<RowBand> bands = SplitIntoBands(source.height, kBandRows, kMostBands);
    RunInParallel(int(bands.size()), [&](int i) {
        const RowBand& band = bands[size_t(i)];
        const int rows = band.bottom - band.top;
        RunFilter(request, SubView(source, 0, band.top, source.width, rows),
                  SubView(result, 0, band.top, result.width, rows));
    });
}

FilterRequest RequestOf(const FilterParams& p)
{
    return {p.filterType, p.kernel, p.word4, p.word5, p.word6, p.word7,
            p.shadowColor, p.word9, p.word10, p.word11, p.word12};
}

bool RunHeavyBlurInBands(const FilterRequest& request, const PixelView& source, const PixelView& result)
{
    const int processors = ProcessorCount();
    if (!IsWideHeavyBlur(request) || source.width * source.height < kFewestPixelsToShareHeavyBlur ||
        processors < 2 || source.height < processors)
        return false;
    const std::vector<RowBand> bands = SplitIntoBands(source.height, source.height / processors, processors);
    RunInParallel(int(bands.size()), [&](int i) {
        const RowBand& band = bands[size_t(i)];
        RunWideHeavyBlurRows(request, source, band.top, SubView(result, 0, band.top, result.width, band.bottom - band.top));
    });
    return true;
}

// Fills `result` from the request's source; false when either picture cannot be locked.
bool Filter(const FilterParams& request, Gdiplus::Bitmap* result)
{
    BitmapLock from(request.source, Gdiplus::ImageLockModeRead);
    BitmapLock to(result, kLockReadWrite);
    if (!from.ok() || !to.ok())
        return false;
    if (IsSharedOut(request.filterType))
        RunInBands(RequestOf(request), from.view(), to.view());
    else if (!RunHeavyBlurInBands(RequestOf(request), from.view(), to.view()))
        RunFilter(RequestOf(request), from.view(), to.view());
    return true;
}

}  // namespace

SIEVE_API Gdiplus::Bitmap* ApplyFilter(const FilterParams* request)
{
    if (!request || !IsFilterType(request->filterType) || !request->source)
        return nullptr;
    Gdiplus::Bitmap* source = request->source;
    const int width = int(source->GetWidth()), height = int(source->GetHeight());
    // Every filter writes every pixel of its result, so a 32-bit one need not be cleared first.
    Gdiplus::Bitmap* result = source->GetPixelFormat() == PixelFormat32bppARGB
                                  ? NewArgbBitmapToOverwrite(width, height)
                                  : NewBitmap(width, height, source->GetPixelFormat());
    if (!result)
        return nullptr;
    if (!Filter(*request, result)) {
        delete result;  // a blank picture would pass for the filtered one
        return nullptr;
    }
    return result;
}
