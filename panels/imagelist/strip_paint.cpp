// Drawing the frame and the strip of cards into their back buffers, and the thumbnails
// the cards show.
#include <algorithm>

#include "common/document_ops.h"
#include "imagelist_state.h"

using Gdiplus::Color;
using Gdiplus::Graphics;
using Gdiplus::Pen;
using Gdiplus::SolidBrush;
using Gdiplus::RectF;
using Gdiplus::Rect;
using Gdiplus::PointF;
using Gdiplus::GraphicsPath;
using Gdiplus::Font;
using Gdiplus::Ok;
using Gdiplus::CompositingQualityHighQuality;
using Gdiplus::InterpolationModeHighQualityBicubic;
using Gdiplus::InterpolationModeNearestNeighbor;
using Gdiplus::PixelOffsetModeHalf;
using Gdiplus::PixelOffsetModeDefault;
using Gdiplus::UnitPixel;
using Gdiplus::UnitPoint;
using Gdiplus::FontStyleBold;
using Gdiplus::DashStyleDash;
using Gdiplus::SmoothingModeAntiAlias;
using Gdiplus::TextRenderingHintAntiAlias;

namespace {

constexpr float kFrameCorner = 20;  // arc box of the frame's rounded corners
constexpr float kFontPoints = 7.3f;
constexpr float kRateTextY = 46;
constexpr size_t kMostThumbnails = 1024;  // a long browse should not hold every picture

const Color kWhite(255, 255, 255, 255);
const Color kBlack(255, 0, 0, 0);
const Color kRed(255, 255, 0, 0);

// ---- Colors -----------------------------------------------------------------------------

using IsThemeActiveFn = BOOL(WINAPI*)();
using OpenThemeDataFn = HANDLE(WINAPI*)(HWND, LPCWSTR);
using GetThemeSysColorFn = COLORREF(WINAPI*)(HANDLE, int);
using CloseThemeDataFn = HRESULT(WINAPI*)(HANDLE);

constexpr int kLookIndexes[6] = {COLOR_BTNFACE,  COLOR_BTNTEXT,      COLOR_HIGHLIGHTTEXT,
                                 COLOR_HIGHLIGHT, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};

Color Opaque(COLORREF color) { return Color(255, GetRValue(color), GetGValue(color), GetBValue(color)); }

PanelLook LookFrom(const COLORREF (&colors)[6])
{
    return {Opaque(colors[0]), Opaque(colors[1]), Opaque(colors[2]),
            Opaque(colors[3]), Opaque(colors[4]), Opaque(colors[5])};
}

// Visual styles exist from the system version after 5.0 on.
bool SystemHasThemes()
{
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    return GetVersionExW(&version) && version.dwMajorVersion > 4 && version.dwMinorVersion != 0;
}

template <typename Fn>
Fn ThemeFunction(HMODULE uxtheme, const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(uxtheme, name)));
}

bool ReadThemeColors(HMODULE uxtheme, COLORREF (&colors)[6])
{
    auto isActive = ThemeFunction<IsThemeActiveFn>(uxtheme, "IsThemeActive");
    auto open = ThemeFunction<OpenThemeDataFn>(uxtheme, "OpenThemeData");
    auto color = ThemeFunction<GetThemeSysColorFn>(uxtheme, "GetThemeSysColor");
    auto close = ThemeFunction<CloseThemeDataFn>(uxtheme, "CloseThemeData");
    if (!isActive || !open || !color || !close || !isActive())
        return false;
    HANDLE theme = open(nullptr, L"BUTTON");
    if (!theme)
        return false;
    for (int i = 0; i < 6; ++i)
        colors[i] = color(theme, kLookIndexes[i]);
    close(theme);
    return true;
}

// ---- Thumbnails -------------------------------------------------------------------------

