// Writing one Image as a picture file, shared by the File menu's export and the image
// list's: the file types of the save dialog, the extension each forces, the question before
// a forced extension replaces another file, and the BMP, JPEG and PNG encoders.
#pragma once

#include <windows.h>

#include <string>

struct Image;  // core/pyx.h

// The export dialog's file types, in their order (the dialog's filter index).
enum class ExportFormat { Bitmap = 1, Jpeg = 2, Png = 3, Icon = 4, Cursor = 5 };

// The save dialog's filter: label and pattern pairs, each ended by a null.
extern const wchar_t kExportFilter[];

// ".bmp", ".jpg", ".png", ".ico" or ".cur" for filter index 1 to 5; ".bmp" otherwise.
const wchar_t* ExportExtension(int filterIndex);

// The path with its extension replaced (or added).
std::wstring WithExtension(const std::wstring& path, const wchar_t* extension);

// The save dialog asked about the name as typed; when the forced extension names another
// file that exists, asks (Yes/No, "Vexil 1.0") before it is replaced. True to go on.
bool MayReplaceForcedPath(HWND owner, const std::wstring& chosen, const std::wstring& path);

// For the save dialog's hook: when the user picks another file type, the name in the name
// box takes that type's extension at once.
void OnExportTypeChange(HWND dialog, int filterIndex);

// Writes the Image's composite as BMP or JPEG (over opaque white, JPEG at quality 100) or as
// PNG (with its alpha). False, with the file as it was, when anything fails.
bool WritePictureFile(const Image& image, ExportFormat format, const std::wstring& path);
