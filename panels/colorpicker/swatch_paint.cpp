// Drawing the color picker into its back buffer: the rounded panel, the swatches, the
// palette strip, the captions and the gradient preview.
#include "core/pyx.h"
#include "swatch_ids.h"
#include "swatch_state.h"

using namespace Gdiplus;

namespace {

constexpr float kCaptionPoints = 7.3f;

struct Caption {
    const wchar_t* text;
    int x, y;
};

constexpr Caption kCaptions[] = {
    {L"R :", 45, 12},
    {L"G :", 45, 32},
    {L"B :", 45, 52},
    {L"A :", 45, 72},
    {L"Use Gradient Brush", 25, 125},
    {L"Linear Gradient", 35, 145},
    {L"Radial Gradient", 35, 165},
    {L"Bell Blend", 22, 193},
    {L"Blend Focus", 22, 214},
    {L"Blend Scale", 22, 234},
    {L"Factor Blend", 22, 254},
    {L"Blend Factor", 22, 275},
    {L"Blend Position", 22, 295},
};

Color Opaque(COLORREF color)
{
    return Color(255, GetRValue(color), GetGValue(color), GetBValue(color));
}

// A one-pixel frame covering exactly the pixels of (x, y, width, height).
void DrawFrame(Graphics* graphics, int x, int y, int width, int height)
{
    SolidBrush black(Color(255, 0, 0, 0));
    graphics->FillRectangle(&black, x, y, width, 1);
    graphics->FillRectangle(&black, x, y + height - 1, width, 1);
    graphics->FillRectangle(&black, x, y, 1, height);
    graphics->FillRectangle(&black, x + width - 1, y, 1, height);
}

void DrawPanelFace(Graphics* graphics, const SwatchState& state)
{
    graphics->Clear(Opaque(state.colors.frame));
    if (!state.outline)
        return;
    SolidBrush face(Opaque(state.colors.face));
    Pen border(Color(255, 0, 0, 0), 2);
    graphics->SetSmoothingMode(SmoothingModeAntiAlias);
    graphics->FillPath(&face, state.outline);
    graphics->DrawPath(&border, state.outline);
    graphics->SetSmoothingMode(SmoothingModeNone);
}

// The color over the checkerboard, so that transparency shows.
void DrawSwatch(Graphics* graphics, const SwatchState& state, int x, int y, uint32_t color,
                bool selected)
{
    const int inner = kSwatchSize - 2;
    if (state.previewBack)
        graphics->DrawImage(state.previewBack, Rect(x + 1, y + 1, inner, inner), 0, 0, inner,
                            inner, UnitPixel);
    SolidBrush fill{Color(color)};
    graphics->FillRectangle(&fill, x + 1, y + 1, inner, inner);
    DrawFrame(graphics, x, y, kSwatchSize, kSwatchSize);
    if (selected) {
        DrawFrame(graphics, x - 1, y - 1, kSwatchSize + 2, kSwatchSize + 2);
        DrawFrame(graphics, x - 2, y - 2, kSwatchSize + 4, kSwatchSize + 4);
    }
}

void DrawPictures(Graphics* graphics, const SwatchState& state)
{
    if (state.swapPicture)
        graphics->DrawImage(state.swapPicture, Rect(kSwapX, kSwapY, kSwapSize, kSwapSize), 0, 0,
                            kSwapSize, kSwapSize, UnitPixel);
    if (state.paletteStrip)
        graphics->DrawImage(state.paletteStrip, Rect(kStripX, kStripY, kStripWidth, kStripHeight),
                            0, 0, kStripWidth, kStripHeight, UnitPixel);
}

void DrawSeparators(Graphics* graphics)
{
    Pen line(Color(255, 128, 128, 128), 1);
    graphics->DrawLine(&line, 40, 115, 160, 115);
    graphics->DrawLine(&line, 40, 188, 160, 188);
}

void DrawCaptions(Graphics* graphics, const SwatchState& state)
{
    if (!state.font)
        return;
    SolidBrush text(Opaque(state.colors.text));
    graphics->SetTextRenderingHint(TextRenderingHintAntiAlias);
    for (const Caption& caption : kCaptions)
        graphics->DrawString(caption.text, -1, state.font,
                             PointF(float(caption.x), float(caption.y)), &text);
}

template <typename GradientBrush>
void SetBlend(GradientBrush* brush, const SwatchState& state)
{
    // A refused blend leaves the plain two-color gradient.
    if (state.blendKind == kBellBlend) {
        brush->SetBlendBellShape(state.blendFocus / 100, state.blendScale / 100);
        return;
    }
    REAL factors[] = {0, state.blendFactor / 100, 1};
    REAL positions[] = {0, state.blendPosition / 100, 1};
    brush->SetBlend(factors, positions, 3);
}

void FillLinearPreview(Graphics* graphics, const SwatchState& state, const Rect& square)
{
    // Given as its two end points, the form of linear gradient every GDI+ renders alike.
    const GradientLine line = LinearGradientLine(state.linearAngle, float(square.X),
                                                 float(square.Y), float(square.Width));
    LinearGradientBrush brush(PointF(line.x1, line.y1), PointF(line.x2, line.y2),
                              Color(state.primary), Color(state.secondary));
    brush.SetGammaCorrection(TRUE);
    SetBlend(&brush, state);
    graphics->FillRectangle(&brush, square);
}

void FillRadialPreview(Graphics* graphics, const SwatchState& state, const Rect& square)
{
    const POINT point = state.previewPoint;
    const int radius = RadialRadius(point.x - kPreviewX, point.y - kPreviewY);
    GraphicsPath circle;
    circle.AddEllipse(point.x - radius, point.y - radius, 2 * radius, 2 * radius);
    PathGradientBrush brush(&circle);
    brush.SetCenterColor(Color(state.secondary));
    Color surround(state.primary);
    int count = 1;
    brush.SetSurroundColors(&surround, &count);
    brush.SetCenterPoint(Point(point.x, point.y));
    brush.SetGammaCorrection(TRUE);
    SetBlend(&brush, state);
    graphics->FillRectangle(&brush, square);
}

void DrawPreview(Graphics* graphics, const SwatchState& state)
{
    const Rect square(kPreviewX, kPreviewY, kPreviewSize, kPreviewSize);
    if (state.previewBack)
        graphics->DrawImage(state.previewBack, square, 0, 0, kPreviewSize, kPreviewSize, UnitPixel);
    if (state.gradientKind == kRadialGradient)
        FillRadialPreview(graphics, state, square);
    else
        FillLinearPreview(graphics, state, square);
    DrawFrame(graphics, kPreviewX - 1, kPreviewY - 1, kPreviewSize + 2, kPreviewSize + 2);
}

// The rounded panel (3, 3) to (197, 322) with corners of radius 10, as one flattened figure.
GraphicsPath* MakeOutline()
{
    const float left = 3, top = 3, right = kPanelWidth - 3, bottom = kPanelHeight - 3, d = 20;
    GraphicsPath* path = new GraphicsPath();
    path->AddLine(left + 10, top, right - 10, top);
    path->AddArc(right - d, top, d, d, 270, 90);
    path->AddLine(right, top + 10, right, bottom - 10);
    path->AddArc(right - d, bottom - d, d, d, 0, 90);
    path->AddLine(right - 10, bottom, left + 10, bottom);
    path->AddArc(left, bottom - d, d, d, 90, 90);
    path->AddLine(left, bottom - 10, left, top + 10);
    path->AddArc(left, top, d, d, 180, 90);
    path->CloseFigure();
    path->Flatten(nullptr, 0.25f);
    return path;
}

Font* MakeCaptionFont()
{
    Font* font = new Font(L"Arial", kCaptionPoints, FontStyleBold, UnitPoint);
    if (font->GetLastStatus() == Ok)
        return font;
    delete font;
    return new Font(FontFamily::GenericSansSerif(), kCaptionPoints, FontStyleBold, UnitPoint);
}

Bitmap* LoadBitmapResource(int id)
{
    Bitmap* picture = Bitmap::FromResource(SwatchInstance(), MAKEINTRESOURCEW(id));
    if (picture && picture->GetLastStatus() == Ok)
        return picture;
    delete picture;
    return nullptr;
}

}  // namespace

