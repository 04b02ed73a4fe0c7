// The clipboard formats a picture is pasted from, for Paste itself and for whoever enables
// the Paste commands. Header-only: the menu code needs no new export of the library.
#pragma once

#include <windows.h>

// The registered format in which browsers, Office and most drawing programs put a picture
// with its transparency on the clipboard.
inline UINT PngClipboardFormat()
{
    return RegisterClipboardFormatW(L"PNG");
}

// Whether the clipboard offers a picture that Paste would look at (it may still refuse it).
inline bool ClipboardOffersPicture()
{
    const UINT png = PngClipboardFormat();
    return (png && IsClipboardFormatAvailable(png)) || IsClipboardFormatAvailable(CF_DIBV5) ||
           IsClipboardFormatAvailable(CF_DIB);
}
