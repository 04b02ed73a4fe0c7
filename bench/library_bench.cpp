// A large icon library (every icon of a system shell module): opening it, listing and
// scrolling it in the image list, extracting it to a folder as vexilc does.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench.h"
#include "cli/extract_command.h"
#include "common/app_context.h"
#include "common/messages.h"
#include "core/pyx.h"
#include "panels/imagelist/imagestrip.h"

namespace {

// Where the library is looked for: VEXIL_BENCH_LIBRARY, else Wine's own 64-bit shell32.
std::wstring LibraryPath()
{
    if (const wchar_t* chosen = _wgetenv(L"VEXIL_BENCH_LIBRARY"); chosen && *chosen)
        return chosen;
    return L"Z:\\usr\\lib\\x86_64-linux-gnu\\wine\\x86_64-windows\\shell32.dll";
}

std::wstring ScratchFolder()
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"vexil-bench-" + std::to_wstring(GetCurrentProcessId()) + L"-extract";
}

void RemoveFolder(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW((folder + L"\\" + found.cFileName).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

double Now()
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

// Opening and closing apart: the program opens a library once and frees it much later.
void BenchOpen(const std::wstring& library, int imageCount)
{
    std::vector<double> opens, closes;
    for (int run = 0; run < 6; run++) {
        const double start = Now();
        Resource* document = PYX_GetLibraryIcons(nullptr, library.c_str());
        const double opened = Now();
        PYX_DoCleanupInternalResource(document);
        if (run > 0) {  // the first run warms the caches
            opens.push_back(opened - start);
            closes.push_back(Now() - opened);
        }
    }
    std::sort(opens.begin(), opens.end());
    std::sort(closes.begin(), closes.end());
    Report("open library, " + std::to_string(imageCount) + " images", opens[opens.size() / 2], 500);
    Report("free that document", closes[closes.size() / 2], 100);
}

void BenchExtract(const std::wstring& library)
{
    const std::wstring folder = ScratchFolder();
    FILE* listing = _wfopen(L"NUL", L"w");
    Report("vexilc extract of the shell module into a folder", MedianMilliseconds(3, [&] {
               RemoveFolder(folder);
               if (ExtractLibrary(library, folder, listing) != 0)
                   std::printf("  (extract failed)\n");
           }), 2000);
    if (listing)
        fclose(listing);
    RemoveFolder(folder);
}

LRESULT CALLBACK QuietMain(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_APP && message < 0xC000)
        return 0;  // the panel's reports to the shell
    return DefWindowProcW(window, message, wParam, lParam);
}

// Paints the strip as the system would when it asks for its picture.
void PaintStripInto(HWND strip, HDC target)
{
    SendMessageW(strip, WM_PRINTCLIENT, WPARAM(target), PRF_CLIENT);
}

void BenchImageList(Resource* document)
{
    HWND main = CreateBenchWindow(L"VexilLibraryBenchMain", QuietMain, 800, 600);
    if (!main) {
        std::printf("image list: no window could be made (no display?), rows skipped\n");
        return;
    }
    ShowWindow(main, SW_SHOW);
    AppContext context{};
    context.document = document;
    context.mainWindow = main;
    HWND frame = CreateILWindow(main, 1, 450, &context);
    context.imageListWindow = frame;
    HWND strip = frame ? GetWindow(frame, GW_CHILD) : nullptr;
    HDC screen = GetDC(main);
    HDC target = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, 800, 200);
    HGDIOBJ old = SelectObject(target, canvas);
    if (strip) {
        // Every run starts from a freshly installed document: no thumbnail is made yet.
        Report("image list: take the document and paint one page", MedianMilliseconds(9, [&] {
                   SendMessageW(frame, kImageListSelectImage, 0, 0);
                   PaintStripInto(strip, target);
               }), 100);
        Report("image list: one scroll step to the right", MedianMilliseconds(101, [&] {
                   SendMessageW(strip, WM_HSCROLL, SB_LINERIGHT, 0);
                   PaintStripInto(strip, target);
               }), 16);
        Report("image list: paint the same page again", MedianMilliseconds(21, [&] { PaintStripInto(strip, target); }), 16);
        Report("image list: choose the last image, paint its page", MedianMilliseconds(9, [&] {
                   SendMessageW(frame, kImageListSelectImage, WPARAM(document->imageCount - 1), 0);
                   PaintStripInto(strip, target);
               }), 100);
    }
    SelectObject(target, old);
    DeleteObject(canvas);
    DeleteDC(target);
    ReleaseDC(main, screen);
    DestroyILWindow();
    DestroyWindow(main);
}

}  // namespace

void RunLibraryBenchmarks()
{
    const std::wstring library = LibraryPath();
    if (GetFileAttributesW(library.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::printf("library: %ls not found, rows skipped\n", library.c_str());
        return;
    }
    Resource* document = PYX_GetLibraryIcons(nullptr, library.c_str());
    if (!document) {
        std::printf("library: %ls could not be read, rows skipped\n", library.c_str());
        return;
    }
    BenchOpen(library, document->imageCount);
    BenchImageList(document);
    PYX_DoCleanupInternalResource(document);
    BenchExtract(library);
}
