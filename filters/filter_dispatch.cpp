// The type table: one line per filter type, reading the words that type uses.
#include "filters/filter_request.h"

#include "filters/filter_routines.h"

namespace {

BevelLight BevelOf(const FilterRequest& r)
{
    return {uint32_t(r.word11), r.word4, uint32_t(r.word12), r.word5, r.word6, r.word10};
}

ShadowSettings ShadowOf(const FilterRequest& r, ShadowKind kind)
{
    const uint32_t color = r.shadowColor ? *r.shadowColor : 0;
    return {kind, color, r.word6 & 0xFF, r.word4, r.word5, r.word9};
}

}  // namespace

bool IsFilterType(int32_t type)
{
    return type >= kCustomFilter && type <= kBorderize && type != kNoFilter;
}

void RunFilter(const FilterRequest& r, const PixelView& source, const PixelView& result)
{
    switch (r.filterType) {
    case kCustomFilter: CustomFilter({r.kernel, r.word4, r.word5, r.word6}, source, result); break;
    case kColorize: Colorize(source, result, r.word4 & 0xFF, r.word5 & 0xFF, r.word6 & 0xFF); break;
    case kBrightnessContrast: BrightnessContrast(source, result, r.word4, r.word5); break;
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
    case kAdjustHsv: AdjustHsv(source, result, r.word4, r.word5, r.word6); break;
    case kInnerShadow: CastShadow(source, result, ShadowOf(r, ShadowKind::kInner)); break;
    case kDropShadow: CastShadow(source, result, ShadowOf(r, ShadowKind::kDrop)); break;
    case kAdjustOpacity: AdjustOpacity(source, result, r.word4); break;
    case kBevel: Bevel(source, result, BevelOf(r)); break;
    case kHeavyBlur: HeavyBlur(source, result, r.word9); break;
    case kBorderize: Borderize(source, result, uint32_t(r.word11), r.word4); break;
    default: break;
    }
}
