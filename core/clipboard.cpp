// Copy and Paste of pictures through the Windows clipboard: CF_DIB blocks both ways, "PNG"
// beside them on Copy, and "PNG" or a version 5 block with alpha first on Paste.
#include <shlwapi.h>

#include <cstring>
#include <vector>

#include "clipboard_dib.h"
#include "clipboard_formats.h"
#include "common/gdiplus_pixels.h"
#include "common/image_encoders.h"
#include "pyx.h"

namespace {

// The top-left width x height of the bitmap, or an empty view when the bitmap is smaller.
PixelView AreaOf(const BitmapLock& lock, int width, int height)
{
    PixelView view = lock.view();
    if (view.width < width || view.height < height)
        return {};
    view.width = width;
    view.height = height;
    return view;
}

// Hands a copy of the bytes to the open clipboard as `format`; the clipboard then owns it.
void PutBytes(UINT format, const std::vector<uint8_t>& bytes)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, bytes.size());
    void* block = memory ? GlobalLock(memory) : nullptr;
    if (block) {
        std::memcpy(block, bytes.data(), bytes.size());
        GlobalUnlock(memory);
    }
    if (memory && (!block || !SetClipboardData(format, memory)))
        GlobalFree(memory);
}

void PutPicture(Bitmap* bitmap, int width, int height)
{
    BitmapLock lock(bitmap, Gdiplus::ImageLockModeRead);
    const PixelView pixels = lock.ok() ? AreaOf(lock, width, height) : PixelView{};
    std::vector<uint8_t> block(ClipboardBlockSize(width, height));
    if (!pixels.pixels || block.empty() || !EncodeClipboardBlock(pixels, block.data(), block.size()))
        return;
    PutBytes(CF_DIB, block);
    // Beside the bitmap, the same picture as PNG, so other programs get its transparency too.
    const std::vector<uint8_t> png = EncodePng(pixels);
    const UINT pngFormat = PngClipboardFormat();
    if (!png.empty() && pngFormat)
        PutBytes(pngFormat, png);
}

// A PNG becomes 32-bit ARGB through GDI+, alpha kept. Its header is checked first, so GDI+
// is never asked to make a picture larger than we take.
Bitmap* DecodePng(const uint8_t* bytes, size_t size)
{
    int width = 0, height = 0;
    if (size > 0x7FFFFFFF || !ReadPngSize(bytes, size, &width, &height))
        return nullptr;
    IStream* stream = SHCreateMemStream(bytes, UINT(size));  // a copy, so the clipboard can be unlocked
    if (!stream)
        return nullptr;
    Bitmap* result = nullptr;
    Bitmap* png = new Bitmap(stream);
    if (png->GetLastStatus() == Gdiplus::Ok && int(png->GetWidth()) == width && int(png->GetHeight()) == height) {
        BitmapLock from(png, Gdiplus::ImageLockModeRead);
        if (from.ok())
            result = BitmapFromPixels(from.view());
    }
    delete png;
    stream->Release();
    return result;
}

Bitmap* DecodeDib(const uint8_t* block, size_t size)
{
    DecodedPicture picture;
    return DecodeClipboardBlock(block, size, &picture) ? BitmapFromPixels(picture.View()) : nullptr;
}

enum class Taken { kNotOffered, kRefused, kPicture };

// Reads one clipboard format with `decode`; a version 5 block without an alpha mask counts as
// not offered, so that its CF_DIB form is read by the plain rules instead.
Taken TakeFormat(UINT format, Bitmap* (*decode)(const uint8_t*, size_t), Bitmap** picture)
{
    if (!format || !IsClipboardFormatAvailable(format))
        return Taken::kNotOffered;
    HANDLE data = GetClipboardData(format);
    const uint8_t* bytes = data ? static_cast<const uint8_t*>(GlobalLock(data)) : nullptr;
    if (!bytes)
        return Taken::kRefused;
    const size_t size = GlobalSize(data);
    Taken taken = Taken::kRefused;
    if (format == CF_DIBV5 && !ClipboardBlockHasAlphaMask(bytes, size))
        taken = Taken::kNotOffered;
    else if ((*picture = decode(bytes, size)) != nullptr)
        taken = Taken::kPicture;
    GlobalUnlock(data);
    return taken;
}

// The first picture the clipboard offers, in the order that keeps the most of it: PNG, a
// version 5 bitmap with alpha, then the plain bitmap. A malformed first offer is refused.
Bitmap* TakePicture()
{
    struct Source {
        UINT format;
        Bitmap* (*decode)(const uint8_t*, size_t);
    };
    const Source sources[] = {{PngClipboardFormat(), DecodePng}, {CF_DIBV5, DecodeDib}, {CF_DIB, DecodeDib}};
    for (const Source& source : sources) {
        Bitmap* picture = nullptr;
        const Taken taken = TakeFormat(source.format, source.decode, &picture);
        if (taken != Taken::kNotOffered)
            return picture;
    }
    return nullptr;
}

}  // namespace

PYX_API int PYX_CopyImageToClipboard(HWND owner, Bitmap* bitmap, uint16_t width, uint16_t height)
{
    if (!OpenClipboard(owner))
        return 0;
    if (EmptyClipboard() && bitmap)
        PutPicture(bitmap, width, height);
    return CloseClipboard() ? 1 : 0;
}

PYX_API Bitmap* PYX_GetImageFromClipboard(HWND owner)
{
    if (!OpenClipboard(owner))
        return nullptr;
    Bitmap* bitmap = TakePicture();
    CloseClipboard();
    return bitmap;
}
