// The words of a filter request without the source bitmap, so the dispatch by type can be
// platform-free. Field order and meaning follow the request record of sieve.h.
#pragma once

#include <cstdint>

#include "common/pixel_view.h"

struct FilterRequest {
    int32_t filterType;
    const int32_t* kernel;  // word 3
    int32_t word4;
    int32_t word5;
    int32_t word6;
    int32_t word7;
    const uint32_t* shadowColor;  // word 8
    int32_t word9;
    int32_t word10;
    int32_t word11;
    int32_t word12;
};

// The filter types, numbered as the request's first word.
enum FilterType : int32_t {
    kCustomFilter = 1,
    kColorize = 2,
    kBrightnessContrast = 3,
    kLinearBlur = 4,
    kNoFilter = 5,
    kMotionBlur = 6,
    kSoften = 7,
    kSharpen = 8,
    kUnsharpMask = 9,
    kGaussianBlur5x5 = 10,
    kColorEmboss = 11,
    kGrayEmboss = 12,
    kDefocus = 13,
    kNegative = 14,
    kGrayscale = 15,
    kAdjustHsv = 16,
    kInnerShadow = 17,
    kDropShadow = 18,
    kAdjustOpacity = 19,
    kBevel = 20,
    kHeavyBlur = 21,
    kBorderize = 22,
};

// True for the types that make a bitmap: 1..22 except 5.
bool IsFilterType(int32_t type);

// Runs the filter of request.filterType from `source` into `result` (the source's size).
// Does nothing for a type that IsFilterType refuses.
void RunFilter(const FilterRequest& request, const PixelView& source, const PixelView& result);
