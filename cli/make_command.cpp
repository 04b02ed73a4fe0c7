#include "cli/make_command.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <memory>

#include "cli/cli_support.h"
#include "cli/document_io.h"
#include "cli/icon_writing.h"
#include "common/document_ops.h"
#include "common/gdiplus_pixels.h"
#include "common/pool_work.h"
#include "core/file_io.h"
#include "core/palette_objects.h"
#include "core/png_decoder.h"
#include "pixport/picture_drawing.h"

namespace {

constexpr int kLargestSide = 256;
const int kStandardSizes[] = {16, 24, 32, 48, 64, 128, 256};

// The Standard Formats dialog's starting levels: every pixel that is not fully transparent
// stays, 256 colors dither at level 3, 16 and 2 colors at level 5.
constexpr uint8_t kAlphaThreshold = 0;
constexpr uint8_t kDitherLevel256 = 3;
constexpr uint8_t kDitherLevel16 = 5;

bool ParseWhole(const std::wstring& text, long low, long high, long* value)
{
    return ParseIndex(text, value) && text[0] != L'+' && text[0] != L'-' && *value >= low && *value <= high;
}

// "16,32,48": each from 1 to 256; sorted, each once.
bool ParseSizes(const std::wstring& text, std::vector<int>* sizes)
{
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = std::min(text.find(L',', start), text.size());
        long size = 0;
        if (!ParseWhole(text.substr(start, comma - start), 1, kLargestSide, &size))
            return false;
        sizes->push_back(int(size));
        start = comma + 1;
    }
    std::sort(sizes->begin(), sizes->end());
    sizes->erase(std::unique(sizes->begin(), sizes->end()), sizes->end());
    return true;
}

bool ParseHotspot(const std::wstring& text, MakeSettings* settings)
{
    const size_t comma = text.find(L',');
    long x = 0, y = 0;
    if (comma == std::wstring::npos || !ParseWhole(text.substr(0, comma), 0, 65535, &x) ||
        !ParseWhole(text.substr(comma + 1), 0, 65535, &y))
        return false;
    settings->hasHotspot = true;
    settings->hotspotX = int(x);
    settings->hotspotY = int(y);
    return true;
}

bool ParseDepth(const std::wstring& text, int* depth)
{
    long value = 0;
    if (!ParseIndex(text, &value) || (value != 32 && value != 24 && value != 8 && value != 4 && value != 1))
        return false;
    *depth = int(value);
    return true;
}

// An option and its value; false with the reason for an unknown option or a bad value.
bool ParseOption(const std::wstring& option, const std::wstring* value, MakeSettings* settings, std::wstring* error)
{
    if (option == L"--png-256") {
        settings->pngLarge = true;
        return true;
    }
    if (option != L"--sizes" && option != L"--depth" && option != L"--hotspot") {
        *error = L"make has no option " + option;
        return false;
    }
    if (!value) {
        *error = option + L" needs a value";
        return false;
    }
    if (option == L"--sizes" && !ParseSizes(*value, &settings->sizes))
        *error = L"--sizes takes sizes from 1 to 256 separated by commas, e.g. 16,32,48,256, not \"" + *value + L"\"";
    else if (option == L"--depth" && !ParseDepth(*value, &settings->depth))
        *error = L"--depth takes 32, 24, 8, 4 or 1, not \"" + *value + L"\"";
    else if (option == L"--hotspot" && !ParseHotspot(*value, settings))
        *error = L"--hotspot takes X,Y, two whole numbers from 0, not \"" + *value + L"\"";
    return error->empty();
}

int LargestInput(const std::vector<InputPicture>& inputs)
{
    int largest = 0;
    for (size_t i = 1; i < inputs.size(); i++)
        if (int64_t(inputs[i].width) * inputs[i].height > int64_t(inputs[largest].width) * inputs[largest].height)
            largest = int(i);
    return largest;
}

PlannedEntry KeptEntry(int source, const InputPicture& input)
{
    return {source, true, input.width, input.height, 0, 0, input.width, input.height};
}

// The picture fitted into a side x side square, its longer side filling it, centred.
PlannedEntry ScaledEntry(int source, const InputPicture& input, int side)
{
    const double scale = double(side) / std::max(input.width, input.height);
    const int drawnWidth = std::clamp(int(std::lround(input.width * scale)), 1, side);
    const int drawnHeight = std::clamp(int(std::lround(input.height * scale)), 1, side);
    return {source, false, side, side, (side - drawnWidth) / 2, (side - drawnHeight) / 2, drawnWidth, drawnHeight};
}

std::wstring SizeText(int width, int height)
{
    return std::to_wstring(width) + L" x " + std::to_wstring(height);
}

