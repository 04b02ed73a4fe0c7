#include "tool_texts.h"

#include "tool_geometry.h"

namespace {

const wchar_t* const kTooltips[kToolCount] = {
    L"Rectangular Selection Tool", L"Move Tool", L"Magic Wand Tool", L"Pen Tool",
    L"Eraser Tool", L"Paint Bucket Tool", L"Gradient Tool", L"Blur Tool",
    L"Hollow Text Tool", L"Filled Text Tool", L"Ellipse Tool", L"Filled Ellipse Tool",
    L"Rectangle Tool", L"Filled Rectangle Tool", L"Polygon Tool", L"Filled Polygon Tool",
    L"Custom Shape Tool", L"Filled Custom Shape Tool", L"Line Tool", L"Color Picker Tool",
    L"Zoom In Tool", L"Zoom Out Tool",
};

const wchar_t* const kTitles[kToolCount] = {
    L"Rectangular Selection Tool Options : There's no option available",
    L"Move Tool Options : There's no option available",
    L"Magic Wand Tool Options :",
    L"Pen Tool Options :",
    L"Eraser Tool Options :",
    L"Paint Bucket Tool Options : There's no option available",
    L"Gradient Tool Options : There's no option available",
    L"Blur Tool Options :",
    L"Hollow Text Tool Options :",
    L"Filled Text Tool Options :",
    L"Ellipse Tool Options :",
    L"Filled Ellipse Tool Options :",
    L"Rectangle Tool Options :",
    L"Filled Rectangle Tool Options :",
    L"Polygon Tool Options :",
    L"Filled Polygon Tool Options :",
    L"Custom Shape Tool Options :",
    L"Filled Custom Shape Tool Options :",
    L"Line Tool Options :",
    L"Color Picker Tool Options : There's no option available",
    L"Zoom-In Tool Options : There's no option available",
    L"Zoom-Out Tool Options : There's no option available",
};

}  // namespace

const wchar_t* ToolTooltipText(int tool)
{
    return tool >= 0 && tool < kToolCount ? kTooltips[tool] : L"";
}

const wchar_t* ToolOptionsTitle(int tool)
{
    return tool >= 0 && tool < kToolCount ? kTitles[tool] : L"";
}
