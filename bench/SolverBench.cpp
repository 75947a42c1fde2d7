// Solver throughput: each solve runs from the start state of a fresh program (the seed) and is
// reported in interior node updates per second (the boundary updates come on top).
#include "sheetpile/SheetpileUnit.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <thread>

namespace {

using sheetpile::TModel;

// Interior updates of one pass: the outer zones are swept twice per column (head loss) or row
// (stream function); the nodes below the wall tip once (head loss) or twice (stream function).
double HeadUpdatesPerPass(const TModel& m) {
    const int outer = (m.PileUpCol - 1) + (m.LastCol - 1 - m.PileDownCol);
    return 2.0 * 49 * outer + 2.0 * (49 - m.PileRows);
}
double StreamUpdatesPerPass(const TModel& m) {
    const int outer = (m.PileUpCol - 1) + (m.LastCol - 1 - m.PileDownCol);
    return 2.0 * m.PileRows * outer + 2.0 * (49 - m.PileRows) * (m.LastCol - 1);
}

// A model at the start state with the geometry of these inputs (stratum depth 2, wall depth 1).
std::unique_ptr<TModel> SeededModel(long double left) {
    auto m = std::make_unique<TModel>();
    m->InitModel();
    m->SetupGeometry(2, 1, left, 0);
    return m;
}

template <bool Head> void BM_Solve(benchmark::State& state) {
    const long double left = static_cast<long double>(state.range(0)) / 1000;
    auto seed = SeededModel(left);
    auto m = SeededModel(left);
    double updates = 0;
    for (auto _ : state) {
        state.PauseTiming();
        m->HeadGrid = seed->HeadGrid;
        m->StreamGrid = seed->StreamGrid;
        state.ResumeTiming();
        if constexpr (Head) {
            m->SolveHeadLoss();
            updates += HeadUpdatesPerPass(*m) * static_cast<double>(m->HeadPasses);
        } else {
            m->SolveStreamFunction();
            updates += StreamUpdatesPerPass(*m) * static_cast<double>(m->StreamPasses);
        }
    }
    state.counters["passes"] = static_cast<double>(Head ? m->HeadPasses : m->StreamPasses);
    state.counters["updates/s"] = benchmark::Counter(updates, benchmark::Counter::kIsRate);
}

// Both workers of a run on two threads, then the discharge: what a user waits for.
void BM_WholeRun(benchmark::State& state) {
    const long double left = static_cast<long double>(state.range(0)) / 1000;
    auto seed = SeededModel(left);
    auto m = SeededModel(left);
    for (auto _ : state) {
        state.PauseTiming();
        m->HeadGrid = seed->HeadGrid;
        m->StreamGrid = seed->StreamGrid;
        state.ResumeTiming();
        std::thread stream([&] { sheetpile::TThread1Execute(*m); });
        std::thread head([&] { sheetpile::TThread2Execute(*m); });
        stream.join();
        head.join();
        m->ComputeDischarge();
    }
    state.counters["head passes"] = static_cast<double>(m->HeadPasses);
    state.counters["stream passes"] = static_cast<double>(m->StreamPasses);
}

// Arguments: left blanket length x 1000 (0 = the default geometry, 8000 = L = 4 D, the widest).
BENCHMARK(BM_Solve<true>)
    ->Name("HeadLoss")
    ->Arg(0)
    ->Arg(8000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_Solve<false>)
    ->Name("StreamFunction")
    ->Arg(0)
    ->Arg(8000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_WholeRun)
    ->Arg(0)
    ->Arg(8000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
