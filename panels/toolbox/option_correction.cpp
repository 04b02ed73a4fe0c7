#include "option_correction.h"

namespace {

constexpr int64_t kSaturated = 1000000000;  // far above every maximum

// The number in text, saturated at kSaturated, or -1 when text is not a number.
int64_t ParseUnsigned(const wchar_t* text)
{
    if (!text || !*text)
        return -1;
    int64_t value = 0;
    for (const wchar_t* c = text; *c; ++c) {
        if (*c < L'0' || *c > L'9')
            return -1;
        value = value * 10 + (*c - L'0');
        if (value > kSaturated)
            value = kSaturated;
    }
    return value;
}

}  // namespace

OptionBounds BoundsOf(OptionRange range)
{
    switch (range) {
    case OptionRange::kTolerance:
        return {0, 255};
    case OptionRange::kSize:
        return {1, 50};
    case OptionRange::kRadius:
        return {1, 100};
    }
    return {0, 0};
}

CorrectedValue CorrectOptionText(const wchar_t* text, OptionRange range)
{
    const OptionBounds bounds = BoundsOf(range);
    const int64_t number = ParseUnsigned(text);
    if (number < 0)
        return {bounds.minimum, true};
    if (number < bounds.minimum)
        return {bounds.minimum, true};
    if (number > bounds.maximum)
        return {bounds.maximum, true};
    return {static_cast<int32_t>(number), false};
}
