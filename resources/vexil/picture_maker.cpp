// Draws the pictures of vexil.exe as PNG files: the splash and About pictures and the
// application icon at each of its sizes. It is run by hand (under Wine on Linux) whenever
// the artwork changes; the PNG files it writes are kept beside it and converted by the build.
//
//   x86_64-w64-mingw32-g++ -O2 -municode -static picture_maker.cpp -lgdiplus -o picture_maker.exe
//   wine picture_maker.exe OUTPUT_FOLDER
#include <windows.h>
#include <gdiplus.h>

#include <cstdio>
#include <string>

using namespace Gdiplus;

namespace {

constexpr wchar_t kFace[] = L"Liberation Sans";

bool FindPngEncoder(CLSID* encoder)
{
    UINT count = 0, size = 0;
    GetImageEncodersSize(&count, &size);
    std::string buffer(size, '\0');
    auto* codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
    GetImageEncoders(count, size, codecs);
    for (UINT i = 0; i < count; i++) {
        if (std::wstring(codecs[i].MimeType) == L"image/png") {
            *encoder = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

GraphicsPath* RoundedSquare(REAL x, REAL y, REAL size, REAL radius)
{
    auto* path = new GraphicsPath();
    const REAL d = radius * 2;
    path->AddArc(x, y, d, d, 180, 90);
    path->AddArc(x + size - d, y, d, d, 270, 90);
    path->AddArc(x + size - d, y + size - d, d, d, 0, 90);
    path->AddArc(x, y + size - d, d, d, 90, 90);
    path->CloseFigure();
    return path;
}

// The emblem: a rounded tile in indigo and violet carrying a white V whose foot rests on a
// row of four colored pixels, the editor's subject.
void DrawEmblem(Graphics* g, REAL x, REAL y, REAL size)
{
    g->SetSmoothingMode(SmoothingModeAntiAlias);
    g->SetPixelOffsetMode(PixelOffsetModeHalf);
    const REAL radius = size * 0.22f;
    if (size >= 40) {  // a soft shadow under the tile
        GraphicsPath* shadow = RoundedSquare(x + size * 0.02f, y + size * 0.05f, size * 0.96f, radius);
        SolidBrush shadowBrush(Color(60, 10, 10, 40));
        g->FillPath(&shadowBrush, shadow);
        delete shadow;
    }
    const REAL inset = size >= 40 ? size * 0.04f : 0.0f;
    const REAL tile = size - 2 * inset;
    GraphicsPath* square = RoundedSquare(x + inset, y + inset, tile, radius);
    LinearGradientBrush fill(PointF(x, y), PointF(x + size, y + size), Color(255, 58, 96, 230),
                             Color(255, 128, 64, 214));
    g->FillPath(&fill, square);
    if (size >= 32) {  // a gentle light on the upper half
        Region clip(square);
        g->SetClip(&clip);
        LinearGradientBrush gloss(PointF(x, y), PointF(x, y + size * 0.55f), Color(70, 255, 255, 255),
                                  Color(0, 255, 255, 255));
        g->FillEllipse(&gloss, x - size * 0.3f, y - size * 0.62f, size * 1.6f, size * 1.1f);
        g->ResetClip();
    }
    delete square;

    const REAL stroke = size * 0.15f;
    Pen pen(Color(255, 255, 255, 255), stroke);
    pen.SetLineJoin(LineJoinRound);
    pen.SetStartCap(LineCapRound);
    pen.SetEndCap(LineCapRound);
    const bool pixels = size >= 24;
    const REAL bottom = pixels ? 0.62f : 0.74f;
    PointF v[3] = {PointF(x + size * 0.28f, y + size * 0.26f), PointF(x + size * 0.5f, y + size * bottom),
                   PointF(x + size * 0.72f, y + size * 0.26f)};
    g->DrawLines(&pen, v, 3);
    if (!pixels)
        return;
    const Color colors[4] = {Color(255, 255, 94, 98), Color(255, 255, 204, 64), Color(255, 72, 214, 132),
                             Color(255, 64, 196, 255)};
    const REAL cell = size * 0.1f, gap = size * 0.03f;
    const REAL rowWidth = 4 * cell + 3 * gap;
    g->SetSmoothingMode(size >= 64 ? SmoothingModeAntiAlias : SmoothingModeNone);
    for (int i = 0; i < 4; i++) {
        SolidBrush brush(colors[i]);
        g->FillRectangle(&brush, x + (size - rowWidth) / 2 + i * (cell + gap), y + size * 0.73f, cell, cell);
    }
    g->SetSmoothingMode(SmoothingModeAntiAlias);
}

void DrawText(Graphics* g, const wchar_t* text, REAL size, int style, REAL x, REAL y, const Color& color,
              StringAlignment align = StringAlignmentNear)
{
    FontFamily family(kFace);
    StringFormat format;
    format.SetAlignment(align);
    GraphicsPath path;
    path.AddString(text, -1, &family, style, size, PointF(x, y), &format);
    SolidBrush brush(color);
    g->SetSmoothingMode(SmoothingModeAntiAlias);
    g->FillPath(&brush, &path);
}

// A faint pixel grid, the editor's canvas, fading out to the right.
void DrawGrid(Graphics* g, int width, int height, REAL cell, BYTE alpha)
{
    for (REAL x = 0; x < width; x += cell) {
        Pen pen(Color(BYTE(alpha * (1.0f - x / width)), 255, 255, 255), 1);
        g->DrawLine(&pen, x, 0.0f, x, REAL(height));
    }
    for (REAL y = 0; y < height; y += cell) {
        LinearGradientBrush line(PointF(0, 0), PointF(REAL(width), 0), Color(alpha, 255, 255, 255),
                                 Color(0, 255, 255, 255));
        Pen pen(&line, 1);
        g->DrawLine(&pen, 0.0f, y, REAL(width), y);
    }
}

bool Save(Bitmap* bitmap, const std::wstring& path)
{
    CLSID png;
    if (!FindPngEncoder(&png) || bitmap->Save(path.c_str(), &png, nullptr) != Ok) {
        fwprintf(stderr, L"could not write %ls\n", path.c_str());
        return false;
    }
    return true;
}

bool MakeSplash(const std::wstring& folder)
{
    Bitmap bitmap(400, 251, PixelFormat32bppARGB);
    Graphics g(&bitmap);
    LinearGradientBrush background(PointF(0, 0), PointF(400, 251), Color(255, 20, 26, 64), Color(255, 52, 30, 96));
    g.FillRectangle(&background, 0, 0, 400, 251);
    g.SetSmoothingMode(SmoothingModeNone);
    DrawGrid(&g, 400, 251, 12, 18);
    DrawEmblem(&g, 34, 58, 124);
    DrawText(&g, L"Vexil", 58, FontStyleBold, 178, 62, Color(255, 255, 255, 255));
    DrawText(&g, L"Icon Editor", 21, FontStyleRegular, 182, 128, Color(255, 200, 208, 255));
    DrawText(&g, L"Version 1.0", 12, FontStyleRegular, 183, 160, Color(255, 150, 160, 214));
    SolidBrush rule(Color(90, 255, 255, 255));
    g.FillRectangle(&rule, 24, 212, 352, 1);
    DrawText(&g, L"Icons, cursors and animated cursors", 10.5f, FontStyleRegular, 24, 222,
             Color(255, 170, 178, 226));
    DrawText(&g, L"Starting\x2026", 10.5f, FontStyleRegular, 376, 222, Color(255, 170, 178, 226),
             StringAlignmentFar);
    return Save(&bitmap, folder + L"\\splash.png");
}

bool MakeAbout(const std::wstring& folder)
{
    Bitmap bitmap(400, 292, PixelFormat32bppARGB);
    Graphics g(&bitmap);
    LinearGradientBrush band(PointF(0, 0), PointF(400, 128), Color(255, 20, 26, 64), Color(255, 52, 30, 96));
    g.FillRectangle(&band, 0, 0, 400, 128);
    g.SetSmoothingMode(SmoothingModeNone);
    DrawGrid(&g, 400, 128, 12, 18);
    SolidBrush paper(Color(255, 250, 250, 253));
    g.FillRectangle(&paper, 0, 128, 400, 164);
    DrawEmblem(&g, 28, 20, 92);
    DrawText(&g, L"Vexil", 46, FontStyleBold, 134, 22, Color(255, 255, 255, 255));
    DrawText(&g, L"Icon Editor \x2014 Version 1.0", 15, FontStyleRegular, 138, 80, Color(255, 200, 208, 255));
    const Color ink(255, 48, 52, 72), soft(255, 110, 116, 140);
    DrawText(&g, L"Draw and edit Windows icons, cursors and animated", 11.5f, FontStyleRegular, 28, 146, ink);
    DrawText(&g, L"cursors with layers, shapes, filters and effects.", 11.5f, FontStyleRegular, 28, 164, ink);
    DrawText(&g, L"Opens .ico, .cur, .ani, .fic and icon libraries.", 11.5f, FontStyleRegular, 28, 190, soft);
    SolidBrush rule(Color(255, 222, 224, 236));
    g.FillRectangle(&rule, 28, 226, 344, 1);
    DrawText(&g, L"Copyright \x00A9 2026 The Vexil developers.", 10.5f, FontStyleRegular, 28, 238, soft);
    DrawText(&g, L"All rights reserved.", 10.5f, FontStyleRegular, 28, 256, soft);
    return Save(&bitmap, folder + L"\\about.png");
}

bool MakeIcon(const std::wstring& folder, int size)
{
    Bitmap bitmap(size, size, PixelFormat32bppARGB);
    Graphics g(&bitmap);
    g.Clear(Color(0, 0, 0, 0));
    DrawEmblem(&g, 0, 0, REAL(size));
    return Save(&bitmap, folder + L"\\icon" + std::to_wstring(size) + L".png");
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        fwprintf(stderr, L"usage: picture_maker OUTPUT_FOLDER\n");
        return 2;
    }
    GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (GdiplusStartup(&token, &input, nullptr) != Ok)
        return 1;
    const std::wstring folder = argv[1];
    bool ok = MakeSplash(folder) && MakeAbout(folder);
    for (int size : {16, 24, 32, 48, 256})
        ok = ok && MakeIcon(folder, size);
    GdiplusShutdown(token);
    return ok ? 0 : 1;
}
