#include "controls_strip.h"

#include <commctrl.h>

#include "resource_ids.h"
#include "transform/pending_transform.h"
#include "transform/transform_controls.h"
#include "view_update.h"

namespace {

constexpr wchar_t kStripClass[] = L"VxCtrlsArea";
constexpr int kReadoutX = 29;
constexpr int kReadoutY = 13;
constexpr int kPanelInset = 3;
constexpr int kPanelHeight = 49;
constexpr int kCornerRadius = 10;
constexpr int kButtonSide = 25;
constexpr int kBarLeft = 120;

Gdiplus::Color GdiplusColor(COLORREF color)
{
    return Gdiplus::Color(255, GetRValue(color), GetGValue(color), GetBValue(color));
}

void FillRoundedPanel(const EditAreaState& state, Gdiplus::Graphics& graphics)
{
    const float left = kPanelInset;
    const float top = kPanelInset;
    const float width = static_cast<float>(state.frameWidth - 10);
    const float height = kPanelHeight;
    const float diameter = 2.0f * kCornerRadius;
    Gdiplus::GraphicsPath panel;
    panel.AddArc(left, top, diameter, diameter, 180, 90);
    panel.AddArc(left + width - diameter, top, diameter, diameter, 270, 90);
    panel.AddArc(left + width - diameter, top + height - diameter, diameter, diameter, 0, 90);
    panel.AddArc(left, top + height - diameter, diameter, diameter, 90, 90);
    panel.CloseFigure();
    Gdiplus::SolidBrush face(GdiplusColor(state.colors.face));
    Gdiplus::Pen outline(Gdiplus::Color(255, 0, 0, 0), 2.0f);
    graphics.FillPath(&face, &panel);
    graphics.DrawPath(&outline, &panel);
}

void DrawReadout(const EditAreaState& state, HDC dc)
{
    TabbedTextOutW(dc, kReadoutX, kReadoutY, state.statusText.c_str(), static_cast<int>(state.statusText.size()),
                   0, nullptr, kReadoutX);
}

// The readout, or during a transformation its labels, in the strip's font and text color.
void DrawStripText(const EditAreaState& state, HDC dc)
{
    HGDIOBJ previousFont = SelectObject(dc, state.readoutFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, state.colors.text);
    if (state.transformPending)
        DrawTransformLabels(state, dc);
    else
        DrawReadout(state, dc);
    SelectObject(dc, previousFont);
}

bool StripPanelCurrent(const EditAreaState& state)
{
    const BackBuffer& panel = state.stripPanel;
    return panel.dc && panel.pixels.width == state.stripBuffer.pixels.width &&
           panel.pixels.height == state.stripBuffer.pixels.height && state.stripPanelFrameWidth == state.frameWidth &&
           state.stripPanelColors.frame == state.colors.frame && state.stripPanelColors.face == state.colors.face;
}

// Draws the panel into its own buffer when the size or the colors have changed; false when
// that buffer cannot be made.
bool UpdateStripPanel(EditAreaState& state)
{
    if (StripPanelCurrent(state))
        return true;
    BackBuffer& panel = state.stripPanel;
    if (!RebuildBackBuffer(panel, state.stripBuffer.pixels.width, state.stripBuffer.pixels.height))
        return false;
    RECT all{0, 0, panel.pixels.width, panel.pixels.height};
    HBRUSH frameBrush = CreateSolidBrush(state.colors.frame);
    FillRect(panel.dc, &all, frameBrush);
    DeleteObject(frameBrush);
    {
        Gdiplus::Graphics graphics(panel.dc);
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        FillRoundedPanel(state, graphics);
    }
    state.stripPanelColors = state.colors;
    state.stripPanelFrameWidth = state.frameWidth;
    return true;
}

void PaintStrip(EditAreaState& state, HDC target)
{
    const BackBuffer& buffer = state.stripBuffer;
    if (!buffer.dc || !UpdateStripPanel(state))
        return;
    PresentBackBuffer(state.stripPanel, buffer.dc);
    DrawStripText(state, buffer.dc);
    PresentBackBuffer(buffer, target);
}

void OnStripPaint(EditAreaState& state, HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    PaintStrip(state, dc);
    EndPaint(window, &paint);
}

void OnStripCommand(EditAreaState& state, int id, int code)
{
    if (id == IDC_SHOW_GRID && code == BN_CLICKED) {
        state.showGrid = SendMessageW(state.showGridBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
        RedrawCanvas(state);
    } else if (id == IDC_APPLY && code == BN_CLICKED) {
        ApplyTransformation(state);
    } else if (id == IDC_CANCEL && code == BN_CLICKED) {
        CancelTransformation(state);
    }
}

void OnStripSize(EditAreaState& state, int width, int height)
{
    RebuildBackBuffer(state.stripBuffer, width, height);
    const int frameWidth = state.frameWidth;
    SetWindowPos(state.applyButton, nullptr, frameWidth - 74, 13, kButtonSide, kButtonSide, SWP_NOZORDER);
    SetWindowPos(state.cancelButton, nullptr, frameWidth - 44, 13, kButtonSide, kButtonSide, SWP_NOZORDER);
    for (HWND bar : {state.angleBar, state.widthBar, state.heightBar}) {
        RECT rect{};
        GetWindowRect(bar, &rect);
        MapWindowPoints(nullptr, state.strip, reinterpret_cast<POINT*>(&rect), 1);
        SetWindowPos(bar, nullptr, rect.left, rect.top, frameWidth - 204, 20, SWP_NOZORDER);
    }
    InvalidateRect(state.strip, nullptr, FALSE);
}

LRESULT CALLBACK StripProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    EditAreaState& state = Easel();
    switch (message) {
    case WM_PAINT:
        OnStripPaint(state, window);
        return 0;
    case WM_PRINTCLIENT:
        PaintStrip(state, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        if (state.strip)
            OnStripSize(state, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_COMMAND:
        OnStripCommand(state, LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_HSCROLL:
        TrackTransformation(state, reinterpret_cast<HWND>(lParam), LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_MOUSEMOVE:
        SetFocus(state.parent);
        return 0;
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_DISPLAYCHANGE:
        OnStripSize(state, state.frameWidth - kCanvasWidthInset, kStripHeight);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The apply and cancel buttons show their picture centered over the normal button face.
void DrawButtonPicture(HWND button, HDC dc, Bitmap* picture)
{
    if (!picture)
        return;
    RECT client{};
    GetClientRect(button, &client);
    const int width = static_cast<int>(picture->GetWidth());
    const int height = static_cast<int>(picture->GetHeight());
    Gdiplus::Graphics graphics(dc);
    graphics.DrawImage(picture, (client.right - width) / 2, (client.bottom - height) / 2, width, height);
}

LRESULT CALLBACK PictureButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR picture)
{
    const LRESULT result = DefSubclassProc(button, message, wParam, lParam);
    if (message == WM_PAINT) {
        HDC dc = GetDC(button);
        DrawButtonPicture(button, dc, reinterpret_cast<Bitmap*>(picture));
        ReleaseDC(button, dc);
    } else if (message == WM_PRINTCLIENT) {
        DrawButtonPicture(button, reinterpret_cast<HDC>(wParam), reinterpret_cast<Bitmap*>(picture));
    }
    return result;
}

HWND CreateChild(const EditAreaState& state, const wchar_t* className, DWORD style, int x, int y, int width,
                 int height, int id)
{
    return CreateWindowExW(0, className, L"", WS_CHILD | style, x, y, width, height, state.strip,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), state.instance, nullptr);
}

void CreateStripControls(EditAreaState& state)
{
    const int width = state.frameWidth;
    state.showGridBox = CreateChild(state, WC_BUTTONW, WS_VISIBLE | BS_AUTOCHECKBOX, 13, 13, 15, 14, IDC_SHOW_GRID);
    state.applyButton = CreateChild(state, WC_BUTTONW, BS_PUSHBUTTON, width - 74, 13, kButtonSide, kButtonSide,
                                    IDC_APPLY);
    state.cancelButton = CreateChild(state, WC_BUTTONW, BS_PUSHBUTTON, width - 44, 13, kButtonSide, kButtonSide,
                                     IDC_CANCEL);
    state.angleBar = CreateChild(state, TRACKBAR_CLASSW, TBS_TOOLTIPS, kBarLeft, 18, width - 204, 20, IDC_ANGLE);
    state.widthBar = CreateChild(state, TRACKBAR_CLASSW, TBS_TOOLTIPS, kBarLeft, 8, width - 204, 20, IDC_WIDTH);
    state.heightBar = CreateChild(state, TRACKBAR_CLASSW, TBS_TOOLTIPS, kBarLeft, 28, width - 204, 20, IDC_HEIGHT);
    SetBarRange(state.angleBar, -180, 180, 0);
    state.applyPicture = PYX_LoadCustomImageResource(state.instance, IDP_APPLY, L"RT_CIM");
    state.cancelPicture = PYX_LoadCustomImageResource(state.instance, IDP_CANCEL, L"RT_CIM");
    SetWindowSubclass(state.applyButton, PictureButtonProc, IDC_APPLY, reinterpret_cast<DWORD_PTR>(state.applyPicture));
    SetWindowSubclass(state.cancelButton, PictureButtonProc, IDC_CANCEL,
                      reinterpret_cast<DWORD_PTR>(state.cancelPicture));
}

HFONT CreateReadoutFont()
{
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    return CreateFontW(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
}

}  // namespace

bool CreateControlsStrip(EditAreaState& state)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = StripProc;
    windowClass.hInstance = state.instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    windowClass.lpszClassName = kStripClass;
    if (!RegisterClassExW(&windowClass))
        return false;
    state.stripClassRegistered = true;
    state.statusText = EmptyReadout();
    state.readoutFont = CreateReadoutFont();
    state.strip = CreateWindowExW(0, kStripClass, state.statusText.c_str(), WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                  kFrameBorder, state.frameHeight - kStripTopInset, state.frameWidth - kCanvasWidthInset,
                                  kStripHeight, state.frame, nullptr, state.instance, nullptr);
    if (!state.strip)
        return false;
    RebuildBackBuffer(state.stripBuffer, state.frameWidth - kCanvasWidthInset, kStripHeight);
    CreateStripControls(state);
    return true;
}

void DestroyControlsStrip(EditAreaState& state)
{
    if (state.strip)
        DestroyWindow(state.strip);  // takes the controls with it
    state.strip = nullptr;
    state.showGridBox = state.applyButton = state.cancelButton = nullptr;
    state.angleBar = state.widthBar = state.heightBar = nullptr;
    delete state.applyPicture;
    delete state.cancelPicture;
    state.applyPicture = state.cancelPicture = nullptr;
    if (state.readoutFont)
        DeleteObject(state.readoutFont);
    state.readoutFont = nullptr;
    ReleaseBackBuffer(state.stripBuffer);
    ReleaseBackBuffer(state.stripPanel);
    if (state.stripClassRegistered)
        UnregisterClassW(kStripClass, state.instance);
    state.stripClassRegistered = false;
}

void LayOutControlsStrip(EditAreaState& state)
{
    if (state.strip)
        SetWindowPos(state.strip, nullptr, kFrameBorder, state.frameHeight - kStripTopInset,
                     state.frameWidth - kCanvasWidthInset, kStripHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetStatusText(EditAreaState& state, const std::wstring& text)
{
    if (text == state.statusText)
        return;
    state.statusText = text;
    // The window text carries the readout too, for accessibility tools.
    SetWindowTextW(state.strip, text.c_str());
    RedrawWindow(state.strip, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}
