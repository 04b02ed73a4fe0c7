// What the panel draws with: theme colors, the row font, the frame outline, the row
// pictures, the hand cursors and the context menu.
#include "core/pyx.h"
#include "layer_state.h"
#include "layerpane_ids.h"

using namespace Gdiplus;

namespace {

constexpr float kCorner = 20;  // arc box of the frame's corners

Font* MakeRowFont()
{
    Font* font = new Font(L"Arial", 7.3f, FontStyleBold, UnitPoint);
    if (font->GetLastStatus() == Ok)
        return font;
    delete font;
    return new Font(FontFamily::GenericSansSerif(), 7.3f, FontStyleBold, UnitPoint);
}

// The 24-bit backdrop as a GDI+ picture; null when the resource is missing.
Bitmap* LoadCheckerboard()
{
    HBITMAP handle = LoadBitmapW(LayerpaneInstance(), MAKEINTRESOURCEW(IDB_CHECKERBOARD));
    if (!handle)
        return nullptr;
    Bitmap* picture = Bitmap::FromHBITMAP(handle, nullptr);
    DeleteObject(handle);
    if (picture && picture->GetLastStatus() != Ok) {
        delete picture;
        picture = nullptr;
    }
    return picture;
}

HCURSOR LoadPanelCursor(int id)
{
    return LoadCursorW(LayerpaneInstance(), MAKEINTRESOURCEW(id));
}

}  // namespace

void LoadLook(LayerPanelState* state)
{
    state->colors = LoadPanelColors();
    state->font = MakeRowFont();
    HMODULE module = LayerpaneInstance();
    state->checkerboard = LoadCheckerboard();
    state->eyeIcon = PYX_LoadCustomImageResource(module, IDP_EYE, L"REAL32");
    state->brushIcon = PYX_LoadCustomImageResource(module, IDP_BRUSH, L"REAL32");
    state->normalCursor = LoadPanelCursor(IDC_POINT_HAND);
    state->dragCursor = LoadPanelCursor(IDC_GRAB_HAND);
    state->arrowCursor = LoadCursorW(nullptr, IDC_ARROW);
    state->menu = LoadMenuW(module, MAKEINTRESOURCEW(IDM_LAYER_MENU));
}

// Straight edges joined by quarter arcs, inset 3 pixels from the panel's edges.
void RebuildFramePath(LayerPanelState* state)
{
    delete state->framePath;
    const float w = float(state->frameWidth), h = float(state->frameHeight);
    GraphicsPath* path = new GraphicsPath();
    path->AddLine(13.0f, 3.0f, w - 13, 3.0f);
    path->AddArc(w - 23, 3.0f, kCorner, kCorner, 270, 90);
    path->AddLine(w - 3, 13.0f, w - 3, h - 13);
    path->AddArc(w - 23, h - 23, kCorner, kCorner, 0, 90);
    path->AddLine(w - 13, h - 3, 13.0f, h - 3);
    path->AddArc(3.0f, h - 23, kCorner, kCorner, 90, 90);
    path->AddLine(3.0f, h - 13, 3.0f, 13.0f);
    path->AddArc(3.0f, 3.0f, kCorner, kCorner, 180, 90);
    path->Flatten(nullptr, 0.25f);
    state->framePath = path;
}

void ReleaseLook(LayerPanelState* state)
{
    delete state->font;
    delete state->framePath;
    delete state->checkerboard;
    delete state->eyeIcon;
    delete state->brushIcon;
    // The cursors are shared resources of the module: nothing to destroy.
    if (state->menu)
        DestroyMenu(state->menu);
    state->font = nullptr;
    state->framePath = nullptr;
    state->checkerboard = state->eyeIcon = state->brushIcon = nullptr;
    state->normalCursor = state->dragCursor = nullptr;
    state->menu = nullptr;
}
