// Reading icon libraries: every icon image of an NE or PE module becomes an Image.
#include <windows.h>

#include <atomic>
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

// The blocks are decoded by a few threads at once, each taking the next block not yet
// taken; the Images keep the order of their blocks.
struct DecodeJob {
    const std::vector<uint8_t>* file;
    const std::vector<LibraryIconBlock>* blocks;
    std::vector<Image*> images;
    std::atomic<size_t> next{0};
    std::atomic<bool> failed{false};
};

constexpr int kDecoderThreads = 2;  // besides the calling thread

DWORD WINAPI DecodeBlocks(LPVOID parameter)
{
    DecodeJob* job = static_cast<DecodeJob*>(parameter);
    const std::vector<uint8_t>& file = *job->file;
    while (!job->failed) {
        const size_t index = job->next++;
        if (index >= job->blocks->size())
            break;
        job->images[index] = ImageFromBlock(LibraryBlockBytes(file.data(), file.size(), (*job->blocks)[index]));
        if (!job->images[index])
            job->failed = true;  // an icon image no decoder understands
    }
    return 0;
}

void RunDecoders(DecodeJob* job)
{
    HANDLE threads[kDecoderThreads] = {};
    int started = 0;
    for (int i = 0; i < kDecoderThreads && job->blocks->size() > 1; i++)
        if ((threads[started] = CreateThread(nullptr, 0, DecodeBlocks, job, 0, nullptr)))
            started++;
    DecodeBlocks(job);
    if (started > 0)
        WaitForMultipleObjects(DWORD(started), threads, TRUE, INFINITE);
    for (int i = 0; i < started; i++)
        CloseHandle(threads[i]);
}

LibraryStatus AppendLibraryImages(const std::vector<uint8_t>& file, Resource* resource)
{
    std::vector<LibraryIconBlock> blocks;
    const LibraryStatus status = FindLibraryIcons(file.data(), file.size(), &blocks);
    if (status != LibraryStatus::kOk)
        return status;
    DecodeJob job;
    job.file = &file;
    job.blocks = &blocks;
    job.images.assign(blocks.size(), nullptr);
    RunDecoders(&job);
    if (job.failed) {
        for (Image* image : job.images)
            if (image)
                PYX_DeleteImage(image);
        return LibraryStatus::kNotValid;
    }
    ImageAppender images{resource};
    for (Image* image : job.images)
        images.Append(image);
    return LibraryStatus::kOk;
}

}  // namespace

PYX_API Resource* PYX_GetLibraryIcons(HWND owner, const wchar_t* path)
{
    if (!path)
        return nullptr;
    BorrowedBytes borrowed;
    std::vector<uint8_t>& file = borrowed.bytes();
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
