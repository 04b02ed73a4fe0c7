// Work on the thread pool: every task runs once, the caller really gets help, and rows split
// into bands cover the picture in order.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <vector>

#include "common/pool_work.h"

TEST(RunInParallel, RunsEveryIndexExactlyOnce)
{
    for (int count : {0, 1, 7, 100}) {
        std::vector<std::atomic<int>> runs(static_cast<size_t>(count));
        RunInParallel(count, [&](int i) { runs[size_t(i)]++; });
        for (int i = 0; i < count; i++)
            EXPECT_EQ(runs[size_t(i)].load(), 1) << "index " << i << " of " << count;
    }
}

// Two tasks that each wait for the other can only both finish when they run at the same time.
TEST(RunInParallel, TasksRunAtTheSameTimeOnSeveralProcessors)
{
    if (ProcessorCount() < 2)
        GTEST_SKIP() << "one processor";
    std::atomic<int> arrived{0};
    std::atomic<int> metTheOther{0};
    RunInParallel(2, [&](int) {
        arrived++;
        const ULONGLONG giveUp = GetTickCount64() + 5000;
        while (arrived.load() < 2 && GetTickCount64() < giveUp)
            Sleep(1);
        if (arrived.load() == 2)
            metTheOther++;
    });
    EXPECT_EQ(metTheOther.load(), 2);
}

TEST(StartInBackground, TheTaskIsDoneWhenFinishReturns)
{
    BackgroundWork work;
    std::atomic<int> result{0};
    StartInBackground(&work, [&] {
        Sleep(20);
        result = 42;
    });
    FinishBackground(&work);
    EXPECT_EQ(result.load(), 42);
    FinishBackground(&work);  // a second finish has nothing to wait for
}

TEST(SplitIntoBands, CoversTheRowsInOrderWithoutGaps)
{
    struct Case {
        int rows, rowsPerBand, mostBands, bands;
    };
    for (const Case& c : {Case{0, 64, 64, 1}, Case{5, 64, 64, 1}, Case{256, 64, 64, 4}, Case{250, 64, 64, 3},
                          Case{1000, 1, 64, 64}, Case{10, 0, 64, 10}, Case{10, 1, 0, 1}}) {
        const std::vector<RowBand> bands = SplitIntoBands(c.rows, c.rowsPerBand, c.mostBands);
        ASSERT_EQ(int(bands.size()), c.bands) << c.rows << " rows";
        int next = 0;
        for (const RowBand& band : bands) {
            EXPECT_EQ(band.top, next);
            EXPECT_TRUE(band.bottom > band.top || c.rows == 0);
            next = band.bottom;
        }
        EXPECT_EQ(next, c.rows);
    }
}
