#include "dialog_support.h"

#include <commctrl.h>

#include <vector>

#include "common/gdiplus_pixels.h"

HINSTANCE DialogModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&DialogModule), &module);
    return module;
}

Bitmap* ScaledCopy(Bitmap* source, int width, int height, Gdiplus::InterpolationMode mode)
{
    if (!source || width <= 0 || height <= 0)
        return nullptr;
    Bitmap* copy = NewArgbBitmap(width, height);
    if (!copy)
        return nullptr;
    Gdiplus::Graphics graphics(copy);
    graphics.Clear(Gdiplus::Color(0, 0, 0, 0));
    graphics.SetCompositingQuality(Gdiplus::CompositingQualityHighQuality);
    graphics.SetInterpolationMode(mode);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    Gdiplus::ImageAttributes edges;  // the border pixels are not blended with transparency
    edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    const Gdiplus::Status drawn =
        graphics.DrawImage(source, Gdiplus::Rect(0, 0, width, height), 0, 0, int(source->GetWidth()),
                           int(source->GetHeight()), Gdiplus::UnitPixel, &edges);
    if (drawn != Gdiplus::Ok) {
        delete copy;
        return nullptr;
    }
    return copy;
}

Bitmap* ReduceToDepth(const AppContext& context, Bitmap* source, int depth, int t, int k)
{
    if (!source)
        return nullptr;
    const uint8_t threshold = uint8_t(t), level = uint8_t(k);
    switch (depth) {
    case 24: return PYX_GetAlphaThresholdedImage(source, threshold);
    case 8: return PYX_GetDitheredImageBasedOnPalette(source, context.palette256, 256, level, threshold, nullptr, 0);
    case 4: return PYX_GetDitheredImageBasedOnPalette(source, context.palette16, 16, level, threshold, nullptr, 0);
    case 1: return PYX_GetDitheredImageBasedOnPalette(source, context.palette2, 2, level, threshold, nullptr, 0);
    default: return CloneBitmap(source);
    }
}

void CenterWindowOver(HWND window, HWND over)
{
    RECT area, own;
    if (!over || !GetWindowRect(over, &area))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(window, &own);
    const int width = own.right - own.left, height = own.bottom - own.top;
    const int x = area.left + (area.right - area.left - width) / 2;
    const int y = area.top + (area.bottom - area.top - height) / 2;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring ItemText(HWND dialog, int id, int most)
{
    std::vector<wchar_t> text(size_t(most) + 1, L'\0');
    GetDlgItemTextW(dialog, id, text.data(), most + 1);
    return text.data();
}

namespace {

LRESULT CALLBACK FocusPasser(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR target)
{
    if (message == WM_SETFOCUS) {
        SetFocus(HWND(target));
        return 0;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void PassFocusFrom(HWND slider, HWND target)
{
    SetWindowSubclass(slider, FocusPasser, 1, DWORD_PTR(target));
}
