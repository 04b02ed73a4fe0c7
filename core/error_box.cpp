#include "error_box.h"

void ShowErrorBox(HWND owner, const wchar_t* text, const wchar_t* caption)
{
    MessageBoxW(owner, text, caption, MB_OK | MB_ICONERROR);
}
