// The two worker bodies of a run on two threads while a third thread probes FineHead, as the
// window's mouse probe does: same results as one after the other, and (under ThreadSanitizer)
// no data race. Runs of a model made over storage full of a poison pattern: the same fields and
// pictures as over zeroed storage, so no run reads memory that nothing wrote.
#include "sheetpile/ZoneOverlays.h"
#include "tests/ModelFixtures.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <new>
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

// A model made as the programs make theirs, over storage that holds `fill` in every byte.
class TModelOver {
  public:
    explicit TModelOver(unsigned char fill)
        : Storage(::operator new (sizeof(TModel), std::align_val_t{alignof(TModel)})) {
        std::memset(Storage, fill, sizeof(TModel));
        Model = new (Storage) TModel;
    }
    ~TModelOver() {
        Model->~TModel();
        ::operator delete (Storage, std::align_val_t{alignof(TModel)});
    }
    TModelOver(const TModelOver&) = delete;
    TModelOver& operator=(const TModelOver&) = delete;

    void* Storage;
    TModel* Model;
};

// A run as the run control makes it: inputs, geometry, both workers, discharge, picture.
void RunAsTheRunControlDoes(TModel& m, long double L, long double R, bool zones) {
    m.HeadDiff = 3;
    m.StratumDepth = 2;
    m.Permeability = 1e-5L;
    m.UnitWeightRatio = 1;
    m.SetupGeometry(2, 1, L, R);
    std::thread stream([&m] { TThread1Execute(m); });
    TThread2Execute(m);
    stream.join();
    m.ResultsReady = true;
    m.ComputeDischarge();
    m.ShowCriticalZone = m.ShowPossibleHeave = m.ShowImminentHeave = zones;
    m.RenderNet(m.Nd, m.Nf);
    m.DrawStructure();
    m.ShowNetPicture();
}

// Everything a run leaves that a front end or a later run may read; the gradient only where an
// overlay was drawn.
void ExpectSameRun(const TModel& a, const TModel& b, bool zones) {
    EXPECT_EQ(a.StreamPasses, b.StreamPasses);
    EXPECT_EQ(a.HeadPasses, b.HeadPasses);
    EXPECT_EQ(a.StreamGrid, b.StreamGrid);
    EXPECT_EQ(a.HeadGrid, b.HeadGrid);
    EXPECT_EQ(FineHash(a.FineStream, a), FineHash(b.FineStream, b));
    EXPECT_EQ(FineHash(a.FineHead, a), FineHash(b.FineHead, b));
    bool sameGradients = true;
    for (int r = 0; zones && r < CoarseRows; ++r)
        for (int c = 0; c <= a.LastCol; ++c) sameGradients &= a.GradGrid[r][c] == b.GradGrid[r][c];
    for (int y = 0; zones && y < FineRows; ++y)
        for (int x = 0; x <= 4 * a.LastCol; ++x)
            sameGradients &= a.FineGrad[y][x] == b.FineGrad[y][x];
    EXPECT_TRUE(sameGradients);
    const TZoneExtent za = ZoneExtent(a), zb = ZoneExtent(b);
    EXPECT_EQ(za.CriticalPixels, zb.CriticalPixels);
    EXPECT_EQ(za.PossibleColumns, zb.PossibleColumns);
    EXPECT_EQ(a.Nf, b.Nf);
    EXPECT_EQ(a.ShapeFactor, b.ShapeFactor);
    EXPECT_EQ(a.NetBitmap.PixelHash(), b.NetBitmap.PixelHash());
    EXPECT_EQ(a.ShownPicture.PixelHash(), b.ShownPicture.PixelHash());
}

TEST(ModelStartUp, RunsReadNothingThatNoStepWrote) {
    // 0xFF bytes are the largest word in the integer grids (sums of them wrap) and NaN in the
    // extended ones: either would show in a field read before it was written. The runs widen
    // the grid, then narrow it again.
    TModelOver zeroed(0x00), ones(0xFF);
    for (TModelOver* m : {&zeroed, &ones}) m->Model->InitModel();
    const struct {
        long double L, R;
        bool zones;
    } runs[] = {{0, 0, false}, {0.5L, 0.4L, true}, {0.1L, 0, true}};
    for (const auto& run : runs) {
        SCOPED_TRACE(::testing::Message() << "L=" << run.L << " R=" << run.R);
        for (TModelOver* m : {&zeroed, &ones})
            RunAsTheRunControlDoes(*m->Model, run.L, run.R, run.zones);
        ExpectSameRun(*ones.Model, *zeroed.Model, run.zones);
    }
}

} // namespace
} // namespace sheetpile::testing
