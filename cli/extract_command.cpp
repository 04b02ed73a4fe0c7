#include "cli/extract_command.h"

#include <windows.h>

#include <atomic>
#include <cwchar>
#include <vector>

#include "cli/cli_support.h"

namespace {

// Most of a file's cost is the file system's round trips, not our work, so several files
// are written at once.
constexpr int kWriters = 4;

struct ExtractJob {
    std::vector<Image*> images;
    std::vector<std::wstring> paths;
    std::vector<char> written;
    std::atomic<size_t> next{0};
    std::atomic<bool> stop{false};
    CRITICAL_SECTION lock;
    size_t failedIndex = SIZE_MAX;  // the first file that could not be written
    std::vector<RecordedMessageBox> failureBoxes;
};

void RecordFailure(ExtractJob* job, size_t index, const MessageBoxRecorder& recorder)
{
    EnterCriticalSection(&job->lock);
    if (index < job->failedIndex) {
        job->failedIndex = index;
        job->failureBoxes = recorder.boxes();
    }
    LeaveCriticalSection(&job->lock);
    job->stop = true;
}

DWORD WINAPI WriteFiles(LPVOID parameter)
{
    ExtractJob* job = static_cast<ExtractJob*>(parameter);
    MessageBoxRecorder recorder;  // a failing save's box, answered and kept on this thread
    while (!job->stop) {
        const size_t index = job->next++;
        if (index >= job->images.size())
            break;
        recorder.Clear();
        if (PYX_SaveSingleImageAsIcon(nullptr, job->paths[index].c_str(), job->images[index]))
            job->written[index] = 1;
        else
            RecordFailure(job, index, recorder);
    }
    return 0;
}

void RunWriters(ExtractJob* job)
{
    HANDLE threads[kWriters] = {};
    int started = 0;
    for (int i = 0; i < kWriters; i++)
        if ((threads[started] = CreateThread(nullptr, 0, WriteFiles, job, 0, nullptr)))
            started++;
    if (started == 0)
        WriteFiles(job);  // no thread to be had: write them here
    WaitForMultipleObjects(DWORD(started), threads, TRUE, INFINITE);
    for (int i = 0; i < started; i++)
        CloseHandle(threads[i]);
}

int WriteAll(Resource* document, const std::wstring& folder, FILE* listing)
{
    ExtractJob job;
    for (Image* image = document->firstImage; image; image = image->next) {
        wchar_t name[16];
        swprintf(name, 16, L"%03d.ico", int(job.images.size()));
        job.images.push_back(image);
        job.paths.push_back(folder + L"\\" + name);
    }
    job.written.assign(job.images.size(), 0);
    InitializeCriticalSection(&job.lock);
    RunWriters(&job);
    DeleteCriticalSection(&job.lock);
    // Listed in order, up to the first file that failed, as one writer would have.
    for (size_t i = 0; i < job.images.size() && i < job.failedIndex; i++)
        if (listing && job.written[i])
            fwprintf(listing, L"%ls\n", job.paths[i].c_str());
    if (job.failedIndex == SIZE_MAX)
        return 0;
    const std::wstring fallback = L"cannot write \"" + job.paths[job.failedIndex] + L"\"";
    if (job.failureBoxes.empty())
        return Fail(fallback);
    for (const RecordedMessageBox& box : job.failureBoxes)
        fwprintf(stderr, L"%ls: %ls\n", box.caption.c_str(), box.text.c_str());
    return kFailure;
}

}  // namespace

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
    else
        status = WriteAll(document, folder, listing);
    PYX_DoCleanupInternalResource(document);
    return status;
}
