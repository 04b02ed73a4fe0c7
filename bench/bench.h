// The benchmark program's small toolkit: time a step, print it beside its target.
#pragma once

#include <functional>
#include <string>

// Median wall time of `runs` calls of `step`, in milliseconds.
double MedianMilliseconds(int runs, const std::function<void()>& step);

// Prints "name: 1.234 ms (target < 3 ms)" and whether the figure meets its target.
void Report(const std::string& name, double milliseconds, double targetMilliseconds);

// One function per area; each prints its own figures.
void RunCoreBenchmarks();
void RunEaselBenchmarks();
void RunDocumentBenchmarks();
void RunEffectBenchmarks();
void RunFilterBenchmarks();
void RunLibraryBenchmarks();
void RunStartupBenchmarks();
