// The benchmark program's small toolkit: time a step, print it beside its target.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Median wall time of `runs` calls of `step`, in milliseconds.
double MedianMilliseconds(int runs, const std::function<void()>& step);

// Prints "name: 1.234 ms (target < 3 ms)" and whether the figure meets its target.
void Report(const std::string& name, double milliseconds, double targetMilliseconds);

// A size x size picture (0xAARRGGBB values, rows top down): the raw picture
// "picture-<size>.raw" of the folder VEXIL_BENCH_PICTURES names (scripts/compare writes
// them), otherwise an icon-like disc of noise.
std::vector<uint32_t> BenchPicture(int size);

// A top-level window of class `className` (registered here with `procedure`) for the
// panels under test to live in.
HWND CreateBenchWindow(const wchar_t* className, WNDPROC procedure, int width, int height);

// One function per area; each prints its own figures.
void RunCoreBenchmarks();
void RunEaselBenchmarks();
void RunDocumentBenchmarks();
void RunDialogBenchmarks();
void RunEffectBenchmarks();
void RunFilterBenchmarks();
void RunLibraryBenchmarks();
void RunStartupBenchmarks();
