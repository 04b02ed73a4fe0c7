// Quotients by the small counts of the window filters (1..16) without a hardware divide:
// multiply by a rounded-up reciprocal and shift. Exact for dividends up to 4095.
#pragma once

#include <cstdint>

constexpr int kSmallDivisionShift = 17;
constexpr uint32_t kLargestSmallDividend = 4095;
constexpr uint32_t kLargestSmallDivisor = 16;

constexpr uint32_t SmallDivisionMultiplier(uint32_t divisor)
{
    return (1u << kSmallDivisionShift) / divisor + 1;
}

// dividend / divisor, integer quotient, for 0 <= dividend <= 4095 and 1 <= divisor <= 16.
inline uint32_t DivideSmall(uint32_t dividend, uint32_t divisor)
{
    static constexpr uint32_t kMultipliers[kLargestSmallDivisor + 1] = {
        0,
        SmallDivisionMultiplier(1), SmallDivisionMultiplier(2), SmallDivisionMultiplier(3),
        SmallDivisionMultiplier(4), SmallDivisionMultiplier(5), SmallDivisionMultiplier(6),
        SmallDivisionMultiplier(7), SmallDivisionMultiplier(8), SmallDivisionMultiplier(9),
        SmallDivisionMultiplier(10), SmallDivisionMultiplier(11), SmallDivisionMultiplier(12),
        SmallDivisionMultiplier(13), SmallDivisionMultiplier(14), SmallDivisionMultiplier(15),
        SmallDivisionMultiplier(16)};
    return (dividend * kMultipliers[divisor]) >> kSmallDivisionShift;
}
