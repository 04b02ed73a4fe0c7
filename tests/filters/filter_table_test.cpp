// The filter table as the Filters menu will read it: each command's filter, whether it runs
// at once or opens its settings dialog, and the values a dialog starts from.
#include <gtest/gtest.h>

#include <vector>

#include "filters/filter_table.h"

TEST(FilterTable, EachMenuCommandFindsItsFilter)
{
    const auto direct = FilterOpening::kRunsDirectly, dialog = FilterOpening::kSettingsDialog;
    const struct {
        int command;
        int type;
        FilterOpening opening;
    } cases[] = {
        {32840, 3, dialog},  {32839, 2, dialog},  {32852, 15, direct}, {32853, 16, dialog}, {32851, 14, direct},
        {32856, 19, dialog}, {32841, 4, direct},  {32847, 10, direct}, {32842, 21, dialog}, {32843, 6, direct},
        {32850, 13, direct}, {32848, 11, direct}, {32849, 12, direct}, {32844, 7, direct},  {32845, 8, direct},
        {32846, 9, direct},  {32857, 20, dialog}, {32854, 17, dialog}, {32855, 18, dialog}, {32883, 22, dialog},
        {32858, 1, dialog},
    };
    for (const auto& c : cases) {
        const FilterRow* row = FindFilterCommand(c.command);
        ASSERT_NE(row, nullptr) << c.command;
        EXPECT_EQ(row->type, c.type) << c.command;
        EXPECT_EQ(row->opening, c.opening) << c.command;
        EXPECT_EQ(FindFilter(c.type), row) << c.command;
    }
    for (int other : {0, 32838, 32859, 32860, 32884, 104})
        EXPECT_EQ(FindFilterCommand(other), nullptr) << other;
    for (int none : {5, 0, 23, -1})
        EXPECT_EQ(FindFilter(none), nullptr) << none;
}

TEST(FilterTable, DialogsStartFromTheirFirstValues)
{
    const struct {
        int type;
        std::vector<int32_t> starts;  // in the order of the row's parameters
    } cases[] = {
        {kCustomFilter, {5, 1, 0}},
        {kColorize, {0, 0, 0}},
        {kBrightnessContrast, {0, 0}},
        {kAdjustHsv, {0, 0, 0}},
        {kInnerShadow, {1, 1, 100, 0x000000, 1}},
        {kDropShadow, {1, 1, 100, 0x000000, 1}},
        {kAdjustOpacity, {0}},
        {kBevel, {255, 255, 1, 3, 0xFFFFFF, 0x000000}},
        {kHeavyBlur, {1}},
        {kBorderize, {3, 0x000000}},
    };
    for (const auto& c : cases) {
        const FilterRow* row = FindFilter(c.type);
        ASSERT_NE(row, nullptr) << c.type;
        ASSERT_EQ(size_t(row->parameterCount), c.starts.size()) << c.type;
        for (size_t i = 0; i < c.starts.size(); i++)
            EXPECT_EQ(row->parameters[i].start, c.starts[i]) << "type " << c.type << ", parameter " << i;
    }
}
