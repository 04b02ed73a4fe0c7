// The shape tools: ellipses, rectangles, polygons, custom shapes, the gradient and the text.
#include "tools/tool_table.h"

// Not built yet: the shapes issue fills these handlers. Ellipses and rectangles drag from
// press to release. Polygons and custom shapes keep the capture from the first click to the
// double click, a gesture that comes with them; until then they take no capture.
const ToolHandlers kDraggedShapeHandlers = {ToolGesture::kDrag, nullptr, nullptr, nullptr, nullptr};
const ToolHandlers kPolygonHandlers = {ToolGesture::kClick, nullptr, nullptr, nullptr, nullptr};
const ToolHandlers kCustomShapeHandlers = {ToolGesture::kClick, nullptr, nullptr, nullptr, nullptr};
const ToolHandlers kGradientHandlers = {ToolGesture::kClick, nullptr, nullptr, nullptr, nullptr};
const ToolHandlers kTextHandlers = {ToolGesture::kClick, nullptr, nullptr, nullptr, nullptr};