void LoadPanelDrawing(SwatchState* state)
{
    HINSTANCE instance = SwatchInstance();
    state->colors = LoadPanelColors();
    RebuildFaceBrush(state);
    state->outline = MakeOutline();
    state->font = MakeCaptionFont();
    state->paletteStrip = LoadBitmapResource(IDB_PALETTE_STRIP);
    state->previewBack = LoadBitmapResource(IDB_PREVIEW_BACK);
    state->swapPicture = PYX_LoadCustomImageResource(instance, IDP_SWAP, L"REAL32");
    state->paletteCursor = LoadCursorW(instance, MAKEINTRESOURCEW(IDCUR_SWATCH_PALETTE));
    state->previewCursor = LoadCursorW(instance, MAKEINTRESOURCEW(IDCUR_SWATCH_PREVIEW));
    RebuildBackBuffer(state->buffer, kPanelWidth, kPanelHeight);
}

void RebuildFaceBrush(SwatchState* state)
{
    if (state->faceBrush)
        DeleteObject(state->faceBrush);
    state->faceBrush = CreateSolidBrush(state->colors.face);
}

void ReleasePanelDrawing(SwatchState* state)
{
    delete state->outline;
    delete state->font;
    delete state->paletteStrip;
    delete state->previewBack;
    delete state->swapPicture;
    if (state->faceBrush)
        DeleteObject(state->faceBrush);
    // Cursors loaded from resources are shared and need no release.
    state->outline = nullptr;
    state->font = nullptr;
    state->paletteStrip = state->previewBack = state->swapPicture = nullptr;
    state->faceBrush = nullptr;
    ReleaseBackBuffer(state->buffer);
}

void RenderPanel(const SwatchState& state)
{
    if (!state.buffer.dc)
        return;
    Graphics graphics(state.buffer.dc);
    graphics.SetInterpolationMode(InterpolationModeNearestNeighbor);
    graphics.SetPixelOffsetMode(PixelOffsetModeHalf);
    DrawPanelFace(&graphics, state);
    DrawSwatch(&graphics, state, kSecondaryX, kSecondaryY, state.secondary, !state.primarySelected);
    DrawSwatch(&graphics, state, kPrimaryX, kPrimaryY, state.primary, state.primarySelected);
    DrawPictures(&graphics, state);
    DrawSeparators(&graphics);
    DrawCaptions(&graphics, state);
    DrawPreview(&graphics, state);
}