// Several pictures without --sizes: each is one entry as it is.
bool PlanKeptPictures(const std::vector<InputPicture>& inputs, std::vector<PlannedEntry>* entries, std::wstring* error)
{
    for (size_t i = 0; i < inputs.size(); i++) {
        const InputPicture& input = inputs[i];
        if (input.width > kLargestSide || input.height > kLargestSide) {
            *error = L"\"" + input.name + L"\" is " + SizeText(input.width, input.height) +
                     L"; entries kept as they are stop at 256 x 256 (give --sizes to scale it)";
            return false;
        }
        for (const PlannedEntry& kept : *entries)
            if (kept.width == input.width && kept.height == input.height) {
                *error = L"\"" + input.name + L"\" and \"" + inputs[size_t(kept.source)].name + L"\" are both " +
                         SizeText(input.width, input.height) + L"; give each size once";
                return false;
            }
        entries->push_back(KeptEntry(int(i), input));
    }
    std::stable_sort(entries->begin(), entries->end(), [](const PlannedEntry& a, const PlannedEntry& b) {
        return int64_t(a.width) * a.height < int64_t(b.width) * b.height;
    });
    return true;
}

Bitmap* ReducedToDepth(Bitmap* picture, int depth, const SharedPalettes& palettes)
{
    switch (depth) {
    case 24: return PYX_GetAlphaThresholdedImage(picture, kAlphaThreshold);
    case 8:
        return PYX_GetDitheredImageBasedOnPalette(picture, palettes.palette256, 256, kDitherLevel256, kAlphaThreshold,
                                                  nullptr, 0);
    case 4:
        return PYX_GetDitheredImageBasedOnPalette(picture, palettes.palette16, 16, kDitherLevel16, kAlphaThreshold,
                                                  nullptr, 0);
    case 1:
        return PYX_GetDitheredImageBasedOnPalette(picture, palettes.palette2, 2, kDitherLevel16, kAlphaThreshold,
                                                  nullptr, 0);
    default: return CloneBitmap(picture);
    }
}

// The entry's picture at 32 bits: a copy of the input's pixels, or `input` drawn scaled.
Bitmap* EntryPicture(const PixelView& pixels, Bitmap* input, const PlannedEntry& entry)
{
    if (entry.asIs)
        return BitmapFromPixels(pixels);
    Bitmap* square = NewArgbBitmap(entry.width, entry.height);
    const Gdiplus::Rect area(entry.x, entry.y, entry.drawnWidth, entry.drawnHeight);
    if (square && !DrawPictureScaled(square, input, area)) {
        delete square;
        return nullptr;
    }
    return square;
}

// Scaling a large picture is most of make's work, so the entries are drawn on two threads.
// GDI+ refuses an object another thread is using: each thread draws from bitmaps of its
// own over the pictures' pixels, into bitmaps of its own.
constexpr int kDrawThreads = 2;

void DrawShare(int thread, const std::vector<PixelView>& views, const std::vector<PlannedEntry>& entries,
               std::vector<Bitmap*>* drawn)
{
    std::vector<std::unique_ptr<Bitmap>> sources(views.size());
    for (size_t i = size_t(thread); i < entries.size(); i += kDrawThreads) {
        const size_t source = size_t(entries[i].source);
        if (!sources[source])
            sources[source].reset(BitmapOverPixels(views[source]));
        (*drawn)[i] = sources[source] ? EntryPicture(views[source], sources[source].get(), entries[i]) : nullptr;
    }
}

// Every entry's picture at 32 bits, in the entries' order; null where one could not be made.
std::vector<Bitmap*> DrawEntryPictures(const std::vector<Gdiplus::Bitmap*>& pictures,
                                       const std::vector<PlannedEntry>& entries)
{
    std::vector<Bitmap*> drawn(entries.size(), nullptr);
    std::vector<std::unique_ptr<BitmapLock>> locks;
    std::vector<PixelView> views;
    for (Gdiplus::Bitmap* picture : pictures) {
        locks.push_back(std::make_unique<BitmapLock>(picture, Gdiplus::ImageLockModeRead));
        if (!locks.back()->ok())
            return drawn;
        views.push_back(locks.back()->view());
    }
    RunInParallel(kDrawThreads, [&](int thread) { DrawShare(thread, views, entries, &drawn); });
    return drawn;
}

// A point of the largest picture at the same place of the entry: the pixel whose area holds
// the point's centre.
int MappedCoordinate(int point, int largestSide, int offset, int drawnSide)
{
    const int mapped = int(std::floor((point + 0.5) * drawnSide / largestSide));
    return offset + std::clamp(mapped, 0, drawnSide - 1);
}

