// The colour picker: the composite's pixel becomes the primary colour, alpha included.
#include "common/messages.h"
#include "tools/tool_table.h"

namespace {

void PickerClick(EditAreaState& state, const ToolInput& input)
{
    BrushSettings* settings = state.context ? state.context->brushSettings : nullptr;
    Bitmap* composite = state.image ? state.image->composite : nullptr;
    Gdiplus::Color color;
    if (!settings || !composite || composite->GetPixel(input.pixel.x, input.pixel.y, &color) != Gdiplus::Ok)
        return;
    settings->primaryColor = color.GetValue();
    SendMessageW(state.parent, kEditAreaPickedColor, 0, 0);
}

}  // namespace

const ToolHandlers kColorPickerHandlers = {ToolGesture::kClick, PickerClick, nullptr, nullptr, nullptr};
