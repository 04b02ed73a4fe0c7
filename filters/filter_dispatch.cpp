// The dispatch by type: each filter gets its parameters from the words its row of the
// filter table names, in the row's order.
#include "filters/filter_request.h"

#include "filters/filter_routines.h"

namespace {

int32_t WordValue(const FilterRequest& r, int word)
{
    switch (word) {
    case 4: return r.word4;
    case 5: return r.word5;
    case 6: return r.word6;
    case 7: return r.word7;
    case 8: return r.shadowColor ? int32_t(*r.shadowColor) : 0;  // the color its cell holds
    case 9: return r.word9;
    case 10: return r.word10;
    case 11: return r.word11;
    case 12: return r.word12;
    default: return 0;
    }
}

// The parameters of one request, in the order of its filter's row.
struct Arguments {
    const FilterRequest& request;
    const FilterRow& row;

    int32_t operator[](int i) const { return WordValue(request, row.parameters[i].word); }
    uint32_t Color(int i) const { return uint32_t((*this)[i]); }
};

CustomKernel KernelOf(const FilterRequest& r, const Arguments& a)
{
    return {r.kernel, a[0], a[1], a[2]};
}

BevelLight BevelOf(const Arguments& a)
{
    return {a.Color(4), a[0], a.Color(5), a[1], a[2], a[3]};
}

ShadowSettings ShadowOf(const Arguments& a, ShadowKind kind)
{
    return {kind, a.Color(3), a[2] & 0xFF, a[0], a[1], a[4]};
}

}  // namespace

bool IsFilterType(int32_t type)
{
    return FindFilter(type) != nullptr;
}

void RunFilter(const FilterRequest& r, const PixelView& source, const PixelView& result)
{
    const FilterRow* row = FindFilter(r.filterType);
    if (!row)
        return;
    const Arguments a{r, *row};
    switch (row->type) {
    case kCustomFilter: CustomFilter(KernelOf(r, a), source, result); break;
    case kColorize: Colorize(source, result, a[0] & 0xFF, a[1] & 0xFF, a[2] & 0xFF); break;
    case kBrightnessContrast: BrightnessContrast(source, result, a[0], a[1]); break;
    case kLinearBlur: LinearBlur(source, result); break;
    case kMotionBlur: MotionBlur(source, result); break;
    case kSoften: Soften(source, result); break;
    case kSharpen: Sharpen(source, result); break;
    case kUnsharpMask: UnsharpMask(source, result); break;
    case kGaussianBlur5x5: GaussianBlur5x5(source, result); break;
    case kColorEmboss: ColorEmboss(source, result); break;
    case kGrayEmboss: GrayEmboss(source, result); break;
    case kDefocus: Defocus(source, result); break;
    case kNegative: Negative(source, result); break;
    case kGrayscale: Grayscale(source, result); break;
    case kAdjustHsv: AdjustHsv(source, result, a[0], a[1], a[2]); break;
    case kInnerShadow: CastShadow(source, result, ShadowOf(a, ShadowKind::kInner)); break;
    case kDropShadow: CastShadow(source, result, ShadowOf(a, ShadowKind::kDrop)); break;
    case kAdjustOpacity: AdjustOpacity(source, result, a[0]); break;
    case kBevel: Bevel(source, result, BevelOf(a)); break;
    case kHeavyBlur: HeavyBlur(source, result, a[0]); break;
    case kBorderize: Borderize(source, result, a.Color(1), a[0]); break;
    default: break;  // no routine: the result stays as it was made
    }
}

namespace {

int HeavyBlurFactor(const FilterRequest& r)
{
    const FilterRow* row = FindFilter(r.filterType);
    return row && row->type == kHeavyBlur ? Arguments{r, *row}[0] : 0;
}

}  // namespace

bool IsWideHeavyBlur(const FilterRequest& r)
{
    return HeavyBlurFactor(r) >= kFirstPyramidHeavyBlurFactor;
}

void RunWideHeavyBlurRows(const FilterRequest& r, const PixelView& source, int top, const PixelView& rows)
{
    HeavyBlurArea({source, 0, 0, source.width, source.height}, HeavyBlurFactor(r), 0, top, rows);
}
