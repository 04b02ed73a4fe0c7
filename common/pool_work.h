// Work spread over the process's thread pool. The calling thread takes part and the calls
// return only when everything is done; when the pool cannot take work, it all runs on the
// calling thread. Tasks that run together must not use the same GDI+ object: GDI+ refuses
// an object that another thread is using, so give each task its own copies.
#pragma once

#include <functional>
#include <vector>

// Runs task(0) .. task(count - 1), in any order and at most one pool thread per processor
// besides the caller.
void RunInParallel(int count, const std::function<void(int index)>& task);

// Rows [top, bottom) of a picture, for work split into horizontal bands.
struct RowBand {
    int top = 0, bottom = 0;
};

// `rows` rows in order, split into bands of about `rowsPerBand` rows: at least one band,
// at most `mostBands`, none empty while there are rows.
std::vector<RowBand> SplitIntoBands(int rows, int rowsPerBand, int mostBands);

// One task running on the pool while the caller goes on; FinishBackground waits for it.
struct BackgroundWork {
    std::function<void()> task;
    void* poolWork = nullptr;  // the pool's handle while the task may be running
};

void StartInBackground(BackgroundWork* work, std::function<void()> task);
void FinishBackground(BackgroundWork* work);

// The processors this process may run on (at least 1).
int ProcessorCount();
