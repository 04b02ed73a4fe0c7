#include "cli/info_command.h"

#include <cstdio>

#include "cli/cli_support.h"
#include "cli/document_io.h"
#include "cli/icon_writing.h"

namespace {

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

const char* KindName(const std::wstring& path)
{
    if (IsLibraryPath(path))
        return "library";
    switch (FormatOfPath(path)) {
    case DocumentFormat::kIcon: return "icon";
    case DocumentFormat::kCursor: return "cursor";
    case DocumentFormat::kAnimatedCursor: return "animated cursor";
    default: return "project";
    }
}

void PrintText(const Resource& document)
{
    int index = 0;
    for (Image* image = document.firstImage; image; image = image->next, index++)
        wprintf(L"%d %ux%u %ubpp hotspot=%d,%d rate=%u layers=%u\n", index, image->width, image->height,
                image->bitsPerPixel, image->hotspotX, image->hotspotY, image->displayRate, image->layerCount);
}

std::string ImageJson(const Image& image, bool png)
{
    char text[256];
    snprintf(text, sizeof text,
             "{\"width\":%u,\"height\":%u,\"depth\":%u,\"hotspot\":{\"x\":%d,\"y\":%d},\"rate\":%u,"
             "\"layers\":%u,\"png\":%s}",
             image.width, image.height, image.bitsPerPixel, image.hotspotX, image.hotspotY, image.displayRate,
             image.layerCount, png ? "true" : "false");
    return text;
}

void PrintJson(const std::wstring& path, const Resource& document)
{
    const std::vector<bool> png = PngStoredEntries(path);
    std::string line = "{\"file\":" + JsonString(path) + ",\"kind\":\"" + KindName(path) + "\",\"images\":[";
    size_t index = 0;
    for (Image* image = document.firstImage; image; image = image->next, index++) {
        line += index ? "," : "";
        line += ImageJson(*image, index < png.size() && png[index]);
    }
    line += "]}\n";
    fputs(line.c_str(), stdout);
}

}  // namespace

std::string JsonString(const std::wstring& text)
{
    std::string quoted = "\"";
    for (const wchar_t c : text) {
        if (c == L'"' || c == L'\\') {
            quoted += '\\';
            quoted += char(c);
        } else if (c >= 0x20 && c < 0x7F) {
            quoted += char(c);
        } else {
            char escape[8];
            snprintf(escape, sizeof escape, "\\u%04x", unsigned(c));
            quoted += escape;
        }
    }
    return quoted + "\"";
}

int RunInfoCommand(const std::vector<std::wstring>& paths, InfoStyle style)
{
    int status = 0;
    for (const std::wstring& path : paths) {
        MessageBoxRecorder recorder;
        int failed = 0;
        Resource* document = LoadForInfo(path, recorder, &failed);
        if (!document) {
            status = failed;
            continue;
        }
        if (style == InfoStyle::kJson) {
            PrintJson(path, *document);
        } else {
            if (paths.size() > 1)
                wprintf(L"%ls:\n", path.c_str());
            PrintText(*document);
        }
        fflush(stdout);
        PYX_DoCleanupInternalResource(document);
    }
    return status;
}
