// The words of a filter request without the source bitmap, so the dispatch by type can be
// platform-free. Field order and meaning follow the request record of sieve.h.
#pragma once

#include <cstdint>

#include "common/pixel_view.h"
#include "filters/filter_table.h"

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

// True for the types that make a bitmap: 1..22 except 5.
bool IsFilterType(int32_t type);

// Runs the filter of request.filterType from `source` into `result` (the source's size).
// Does nothing for a type that IsFilterType refuses.
void RunFilter(const FilterRequest& request, const PixelView& source, const PixelView& result);

// True for a heavy blur wide enough to work on a pyramid of shrunken copies, which is worth
// sharing out in bands of rows.
bool IsWideHeavyBlur(const FilterRequest& request);

// For such a request: writes rows [top, top + rows.height) of what RunFilter gives into
// `rows`, computing only what they depend on.
void RunWideHeavyBlurRows(const FilterRequest& request, const PixelView& source, int top, const PixelView& rows);
