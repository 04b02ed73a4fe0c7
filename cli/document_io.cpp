#include "document_io.h"

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

}  // namespace

DocumentFormat FormatOfPath(const std::wstring& path)
{
    const std::wstring extension = LowerExtension(path);
    if (extension == L".ico")
        return DocumentFormat::kIcon;
    if (extension == L".cur")
        return DocumentFormat::kCursor;
    return DocumentFormat::kUnknown;
}

Resource* LoadDocument(const std::wstring& path)
{
    switch (FormatOfPath(path)) {
    case DocumentFormat::kIcon: return PYX_LoadIconFromFile(nullptr, path.c_str());
    case DocumentFormat::kCursor: return PYX_LoadCursorFromFile(nullptr, path.c_str());
    default: return nullptr;
    }
}

int SaveDocument(const std::wstring& path, Resource* document)
{
    switch (FormatOfPath(path)) {
    case DocumentFormat::kIcon: return PYX_SaveIconToFile(nullptr, path.c_str(), document);
    case DocumentFormat::kCursor: return PYX_SaveCursorToFile(nullptr, path.c_str(), document);
    default: return 0;
    }
}
