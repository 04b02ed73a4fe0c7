#include "readout_text.h"

std::wstring PixelReadout(uint32_t color, int x, int y)
{
    return L"Show Grid Lines\tA : " + std::to_wstring(color >> 24) + L"\tR : " +
           std::to_wstring((color >> 16) & 0xFF) + L"\tG : " + std::to_wstring((color >> 8) & 0xFF) +
           L"\tB : " + std::to_wstring(color & 0xFF) + L"\t\tX : " + std::to_wstring(x) + L"\tY : " +
           std::to_wstring(y);
}

std::wstring EmptyReadout()
{
    return L"Show Grid Lines\tA : \tR : \tG : \tB : \t\tX : \tY : ";
}
