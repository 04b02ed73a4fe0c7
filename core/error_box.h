// The document core tells the user itself when something fails: one box, error icon, OK.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "file_io.h"

// Captions of the core's boxes.
inline constexpr wchar_t kIoErrorCaption[] = L"I/O Error";
inline constexpr wchar_t kFormatErrorCaption[] = L"Format Error";
inline constexpr wchar_t kErrorCaption[] = L"Error";
inline constexpr wchar_t kMemoryErrorCaption[] = L"Memory Allocation Error";

void ShowErrorBox(HWND owner, const wchar_t* text, const wchar_t* caption);

// Reads a whole document file into `file`. When the file cannot be opened, shows
// `cannotOpenText` with the I/O error caption and returns false; otherwise `*read` says
// whether all of it could be read.
bool ReadDocumentFile(HWND owner, const wchar_t* path, const wchar_t* cannotOpenText, std::vector<uint8_t>* file,
                      FileReadResult* read);