Gdiplus::Bitmap* MakeThumbnail(const Image& image)
{
    auto* picture = new Gdiplus::Bitmap(kThumbnailBox, kThumbnailBox, PixelFormat32bppPARGB);
    if (picture->GetLastStatus() != Ok) {
        delete picture;
        return nullptr;
    }
    Graphics graphics(picture);
    graphics.Clear(kWhite);
    if (!image.composite)
        return picture;  // a card without a picture stays white
    const ThumbnailPlacement place = PlaceThumbnail(image.width, image.height);
    graphics.SetCompositingQuality(CompositingQualityHighQuality);
    graphics.SetInterpolationMode(place.scaled ? InterpolationModeHighQualityBicubic
                                               : InterpolationModeNearestNeighbor);
    graphics.SetPixelOffsetMode(PixelOffsetModeHalf);
    graphics.DrawImage(image.composite, RectF(place.box.x, place.box.y, place.box.width, place.box.height),
                       0, 0, float(image.width), float(image.height), UnitPixel);
    return picture;
}

bool StillValid(const Thumbnail& thumbnail, const Image& image)
{
    return thumbnail.composite == image.composite && thumbnail.width == image.width &&
           thumbnail.height == image.height;
}

Gdiplus::Bitmap* ThumbnailOf(ImageListState* state, const Image& image)
{
    auto found = state->thumbnails.find(&image);
    if (found != state->thumbnails.end() && StillValid(found->second, image))
        return found->second.picture;
    ForgetThumbnail(state, &image);
    if (state->thumbnails.size() >= kMostThumbnails)
        ForgetThumbnails(state);
    Gdiplus::Bitmap* picture = MakeThumbnail(image);
    if (picture)
        state->thumbnails[&image] = {picture, image.composite, image.width, image.height};
    return picture;
}

// ---- Cards ------------------------------------------------------------------------------


void DrawCardFrames(Graphics* graphics, const ImageListState& state, int i)
{
    Pen shadow(state.colors.shadow, 1);
    SolidBrush face(state.colors.face);
    const BoxI frame = CardFrame(i, state.layout);
    graphics->DrawRectangle(&shadow, frame.x, frame.y, frame.width, frame.height);
    for (int row = 0; row < 3; ++row) {
        const BoxI label = LabelBox(i, row, state.layout);
        graphics->FillRectangle(&face, label.x, label.y, label.width, label.height);
        graphics->DrawRectangle(&shadow, label.x, label.y, label.width, label.height);
    }
}

void DrawCardTexts(Graphics* graphics, const ImageListState& state, int i, const Image& image)
{
    if (!state.thumbFont)
        return;
    const auto labels = CardLabels({int(image.displayRate), image.width, image.height,
                                    image.hotspotX, image.hotspotY, image.bitsPerPixel});
    SolidBrush text(state.colors.text);
    const float x = float(CardX(i, state.layout));
    const float rows[4] = {kRateTextY, float(LabelBox(i, 0, state.layout).y),
                           float(LabelBox(i, 1, state.layout).y), float(LabelBox(i, 2, state.layout).y)};
    for (int row = 0; row < 4; ++row)
        graphics->DrawString(labels[row].c_str(), -1, state.thumbFont, PointF(x, rows[row]), &text);
}

void DrawSelectionMark(Graphics* graphics, const ImageListState& state, int i)
{
    Pen red(kRed, 3.5f);
    const BoxI mark = SelectionMark(i, state.layout);
    graphics->DrawRectangle(&red, mark.x, mark.y, mark.width, mark.height);
}

void DrawCard(Graphics* graphics, ImageListState* state, int i, const Image& image)
{
    const BoxI box = ThumbnailBox(i, state->layout);
    if (Gdiplus::Bitmap* thumbnail = ThumbnailOf(state, image)) {
        // Already at its size: copied pixel for pixel.
        graphics->SetPixelOffsetMode(PixelOffsetModeHalf);
        graphics->DrawImage(thumbnail, Rect(box.x, box.y, box.width, box.height), 0, 0,
                            kThumbnailBox, kThumbnailBox, UnitPixel);
        graphics->SetPixelOffsetMode(PixelOffsetModeDefault);
    }
    DrawCardFrames(graphics, *state, i);
    DrawCardTexts(graphics, *state, i, image);
    if (state->scrollPos + i == state->current)
        DrawSelectionMark(graphics, *state, i);
}

void DrawDragMarks(Graphics* graphics, const ImageListState& state)
{
    Pen dashed(kBlack, 2);
    dashed.SetDashStyle(DashStyleDash);
    const int left = DraggedCardX(state.pointerX, state.listWidth, state.layout);
    graphics->DrawRectangle(&dashed, left, 1, state.layout.cardGap + 84, 105);
    Pen line(kBlack, 3);
    const int x = InsertionLineX(state.pointerX, state.listWidth, state.layout);
    graphics->DrawLine(&line, x, 1, x, 105);
}

