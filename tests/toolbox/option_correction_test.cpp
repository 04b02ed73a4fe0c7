// What a typed text stores in a numeric tool option, and when the edit is rewritten.
#include <gtest/gtest.h>

#include "panels/toolbox/option_correction.h"

#include <string>

TEST(OptionCorrection, TextsComeIntoTheirRange)
{
    struct Case {
        OptionRange range;
        const wchar_t* text;
        int value;
        bool corrected;
    };
    const Case cases[] = {
        {OptionRange::kTolerance, L"0", 0, false},
        {OptionRange::kTolerance, L"255", 255, false},
        {OptionRange::kTolerance, L"256", 255, true},
        {OptionRange::kTolerance, L"300", 255, true},
        {OptionRange::kTolerance, L"", 0, true},
        {OptionRange::kTolerance, L"abc", 0, true},
        {OptionRange::kSize, L"", 1, true},
        {OptionRange::kSize, L"0", 1, true},
        {OptionRange::kSize, L"000", 1, true},
        {OptionRange::kSize, L"1", 1, false},
        {OptionRange::kSize, L"50", 50, false},
        {OptionRange::kSize, L"51", 50, true},
        {OptionRange::kSize, L"007", 7, false},
        {OptionRange::kSize, L"-5", 1, true},
        {OptionRange::kSize, L" 5", 1, true},
        {OptionRange::kRadius, L"0", 1, true},
        {OptionRange::kRadius, L"100", 100, false},
        {OptionRange::kRadius, L"101", 100, true},
        // Far beyond any integer: still too large, not "not a number".
        {OptionRange::kRadius, L"99999999999999999999999999", 100, true},
        {OptionRange::kTolerance, L"4294967296", 255, true},
    };
    for (const Case& c : cases) {
        const CorrectedValue result = CorrectOptionText(c.text, c.range);
        const std::wstring text = c.text;
        EXPECT_EQ(result.value, c.value) << std::string(text.begin(), text.end());
        EXPECT_EQ(result.corrected, c.corrected) << std::string(text.begin(), text.end());
    }
}

TEST(OptionCorrection, NullTextIsNotANumber)
{
    const CorrectedValue result = CorrectOptionText(nullptr, OptionRange::kSize);
    EXPECT_EQ(result.value, 1);
    EXPECT_TRUE(result.corrected);
}
