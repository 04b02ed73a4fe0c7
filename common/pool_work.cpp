#include "common/pool_work.h"

#include <windows.h>

#include <algorithm>
#include <atomic>

namespace {

struct SharedRun {
    const std::function<void(int)>* task;
    int count;
    std::atomic<int> next{0};
};

// Each thread takes the next index until none is left, so fast and slow tasks even out.
void TakeTasks(SharedRun* run)
{
    for (int index = run->next++; index < run->count; index = run->next++)
        (*run->task)(index);
}

VOID CALLBACK RunShared(PTP_CALLBACK_INSTANCE, PVOID context, PTP_WORK)
{
    TakeTasks(static_cast<SharedRun*>(context));
}

VOID CALLBACK RunBackground(PTP_CALLBACK_INSTANCE, PVOID context, PTP_WORK)
{
    static_cast<BackgroundWork*>(context)->task();
}

}  // namespace

int ProcessorCount()
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return std::max(1, int(info.dwNumberOfProcessors));
}

void RunInParallel(int count, const std::function<void(int)>& task)
{
    SharedRun run;
    run.task = &task;
    run.count = count;
    const int helpers = std::min(count, ProcessorCount()) - 1;
    PTP_WORK work = helpers > 0 ? CreateThreadpoolWork(RunShared, &run, nullptr) : nullptr;
    for (int i = 0; work && i < helpers; i++)
        SubmitThreadpoolWork(work);
    TakeTasks(&run);
    if (work) {
        WaitForThreadpoolWorkCallbacks(work, FALSE);
        CloseThreadpoolWork(work);
    }
}

std::vector<RowBand> SplitIntoBands(int rows, int rowsPerBand, int mostBands)
{
    const int count = std::clamp(rows / std::max(rowsPerBand, 1), 1, std::max(mostBands, 1));
    std::vector<RowBand> bands(static_cast<size_t>(count));
    for (int i = 0; i < count; i++)
        bands[size_t(i)] = {rows * i / count, rows * (i + 1) / count};
    return bands;
}

void StartInBackground(BackgroundWork* work, std::function<void()> task)
{
    work->task = std::move(task);
    PTP_WORK poolWork = ProcessorCount() > 1 ? CreateThreadpoolWork(RunBackground, work, nullptr) : nullptr;
    if (!poolWork) {
        work->task();
        return;
    }
    work->poolWork = poolWork;
    SubmitThreadpoolWork(poolWork);
}

void FinishBackground(BackgroundWork* work)
{
    if (!work->poolWork)
        return;
    PTP_WORK poolWork = static_cast<PTP_WORK>(work->poolWork);
    WaitForThreadpoolWorkCallbacks(poolWork, FALSE);
    CloseThreadpoolWork(poolWork);
    work->poolWork = nullptr;
}
