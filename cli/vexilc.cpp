// vexilc: Vexil's scriptable companion. It reads and writes documents with the same code as
// the editor; when the core refuses something, it prints the message the editor would have
// shown in its box ("caption: text") and exits with 1.
#include <windows.h>
#include <gdiplus.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "cli/cli_support.h"
#include "cli/document_io.h"
#include "cli/effect_command.h"
#include "cli/extract_command.h"
#include "cli/filter_command.h"
#include "cli/picture_export.h"
#include "common/message_box_recorder.h"
#include "core/library_writer.h"
#include "core/pyx.h"
#include "vexil_version.h"

namespace {

const wchar_t kUsage[] =
    L"usage: vexilc info FILE\n"
    L"       vexilc --version\n"
    L"       vexilc convert IN OUT\n"
    L"       vexilc export IN INDEX OUT.png|OUT.bmp\n"
    L"       vexilc extract LIBRARY OUTDIR\n"
    L"       vexilc library OUT.nil IN1.ico IN2.ico ...\n"
    L"       vexilc filter IN INDEX TYPE [PARAMS...] OUT.ico|OUT.cur|OUT.png|OUT.bmp\n"
    L"       vexilc effect IN.fic INDEX LAYER EFFECT OUT.fic|OUT.png|OUT.bmp\n"
    L"FILE, IN and OUT are .ico, .cur, .ani or .fic files; info also reads icon libraries\n"
    L"(.nil, .icl, .exe, .dll, .scr, .ocx, .cpl). extract writes every icon image of an icon\n"
    L"library as OUTDIR\\000.ico, 001.ico, ...; library\n"
    L"builds a new icon library with one icon group per .ico file; filter applies one filter\n"
    L"to the composite of image INDEX and writes the result (an .ico or .cur OUT holds that\n"
    L"one image at its own depth); effect paints one of the seven glossy effects (1 Wave,\n"
    L"2 Pearl, 3 Marble, 4 Jelly, 5 Glassy Ball, 6 Aqua Ball, 7 Sweet) with the default style\n"
    L"on vector layer LAYER of image INDEX and writes the document, or that layer's picture.\n";

// Icon libraries come whole from the library reader; every other kind by its extension.
Resource* LoadForInfo(const std::wstring& path, const MessageBoxRecorder& recorder, int* status)
{
    if (!IsLibraryPath(path))
        return Load(path, recorder, status);
    Resource* document = PYX_GetLibraryIcons(nullptr, path.c_str());
    if (!document) {
        *status = FailWithBoxes(recorder, L"cannot read \"" + path + L"\"");
    } else if (document->imageCount == 0) {
        *status = Fail(L"\"" + path + L"\" holds no icon images");
        PYX_DoCleanupInternalResource(document);
        return nullptr;
    }
    return document;
}

int Info(const std::wstring& path)
{
    MessageBoxRecorder recorder;
    int status = 0;
    Resource* document = LoadForInfo(path, recorder, &status);
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
        return Fail(L"cannot write \"" + out + L"\": use an .ico, .cur, .ani or .fic file");
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
    long index = 0;
    if (!ParseIndex(indexText, &index))
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
    const DocumentFormat outFormat = FormatOfPath(out);
    if (PictureFormatOfPath(out) == PictureFormat::kUnknown && outFormat != DocumentFormat::kIcon &&
        outFormat != DocumentFormat::kCursor)
        return Fail(L"cannot write \"" + out + L"\": use an .ico, .cur, .png or .bmp file");
    FilterCommand command;
    std::wstring error;
    if (!ParseFilterCommand(args[3], std::vector<std::wstring>(args.begin() + 4, args.end() - 1), &command, &error))
        return Fail(error + L"\n" + FilterUsage());
    long index = 0;
    if (!ParseIndex(indexText, &index))
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

std::wstring FullPath(const std::wstring& path)
{
    wchar_t full[MAX_PATH];
    const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::wstring(full) : path;
}

// Runs the editor's library worker directly: no dialogs, the same files and messages.
int BuildLibrary(const std::wstring& out, const std::vector<std::wstring>& inputs)
{
    MessageBoxRecorder recorder;
    LibraryCreation creation;
    creation.templatePath = LibraryTemplatePath();
    creation.targetPath = FullPath(out);
    for (const std::wstring& input : inputs)
        creation.files.push_back(FullPath(input));
    InitializeCriticalSection(&creation.lock);
    const LibraryOutcome outcome = RunLibraryWorker(&creation);
    DeleteCriticalSection(&creation.lock);
    if (outcome != LibraryOutcome::kDone)
        return FailWithBoxes(recorder, L"cannot build \"" + out + L"\"");
    for (const RecordedMessageBox& box : recorder.boxes())
        wprintf(L"%ls\n", box.text.c_str());
    return 0;
}

int Run(const std::vector<std::wstring>& args)
{
    if (args.size() == 1 && args[0] == L"--version") {
        wprintf(L"vexilc %ls\n", VEXIL_VERSION_TEXT_W);
        return 0;
    }
    if (args.size() == 3 && args[0] == L"extract")
        return ExtractLibrary(args[1], args[2], stdout);
    if (args.size() >= 3 && args[0] == L"library")
        return BuildLibrary(args[1], std::vector<std::wstring>(args.begin() + 2, args.end()));
    if (args.size() == 2 && args[0] == L"info")
        return Info(args[1]);
    if (args.size() == 3 && args[0] == L"convert")
        return Convert(args[1], args[2]);
    if (args.size() == 4 && args[0] == L"export")
        return Export(args[1], args[2], args[3]);
    if (args.size() == 6 && args[0] == L"effect")
        return RunEffectCommand(args[1], args[2], args[3], args[4], args[5]);
    if (args.size() >= 5 && args[0] == L"filter")
        return Filter(args);
    fwprintf(stderr, L"%ls%ls", kUsage, FilterUsage().c_str());
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
