// The GDI+ edge of the filter library: lock the source, make the result, run the filter.
#include "filters/sieve.h"

#include "common/bitmap_areas.h"
#include "common/gdiplus_pixels.h"
#include "filters/filter_request.h"

namespace {

FilterRequest RequestOf(const FilterParams& p)
{
    return {p.filterType, p.kernel, p.word4, p.word5, p.word6, p.word7,
            p.shadowColor, p.word9, p.word10, p.word11, p.word12};
}

}  // namespace

SIEVE_API Gdiplus::Bitmap* ApplyFilter(const FilterParams* request)
{
    if (!request || !IsFilterType(request->filterType) || !request->source)
        return nullptr;
    Gdiplus::Bitmap* source = request->source;
    Gdiplus::Bitmap* result = NewBitmap(int(source->GetWidth()), int(source->GetHeight()), source->GetPixelFormat());
    if (!result)
        return nullptr;
    BitmapLock from(source, Gdiplus::ImageLockModeRead);
    BitmapLock to(result, kLockReadWrite);
    if (from.ok() && to.ok())
        RunFilter(RequestOf(*request), from.view(), to.view());
    return result;
}
