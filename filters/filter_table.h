// The filters, one row per type number: what the dispatcher runs, what vexilc accepts and
// lists in its usage, and what the Filters menu needs (its command and whether the filter
// opens a settings dialog). Free of Win32, so that every build can include it.
#pragma once

#include <cstdint>

#include "resources/vexil/vexil_resources.h"

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

// What a parameter holds, which decides how it is typed in, checked and shown.
enum class FilterValue : uint8_t {
    kNumber,       // a whole number from low to high
    kOddNumber,    // an odd number from low to high: the depths
    kDirection,    // 1..8, the side the light comes from: 1 top, then clockwise
    kOffset,       // pixels; the dialog allows half the picture's size either way
    kFreeNumber,   // typed freely; low..high only keep it within reason
    kColor,        // 0x..RRGGBB, the low 24 bits count
    kColorRef,     // a Windows color reference 0x00BBGGRR: red in the low byte
    kShadowColor,  // 0x..RRGGBB in a cell of the caller's whose address is word 8
};

struct FilterParameter {
    int word;  // the request word it fills: 4..12
    FilterValue value;
    int32_t low, high;
    int32_t start;  // the value a settings dialog starts from
    const wchar_t* name;
};

enum class FilterOpening : uint8_t {
    kNothing,         // type 5: no filter at all
    kRunsDirectly,    // the menu command runs the filter at once
    kSettingsDialog,  // the menu command opens the filter's settings dialog
};

constexpr int kMostFilterParameters = 6;

struct FilterRow {
    FilterType type;
    const wchar_t* name;  // vexilc's name for it
    int command;          // its command in the Filters menu, 0 for none
    FilterOpening opening;
    bool takesKernel;     // word 3 points at size x size weights, top row first
    int parameterCount;
    FilterParameter parameters[kMostFilterParameters];
};

constexpr int32_t kFilterAnyColor = 0xFFFFFF;

// Row i holds type i + 1.
inline constexpr FilterRow kFilterTable[] = {
    {kCustomFilter, L"custom", CMD_FILTER_CUSTOM, FilterOpening::kSettingsDialog, true, 3,
     {{4, FilterValue::kNumber, 1, 9, 5, L"SIZE"},
      {5, FilterValue::kFreeNumber, -1000000, 1000000, 1, L"SCALE"},
      {6, FilterValue::kFreeNumber, -1000000, 1000000, 0, L"OFFSET"}}},
    {kColorize, L"colorize", CMD_FILTER_COLORIZE, FilterOpening::kSettingsDialog, false, 3,
     {{4, FilterValue::kNumber, 0, 255, 0, L"RED"},
      {5, FilterValue::kNumber, 0, 255, 0, L"GREEN"},
      {6, FilterValue::kNumber, 0, 255, 0, L"BLUE"}}},
    {kBrightnessContrast, L"brightness-contrast", CMD_FILTER_CONTRAST, FilterOpening::kSettingsDialog, false, 2,
     {{4, FilterValue::kNumber, -255, 255, 0, L"BRIGHTNESS"},
      {5, FilterValue::kNumber, -100, 100, 0, L"CONTRAST"}}},
    {kLinearBlur, L"linear-blur", CMD_FILTER_LINEAR_BLUR, FilterOpening::kRunsDirectly, false, 0, {}},
    {kNoFilter, nullptr, 0, FilterOpening::kNothing, false, 0, {}},
    {kMotionBlur, L"motion-blur", CMD_FILTER_MOTION_BLUR, FilterOpening::kRunsDirectly, false, 0, {}},
    {kSoften, L"soften", CMD_FILTER_SOFTEN, FilterOpening::kRunsDirectly, false, 0, {}},
    {kSharpen, L"sharpen", CMD_FILTER_SHARPEN, FilterOpening::kRunsDirectly, false, 0, {}},
    {kUnsharpMask, L"unsharp-mask", CMD_FILTER_UNSHARP_MASK, FilterOpening::kRunsDirectly, false, 0, {}},
    {kGaussianBlur5x5, L"gaussian-blur", CMD_FILTER_GAUSSIAN_BLUR, FilterOpening::kRunsDirectly, false, 0, {}},
    {kColorEmboss, L"color-emboss", CMD_FILTER_COLOR_EMBOSS, FilterOpening::kRunsDirectly, false, 0, {}},
    {kGrayEmboss, L"gray-emboss", CMD_FILTER_GRAY_EMBOSS, FilterOpening::kRunsDirectly, false, 0, {}},
    {kDefocus, L"defocus", CMD_FILTER_DEFOCUS, FilterOpening::kRunsDirectly, false, 0, {}},
    {kNegative, L"negative", CMD_FILTER_NEGATIVE, FilterOpening::kRunsDirectly, false, 0, {}},
    {kGrayscale, L"grayscale", CMD_FILTER_GRAYSCALE, FilterOpening::kRunsDirectly, false, 0, {}},
    {kAdjustHsv, L"hsl", CMD_FILTER_HSL, FilterOpening::kSettingsDialog, false, 3,
     {{4, FilterValue::kNumber, -180, 180, 0, L"HUE"},
      {5, FilterValue::kNumber, -100, 100, 0, L"SATURATION"},
      {6, FilterValue::kNumber, -100, 100, 0, L"LUMINANCE"}}},
    {kInnerShadow, L"inner-shadow", CMD_FILTER_INNER_SHADOW, FilterOpening::kSettingsDialog, false, 5,
     {{4, FilterValue::kOffset, -32768, 32767, 1, L"X"},
      {5, FilterValue::kOffset, -32768, 32767, 1, L"Y"},
      {6, FilterValue::kNumber, 0, 100, 100, L"OPACITY"},
      {8, FilterValue::kShadowColor, 0, kFilterAnyColor, 0, L"COLOR"},
      {9, FilterValue::kNumber, 0, 50, 1, L"BLUR"}}},
    {kDropShadow, L"drop-shadow", CMD_FILTER_DROP_SHADOW, FilterOpening::kSettingsDialog, false, 5,
     {{4, FilterValue::kOffset, -32768, 32767, 1, L"X"},
      {5, FilterValue::kOffset, -32768, 32767, 1, L"Y"},
      {6, FilterValue::kNumber, 0, 100, 100, L"OPACITY"},
      {8, FilterValue::kShadowColor, 0, kFilterAnyColor, 0, L"COLOR"},
      {9, FilterValue::kNumber, 0, 50, 1, L"BLUR"}}},
    {kAdjustOpacity, L"opacity", CMD_FILTER_OPACITY, FilterOpening::kSettingsDialog, false, 1,
     {{4, FilterValue::kNumber, -100, 100, 0, L"CHANGE"}}},
    {kBevel, L"bevel", CMD_FILTER_BEVEL, FilterOpening::kSettingsDialog, false, 6,
     {{4, FilterValue::kNumber, 0, 255, 255, L"LIGHT-OPACITY"},
      {5, FilterValue::kNumber, 0, 255, 255, L"SHADOW-OPACITY"},
      {6, FilterValue::kDirection, 1, 8, 1, L"DIRECTION"},
      {10, FilterValue::kOddNumber, 3, 7, 3, L"DEPTH"},
      {11, FilterValue::kColor, 0, kFilterAnyColor, 0xFFFFFF, L"LIGHT-COLOR"},
      {12, FilterValue::kColor, 0, kFilterAnyColor, 0, L"SHADOW-COLOR"}}},
    {kHeavyBlur, L"heavy-blur", CMD_FILTER_HEAVY_BLUR, FilterOpening::kSettingsDialog, false, 1,
     {{9, FilterValue::kNumber, 0, 50, 1, L"FACTOR"}}},
    {kBorderize, L"borderize", CMD_FILTER_BORDERIZE, FilterOpening::kSettingsDialog, false, 2,
     {{4, FilterValue::kOddNumber, 3, 9, 3, L"DEPTH"},
      {11, FilterValue::kColorRef, 0, kFilterAnyColor, 0, L"COLOR"}}},
};

