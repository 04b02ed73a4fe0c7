// The color picker's arithmetic, with the numbers the panel's description fixes.
#include <gtest/gtest.h>

#include "panels/colorpicker/swatch_rules.h"

TEST(SwatchRules, CenterPercentOfAnOffsetInThePreviewSquare)
{
    const struct {
        int offset;
        int percent;
    } cases[] = {{0, 0}, {26, 50}, {52, 100}, {1, 1}, {51, 98}};
    for (const auto& c : cases)
        EXPECT_EQ(CenterPercent(c.offset), c.percent) << "offset " << c.offset;
}

TEST(SwatchRules, LinearAngleFollowsThePointWithTheFixedFactor)
{
    // 360 - atan2(26 - ry, rx - 26) * 57.32, worked out by hand.
    const struct {
        int rx, ry;
        float angle;
    } cases[] = {
        {52, 26, 360.0f},      // to the right
        {26, 26, 360.0f},      // the center itself
        {26, 0, 269.96196f},   // straight up: 90.038 degrees off
        {26, 52, 450.03804f},  // straight down
        {0, 26, 179.92392f},   // to the left: 180.076 degrees off
    };
    for (const auto& c : cases)
        EXPECT_NEAR(LinearAngleFor(c.rx, c.ry), c.angle, 0.001f) << c.rx << ", " << c.ry;
}

TEST(SwatchRules, RadialRadiusReachesTheFarthestCorner)
{
    const struct {
        int rx, ry;
        int radius;
    } cases[] = {{26, 26, 37}, {0, 0, 74}, {52, 52, 74}, {52, 26, 59}, {10, 40, 59}};
    for (const auto& c : cases)
        EXPECT_EQ(RadialRadius(c.rx, c.ry), c.radius) << c.rx << ", " << c.ry;
}

TEST(SwatchRules, NumberBoxesReadDigitsClampedOrNothing)
{
    const struct {
        const wchar_t* text;
        bool number;
        int value;
    } cases[] = {{L"999", true, 255}, {L"256", true, 255}, {L"255", true, 255},
                 {L"0", true, 0},     {L"42", true, 42},   {L"007", true, 7},
                 {L"", false, -1},    {L"x1", false, -1}};
    for (const auto& c : cases) {
        int value = -1;
        EXPECT_EQ(ReadBoxNumber(c.text, &value), c.number) << "\"" << testing::PrintToString(c.text) << "\"";
        EXPECT_EQ(value, c.value) << testing::PrintToString(c.text);
    }
    int untouched = -1;
    EXPECT_FALSE(ReadBoxNumber(nullptr, &untouched));
    EXPECT_EQ(untouched, -1);
}

TEST(SwatchRules, WheelStepsByNotchesWithinTheChannelRange)
{
    const struct {
        int value, delta, result;
    } cases[] = {{100, 120, 101}, {100, -240, 98}, {250, 1200, 255},
                 {3, -480, 0},    {100, 60, 100},  {0, 120, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(WheelAdjusted(c.value, c.delta), c.result) << c.value << " + " << c.delta;
}

TEST(SwatchRules, SpotsOfThePanel)
{
    const struct {
        int x, y;
        PanelSpot spot;
    } cases[] = {
        {12, 30, kPrimarySwatch},   {31, 49, kPrimarySwatch},   {32, 49, kSecondarySwatch},
        {25, 47, kPrimarySwatch},   {40, 64, kSecondarySwatch}, {41, 64, kNoSpot},
        {9, 54, kSwapButton},       {19, 64, kSwapButton},      {20, 65, kNoSpot},
        {10, 90, kPaletteStrip},    {189, 109, kPaletteStrip},  {190, 109, kNoSpot},
        {10, 110, kNoSpot},         {135, 130, kPreviewSquare}, {187, 182, kPreviewSquare},
        {134, 150, kNoSpot},        {150, 129, kNoSpot},        {188, 150, kNoSpot},
        {150, 183, kNoSpot},        {100, 200, kNoSpot},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SpotAt(c.x, c.y), c.spot) << c.x << ", " << c.y;
}

TEST(SwatchRules, ColorsAndChannels)
{
    Components c{0x12, 0x34, 0x56, 0x78};
    EXPECT_EQ(ComposeColor(c), 0x78123456u);
    ChannelOf(c, 2) = 0xAB;
    EXPECT_EQ(ComposeColor(c), 0x781234ABu);
    const Components split = SplitColor(0x80C81E0Au);
    EXPECT_EQ(split.red, 200);
    EXPECT_EQ(split.green, 30);
    EXPECT_EQ(split.blue, 10);
    EXPECT_EQ(split.alpha, 128);
    EXPECT_EQ(OpaqueColor(0x00102030u), 0xFF102030u);
}

TEST(SwatchRules, ControlsEnabledByDepth)
{
    const struct {
        int depth;
        bool known, alpha, gradient, palette;
    } cases[] = {{1, true, false, false, true},   {4, true, false, false, true},
                 {8, true, false, false, true},   {24, true, false, true, false},
                 {32, true, true, true, false},   {16, false, false, false, false},
                 {0, false, false, false, false}};
    for (const auto& c : cases) {
        DepthControls controls{false, false, false};
        EXPECT_EQ(DepthControlsFor(c.depth, &controls), c.known) << c.depth;
        EXPECT_EQ(controls.alpha, c.alpha) << c.depth;
        EXPECT_EQ(controls.gradient, c.gradient) << c.depth;
        EXPECT_EQ(controls.palette, c.palette) << c.depth;
    }
}

TEST(SwatchRules, LinearGradientLineCrossesTheSquareAlongTheAngle)
{
    // The preview square (135, 130), 52 wide: center (161, 156).
    const struct {
        float angle;
        GradientLine line;
    } cases[] = {
        {360.0f, {135, 156, 187, 156}},  // left to right
        {0.0f, {135, 156, 187, 156}},
        {270.0f, {161, 182, 161, 130}},  // bottom to top
        {90.0f, {161, 130, 161, 182}},
        {180.0f, {187, 156, 135, 156}},
        {45.0f, {135, 130, 187, 182}},   // corner to corner
        {405.0f, {135, 130, 187, 182}},
    };
    for (const auto& c : cases) {
        const GradientLine line = LinearGradientLine(c.angle, 135, 130, 52);
        EXPECT_NEAR(line.x1, c.line.x1, 0.001f) << c.angle;
        EXPECT_NEAR(line.y1, c.line.y1, 0.001f) << c.angle;
        EXPECT_NEAR(line.x2, c.line.x2, 0.001f) << c.angle;
        EXPECT_NEAR(line.y2, c.line.y2, 0.001f) << c.angle;
    }
}
