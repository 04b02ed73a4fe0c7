// Animated cursor files (.ani): the exported loader and writer over the platform-free layout.
#include <cwchar>
#include <memory>
#include <vector>

#include "ani_format.h"
#include "locked_composites.h"
#include "common/gdiplus_pixels.h"
#include "error_box.h"
#include "file_io.h"
#include "icon_image.h"
#include "palette_objects.h"
#include "pyx.h"
#include "resource_list.h"

namespace {

constexpr int kMaxTextUnits = 199;

// Title and creator travel in the system's ANSI code page.
void TextFromAnsi(const std::vector<uint8_t>& bytes, wchar_t* text)
{
    text[0] = 0;
    if (bytes.empty())
        return;
    const char* source = reinterpret_cast<const char*>(bytes.data());
    const int units = MultiByteToWideChar(CP_ACP, 0, source, int(bytes.size()), nullptr, 0);
    if (units <= 0)
        return;
    std::vector<wchar_t> wide(units);
    MultiByteToWideChar(CP_ACP, 0, source, int(bytes.size()), wide.data(), units);
    const int kept = units < kMaxTextUnits ? units : kMaxTextUnits;
    wmemcpy(text, wide.data(), kept);
    text[kept] = 0;
}

std::vector<uint8_t> AnsiFromText(const wchar_t* text)
{
    const int units = int(wcsnlen(text, kMaxTextUnits));
    const int size = units ? WideCharToMultiByte(CP_ACP, 0, text, units, nullptr, 0, nullptr, nullptr) : 0;
    std::vector<uint8_t> bytes(size_t(size > 0 ? size : 0) + 1, 0);  // the text and its zero
    if (size > 0)
        WideCharToMultiByte(CP_ACP, 0, text, units, reinterpret_cast<char*>(bytes.data()), size, nullptr, nullptr);
    return bytes;
}

Image* ImageFromFrame(const AniFrame& frame)
{
    AniFrameImage first;
    int depth = 0;
    Image* image = AniFrameImageOf(frame, &first) ? ImageFromIconBlock(first.block, first.blockSize, &depth) : nullptr;
    if (!image)
        return nullptr;
    image->bitsPerPixel = uint8_t(depth);
    image->hotspotX = first.hotspotX;
    image->hotspotY = first.hotspotY;
    return image;
}

Resource* ResourceFromContents(const wchar_t* path, const AniContents& contents)
{
    Resource* resource = NewResourceForFile(path, kAniFileKind);
    resource->defaultRate = contents.header.defaultRate;
    TextFromAnsi(contents.title, resource->title);
    TextFromAnsi(contents.creator, resource->creator);
    ImageAppender images{resource};
    for (const AniStep& step : AniSteps(contents)) {
        Image* image = ImageFromFrame(contents.frames[step.frame]);
        if (!image) {
            PYX_DoCleanupInternalResource(resource);
            return nullptr;
        }
        image->displayRate = step.rate;
        images.Append(image);
    }
    return resource;
}

void ShowParseFailure(HWND owner, AniParseResult result)
{
    switch (result) {
    case AniParseResult::kCorrupted: ShowErrorBox(owner, L"ANI file is corrupted", kIoErrorCaption); break;
    case AniParseResult::kNotIconFrames: ShowErrorBox(owner, L"Format not supported", kErrorCaption); break;
    default: ShowErrorBox(owner, L"Error while reading file", kIoErrorCaption); break;
    }
}

FileWriteResult WriteAni(const wchar_t* path, const Resource* resource)
{
    LockedComposites locked;
    if (!LockComposites(resource->firstImage, resource->imageCount, &locked))
        return FileWriteResult::kCannotWrite;
    AniFileContent content;
    content.frames = locked.images;
    for (const Image* image = resource->firstImage; image && content.rates.size() < content.frames.size();
         image = image->next)
        content.rates.push_back(image->displayRate);
    content.title = AnsiFromText(resource->title);
    content.creator = AnsiFromText(resource->creator);
    content.defaultRate = resource->defaultRate;
    const std::vector<uint8_t> bytes = BuildAniFile(content);
    return WriteWholeFileSafely(path, bytes.data(), bytes.size());
}

}  // namespace

PYX_API Resource* PYX_LoadAniFromFile(HWND owner, const wchar_t* path)
{
    if (!path)
        return nullptr;
    BorrowedBytes buffer;
    std::vector<uint8_t>& file = buffer.bytes();
    FileReadResult read;
    if (!ReadDocumentFile(owner, path, L"Can not open file for reading", &file, &read))
        return nullptr;
    AniContents contents;
    const AniParseResult parsed =
        read == FileReadResult::kOk ? ParseAni(file.data(), file.size(), &contents) : AniParseResult::kReadError;
    if (parsed != AniParseResult::kOk) {
        ShowParseFailure(owner, parsed);
        return nullptr;
    }
    Resource* resource = ResourceFromContents(path, contents);
    if (!resource)
        ShowParseFailure(owner, AniParseResult::kCorrupted);
    return resource;
}

PYX_API int PYX_SaveAniToFile(HWND owner, const wchar_t* path, Resource* resource)
{
    if (!path || !resource)
        return 0;
    SharedPalettes palettes;
    if (!CreateSharedPalettes(&palettes)) {
        ShowErrorBox(owner, L"Can not initialize internal palettes", kMemoryErrorCaption);
        return 0;
    }
    const FileWriteResult written = WriteAni(path, resource);
    DeleteSharedPalettes(&palettes);
    if (written == FileWriteResult::kCannotCreate)
        ShowErrorBox(owner, L"Error Opening File for Writing", kIoErrorCaption);
    else if (written == FileWriteResult::kCannotWrite)
        ShowErrorBox(owner, L"Error writing ANI file", kIoErrorCaption);
    return written == FileWriteResult::kOk ? 1 : 0;
}