constexpr int kFilterTypeCount = int(sizeof kFilterTable / sizeof kFilterTable[0]);

// The row of a type that makes a bitmap; null for type 5 and for numbers outside the table.
constexpr const FilterRow* FindFilter(int32_t type)
{
    if (type < 1 || type > kFilterTypeCount)
        return nullptr;
    const FilterRow& row = kFilterTable[type - 1];
    return row.opening == FilterOpening::kNothing ? nullptr : &row;
}

// The row of a Filters menu command; null for any other command.
constexpr const FilterRow* FindFilterCommand(int command)
{
    for (const FilterRow& row : kFilterTable)
        if (row.command != 0 && row.command == command)
            return &row;
    return nullptr;
}

namespace filter_table_detail {

constexpr bool RowsAreInTypeOrder()
{
    for (int i = 0; i < kFilterTypeCount; i++)
        if (kFilterTable[i].type != i + 1)
            return false;
    return true;
}

constexpr bool ParametersAreWellFormed()
{
    for (const FilterRow& row : kFilterTable) {
        if (row.parameterCount < 0 || row.parameterCount > kMostFilterParameters)
            return false;
        for (int i = 0; i < row.parameterCount; i++) {
            const FilterParameter& p = row.parameters[i];
            const bool wordFits = p.word >= 4 && p.word <= 12 && (p.word == 8) == (p.value == FilterValue::kShadowColor);
            if (!wordFits || p.low > p.high || p.start < p.low || p.start > p.high || !p.name)
                return false;
        }
    }
    return true;
}

constexpr bool CommandsAreDistinct()
{
    for (int i = 0; i < kFilterTypeCount; i++)
        for (int j = i + 1; j < kFilterTypeCount; j++)
            if (kFilterTable[i].command != 0 && kFilterTable[i].command == kFilterTable[j].command)
                return false;
    return true;
}

static_assert(RowsAreInTypeOrder());
static_assert(ParametersAreWellFormed());
static_assert(CommandsAreDistinct());

}  // namespace filter_table_detail
