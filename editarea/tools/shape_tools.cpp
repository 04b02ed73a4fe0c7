// The shape tools: ellipses and rectangles dragged from press to release, polygons and
// custom shapes clicked point by point until a double click.
#include <memory>
#include <vector>

#include "painting/layer_change.h"
#include "panels/toolbox/toolrack.h"
#include "shapes/shape_finish.h"
#include "shapes/shape_geometry.h"
#include "tools/tool_table.h"
#include "view_update.h"

namespace {

// The clicked shape in progress: its committed path and, for custom shapes, its points.
// One shape is drawn at a time, from the first click to the double click.
struct ClickedShape {
    std::unique_ptr<Gdiplus::GraphicsPath> committed;
    ControlPoint points[kMaxControlPoints];
    int count;
};

ClickedShape gClicked{};

void DropPreview(EditAreaState& state)
{
    delete state.shapePreview;
    state.shapePreview = nullptr;
}

// ---- Ellipses and rectangles -------------------------------------------------------------

void AddRoundedRectangle(Gdiplus::GraphicsPath& path, const BrushRect& r, CornerRadii radii)
{
    const int w = 2 * radii.x;
    const int h = 2 * radii.y;
    path.AddArc(r.x, r.y, w, h, 180.0f, 90.0f);
    path.AddArc(r.x + r.width - w, r.y, w, h, 270.0f, 90.0f);
    path.AddArc(r.x + r.width - w, r.y + r.height - h, w, h, 0.0f, 90.0f);
    path.AddArc(r.x, r.y + r.height - h, w, h, 90.0f, 90.0f);
    path.CloseFigure();
    // The outline flattens the arcs into one figure; where the platform cannot make it, the
    // path keeps the arcs, which draw the same corners.
    path.Outline(nullptr, 0.25f);
}

Gdiplus::GraphicsPath* DraggedShapePath(int tool, const BrushRect& rect, const ShapeToolOptions& options)
{
    auto* path = new Gdiplus::GraphicsPath(Gdiplus::FillModeWinding);
    if (tool == kEllipseTool || tool == kFilledEllipseTool) {
        path->AddEllipse(rect.x, rect.y, rect.width, rect.height);
        return path;
    }
    const CornerRadii radii = ClampedRadii(rect, options.radiusX, options.radiusY);
    // Corners of no size are square ones.
    if (options.rounded && radii.x > 0 && radii.y > 0)
        AddRoundedRectangle(*path, rect, radii);
    else
        path->AddRectangle(Gdiplus::Rect(rect.x, rect.y, rect.width, rect.height));
    return path;
}

ShapeToolOptions CurrentShapeOptions(const EditAreaState& state, int tool)
{
    const ToolOptions* options = Options(state);
    return options ? ShapeOptionsOf(*options, tool) : ShapeToolOptions{1, false, false, false, 1, 1};
}

void DraggedShapeDown(EditAreaState& state, const ToolInput&)
{
    DropPreview(state);
}

void DraggedShapeMove(EditAreaState& state, const ToolInput& input)
{
    DropPreview(state);
    const BrushRect rect = DraggedRect(state.anchor.x, state.anchor.y, input.pixel.x, input.pixel.y);
    state.shapePreview = DraggedShapePath(state.dragTool, rect, CurrentShapeOptions(state, state.dragTool));
    RedrawCanvas(state);
}

// Also the end of a drag whose capture was taken away: the shape is drawn as on a release.
void DraggedShapeUp(EditAreaState& state, const ToolInput& input)
{
    DropPreview(state);
    const int tool = state.dragTool;
    const ShapeToolOptions options = CurrentShapeOptions(state, tool);
    BrushRect rect = DraggedRect(state.anchor.x, state.anchor.y, input.pixel.x, input.pixel.y);
    const bool hollow = tool == kEllipseTool || tool == kRectangleTool;
    if (hollow && options.penWidth == 1 && !options.antialiased)
        rect = ShrunkForThinOutline(rect);
    FinishShape(state, tool, DraggedShapePath(tool, rect, options));
}

// ---- Polygons and custom shapes ----------------------------------------------------------

void ForgetClickedShape()
{
    gClicked.committed.reset();
    gClicked.count = 0;
}

// The committed path plus the rubber band from the last vertex to the pointer.
void ShowRubberBand(EditAreaState& state, const PixelHit& pointer)
{
    DropPreview(state);
    if (!gClicked.committed)
        return;
    state.shapePreview = gClicked.committed->Clone();
    if (state.shapePreview)
        state.shapePreview->AddLine(int(state.anchor.x), int(state.anchor.y), pointer.x, pointer.y);
    RedrawCanvas(state);
}

void ClickedShapeMove(EditAreaState& state, const ToolInput& input)
{
    ShowRubberBand(state, input.pixel);
}

// The finish always clears the committed path, so a missing one means a new shape.
bool IsFirstClick()
{
    return !gClicked.committed || gClicked.count == 0;
}

void StartClickedShape(EditAreaState& state, const PixelHit& pixel)
{
    ForgetClickedShape();
    gClicked.committed = std::make_unique<Gdiplus::GraphicsPath>(Gdiplus::FillModeWinding);
    gClicked.points[0] = {pixel.x, pixel.y};
    gClicked.count = 1;
    state.anchor = {pixel.x, pixel.y};
}

void PolygonDown(EditAreaState& state, const ToolInput& input)
{
    if (IsFirstClick()) {
        StartClickedShape(state, input.pixel);
        return;
    }
    // The rubber band up to this click becomes an edge.
    gClicked.committed->AddLine(int(state.anchor.x), int(state.anchor.y), input.pixel.x, input.pixel.y);
    gClicked.count++;
    state.anchor = {input.pixel.x, input.pixel.y};
    ShowRubberBand(state, input.pixel);
}

std::vector<Gdiplus::Point> CurvePoints()
{
    std::vector<Gdiplus::Point> points;
    for (int i = 0; i < gClicked.count; i++)
        points.emplace_back(gClicked.points[i].x, gClicked.points[i].y);
    return points;
}

void CustomShapeDown(EditAreaState& state, const ToolInput& input)
{
    if (IsFirstClick()) {
        StartClickedShape(state, input.pixel);
        return;
    }
    gClicked.count = AddControlPoint(gClicked.points, gClicked.count, {input.pixel.x, input.pixel.y});
    gClicked.committed = std::make_unique<Gdiplus::GraphicsPath>(Gdiplus::FillModeWinding);
    const std::vector<Gdiplus::Point> points = CurvePoints();
    gClicked.committed->AddCurve(points.data(), INT(points.size()), 0.5f);
    state.anchor = {input.pixel.x, input.pixel.y};
    ShowRubberBand(state, input.pixel);
}

// The double click (or a capture taken away) ends the shape. A single vertex is no shape:
// it is dropped without an undo step.
void PolygonFinish(EditAreaState& state, const ToolInput&)
{
    DropPreview(state);
    std::unique_ptr<Gdiplus::GraphicsPath> path = std::move(gClicked.committed);
    const int count = gClicked.count;
    ForgetClickedShape();
    if (!path || count < 2) {
        RedrawCanvas(state);
        return;
    }
    path->CloseFigure();
    FinishShape(state, state.dragTool, path.release());
}

void CustomShapeFinish(EditAreaState& state, const ToolInput&)
{
    DropPreview(state);
    const std::vector<Gdiplus::Point> points = CurvePoints();
    ForgetClickedShape();
    if (points.size() < 2) {
        RedrawCanvas(state);
        return;
    }
    auto* path = new Gdiplus::GraphicsPath(Gdiplus::FillModeWinding);
    path->AddClosedCurve(points.data(), INT(points.size()), 0.5f);
    FinishShape(state, state.dragTool, path);
}

}  // namespace

// Polygons and custom shapes keep the capture from the first click to the double click.
const ToolHandlers kDraggedShapeHandlers = {ToolGesture::kDrag, DraggedShapeDown, DraggedShapeMove, DraggedShapeUp,
                                            nullptr};
const ToolHandlers kPolygonHandlers = {ToolGesture::kMultiClick, PolygonDown, ClickedShapeMove, PolygonFinish,
                                       nullptr};
const ToolHandlers kCustomShapeHandlers = {ToolGesture::kMultiClick, CustomShapeDown, ClickedShapeMove,
                                           CustomShapeFinish, nullptr};
