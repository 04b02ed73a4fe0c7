#include "option_controls.h"

#include "tool_geometry.h"
#include "toolrack_ids.h"

namespace {

constexpr int kWandSet[] = {IDC_WAND_COLOR_LABEL, IDC_WAND_COLOR_EDIT, IDC_WAND_COLOR_SPIN,
                            IDC_WAND_ALPHA_LABEL, IDC_WAND_ALPHA_EDIT, IDC_WAND_ALPHA_SPIN,
                            IDC_WAND_CONTIGUOUS};
constexpr int kPenSet[] = {IDC_PEN_SIZE_LABEL, IDC_PEN_SIZE_EDIT, IDC_PEN_SIZE_SPIN,
                           IDC_PEN_ANTIALIASED};
constexpr int kEraserSet[] = {IDC_ERASER_SIZE_LABEL, IDC_ERASER_SIZE_EDIT, IDC_ERASER_SIZE_SPIN};
constexpr int kBlurSet[] = {IDC_BLUR_SIZE_LABEL, IDC_BLUR_SIZE_EDIT, IDC_BLUR_SIZE_SPIN};
constexpr int kHollowTextSet[] = {IDC_HOLLOW_TEXT_SIZE_LABEL, IDC_HOLLOW_TEXT_SIZE_EDIT,
                                  IDC_HOLLOW_TEXT_SIZE_SPIN, IDC_CHOOSE_FONT, IDC_FONT_LINE,
                                  IDC_TEXT_LABEL, IDC_TEXT_EDIT, IDC_TEXT_APPLY,
                                  IDC_TEXT_ANTIALIASED};
constexpr int kFilledTextSet[] = {IDC_CHOOSE_FONT, IDC_FONT_LINE, IDC_TEXT_LABEL, IDC_TEXT_EDIT,
                                  IDC_TEXT_APPLY, IDC_TEXT_ANTIALIASED};
constexpr int kEllipseSet[] = {IDC_ELLIPSE_SIZE_LABEL, IDC_ELLIPSE_SIZE_EDIT,
                               IDC_ELLIPSE_SIZE_SPIN, IDC_ELLIPSE_ANTIALIASED,
                               IDC_ELLIPSE_VECTOR};
constexpr int kFilledEllipseSet[] = {IDC_FILLED_ELLIPSE_ANTIALIASED, IDC_FILLED_ELLIPSE_VECTOR};
constexpr int kRectangleSet[] = {IDC_RECT_SIZE_LABEL, IDC_RECT_SIZE_EDIT, IDC_RECT_SIZE_SPIN,
                                 IDC_RECT_ROUNDED, IDC_RECT_RADIUS_X_LABEL,
                                 IDC_RECT_RADIUS_X_EDIT, IDC_RECT_RADIUS_X_SPIN,
                                 IDC_RECT_RADIUS_Y_LABEL, IDC_RECT_RADIUS_Y_EDIT,
                                 IDC_RECT_RADIUS_Y_SPIN, IDC_RECT_ANTIALIASED, IDC_RECT_VECTOR};
constexpr int kFilledRectangleSet[] = {
    IDC_FILLED_RECT_ROUNDED, IDC_FILLED_RECT_RADIUS_X_LABEL, IDC_FILLED_RECT_RADIUS_X_EDIT,
    IDC_FILLED_RECT_RADIUS_X_SPIN, IDC_FILLED_RECT_RADIUS_Y_LABEL,
    IDC_FILLED_RECT_RADIUS_Y_EDIT, IDC_FILLED_RECT_RADIUS_Y_SPIN, IDC_FILLED_RECT_ANTIALIASED,
    IDC_FILLED_RECT_VECTOR};
constexpr int kPolygonSet[] = {IDC_POLYGON_SIZE_LABEL, IDC_POLYGON_SIZE_EDIT,
                               IDC_POLYGON_SIZE_SPIN, IDC_POLYGON_ANTIALIASED,
                               IDC_POLYGON_VECTOR};
constexpr int kFilledPolygonSet[] = {IDC_FILLED_POLYGON_ANTIALIASED, IDC_FILLED_POLYGON_VECTOR};
constexpr int kCustomSet[] = {IDC_CUSTOM_SIZE_LABEL, IDC_CUSTOM_SIZE_EDIT, IDC_CUSTOM_SIZE_SPIN,
                              IDC_CUSTOM_ANTIALIASED, IDC_CUSTOM_VECTOR};
constexpr int kFilledCustomSet[] = {IDC_FILLED_CUSTOM_ANTIALIASED, IDC_FILLED_CUSTOM_VECTOR};
constexpr int kLineSet[] = {IDC_LINE_SIZE_LABEL, IDC_LINE_SIZE_EDIT, IDC_LINE_SIZE_SPIN,
                            IDC_LINE_ANTIALIASED};

const std::span<const int> kControlSets[kToolCount] = {
    {},              // rectangular selection
    {},              // move
    kWandSet,
    kPenSet,
    kEraserSet,
    {},              // paint bucket
    {},              // gradient
    kBlurSet,
    kHollowTextSet,
    kFilledTextSet,
    kEllipseSet,
    kFilledEllipseSet,
    kRectangleSet,
    kFilledRectangleSet,
    kPolygonSet,
    kFilledPolygonSet,
    kCustomSet,
    kFilledCustomSet,
    kLineSet,
    {},              // color picker
    {},              // zoom in
    {},              // zoom out
};

constexpr NumericOption kNumericOptions[] = {
    {IDC_WAND_COLOR_EDIT, IDC_WAND_COLOR_SPIN, kWandColorEdited, OptionRange::kTolerance,
     &ToolOptions::wandColorTolerance},
    {IDC_WAND_ALPHA_EDIT, IDC_WAND_ALPHA_SPIN, kWandAlphaEdited, OptionRange::kTolerance,
     &ToolOptions::wandAlphaTolerance},
    {IDC_PEN_SIZE_EDIT, IDC_PEN_SIZE_SPIN, kPenSizeEdited, OptionRange::kSize, &ToolOptions::penSize},
    {IDC_ERASER_SIZE_EDIT, IDC_ERASER_SIZE_SPIN, kEraserSizeEdited, OptionRange::kSize,
     &ToolOptions::eraserSize},
    {IDC_BLUR_SIZE_EDIT, IDC_BLUR_SIZE_SPIN, kBlurSizeEdited, OptionRange::kSize,
     &ToolOptions::blurSize},
    {IDC_LINE_SIZE_EDIT, IDC_LINE_SIZE_SPIN, kLineSizeEdited, OptionRange::kSize,
     &ToolOptions::lineSize},
    {IDC_ELLIPSE_SIZE_EDIT, IDC_ELLIPSE_SIZE_SPIN, kEllipseSizeEdited, OptionRange::kSize,
     &ToolOptions::ellipseSize},
    {IDC_RECT_SIZE_EDIT, IDC_RECT_SIZE_SPIN, kRectangleSizeEdited, OptionRange::kSize,
     &ToolOptions::rectangleSize},
    {IDC_RECT_RADIUS_X_EDIT, IDC_RECT_RADIUS_X_SPIN, kRectangleRadiusXEdited, OptionRange::kRadius,
     &ToolOptions::rectangleRadiusX},
    {IDC_RECT_RADIUS_Y_EDIT, IDC_RECT_RADIUS_Y_SPIN, kRectangleRadiusYEdited, OptionRange::kRadius,
     &ToolOptions::rectangleRadiusY},
    {IDC_FILLED_RECT_RADIUS_X_EDIT, IDC_FILLED_RECT_RADIUS_X_SPIN, kFilledRectangleRadiusXEdited,
     OptionRange::kRadius, &ToolOptions::filledRectangleRadiusX},
    {IDC_FILLED_RECT_RADIUS_Y_EDIT, IDC_FILLED_RECT_RADIUS_Y_SPIN, kFilledRectangleRadiusYEdited,
     OptionRange::kRadius, &ToolOptions::filledRectangleRadiusY},
    {IDC_POLYGON_SIZE_EDIT, IDC_POLYGON_SIZE_SPIN, kPolygonSizeEdited, OptionRange::kSize,
     &ToolOptions::polygonSize},
    {IDC_CUSTOM_SIZE_EDIT, IDC_CUSTOM_SIZE_SPIN, kCustomShapeSizeEdited, OptionRange::kSize,
     &ToolOptions::customShapeSize},
    {IDC_HOLLOW_TEXT_SIZE_EDIT, IDC_HOLLOW_TEXT_SIZE_SPIN, kTextSizeEdited, OptionRange::kSize,
     &ToolOptions::hollowTextSize},
};

constexpr CheckOption kCheckOptions[] = {
    {IDC_WAND_CONTIGUOUS, &ToolOptions::wandContiguous},
    {IDC_PEN_ANTIALIASED, &ToolOptions::penAntialiased},
    {IDC_ERASER_ANTIALIASED, &ToolOptions::eraserAntialiased},
    {IDC_TEXT_ANTIALIASED, &ToolOptions::textAntialiased},
    {IDC_LINE_ANTIALIASED, &ToolOptions::lineAntialiased},
    {IDC_ELLIPSE_ANTIALIASED, &ToolOptions::ellipseAntialiased},
    {IDC_ELLIPSE_VECTOR, &ToolOptions::ellipseVectorLayer},
    {IDC_FILLED_ELLIPSE_ANTIALIASED, &ToolOptions::filledEllipseAntialiased},
    {IDC_FILLED_ELLIPSE_VECTOR, &ToolOptions::filledEllipseVectorLayer},
    {IDC_RECT_ROUNDED, &ToolOptions::rectangleRounded},
    {IDC_RECT_ANTIALIASED, &ToolOptions::rectangleAntialiased},
    {IDC_RECT_VECTOR, &ToolOptions::rectangleVectorLayer},
    {IDC_FILLED_RECT_ROUNDED, &ToolOptions::filledRectangleRounded},
    {IDC_FILLED_RECT_ANTIALIASED, &ToolOptions::filledRectangleAntialiased},
    {IDC_FILLED_RECT_VECTOR, &ToolOptions::filledRectangleVectorLayer},
    {IDC_POLYGON_ANTIALIASED, &ToolOptions::polygonAntialiased},
    {IDC_POLYGON_VECTOR, &ToolOptions::polygonVectorLayer},
    {IDC_FILLED_POLYGON_ANTIALIASED, &ToolOptions::filledPolygonAntialiased},
    {IDC_FILLED_POLYGON_VECTOR, &ToolOptions::filledPolygonVectorLayer},
    {IDC_CUSTOM_ANTIALIASED, &ToolOptions::customShapeAntialiased},
    {IDC_CUSTOM_VECTOR, &ToolOptions::customShapeVectorLayer},
    {IDC_FILLED_CUSTOM_ANTIALIASED, &ToolOptions::filledCustomShapeAntialiased},
    {IDC_FILLED_CUSTOM_VECTOR, &ToolOptions::filledCustomShapeVectorLayer},
};

constexpr RadiusGroup kRadiusGroups[] = {
    {IDC_RECT_ROUNDED, IDC_RECT_RADIUS_X_LABEL, IDC_RECT_RADIUS_Y_SPIN,
     &ToolOptions::rectangleRounded},
    {IDC_FILLED_RECT_ROUNDED, IDC_FILLED_RECT_RADIUS_X_LABEL, IDC_FILLED_RECT_RADIUS_Y_SPIN,
     &ToolOptions::filledRectangleRounded},
};

// The entry of table whose key matches, or null.
template <typename Entry, typename Key>
const Entry* FindEntry(std::span<const Entry> table, Key Entry::*key, Key value)
{
    for (const Entry& entry : table)
        if (entry.*key == value)
            return &entry;
    return nullptr;
}

}  // namespace

std::span<const int> ControlSetOf(int tool)
{
    if (tool < 0 || tool >= kToolCount)
        return {};
    return kControlSets[tool];
}

std::span<const NumericOption> NumericOptions() { return kNumericOptions; }
std::span<const CheckOption> CheckOptions() { return kCheckOptions; }
std::span<const RadiusGroup> RadiusGroups() { return kRadiusGroups; }

const NumericOption* NumericOptionForEdit(int editId)
{
    return FindEntry(NumericOptions(), &NumericOption::editId, editId);
}

const NumericOption* NumericOptionForMessage(UINT message)
{
    return FindEntry(NumericOptions(), &NumericOption::message, message);
}

const CheckOption* CheckOptionForBox(int boxId)
{
    return FindEntry(CheckOptions(), &CheckOption::boxId, boxId);
}

const RadiusGroup* RadiusGroupForBox(int boxId)
{
    return FindEntry(RadiusGroups(), &RadiusGroup::boxId, boxId);
}
