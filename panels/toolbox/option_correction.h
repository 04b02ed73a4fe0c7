// The correction of the numeric option edits: what a typed text stores and whether the
// edit must be rewritten. Platform-free.
#pragma once

#include <cstdint>

enum class OptionRange {
    kTolerance,  // 0..255, not a number gives 0
    kSize,       // 1..50, not a number or 0 gives 1
    kRadius,     // 1..100, not a number or 0 gives 1
};

struct OptionBounds {
    int32_t minimum;
    int32_t maximum;
};

struct CorrectedValue {
    int32_t value;
    bool corrected;  // the edit does not show value and must be rewritten
};

OptionBounds BoundsOf(OptionRange range);

// Reads text (null-terminated) as an unsigned decimal number and brings it into range.
// Anything but digits (an empty text too) counts as not a number; numbers too large for
// any range are taken as too large, not as not a number.
CorrectedValue CorrectOptionText(const wchar_t* text, OptionRange range);
