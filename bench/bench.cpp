#include "bench.h"

#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <cwchar>
#include <cstdio>
#include <vector>

double MedianMilliseconds(int runs, const std::function<void()>& step)
{
    LARGE_INTEGER frequency, start, stop;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    step();  // warm caches and lazy initialisation
    for (int i = 0; i < runs; i++) {
        QueryPerformanceCounter(&start);
        step();
        QueryPerformanceCounter(&stop);
        times.push_back(double(stop.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Report(const std::string& name, double milliseconds, double targetMilliseconds)
{
    std::printf("%-52s %8.3f ms  (target < %g ms)  %s\n", name.c_str(), milliseconds, targetMilliseconds,
                milliseconds < targetMilliseconds ? "ok" : "SLOW");
    std::fflush(stdout);
}

namespace {

struct BenchmarkGroup {
    const wchar_t* name;
    void (*run)();
};

const BenchmarkGroup kGroups[] = {
    {L"core", RunCoreBenchmarks},         {L"easel", RunEaselBenchmarks},
    {L"document", RunDocumentBenchmarks}, {L"effect", RunEffectBenchmarks},
    {L"filter", RunFilterBenchmarks},     {L"startup", RunStartupBenchmarks},
    {L"dialog", RunDialogBenchmarks},
    {L"library", RunLibraryBenchmarks},
};

bool IsNamed(const BenchmarkGroup& group, int argc, wchar_t** argv)
{
    for (int i = 1; i < argc; i++)
        if (wcscmp(argv[i], group.name) == 0)
            return true;
    return false;
}

}  // namespace

// With no arguments every group runs; otherwise only the named ones (core, easel, document,
// effect, filter, startup, library).
int wmain(int argc, wchar_t** argv)
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return 1;
    std::printf("Vexil benchmarks: median of repeated runs\n");
    for (const BenchmarkGroup& group : kGroups)
        if (argc < 2 || IsNamed(group, argc, argv))
            group.run();
    Gdiplus::GdiplusShutdown(token);
    return 0;
}

HWND CreateBenchWindow(const wchar_t* className, WNDPROC procedure, int width, int height)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, className, L"bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, width, height,
                           nullptr, nullptr, windowClass.hInstance, nullptr);
}
