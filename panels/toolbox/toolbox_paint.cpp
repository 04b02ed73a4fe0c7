// Drawing the toolbox into its back buffer.
#include "core/pyx.h"
#include "module_instance.h"
#include "rounded_rect.h"
#include "tool_geometry.h"
#include "toolbox_state.h"
#include "toolrack_ids.h"

using namespace Gdiplus;

namespace {

constexpr float kPanelInset = 3;
constexpr float kPanelCorner = 20;   // arc diameter: corner radius 10
constexpr float kButtonCorner = 8;   // corner radius 4
constexpr BYTE kHoverAlpha = 130;
constexpr int kSeparatorY = 279;

Color Opaque(COLORREF color)
{
    return Color(255, GetRValue(color), GetGValue(color), GetBValue(color));
}

Color HoverPenColor() { return Color(50, 50, 50, 50); }

void DrawToolIcon(Graphics* graphics, Bitmap* strip, int tool)
{
    if (!strip)
        return;  // a missing picture leaves the button empty
    const ButtonOrigin origin = ButtonOriginOf(tool);
    graphics->DrawImage(strip, Rect(origin.x + 2, origin.y + 2, kIconSize, kIconSize),
                        kIconSize * tool, 0, kIconSize, kIconSize, UnitPixel);
}

void DrawButtonFrame(Graphics* graphics, int tool, const Brush& fill, const Pen& pen, float size)
{
    const ButtonOrigin origin = ButtonOriginOf(tool);
    GraphicsPath shape;
    AddRoundedRectangle(&shape, float(origin.x), float(origin.y), size, size, kButtonCorner);
    graphics->FillPath(&fill, &shape);
    graphics->DrawPath(&pen, &shape);
}

void DrawPanel(Graphics* graphics, const ToolboxState& state)
{
    graphics->Clear(Opaque(state.colors.frame));
    if (!state.panelOutline)
        return;
    SolidBrush face(Opaque(state.colors.face));
    Pen border(Color(255, 0, 0, 0), 2);
    graphics->FillPath(&face, state.panelOutline);
    graphics->DrawPath(&border, state.panelOutline);
}

void DrawCurrentButton(Graphics* graphics, const ToolboxState& state)
{
    SolidBrush white(Color(255, 255, 255, 255));
    Pen black(Color(255, 0, 0, 0), 1);
    DrawButtonFrame(graphics, state.currentTool, white, black, kButtonSize);
    DrawToolIcon(graphics, state.colorIcons, state.currentTool);
}

void DrawHoveredButton(Graphics* graphics, const ToolboxState& state)
{
    SolidBrush veil(Color(kHoverAlpha, 255, 255, 255));
    SolidBrush none(Color(0, 0, 0, 0));
    Pen gray(HoverPenColor(), 1);
    DrawButtonFrame(graphics, state.hovered, veil, gray, kButtonSize);
    DrawButtonFrame(graphics, state.hovered, none, gray, kButtonSize - 1);
    DrawToolIcon(graphics, state.colorIcons, state.hovered);
}

void SetCrispIcons(Graphics* graphics)
{
    graphics->SetSmoothingMode(SmoothingModeAntiAlias);
    graphics->SetInterpolationMode(InterpolationModeNearestNeighbor);
    graphics->SetPixelOffsetMode(PixelOffsetModeHalf);
}

}  // namespace

void RebuildPanelOutline(ToolboxState* state)
{
    delete state->panelOutline;
    state->panelOutline = new GraphicsPath();
    AddRoundedRectangle(state->panelOutline, kPanelInset, kPanelInset,
                        state->width - 2 * kPanelInset, state->height - 2 * kPanelInset,
                        kPanelCorner);
    // Outline merges the arcs and edges into one flattened figure; where the platform
    // cannot, flattening alone gives the same shape.
    if (state->panelOutline->Outline(nullptr, 0.25f) != Ok)
        state->panelOutline->Flatten(nullptr, 0.25f);
}

void RenderToolbox(const ToolboxState& state)
{
    if (!state.buffer.dc)
        return;
    Graphics graphics(state.buffer.dc);
    SetCrispIcons(&graphics);
    DrawPanel(&graphics, state);
    for (int tool = 0; tool < kToolCount; ++tool)
        if (tool != state.currentTool && tool != state.hovered)
            DrawToolIcon(&graphics, state.grayIcons, tool);
    DrawCurrentButton(&graphics, state);
    if (state.hovered != kNoButton)
        DrawHoveredButton(&graphics, state);
    Pen separator(HoverPenColor(), 1);
    graphics.DrawLine(&separator, 6, kSeparatorY, 54, kSeparatorY);
}

void LoadToolIcons(ToolboxState* state)
{
    HMODULE module = ToolrackInstance();
    state->colorIcons = PYX_LoadCustomImageResource(module, IDP_TOOLS_COLOR, L"REAL32");
    state->grayIcons = PYX_LoadCustomImageResource(module, IDP_TOOLS_GRAY, L"REAL32");
}

void ReleaseToolboxDrawing(ToolboxState* state)
{
    delete state->colorIcons;
    delete state->grayIcons;
    delete state->panelOutline;
    state->colorIcons = nullptr;
    state->grayIcons = nullptr;
    state->panelOutline = nullptr;
    ReleaseBackBuffer(state->buffer);
}
