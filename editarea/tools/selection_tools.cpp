// The selection tools: rectangular selection, move and magic wand.
#include "tools/tool_table.h"

// Not built yet: the selection issue fills these handlers. The rectangle and the move drag
// from press to release; the wand acts on a click.
const ToolHandlers kRectSelectHandlers = {ToolGesture::kDrag, nullptr, nullptr, nullptr, nullptr};
const ToolHandlers kMoveHandlers = {ToolGesture::kDrag, nullptr, nullptr, nullptr, nullptr};
const ToolHandlers kMagicWandHandlers = {ToolGesture::kClick, nullptr, nullptr, nullptr, nullptr};
