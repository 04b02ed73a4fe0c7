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
constexpr size_t kMostCards = 256;  // a long browse should not hold every card (about 45 KB each)
constexpr int kSlotLeft = 3;       // a card's slot starts where its selection mark does

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

CardFacts FactsOf(const Image& image)
{
    return {int(image.displayRate), image.width, image.height, image.hotspotX, image.hotspotY, image.bitsPerPixel};
}

bool SameFacts(const CardFacts& a, const CardFacts& b)
{
    return a.displayRate == b.displayRate && a.width == b.width && a.height == b.height && a.hotspotX == b.hotspotX &&
           a.hotspotY == b.hotspotY && a.bitsPerPixel == b.bitsPerPixel;
}

// Thumbnail, frames and labels of the card at page position i.
void DrawCardContent(Graphics* graphics, const ImageListState& state, int i, const Image& image)
{
    const BoxI box = ThumbnailBox(i, state.layout);
    if (Gdiplus::Bitmap* thumbnail = MakeThumbnail(image)) {
        // Already at its size: copied pixel for pixel.
        graphics->SetPixelOffsetMode(PixelOffsetModeHalf);
        graphics->DrawImage(thumbnail, Rect(box.x, box.y, box.width, box.height), 0, 0,
                            kThumbnailBox, kThumbnailBox, UnitPixel);
        graphics->SetPixelOffsetMode(PixelOffsetModeDefault);
        delete thumbnail;
    }
    DrawCardFrames(graphics, state, i);
    DrawCardTexts(graphics, state, i, image);
}

void SetStripQuality(Graphics* graphics)
{
    graphics->SetSmoothingMode(SmoothingModeAntiAlias);
    graphics->SetTextRenderingHint(TextRenderingHintAntiAlias);
    graphics->SetCompositingQuality(CompositingQualityHighQuality);
    graphics->SetInterpolationMode(InterpolationModeNearestNeighbor);
}

// The first page position's slot with the card drawn in it over white, as the strip is.
Gdiplus::Bitmap* MakeCardPicture(const ImageListState& state, const Image& image)
{
    auto* picture = new Gdiplus::Bitmap(kSlotLeft + state.layout.pitch, std::max(1, state.listHeight),
                                        PixelFormat32bppRGB);
    if (picture->GetLastStatus() != Ok) {
        delete picture;
        return nullptr;
    }
    Graphics graphics(picture);
    SetStripQuality(&graphics);
    graphics.Clear(kWhite);
    DrawCardContent(&graphics, state, 0, image);
    return picture;
}

const CardPicture* CardOf(ImageListState* state, const Image& image)
{
    auto found = state->cards.find(&image);
    if (found != state->cards.end() && found->second.composite == image.composite &&
        found->second.cardGap == state->layout.cardGap && SameFacts(found->second.facts, FactsOf(image)))
        return &found->second;
    ForgetCard(state, &image);
    if (state->cards.size() >= kMostCards)
        ForgetCards(state);
    Gdiplus::Bitmap* picture = MakeCardPicture(*state, image);
    if (!picture)
        return nullptr;
    return &(state->cards[&image] = {picture, image.composite, FactsOf(image), state->layout.cardGap});
}

void DrawCard(Graphics* graphics, ImageListState* state, int i, const Image& image)
{
    if (const CardPicture* card = CardOf(state, image)) {
        // Slots lie a pitch apart, so the first slot's pixels copy unchanged to slot i.
        graphics->SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
        graphics->SetPixelOffsetMode(PixelOffsetModeHalf);
        graphics->DrawImage(card->picture, Rect(i * state->layout.pitch + kSlotLeft, 0, state->layout.pitch,
                                                int(card->picture->GetHeight())),
                            kSlotLeft, 0, state->layout.pitch, int(card->picture->GetHeight()), UnitPixel);
        graphics->SetPixelOffsetMode(PixelOffsetModeDefault);
        graphics->SetCompositingMode(Gdiplus::CompositingModeSourceOver);
    } else {
        DrawCardContent(graphics, *state, i, image);
    }
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
    int shown = 0;
    for (; shown < state->layout.cardsPerPage && image; ++shown, image = image->next)
        DrawCard(graphics, state, shown, *image);
    // After every card: a slot copied later would cut off the mark's outer edge.
    const int marked = state->current - state->scrollPos;
    if (marked >= 0 && marked < shown)
        DrawSelectionMark(graphics, *state, marked);
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
        SetStripQuality(graphics);
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

void ForgetCard(ImageListState* state, const Image* image)
{
    auto found = state->cards.find(image);
    if (found == state->cards.end())
        return;
    delete found->second.picture;
    state->cards.erase(found);
}

void ForgetCards(ImageListState* state)
{
    for (auto& entry : state->cards)
        delete entry.second.picture;
    state->cards.clear();
}
