#include "cli/cli_support.h"

#include <cstdio>
#include <cwchar>

#include "cli/document_io.h"

int Fail(const std::wstring& message)
{
    fwprintf(stderr, L"vexilc: %ls\n", message.c_str());
    return kFailure;
}

int FailUsage(const std::wstring& message)
{
    Fail(message);
    return kUsageError;
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
        *status = Fail(L"cannot read \"" + path + L"\": use an .ico, .cur, .ani or .fic file");
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

bool ParseIndex(const std::wstring& text, long* value)
{
    wchar_t* end = nullptr;
    *value = wcstol(text.c_str(), &end, 10);
    return !text.empty() && *end == 0;
}
