// Reading icon libraries: every icon image of an NE or PE module becomes an Image.
#include <vector>

#include "error_box.h"
#include "file_io.h"
#include "icon_image.h"
#include "library_format.h"
#include "pyx.h"
#include "resource_list.h"

namespace {

struct LibraryMessage {
    const wchar_t* text;
    const wchar_t* caption;
};

LibraryMessage MessageFor(LibraryStatus status)
{
    switch (status) {
    case LibraryStatus::kReadError: return {L"Error Reading Library", kIoErrorCaption};
    case LibraryStatus::kFormatNotSupported: return {L"Library Format is not supported", kFormatErrorCaption};
    case LibraryStatus::kNoResourceSection: return {L"There's no resource in this Library", L"Resource not found"};
    case LibraryStatus::kNoIconType: return {L"There's no icon in this Library", L"Icon not found"};
    case LibraryStatus::kNoIconInTable: return {L"There's no Icon in this Library", L"Icon Not Found"};
    case LibraryStatus::kNotValid:
    default: return {L"Library is not valid", kFormatErrorCaption};
    }
}

// Width and depth come from the block itself, the height is half the header's height
// (that is what the decoder reports for the picture).
Image* ImageFromBlock(const std::vector<uint8_t>& block)
{
    int depth = 0;
    Image* image = block.empty() ? nullptr : ImageFromIconBlock(block.data(), block.size(), &depth);
    if (image)
        image->bitsPerPixel = uint8_t(depth);
    return image;
}

LibraryStatus AppendLibraryImages(const std::vector<uint8_t>& file, Resource* resource)
{
    std::vector<LibraryIconBlock> blocks;
    const LibraryStatus status = FindLibraryIcons(file.data(), file.size(), &blocks);
    if (status != LibraryStatus::kOk)
        return status;
    ImageAppender images{resource};
    for (const LibraryIconBlock& block : blocks) {
        Image* image = ImageFromBlock(LibraryBlockBytes(file.data(), file.size(), block));
        if (!image)
            return LibraryStatus::kNotValid;  // an icon image no decoder understands
        images.Append(image);
    }
    return LibraryStatus::kOk;
}

}  // namespace

PYX_API Resource* PYX_GetLibraryIcons(HWND owner, const wchar_t* path)
{
    if (!path)
        return nullptr;
    std::vector<uint8_t> file;
    const FileReadResult read = ReadWholeFile(path, kMaxDocumentFileSize, &file);
    if (read == FileReadResult::kCannotOpen) {
        ShowErrorBox(owner, L"Error Opening Library for Reading", kIoErrorCaption);
        return nullptr;
    }
    Resource* resource = NewResourceForFile(path, kProjectFileKind);  // libraries share the project's kind
    const LibraryStatus status =
        read == FileReadResult::kOk ? AppendLibraryImages(file, resource) : LibraryStatus::kReadError;
    if (status != LibraryStatus::kOk) {
        const LibraryMessage message = MessageFor(status);
        ShowErrorBox(owner, message.text, message.caption);
        PYX_DoCleanupInternalResource(resource);
        return nullptr;
    }
    return resource;
}
