#include "cli/icon_writing.h"

#include <memory>

#include "cli/document_io.h"
#include "common/gdiplus_pixels.h"
#include "common/image_encoders.h"
#include "core/ani_format.h"
#include "core/file_io.h"

namespace {

constexpr int kLargestSide = 256;

// One lock per composite for as long as the file is being built.
bool LockImages(Resource* document, std::vector<std::unique_ptr<BitmapLock>>* locks,
                std::vector<IconFileImage>* images)
{
    Image* image = document->firstImage;
    for (int i = 0; i < document->imageCount; i++, image = image->next) {
        if (!image || !image->composite)
            return false;
        locks->push_back(std::make_unique<BitmapLock>(image->composite, Gdiplus::ImageLockModeRead));
        if (!locks->back()->ok())
            return false;
        images->push_back({locks->back()->view(), image->bitsPerPixel, image->hotspotX, image->hotspotY});
    }
    return true;
}

bool StoreLargeAsPng(std::vector<IconFileImage>* images, std::vector<std::vector<uint8_t>>* blocks)
{
    blocks->resize(images->size());
    for (size_t i = 0; i < images->size(); i++) {
        IconFileImage& image = (*images)[i];
        if (image.pixels.width != kLargestSide || image.pixels.height != kLargestSide)
            continue;
        (*blocks)[i] = EncodePng(image.pixels);
        if ((*blocks)[i].empty())
            return false;
        image.storedBlock = &(*blocks)[i];
    }
    return true;
}

bool IsPngBlock(const uint8_t* block, size_t size)
{
    return ClassifyIconBlock(block, size) == IconBlockKind::kPng;
}

std::vector<bool> PngStoredAniSteps(const std::vector<uint8_t>& file)
{
    AniContents contents;
    if (ParseAni(file.data(), file.size(), &contents) != AniParseResult::kOk)
        return {};
    std::vector<bool> stored;
    for (const AniStep& step : AniSteps(contents)) {
        AniFrameImage image{};
        if (step.frame >= contents.frames.size() || !AniFrameImageOf(contents.frames[step.frame], &image))
            return {};
        stored.push_back(IsPngBlock(image.block, image.blockSize));
    }
    return stored;
}

}  // namespace

bool WriteIconDocument(const std::wstring& path, Resource* document, IconFileType type, LargeEntries large,
                       std::wstring* error)
{
    std::vector<std::unique_ptr<BitmapLock>> locks;
    std::vector<IconFileImage> images;
    std::vector<std::vector<uint8_t>> pngBlocks;
    if (!LockImages(document, &locks, &images)) {
        *error = L"cannot read the pictures of the images";
        return false;
    }
    if (large == LargeEntries::kPng && !StoreLargeAsPng(&images, &pngBlocks)) {
        *error = L"cannot compress a 256 x 256 picture as PNG";
        return false;
    }
    const std::vector<uint8_t> bytes = BuildIconFile(type, images);
    switch (WriteWholeFileSafely(path.c_str(), bytes.data(), bytes.size())) {
    case FileWriteResult::kOk: return true;
    case FileWriteResult::kCannotCreate: *error = L"cannot create \"" + path + L"\""; return false;
    default: *error = L"cannot write \"" + path + L"\""; return false;
    }
}

std::vector<bool> PngStoredEntries(const std::wstring& path)
{
    const DocumentFormat format = FormatOfPath(path);
    std::vector<uint8_t> file;
    if (format == DocumentFormat::kProject || format == DocumentFormat::kUnknown ||
        ReadWholeFile(path.c_str(), kMaxDocumentFileSize, &file) != FileReadResult::kOk)
        return {};
    if (format == DocumentFormat::kAnimatedCursor)
        return PngStoredAniSteps(file);
    IconDirectory directory;
    if (!ParseIconDirectory(file.data(), file.size(), format == DocumentFormat::kCursor, &directory))
        return {};
    std::vector<bool> stored;
    for (const IconDirEntry& entry : directory.entries)
        stored.push_back(IsPngBlock(file.data() + entry.blockOffset, entry.blockSize));
    return stored;
}
