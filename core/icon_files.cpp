// Icon (.ico) and cursor (.cur) files: the exported loaders and writers.
#include <memory>
#include <vector>

#include "common/gdiplus_pixels.h"
#include "error_box.h"
#include "file_io.h"
#include "ico_format.h"
#include "icon_image.h"
#include "locked_composites.h"
#include "palette_objects.h"
#include "pyx.h"
#include "resource_list.h"

namespace {

enum class Loader { kIcon, kCursor };

Resource* FailLoad(HWND owner, Resource* partial, const wchar_t* text)
{
    ShowErrorBox(owner, text, kIoErrorCaption);
    PYX_DoCleanupInternalResource(partial);
    return nullptr;
}

Image* ImageFromEntry(const std::vector<uint8_t>& file, const IconDirEntry& entry, Loader loader)
{
    int blockDepth = 0;
    Image* image = ImageFromIconBlock(file.data() + entry.blockOffset, entry.blockSize, &blockDepth);
    if (!image)
        return nullptr;
    if (loader == Loader::kIcon) {
        image->bitsPerPixel = uint8_t(entry.bitsOrHotspotY ? entry.bitsOrHotspotY : blockDepth);
    } else {
        image->bitsPerPixel = uint8_t(blockDepth);
        image->hotspotX = int16_t(entry.planesOrHotspotX);
        image->hotspotY = int16_t(entry.bitsOrHotspotY);
    }
    return image;
}

Resource* LoadIconOrCursor(HWND owner, const wchar_t* path, Loader loader)
{
    if (!path)
        return nullptr;
    BorrowedBytes buffer;
    std::vector<uint8_t>& file = buffer.bytes();
    FileReadResult read;
    if (!ReadDocumentFile(owner, path, L"Error Opening File for Reading", &file, &read))
        return nullptr;
    Resource* resource = NewResourceForFile(path, loader == Loader::kIcon ? kIconFileKind : kCursorFileKind);
    IconDirectory directory;
    if (read != FileReadResult::kOk ||
        !ParseIconDirectory(file.data(), file.size(), loader == Loader::kCursor, &directory))
        return FailLoad(owner, resource, L"Error Reading File");
    ImageAppender images{resource};
    for (const IconDirEntry& entry : directory.entries) {
        Image* image = ImageFromEntry(file, entry, loader);
        if (!image)
            return FailLoad(owner, resource, L"Error Reading File");
        images.Append(image);
    }
    return resource;
}

int SaveImages(HWND owner, const wchar_t* path, Image* first, int count, IconFileType type)
{
    const wchar_t* writeError = type == kIconFileType ? L"Error Writing Icon File" : L"Error Writing Cursor File";
    SharedPalettes palettes;
    if (!CreateSharedPalettes(&palettes)) {
        ShowErrorBox(owner, L"Can not initialize internal palettes", kMemoryErrorCaption);
        return 0;
    }
    BorrowedBytes buffer;
    std::vector<uint8_t>& bytes = buffer.bytes();
    LockedComposites locked;
    FileWriteResult written = FileWriteResult::kCannotWrite;
    if (LockComposites(first, count, &locked)) {
        BuildIconFile(type, locked.images, &bytes);
        written = WriteWholeFileSafely(path, bytes.data(), bytes.size());
    }
    DeleteSharedPalettes(&palettes);
    if (written == FileWriteResult::kCannotCreate)
        ShowErrorBox(owner, L"Error Opening File for Writing", kIoErrorCaption);
    else if (written == FileWriteResult::kCannotWrite)
        ShowErrorBox(owner, writeError, kIoErrorCaption);
    return written == FileWriteResult::kOk ? 1 : 0;
}

}  // namespace

PYX_API Resource* PYX_LoadIconFromFile(HWND owner, const wchar_t* path)
{
    return LoadIconOrCursor(owner, path, Loader::kIcon);
}

PYX_API Resource* PYX_LoadCursorFromFile(HWND owner, const wchar_t* path)
{
    return LoadIconOrCursor(owner, path, Loader::kCursor);
}

PYX_API int PYX_SaveIconToFile(HWND owner, const wchar_t* path, Resource* resource)
{
    if (!path || !resource)
        return 0;
    return SaveImages(owner, path, resource->firstImage, resource->imageCount, kIconFileType);
}

PYX_API int PYX_SaveCursorToFile(HWND owner, const wchar_t* path, Resource* resource)
{
    if (!path || !resource)
        return 0;
    return SaveImages(owner, path, resource->firstImage, resource->imageCount, kCursorFileType);
}

PYX_API int PYX_SaveSingleImageAsIcon(HWND owner, const wchar_t* path, Image* image)
{
    if (!path || !image)
        return 0;
    return SaveImages(owner, path, image, 1, kIconFileType);
}

PYX_API int PYX_SaveSingleImageAsCursor(HWND owner, const wchar_t* path, Image* image)
{
    if (!path || !image)
        return 0;
    return SaveImages(owner, path, image, 1, kCursorFileType);
}
