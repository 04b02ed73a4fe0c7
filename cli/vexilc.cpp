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
#include "cli/icon_writing.h"
#include "cli/info_command.h"
#include "cli/make_command.h"
#include "cli/picture_export.h"
#include "common/message_box_recorder.h"
#include "core/library_writer.h"
#include "core/pyx.h"
#include "vexil_version.h"

namespace {

struct CommandHelp {
    const wchar_t* name;
    const wchar_t* synopsis;  // after "vexilc "
    const wchar_t* details;
};

const CommandHelp kCommands[] = {
    {L"info", L"info [--json] FILE...",
     L"One line per image: index, size, depth, hot spot, rate (jiffies) and layers. FILE is an\n"
     L".ico, .cur, .ani or .fic file or an icon library (.nil, .icl, .exe, .dll, .scr, .ocx, .cpl).\n"
     L"--json prints one JSON object per file instead: file, kind, and for each image width, height,\n"
     L"depth, hotspot {x, y}, rate, layers and png (whether the entry is stored PNG-compressed).\n"},
    {L"convert", L"convert [--png-256] IN OUT",
     L"Reads IN and writes OUT; both are .ico, .cur, .ani or .fic files, chosen by extension.\n"
     L"--png-256 (for an .ico or .cur OUT) stores 256 x 256 images PNG-compressed.\n"},
    {L"make", L"make [--sizes N,N,...] [--depth D] [--hotspot X,Y] [--png-256] OUT.ico|OUT.cur PICTURE...",
     L"Makes an icon or cursor from PNG, BMP, JPEG or GIF pictures. One picture is scaled to the\n"
     L"sizes 16, 24, 32, 48, 64, 128 and 256 (or those of --sizes, each 1 to 256), keeping its\n"
     L"proportions, centred on a transparent square. Several pictures are each kept as they are\n"
     L"for their own size (up to 256 x 256); with --sizes, the sizes no picture has are scaled from\n"
     L"the largest picture. --depth 32|24|8|4|1 sets the depth of every image (default 32);\n"
     L"--hotspot X,Y (cursors) names a pixel of the largest picture, placed at the same spot of\n"
     L"every size; --png-256 stores 256 x 256 images PNG-compressed.\n"},
    {L"export", L"export IN INDEX OUT.png|OUT.bmp",
     L"Writes the picture of image INDEX (from 0); PNG keeps its alpha, BMP is drawn over white.\n"},
    {L"extract", L"extract LIBRARY OUTDIR",
     L"Writes every icon image of an icon library as OUTDIR\\000.ico, 001.ico, ...\n"},
    {L"library", L"library OUT.nil IN1.ico IN2.ico ...",
     L"Builds a new icon library with one icon group per .ico file.\n"},
    {L"filter", L"filter IN INDEX TYPE [PARAMS...] OUT.ico|OUT.cur|OUT.png|OUT.bmp",
     L"Applies one filter to the picture of image INDEX and writes the result (an .ico or .cur\n"
     L"OUT holds that one image at its own depth).\n"},
    {L"effect", L"effect IN.fic INDEX LAYER EFFECT OUT.fic|OUT.png|OUT.bmp",
     L"Paints a glossy effect (1 Wave, 2 Pearl, 3 Marble, 4 Jelly, 5 Glassy Ball, 6 Aqua Ball,\n"
     L"7 Sweet) with the default style on vector layer LAYER of image INDEX and writes the\n"
     L"document, or that layer's picture.\n"},
};

std::wstring Usage()
{
    std::wstring usage;
    for (const CommandHelp& command : kCommands)
        usage += std::wstring(usage.empty() ? L"usage: " : L"       ") + L"vexilc " + command.synopsis + L"\n";
    return usage + L"       vexilc --version\n"
                   L"       vexilc --help | vexilc COMMAND --help\n"
                   L"Exit codes: 0 success, 1 a file could not be read or written, 2 a usage error.\n";
}

const CommandHelp* FindCommand(const std::wstring& name)
{
    for (const CommandHelp& command : kCommands)
        if (name == command.name)
            return &command;
    return nullptr;
}

std::wstring CommandUsage(const CommandHelp& command)
{
    std::wstring text = std::wstring(L"usage: vexilc ") + command.synopsis + L"\n" + command.details;
    return command.name == std::wstring(L"filter") ? text + FilterUsage() : text;
}

int WrongArguments(const CommandHelp& command)
{
    fwprintf(stderr, L"%ls", CommandUsage(command).c_str());
    return kUsageError;
}

int Convert(const std::wstring& in, const std::wstring& out, LargeEntries large)
{
    const DocumentFormat format = FormatOfPath(out);
    if (format == DocumentFormat::kUnknown)
        return FailUsage(L"cannot write \"" + out + L"\": use an .ico, .cur, .ani or .fic file");
    if (large == LargeEntries::kPng && format != DocumentFormat::kIcon && format != DocumentFormat::kCursor)
        return FailUsage(L"--png-256 is for .ico and .cur files");
    MessageBoxRecorder recorder;
    int status = 0;
    Resource* document = Load(in, recorder, &status);
    if (!document)
        return status;
    std::wstring error;
    if (large == LargeEntries::kPng)
        status = WriteIconDocument(out, document, format == DocumentFormat::kCursor ? kCursorFileType : kIconFileType,
                                   large, &error) ? 0 : Fail(error);
    else if (!SaveDocument(out, document))
        status = FailWithBoxes(recorder, L"cannot write \"" + out + L"\"");
    PYX_DoCleanupInternalResource(document);
    return status;
}

int Export(const std::wstring& in, const std::wstring& indexText, const std::wstring& out)
{
    const PictureFormat format = PictureFormatOfPath(out);
    if (format == PictureFormat::kUnknown)
        return FailUsage(L"cannot export to \"" + out + L"\": use a .png or .bmp file");
    long index = 0;
    if (!ParseIndex(indexText, &index))
        return FailUsage(L"\"" + indexText + L"\" is not an image index");
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
        return FailUsage(L"cannot write \"" + out + L"\": use an .ico, .cur, .png or .bmp file");
    FilterCommand command;
    std::wstring error;
    if (!ParseFilterCommand(args[3], std::vector<std::wstring>(args.begin() + 4, args.end() - 1), &command, &error))
        return FailUsage(error + L"\n" + FilterUsage());
    long index = 0;
    if (!ParseIndex(indexText, &index))
        return FailUsage(L"\"" + indexText + L"\" is not an image index");
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

bool HasArgument(const std::vector<std::wstring>& args, const wchar_t* wanted)
{
    for (size_t i = 1; i < args.size(); i++)
        if (args[i] == wanted)
            return true;
    return false;
}

// The arguments after the command without `flag`; *present says whether it was there.
std::vector<std::wstring> WithoutFlag(const std::vector<std::wstring>& args, const wchar_t* flag, bool* present)
{
    std::vector<std::wstring> rest;
    *present = false;
    for (size_t i = 1; i < args.size(); i++) {
        if (args[i] == flag)
            *present = true;
        else
            rest.push_back(args[i]);
    }
    return rest;
}

int RunInfo(const std::vector<std::wstring>& args)
{
    bool json = false;
    const std::vector<std::wstring> files = WithoutFlag(args, L"--json", &json);
    if (files.empty())
        return WrongArguments(*FindCommand(L"info"));
    return RunInfoCommand(files, json ? InfoStyle::kJson : InfoStyle::kText);
}

int RunConvert(const std::vector<std::wstring>& args)
{
    bool png = false;
    const std::vector<std::wstring> files = WithoutFlag(args, L"--png-256", &png);
    if (files.size() != 2)
        return WrongArguments(*FindCommand(L"convert"));
    return Convert(files[0], files[1], png ? LargeEntries::kPng : LargeEntries::kBitmap);
}

// A command with its arguments counted; the help when asked for.
int RunCommand(const CommandHelp& command, const std::vector<std::wstring>& args)
{
    const std::wstring name = command.name;
    const size_t count = args.size();
    if (HasArgument(args, L"--help")) {
        wprintf(L"%ls", CommandUsage(command).c_str());
        return 0;
    }
    if (name == L"info")
        return RunInfo(args);
    if (name == L"convert")
        return RunConvert(args);
    if (name == L"make")
        return RunMakeCommand(std::vector<std::wstring>(args.begin() + 1, args.end()));
    if (name == L"extract" && count == 3)
        return ExtractLibrary(args[1], args[2], stdout);
    if (name == L"library" && count >= 3)
        return BuildLibrary(args[1], std::vector<std::wstring>(args.begin() + 2, args.end()));
    if (name == L"export" && count == 4)
        return Export(args[1], args[2], args[3]);
    if (name == L"effect" && count == 6)
        return RunEffectCommand(args[1], args[2], args[3], args[4], args[5]);
    if (name == L"filter" && count >= 5)
        return Filter(args);
    return WrongArguments(command);
}

int Run(const std::vector<std::wstring>& args)
{
    if (args.size() == 1 && args[0] == L"--version") {
        wprintf(L"vexilc %ls\n", VEXIL_VERSION_TEXT_W);
        return 0;
    }
    if (args.size() == 1 && (args[0] == L"--help" || args[0] == L"-h" || args[0] == L"help")) {
        wprintf(L"%ls", Usage().c_str());
        return 0;
    }
    const CommandHelp* command = args.empty() ? nullptr : FindCommand(args[0]);
    if (command)
        return RunCommand(*command, args);
    if (!args.empty() && args[0].rfind(L"-", 0) != 0)
        fwprintf(stderr, L"vexilc: \"%ls\" is not a command\n", args[0].c_str());
    fwprintf(stderr, L"%ls", Usage().c_str());
    return kUsageError;
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
