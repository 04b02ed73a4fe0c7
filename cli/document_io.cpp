#include "document_io.h"

#include <cwchar>
#include <cwctype>

namespace {

std::wstring LowerExtension(const std::wstring& path)
{
    const size_t dot = path.find_last_of(L'.');
    const size_t slash = path.find_last_of(L"\\/");
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash))
        return L"";
    std::wstring extension = path.substr(dot);
    for (wchar_t& c : extension)
        c = wchar_t(std::towlower(c));
    return extension;
}

// A project records where it was saved, as the editor's save does before writing.
int SaveProject(const std::wstring& path, Resource* document)
{
    wchar_t full[MAX_PATH] = {};
    if (!GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr))
        wcsncpy(full, path.c_str(), MAX_PATH - 1);
    wcsncpy(document->fileName, full, 259);
    document->fileName[259] = 0;
    return PYX_SaveProjectToFile(nullptr, path.c_str(), document);
}

}  // namespace

DocumentFormat FormatOfPath(const std::wstring& path)
{
    const std::wstring extension = LowerExtension(path);
    if (extension == L".ico")
        return DocumentFormat::kIcon;
    if (extension == L".cur")
        return DocumentFormat::kCursor;
    if (extension == L".ani")
        return DocumentFormat::kAnimatedCursor;
    if (extension == L".fic")
        return DocumentFormat::kProject;
    return DocumentFormat::kUnknown;
}

bool IsLibraryPath(const std::wstring& path)
{
    const std::wstring extension = LowerExtension(path);
    for (const wchar_t* library : {L".nil", L".icl", L".exe", L".dll", L".scr", L".ocx", L".cpl"})
        if (extension == library)
            return true;
    return false;
}

Resource* LoadDocument(const std::wstring& path)
{
    switch (FormatOfPath(path)) {
    case DocumentFormat::kIcon: return PYX_LoadIconFromFile(nullptr, path.c_str());
    case DocumentFormat::kCursor: return PYX_LoadCursorFromFile(nullptr, path.c_str());
    case DocumentFormat::kAnimatedCursor: return PYX_LoadAniFromFile(nullptr, path.c_str());
    case DocumentFormat::kProject: return PYX_LoadProjectFromFile(nullptr, path.c_str());
    default: return nullptr;
    }
}

int SaveDocument(const std::wstring& path, Resource* document)
{
    switch (FormatOfPath(path)) {
    case DocumentFormat::kIcon: return PYX_SaveIconToFile(nullptr, path.c_str(), document);
    case DocumentFormat::kCursor: return PYX_SaveCursorToFile(nullptr, path.c_str(), document);
    case DocumentFormat::kAnimatedCursor: return PYX_SaveAniToFile(nullptr, path.c_str(), document);
    case DocumentFormat::kProject: return SaveProject(path, document);
    default: return 0;
    }
}