void DrawCards(Graphics* graphics, ImageListState* state)
{
    const Image* image = ImageAt(state->context->document, state->scrollPos);
    for (int i = 0; i < state->layout.cardsPerPage && image; ++i, image = image->next)
        DrawCard(graphics, state, i, *image);
}

template <typename Draw>
void PaintBuffer(const BackBuffer& buffer, HDC target, Draw draw)
{
    if (!buffer.dc)
        return;
    {
        Graphics graphics(buffer.dc);
        draw(&graphics);
    }
    PresentBackBuffer(buffer, target);
}

}  // namespace

void LoadPanelLook(ImageListState* state)
{
    COLORREF colors[6];
    for (int i = 0; i < 6; ++i)
        colors[i] = GetSysColor(kLookIndexes[i]);
    if (SystemHasThemes()) {
        if (HMODULE uxtheme = LoadLibraryW(L"UxTheme.dll")) {
            ReadThemeColors(uxtheme, colors);
            FreeLibrary(uxtheme);
        }
    }
    state->colors = LookFrom(colors);
    if (!state->thumbFont)
        state->thumbFont = new Font(L"Arial", kFontPoints, FontStyleBold, UnitPoint);
}

GraphicsPath* NewFramePath(float w, float h)
{
    auto* path = new GraphicsPath();
    path->AddLine(13.0f, 3.0f, w - 13, 3.0f);
    path->AddArc(w - 23, 3.0f, kFrameCorner, kFrameCorner, 270, 90);
    path->AddLine(w - 3, 13.0f, w - 3, h - 13);
    path->AddArc(w - 23, h - 23, kFrameCorner, kFrameCorner, 0, 90);
    path->AddLine(w - 13, h - 3, 13.0f, h - 3);
    path->AddArc(3.0f, h - 23, kFrameCorner, kFrameCorner, 90, 90);
    path->AddLine(3.0f, h - 13, 3.0f, 13.0f);
    path->AddArc(3.0f, 3.0f, kFrameCorner, kFrameCorner, 180, 90);
    path->Flatten(nullptr, 0.25f);
    return path;
}

void RebuildFramePath(ImageListState* state)
{
    delete state->framePath;
    state->framePath = NewFramePath(float(state->frameWidth), float(state->frameHeight));
}

void PaintFrame(ImageListState* state, HDC target)
{
    PaintBuffer(state->frameBuffer, target, [&](Graphics* graphics) {
        graphics->SetSmoothingMode(SmoothingModeAntiAlias);
        graphics->SetCompositingQuality(CompositingQualityHighQuality);
        graphics->Clear(state->colors.highlight);
        if (!state->framePath)
            return;
        SolidBrush face(state->colors.face);
        Pen border(kBlack, 2);
        graphics->FillPath(&face, state->framePath);
        graphics->DrawPath(&border, state->framePath);
    });
}

void PaintStrip(ImageListState* state, HDC target)
{
    PaintBuffer(state->listBuffer, target, [&](Graphics* graphics) {
        graphics->SetSmoothingMode(SmoothingModeAntiAlias);
        graphics->SetTextRenderingHint(TextRenderingHintAntiAlias);
        graphics->SetCompositingQuality(CompositingQualityHighQuality);
        graphics->SetInterpolationMode(InterpolationModeNearestNeighbor);
        if (state->imageCount <= 0 || !state->context->document) {
            graphics->Clear(state->colors.face);
            return;
        }
        graphics->Clear(kWhite);
        DrawCards(graphics, state);
        if (state->dragging)
            DrawDragMarks(graphics, *state);
    });
}

void ForgetThumbnail(ImageListState* state, const Image* image)
{
    auto found = state->thumbnails.find(image);
    if (found == state->thumbnails.end())
        return;
    delete found->second.picture;
    state->thumbnails.erase(found);
}

void ForgetThumbnails(ImageListState* state)
{
    for (auto& entry : state->thumbnails)
        delete entry.second.picture;
    state->thumbnails.clear();
}
