// The two worker bodies of a run on two threads while a third thread probes FineHead, as the
// window's mouse probe does: same results as one after the other, and (under ThreadSanitizer)
// no data race.
#include "tests/ModelFixtures.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace sheetpile::testing {
namespace {

TEST(WorkerConcurrency, WorkersAndProbeRunTogetherWithSequentialResults) {
    auto sequential = NewModel();
    sequential->SetupGeometry(2, 1, 0.3L, 0.2L);
    TThread1Execute(*sequential);
    TThread2Execute(*sequential);

    auto parallel = NewModel();
    parallel->SetupGeometry(2, 1, 0.3L, 0.2L);
    std::atomic<bool> done{false};
    std::int64_t probed = 0;
    std::thread probe([&] {
        const int last = 4 * parallel->LastCol;
        while (!done.load(std::memory_order_acquire)) {
            for (int x = 0; x <= last; x += 97) probed += parallel->FineHeadAt(x, 100);
            std::this_thread::yield(); // a mouse, not a busy loop
        }
    });
    std::thread streamWorker([&] { TThread1Execute(*parallel); });
    std::thread headWorker([&] { TThread2Execute(*parallel); });
    streamWorker.join();
    headWorker.join();
    done.store(true, std::memory_order_release);
    probe.join();

    EXPECT_GE(probed, 0);
    EXPECT_EQ(parallel->StreamPasses, sequential->StreamPasses);
    EXPECT_EQ(parallel->HeadPasses, sequential->HeadPasses);
    EXPECT_EQ(parallel->StreamGrid, sequential->StreamGrid);
    EXPECT_EQ(parallel->HeadGrid, sequential->HeadGrid);
    EXPECT_EQ(FineHash(parallel->FineHead, *parallel), FineHash(sequential->FineHead, *sequential));
    EXPECT_EQ(FineHash(parallel->FineStream, *parallel),
              FineHash(sequential->FineStream, *sequential));
}

} // namespace
} // namespace sheetpile::testing
