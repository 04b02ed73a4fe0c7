// The painting tools: pen, eraser, line, paint bucket, blur brush and color picker.
#include "tools/tool_table.h"

// Not built yet: the painting issue fills these handlers. The gestures are already known: the
// strokes and the line drag from press to release, the bucket and the picker act on a click.
const ToolHandlers kPenHandlers = {ToolGesture::kDrag, nullptr, nullptr, nullptr, nullptr};
const ToolHandlers kEraserHandlers = {ToolGesture::kDrag, nullptr, nullptr, nullptr, nullptr};
const ToolHandlers kLineHandlers = {ToolGesture::kDrag, nullptr, nullptr, nullptr, nullptr};
const ToolHandlers kBlurHandlers = {ToolGesture::kDrag, nullptr, nullptr, nullptr, nullptr};
const ToolHandlers kPaintBucketHandlers = {ToolGesture::kClick, nullptr, nullptr, nullptr, nullptr};
const ToolHandlers kColorPickerHandlers = {ToolGesture::kClick, nullptr, nullptr, nullptr, nullptr};
