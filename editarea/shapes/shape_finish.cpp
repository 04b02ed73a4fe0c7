#include "shapes/shape_finish.h"

#include <algorithm>
#include <memory>

#include "common/messages.h"
#include "painting/layer_change.h"
#include "panels/toolbox/toolrack.h"
#include "shapes/new_vector_layer.h"
#include "shapes/vector_render.h"
#include "view_update.h"

bool IsFilledShapeTool(int tool)
{
    return tool == kFilledEllipseTool || tool == kFilledRectangleTool || tool == kFilledPolygonTool ||
           tool == kFilledCustomShapeTool || tool == kFilledTextTool;
}

ShapeToolOptions ShapeOptionsOf(const ToolOptions& o, int tool)
{
    auto make = [](int size, int antialiased, int vector) {
        return ShapeToolOptions{ToolSize(size), antialiased != 0, vector != 0, false, 1, 1};
    };
    switch (tool) {
    case kEllipseTool:
        return make(o.ellipseSize, o.ellipseAntialiased, o.ellipseVectorLayer);
    case kFilledEllipseTool:
        return make(1, o.filledEllipseAntialiased, o.filledEllipseVectorLayer);
    case kRectangleTool:
        return {ToolSize(o.rectangleSize), o.rectangleAntialiased != 0, o.rectangleVectorLayer != 0,
                o.rectangleRounded != 0, std::clamp(o.rectangleRadiusX, 1, 100), std::clamp(o.rectangleRadiusY, 1, 100)};
    case kFilledRectangleTool:
        return {1, o.filledRectangleAntialiased != 0, o.filledRectangleVectorLayer != 0, o.filledRectangleRounded != 0,
                std::clamp(o.filledRectangleRadiusX, 1, 100), std::clamp(o.filledRectangleRadiusY, 1, 100)};
    case kPolygonTool:
        return make(o.polygonSize, o.polygonAntialiased, o.polygonVectorLayer);
    case kFilledPolygonTool:
        return make(1, o.filledPolygonAntialiased, o.filledPolygonVectorLayer);
    case kCustomShapeTool:
        return make(o.customShapeSize, o.customShapeAntialiased, o.customShapeVectorLayer);
    case kFilledCustomShapeTool:
        return make(1, o.filledCustomShapeAntialiased, o.filledCustomShapeVectorLayer);
    case kHollowTextTool:
        return make(o.hollowTextSize, o.textAntialiased, 1);
    case kFilledTextTool:
        return make(1, o.textAntialiased, 1);
    default:
        return make(1, 0, 0);
    }
}

uint8_t ShapeKindOf(int tool)
{
    switch (tool) {
    case kEllipseTool:
    case kFilledEllipseTool:
        return kEllipseShape;
    case kRectangleTool:
    case kFilledRectangleTool:
        return kRectangleShape;
    case kPolygonTool:
    case kFilledPolygonTool:
        return kPolygonShape;
    case kHollowTextTool:
    case kFilledTextTool:
        return kTextShape;
    default:
        return kCustomShape;
    }
}

void FinishShape(EditAreaState& state, int tool, Gdiplus::GraphicsPath* path)
{
    std::unique_ptr<Gdiplus::GraphicsPath> owned(path);
    const BrushSettings* brush = Brush(state);
    const ToolOptions* options = Options(state);
    if (!owned || !brush || !options || !PaintableLayer(state)) {
        RedrawCanvas(state);
        return;
    }
    const ShapeToolOptions shape = ShapeOptionsOf(*options, tool);
    const ShapeLook look{IsFilledShapeTool(tool), *brush, float(shape.penWidth), shape.antialiased};
    // A full image takes no new layer; the press was refused already, this guards the rest.
    if (shape.vectorLayer && state.image->layerCount >= kMaxLayers) {
        RedrawCanvas(state);
        return;
    }
    RecordUndoEntry(state);
    bool layerAdded = false;
    if (shape.vectorLayer) {
        layerAdded = AddVectorLayerAbove(state, owned.release(), ShapeKindOf(tool), look) != nullptr;
    } else {
        const SelectionState* selection = Selection(state);
        DrawShape(state.layer->bitmap, state.image->width, state.image->height, *owned, look,
                  state.image->bitsPerPixel, selection ? selection->region : nullptr);
    }
    if (state.context->document)
        state.context->document->modified = 1;
    SendMessageW(state.parent, kEditAreaChanged, layerAdded ? 1 : 0, 0);
    if (layerAdded) {
        RedrawCanvas(state);
    } else {
        RefreshSelectionContent(state);
        ShowLayerChange(state);
    }
}
