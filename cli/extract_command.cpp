#include "cli/extract_command.h"

#include <windows.h>

#include <cwchar>

#include "cli/cli_support.h"

int ExtractLibrary(const std::wstring& library, const std::wstring& folder, FILE* listing)
{
    MessageBoxRecorder recorder;
    Resource* document = PYX_GetLibraryIcons(nullptr, library.c_str());
    if (!document)
        return FailWithBoxes(recorder, L"cannot read \"" + library + L"\"");
    int status = 0;
    if (document->imageCount == 0)
        status = Fail(L"\"" + library + L"\" holds no icon images");
    else if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        status = Fail(L"cannot create the folder \"" + folder + L"\"");
    int index = 0;
    for (Image* image = document->firstImage; image && status == 0; image = image->next, index++) {
        wchar_t name[16];
        swprintf(name, 16, L"%03d.ico", index);
        const std::wstring path = folder + L"\\" + name;
        if (!PYX_SaveSingleImageAsIcon(nullptr, path.c_str(), image))
            status = FailWithBoxes(recorder, L"cannot write \"" + path + L"\"");
        else if (listing)
            fwprintf(listing, L"%ls\n", path.c_str());
    }
    PYX_DoCleanupInternalResource(document);
    return status;
}