// A new Image whose composite and one raster layer are `picture` (which it takes).
Image* ImageOfPicture(Bitmap* picture, int depth)
{
    Image* image = PYX_CreateImage(uint16_t(picture->GetWidth()), uint16_t(picture->GetHeight()));
    Bitmap* layerCopy = image ? CloneBitmap(picture) : nullptr;
    if (!layerCopy) {
        PYX_DeleteImage(image);
        delete picture;
        return nullptr;
    }
    delete image->composite;
    image->composite = picture;
    delete image->firstLayer->bitmap;
    image->firstLayer->bitmap = layerCopy;
    image->bitsPerPixel = uint8_t(depth);
    return image;
}

// The entry's Image from its 32-bit picture `full` (which it takes).
Image* MakeEntryImage(Bitmap* full, const PlannedEntry& entry, const MakeSettings& settings,
                      const InputPicture& largest, const SharedPalettes& palettes)
{
    Bitmap* reduced = full && settings.depth != 32 ? ReducedToDepth(full, settings.depth, palettes) : full;
    if (reduced != full)
        delete full;
    Image* image = reduced ? ImageOfPicture(reduced, settings.depth) : nullptr;
    if (image && settings.hasHotspot) {
        image->hotspotX = int16_t(MappedCoordinate(settings.hotspotX, largest.width, entry.x, entry.drawnWidth));
        image->hotspotY = int16_t(MappedCoordinate(settings.hotspotY, largest.height, entry.y, entry.drawnHeight));
    }
    return image;
}

Resource* EmptyDocument()
{
    Resource* document = PYX_CreateNewResource();
    if (document) {
        PYX_DeleteImage(document->firstImage);
        document->firstImage = nullptr;
        document->imageCount = 0;
    }
    return document;
}

std::vector<InputPicture> SizesOf(const std::vector<Gdiplus::Bitmap*>& pictures, const std::vector<std::wstring>& names)
{
    std::vector<InputPicture> inputs;
    for (size_t i = 0; i < pictures.size(); i++)
        inputs.push_back({names[i], int(pictures[i]->GetWidth()), int(pictures[i]->GetHeight())});
    return inputs;
}

// Larger pictures go to GDI+: our reader holds the inflated rows besides the pixels.
constexpr int kQuickPngSide = 8192;

// The plain PNG forms through our own reader, several times quicker than GDI+ on a large
// picture and giving the same pixels; null for everything else.
Gdiplus::Bitmap* ReadPlainPng(const std::wstring& path)
{
    static thread_local std::vector<uint8_t> inflated;  // kept: fresh pages are slow to touch
    BorrowedBytes file;
    PngLayout layout;
    if (ReadWholeFile(path.c_str(), kMaxDocumentFileSize, &file.bytes()) != FileReadResult::kOk ||
        !ReadPngLayout(file.bytes().data(), file.bytes().size(), kQuickPngSide, &layout))
        return nullptr;
    Gdiplus::Bitmap* picture = NewArgbBitmap(layout.width, layout.height);
    bool decoded = false;
    if (picture) {
        BitmapLock lock(picture, Gdiplus::ImageLockModeWrite);
        decoded = lock.ok() && DecodePngInto(file.bytes().data(), file.bytes().size(), lock.view(), &inflated);
    }
    if (!decoded) {
        delete picture;
        return nullptr;
    }
    return picture;
}

// The picture file, or null with a message naming it.
Gdiplus::Bitmap* ReadInput(const std::wstring& path, std::wstring* error)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        *error = L"cannot open \"" + path + L"\"";
        return nullptr;
    }
    if (data.nFileSizeHigh == 0 && data.nFileSizeLow == 0) {
        *error = L"\"" + path + L"\" is empty";
        return nullptr;
    }
    Gdiplus::Bitmap* picture = ReadPlainPng(path);
    if (!picture)
        picture = ReadPictureFile(path.c_str());
    if (!picture)
        *error = L"\"" + path + L"\" is not a picture vexilc reads (PNG, BMP, JPEG or GIF)";
    return picture;
}

int MakeFromPictures(const MakeRequest& request, const std::vector<Gdiplus::Bitmap*>& pictures)
{
    const std::vector<InputPicture> inputs = SizesOf(pictures, request.inputs);
    const InputPicture& largest = inputs[size_t(LargestInput(inputs))];
    const MakeSettings& settings = request.settings;
    if (settings.hasHotspot && (settings.hotspotX >= largest.width || settings.hotspotY >= largest.height))
        return FailUsage(L"the hot spot " + std::to_wstring(settings.hotspotX) + L"," +
                         std::to_wstring(settings.hotspotY) + L" lies outside \"" + largest.name + L"\" (" +
                         SizeText(largest.width, largest.height) + L")");
    std::wstring error;
    Resource* document = BuildIconDocument(pictures, request.inputs, settings, &error);
    if (!document)
        return Fail(error);
    const IconFileType type = FormatOfPath(request.out) == DocumentFormat::kCursor ? kCursorFileType : kIconFileType;
    const bool written = WriteIconDocument(request.out, document, type,
                                           settings.pngLarge ? LargeEntries::kPng : LargeEntries::kBitmap, &error);
    PYX_DoCleanupInternalResource(document);
    return written ? 0 : Fail(error);
}

}  // namespace

