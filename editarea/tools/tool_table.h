// The canvas's tools as a table: one set of mouse handlers per tool number, each set defined
// in the file of its tool family and chosen by the tagged switch of HandlersForTool.
#pragma once

#include "edit_area_state.h"

// One mouse message as the tools see it: the pixel under the pointer and the button and keys
// the message reported.
struct ToolInput {
    PixelHit pixel;  // clamped onto the image; `inside` tells whether clamping was needed
    bool button;     // MK_LBUTTON
    bool ctrl;       // MK_CONTROL
    bool shift;      // MK_SHIFT
};

using ToolHandler = void (*)(EditAreaState& state, const ToolInput& input);

// How a tool uses the button. A click tool acts on button down only. A drag tool holds the
// mouse capture from button down until button up, or until the capture is taken away, which
// ends the drag the same way.
// A multi-click tool takes the capture on its first press and keeps it through further
// presses (each goes to its down handler) until a double click or the loss of the capture
// ends it through its up handler.
enum class ToolGesture { kClick, kDrag, kMultiClick };

// A null handler does nothing. The handlers run only when the tool can act (the cursor shows
// the not-allowed sign otherwise) and, for down and double click, only inside the image.
struct ToolHandlers {
    ToolGesture gesture;
    ToolHandler down;         // button down; a drag has already taken the capture and the anchor
    ToolHandler move;         // pointer move while the tool's drag is in progress
    ToolHandler up;           // end of the drag: button up or the loss of the capture, once
    ToolHandler doubleClick;  // null: the second press of a double click is an ordinary press
};

// The handlers of `tool`; an empty set (click gesture, no handlers) for any other number.
ToolHandlers HandlersForTool(int tool);

// The families' handler sets.
extern const ToolHandlers kZoomInHandlers;
extern const ToolHandlers kZoomOutHandlers;

extern const ToolHandlers kPenHandlers;
extern const ToolHandlers kEraserHandlers;
extern const ToolHandlers kLineHandlers;
extern const ToolHandlers kPaintBucketHandlers;
extern const ToolHandlers kBlurHandlers;
extern const ToolHandlers kColorPickerHandlers;

extern const ToolHandlers kRectSelectHandlers;
extern const ToolHandlers kMoveHandlers;
extern const ToolHandlers kMagicWandHandlers;

extern const ToolHandlers kDraggedShapeHandlers;  // ellipses and rectangles, hollow and filled
extern const ToolHandlers kPolygonHandlers;       // polygons, hollow and filled
extern const ToolHandlers kCustomShapeHandlers;   // custom shapes, hollow and filled
extern const ToolHandlers kGradientHandlers;
extern const ToolHandlers kTextHandlers;          // hollow and filled text
