// Reading and writing documents by file extension, through the document core.
#pragma once

#include <windows.h>

#include <string>

#include "core/pyx.h"

enum class DocumentFormat { kUnknown, kIcon, kCursor, kAnimatedCursor, kProject };

DocumentFormat FormatOfPath(const std::wstring& path);

// True for the icon libraries we read: .nil, .icl, .exe, .dll, .scr, .ocx and .cpl.
bool IsLibraryPath(const std::wstring& path);

// Null when the extension is not one we read or the core refused the file.
Resource* LoadDocument(const std::wstring& path);

// 0 when the extension is not one we write or the core failed.
int SaveDocument(const std::wstring& path, Resource* document);
