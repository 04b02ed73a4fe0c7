// vexilc: Vexil's scriptable companion. It reads and writes documents with the same code as
// the editor; when the core refuses something, it prints the message the editor would have
// shown in its box ("caption: text") and exits with 1.
#include <windows.h>
#include <gdiplus.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "cli/document_io.h"
#include "cli/filter_command.h"
#include "cli/picture_export.h"
#include "common/message_box_recorder.h"
#include "core/pyx.h"

namespace {

constexpr int kFailure = 1;

const wchar_t kUsage[] =
    L"usage: vexilc info FILE\n"
    L"       vexilc convert IN OUT\n"
    L"       vexilc export IN INDEX OUT.png|OUT.bmp\n"
    L"       vexilc filter IN INDEX TYPE [PARAMS...] OUT.ico|OUT.cur|OUT.png|OUT.bmp\n"
    L"FILE, IN and OUT are .ico or .cur files.\n"
    L"filter applies one filter to the composite of image INDEX and writes the result;\n"
    L"an .ico or .cur OUT holds that one image at its own depth.\n";

int Fail(const std::wstring& message)
{
    fwprintf(stderr, L"vexilc: %ls\n", message.c_str());
    return kFailure;
}

// Prints what the core's message boxes said, if anything.
int FailWithBoxes(const MessageBoxRecorder& recorder, const std::wstring& fallback)
{
    if (recorder.boxes().empty())
        return Fail(fallback);
    for (const RecordedMessageBox& box : recorder.boxes())
        fwprintf(stderr, L"%ls: %ls\n", box.caption.c_str(), box.text.c_str());
    return kFailure;
}

Resource* Load(const std::wstring& path, const MessageBoxRecorder& recorder, int* status)
{
    if (FormatOfPath(path) == DocumentFormat::kUnknown) {
        *status = Fail(L"cannot read \"" + path + L"\": use an .ico or .cur file");
        return nullptr;
    }
    Resource* document = LoadDocument(path);
    if (!document)
        *status = FailWithBoxes(recorder, L"cannot read \"" + path + L"\"");
    else if (document->imageCount == 0) {
        *status = Fail(L"\"" + path + L"\" holds no images");
        PYX_DoCleanupInternalResource(document);
        return nullptr;
    }
    return document;
}

Image* ImageAt(Resource* document, int index)
{
    Image* image = document->firstImage;
    for (int i = 0; image && i < index; i++)
        image = image->next;
    return index >= 0 ? image : nullptr;
}

int Info(const std::wstring& path)
{
    MessageBoxRecorder recorder;
    int status = 0;
    Resource* document = Load(path, recorder, &status);
    if (!document)
        return status;
    int index = 0;
    for (Image* image = document->firstImage; image; image = image->next, index++)
        wprintf(L"%d %ux%u %ubpp hotspot=%d,%d rate=%u layers=%u\n", index, image->width, image->height,
                image->bitsPerPixel, image->hotspotX, image->hotspotY, image->displayRate, image->layerCount);
    PYX_DoCleanupInternalResource(document);
    return 0;
}

int Convert(const std::wstring& in, const std::wstring& out)
{
    if (FormatOfPath(out) == DocumentFormat::kUnknown)
        return Fail(L"cannot write \"" + out + L"\": use an .ico or .cur file");
    MessageBoxRecorder recorder;
    int status = 0;
    Resource* document = Load(in, recorder, &status);
    if (!document)
        return status;
    const int saved = SaveDocument(out, document);
    PYX_DoCleanupInternalResource(document);
    return saved ? 0 : FailWithBoxes(recorder, L"cannot write \"" + out + L"\"");
}

int Export(const std::wstring& in, const std::wstring& indexText, const std::wstring& out)
{
    const PictureFormat format = PictureFormatOfPath(out);
    if (format == PictureFormat::kUnknown)
        return Fail(L"cannot export to \"" + out + L"\": use a .png or .bmp file");
    wchar_t* end = nullptr;
    const long index = wcstol(indexText.c_str(), &end, 10);
    if (indexText.empty() || *end)
        return Fail(L"\"" + indexText + L"\" is not an image index");
    MessageBoxRecorder recorder;
    int status = 0;
    Resource* document = Load(in, recorder, &status);
    if (!document)
        return status;
    Image* image = ImageAt(document, int(index));
    if (!image)
        status = Fail(L"image " + indexText + L" does not exist; the file has " +
                      std::to_wstring(document->imageCount) + L" images");
    else if (!ExportPicture(image->composite, out, format))
        status = Fail(L"cannot write \"" + out + L"\"");
    PYX_DoCleanupInternalResource(document);
    return status;
}

// Writes a filtered picture in place of the image's composite, as a one-image icon or
// cursor, or as a picture file.
bool WriteFiltered(Image* image, Bitmap* filtered, const std::wstring& out)
{
    const PictureFormat picture = PictureFormatOfPath(out);
    if (picture != PictureFormat::kUnknown)
        return ExportPicture(filtered, out, picture);
    delete image->composite;
    image->composite = filtered;
    return FormatOfPath(out) == DocumentFormat::kIcon ? PYX_SaveSingleImageAsIcon(nullptr, out.c_str(), image) != 0
                                                      : PYX_SaveSingleImageAsCursor(nullptr, out.c_str(), image) != 0;
}

int Filter(const std::vector<std::wstring>& args)
{
    const std::wstring& in = args[1];
    const std::wstring& indexText = args[2];
    const std::wstring& out = args.back();
    if (PictureFormatOfPath(out) == PictureFormat::kUnknown && FormatOfPath(out) == DocumentFormat::kUnknown)
        return Fail(L"cannot write \"" + out + L"\": use an .ico, .cur, .png or .bmp file");
    FilterCommand command;
    std::wstring error;
    if (!ParseFilterCommand(args[3], std::vector<std::wstring>(args.begin() + 4, args.end() - 1), &command, &error))
        return Fail(error + L"\n" + kFilterUsage);
    wchar_t* end = nullptr;
    const long index = wcstol(indexText.c_str(), &end, 10);
    if (indexText.empty() || *end)
        return Fail(L"\"" + indexText + L"\" is not an image index");
    MessageBoxRecorder recorder;
    int status = 0;
    Resource* document = Load(in, recorder, &status);
    if (!document)
        return status;
    Image* image = ImageAt(document, int(index));
    if (!image) {
        status = Fail(L"image " + indexText + L" does not exist; the file has " +
                      std::to_wstring(document->imageCount) + L" images");
    } else {
        const FilterParams request = RequestFor(command, image->composite);
        Bitmap* filtered = ApplyFilter(&request);
        if (!filtered)
            status = Fail(L"the filter made no picture");
        else if (!WriteFiltered(image, filtered, out))
            status = FailWithBoxes(recorder, L"cannot write \"" + out + L"\"");
        if (filtered && image->composite != filtered)
            delete filtered;
    }
    PYX_DoCleanupInternalResource(document);
    return status;
}

int Run(const std::vector<std::wstring>& args)
{
    if (args.size() == 2 && args[0] == L"info")
        return Info(args[1]);
    if (args.size() == 3 && args[0] == L"convert")
        return Convert(args[1], args[2]);
    if (args.size() == 4 && args[0] == L"export")
        return Export(args[1], args[2], args[3]);
    if (args.size() >= 5 && args[0] == L"filter")
        return Filter(args);
    fwprintf(stderr, L"%ls%ls", kUsage, kFilterUsage);
    return kFailure;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return Fail(L"the graphics library did not start");
    const int status = Run(std::vector<std::wstring>(argv + 1, argv + argc));
    Gdiplus::GdiplusShutdown(token);
    return status;
}