bool ParseMakeArguments(const std::vector<std::wstring>& args, MakeRequest* request, std::wstring* error)
{
    std::vector<std::wstring> names;
    for (size_t i = 0; i < args.size(); i++) {
        if (args[i].rfind(L"--", 0) != 0) {
            names.push_back(args[i]);
            continue;
        }
        const bool takesValue = args[i] != L"--png-256";
        const std::wstring* value = takesValue && i + 1 < args.size() ? &args[i + 1] : nullptr;
        if (!ParseOption(args[i], value, &request->settings, error))
            return false;
        i += takesValue ? 1 : 0;
    }
    if (names.size() < 2) {
        *error = L"make needs OUT.ico or OUT.cur and at least one picture";
        return false;
    }
    request->out = names[0];
    request->inputs.assign(names.begin() + 1, names.end());
    const DocumentFormat format = FormatOfPath(request->out);
    if (format != DocumentFormat::kIcon && format != DocumentFormat::kCursor)
        *error = L"cannot make \"" + request->out + L"\": use an .ico or .cur file";
    else if (request->settings.hasHotspot && format != DocumentFormat::kCursor)
        *error = L"--hotspot is for cursors: make a .cur file";
    return error->empty();
}

bool PlanEntries(const std::vector<InputPicture>& inputs, const std::vector<int>& sizes,
                 std::vector<PlannedEntry>* entries, std::wstring* error)
{
    entries->clear();
    if (inputs.size() > 1 && sizes.empty())
        return PlanKeptPictures(inputs, entries, error);
    const int largest = LargestInput(inputs);
    const std::vector<int> wanted = sizes.empty() ? std::vector<int>(std::begin(kStandardSizes), std::end(kStandardSizes))
                                                  : sizes;
    for (int side : wanted) {
        auto own = std::find_if(inputs.begin(), inputs.end(),
                                [side](const InputPicture& input) { return input.width == side && input.height == side; });
        if (own != inputs.end())
            entries->push_back(KeptEntry(int(own - inputs.begin()), *own));
        else
            entries->push_back(ScaledEntry(largest, inputs[size_t(largest)], side));
    }
    return true;
}

Resource* BuildIconDocument(const std::vector<Gdiplus::Bitmap*>& pictures, const std::vector<std::wstring>& names,
                            const MakeSettings& settings, std::wstring* error)
{
    const std::vector<InputPicture> inputs = SizesOf(pictures, names);
    std::vector<PlannedEntry> entries;
    if (!PlanEntries(inputs, settings.sizes, &entries, error))
        return nullptr;
    SharedPalettes palettes;
    Resource* document = CreateSharedPalettes(&palettes) ? EmptyDocument() : nullptr;
    if (!document) {
        *error = L"not enough memory to start a new icon";
        DeleteSharedPalettes(&palettes);
        return nullptr;
    }
    const InputPicture& largest = inputs[size_t(LargestInput(inputs))];
    std::vector<Bitmap*> drawn = DrawEntryPictures(pictures, entries);
    for (size_t i = 0; document && i < entries.size(); i++) {
        const PlannedEntry& entry = entries[i];
        Image* image = MakeEntryImage(drawn[i], entry, settings, largest, palettes);
        drawn[i] = nullptr;
        if (!image || !InsertImage(document, document->imageCount, image)) {
            *error = L"cannot make the " + SizeText(entry.width, entry.height) + L" picture from \"" +
                     names[size_t(entry.source)] + L"\"";
            PYX_DeleteImage(image);
            PYX_DoCleanupInternalResource(document);
            document = nullptr;
        }
    }
    for (Bitmap* left : drawn)
        delete left;
    DeleteSharedPalettes(&palettes);
    return document;
}

int RunMakeCommand(const std::vector<std::wstring>& args)
{
    MakeRequest request;
    std::wstring error;
    if (!ParseMakeArguments(args, &request, &error))
        return FailUsage(error);
    std::vector<Gdiplus::Bitmap*> pictures;
    for (const std::wstring& input : request.inputs) {
        pictures.push_back(ReadInput(input, &error));
        if (!pictures.back())
            break;
    }
    const int status = pictures.back() ? MakeFromPictures(request, pictures) : Fail(error);
    for (Gdiplus::Bitmap* picture : pictures)
        delete picture;
    return status;
}
