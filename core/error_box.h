// The document core tells the user itself when something fails: one box, error icon, OK.
#pragma once

#include <windows.h>

// Captions of the core's boxes.
inline constexpr wchar_t kIoErrorCaption[] = L"I/O Error";
inline constexpr wchar_t kFormatErrorCaption[] = L"Format Error";
inline constexpr wchar_t kErrorCaption[] = L"Error";
inline constexpr wchar_t kMemoryErrorCaption[] = L"Memory Allocation Error";

void ShowErrorBox(HWND owner, const wchar_t* text, const wchar_t* caption);
