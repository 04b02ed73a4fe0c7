// The text tools: the typed text as glyph outlines, hollow or filled, always a new vector
// layer, placed at a clicked pixel or, by Apply, at the image's corner.
#include <cwchar>
#include <memory>

#include "common/messages.h"
#include "cursors.h"
#include "painting/layer_change.h"
#include "panels/toolbox/toolrack.h"
#include "shapes/shape_finish.h"
#include "shapes/text_placement.h"
#include "tools/tool_table.h"
#include "view_update.h"

namespace {

// The options bar copies its text box into the options record before the text is read.
void CopyTypedText(const EditAreaState& state)
{
    HWND bar = state.context->toolOptionsWindow;
    if (!bar && state.context->toolOptions)
        bar = state.context->toolOptions->bar;
    if (bar)
        SendMessageW(bar, kCopyTypedText, 0, 0);
}

// The glyph outlines with their layout origin at (x, y): the chosen family and style, its
// size in points taken as the em size in image pixels. Null when the font cannot be read;
// an empty path for an empty text.
Gdiplus::GraphicsPath* TextPath(const ToolOptions& options, int x, int y)
{
    if (!options.textFont || !options.text)
        return nullptr;
    Gdiplus::FontFamily family;
    if (options.textFont->GetFamily(&family) != Gdiplus::Ok)
        return nullptr;
    auto* path = new Gdiplus::GraphicsPath(Gdiplus::FillModeWinding);
    const size_t length = wcsnlen(options.text, kToolOptionsTextUnits - 1);
    if (length > 0) {
        // Some engines refuse to lay out text without a string format: pass the default one.
        Gdiplus::StringFormat format;
        path->AddString(options.text, INT(length), &family, options.textFont->GetStyle(),
                        options.textFont->GetSize(), Gdiplus::Point(x, y), &format);
    }
    return path;
}

void PlaceText(EditAreaState& state, int tool, int x, int y)
{
    CopyTypedText(state);
    const ToolOptions* options = Options(state);
    if (!options)
        return;
    Gdiplus::GraphicsPath* path = TextPath(*options, x, y);
    if (!path) {
        MessageBoxW(state.frame, L"The chosen font cannot be used for the text.", L"Text", MB_OK | MB_ICONERROR);
        return;
    }
    FinishShape(state, tool, path);
}

void TextDown(EditAreaState& state, const ToolInput& input)
{
    PlaceText(state, state.context->currentTool, input.pixel.x, input.pixel.y);
}

}  // namespace

void ApplyTextTool(EditAreaState& state)
{
    if (!state.context || !state.image)
        return;
    const int tool = state.context->currentTool;
    if (tool != kHollowTextTool && tool != kFilledTextTool)
        return;
    // The same conditions as a click: no pending transformation, a raster layer, room for
    // one more layer.
    if (!ToolCanAct(CurrentCursorSituation(state, true)))
        return;
    PlaceText(state, tool, 0, 0);
}

const ToolHandlers kTextHandlers = {ToolGesture::kClick, TextDown, nullptr, nullptr, nullptr};
