#include "bench.h"

#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
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

int wmain()
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return 1;
    std::printf("Vexil benchmarks: one thread, median of repeated runs\n");
    RunCoreBenchmarks();
    RunEaselBenchmarks();
    RunDocumentBenchmarks();
    RunEffectBenchmarks();
    RunFilterBenchmarks();
    RunStartupBenchmarks();
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
