// Copy and Paste of pictures through the Windows clipboard, as CF_DIB blocks.
#include "clipboard_dib.h"
#include "common/gdiplus_pixels.h"
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

// Hands the encoded picture to the open clipboard, which then owns the memory.
void PutPicture(Bitmap* bitmap, int width, int height)
{
    BitmapLock lock(bitmap, Gdiplus::ImageLockModeRead);
    const PixelView pixels = lock.ok() ? AreaOf(lock, width, height) : PixelView{};
    const size_t size = ClipboardBlockSize(width, height);
    if (!pixels.pixels || size == 0)
        return;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
    uint8_t* block = memory ? static_cast<uint8_t*>(GlobalLock(memory)) : nullptr;
    const bool encoded = block && EncodeClipboardBlock(pixels, block, size);
    if (block)
        GlobalUnlock(memory);
    if (memory && (!encoded || !SetClipboardData(CF_DIB, memory)))
        GlobalFree(memory);
}

Bitmap* TakePicture()
{
    HANDLE data = GetClipboardData(CF_DIB);
    const uint8_t* block = data ? static_cast<const uint8_t*>(GlobalLock(data)) : nullptr;
    if (!block)
        return nullptr;
    DecodedPicture picture;
    const bool decoded = DecodeClipboardBlock(block, GlobalSize(data), &picture);
    GlobalUnlock(data);
    return decoded ? BitmapFromPixels(picture.View()) : nullptr;
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
