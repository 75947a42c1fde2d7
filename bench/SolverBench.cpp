// Solver throughput, plain reference against fast path in the same run, and the time a user
// waits for a whole run, start-up included. Each solve starts from the start state of a fresh
// program (the seed); throughput is in interior node updates per second (the boundary updates
// come on top).
#include "control/PlainControls.h"
#include "sheetpile/SheetpileUnit.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <thread>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

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

// Arguments: left blanket length x 1000 (0 = the default geometry, 8000 = L = 4 D, the widest),
// then 1 for the fast path, 0 for the plain one.
template <bool Head> void BM_Solve(benchmark::State& state) {
    const long double left = static_cast<long double>(state.range(0)) / 1000;
    auto seed = SeededModel(left);
    auto m = SeededModel(left);
    m->UseFastSolvers = state.range(1) != 0;
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

// A front end that runs the two workers on two threads, as the window does.
class TBenchShell final : public verrask::TTextShell {
  public:
    explicit TBenchShell(TModel& model) : Model(model) {}
    void StartWorkers() override {
        Stream = std::thread([this] { sheetpile::TThread1Execute(Model); });
        Head = std::thread([this] { sheetpile::TThread2Execute(Model); });
    }
    TModel& Model;
    std::thread Stream, Head;
};

// A fresh program's run, from start-up to the picture shown: the model made, the run control's
// start-up (InitModel), RUN with these inputs, both workers on their threads, discharge and
// picture. Arguments as for the solves.
void BM_WholeRun(benchmark::State& state) {
#if defined(__GLIBC__)
    // Every model on fresh pages, as a new process gets them: otherwise the allocator hands the
    // last model's pages back, already mapped.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
#endif
    verrask::TInputTexts texts;
    texts.LeftBlanket = state.range(0) == 0 ? "0" : "8";
    std::unique_ptr<TModel> m;
    for (auto _ : state) {
        state.PauseTiming();
        m.reset();
        state.ResumeTiming();
        m = std::make_unique<TModel>();
        m->UseFastSolvers = state.range(1) != 0;
        TBenchShell shell(*m);
        verrask::TPlainControls tuning;
        verrask::TRunControl control(*m, shell, tuning.Controls());
        tuning.Wire(control);
        control.FormCreate();
        control.Button1Click(texts);
        shell.Stream.join();
        control.WorkerDone();
        shell.Head.join();
        control.WorkerDone();
    }
    state.counters["head passes"] = static_cast<double>(m->HeadPasses);
    state.counters["stream passes"] = static_cast<double>(m->StreamPasses);
}

// Everything a run does after its two solves: refinement of both fields, discharge and the
// picture (the solved fields stay as they are, so every iteration does the same work).
void BM_AfterSolves(benchmark::State& state) {
    auto m = SeededModel(static_cast<long double>(state.range(0)) / 1000);
    m->SolveHeadLoss();
    m->SolveStreamFunction();
    for (auto _ : state) {
        m->RefineStream();
        m->RefineHead();
        m->ComputeDischarge();
        m->RenderNet(m->Nd, m->Nf);
        m->DrawStructure();
        m->ShowNetPicture();
    }
}

// Two head-loss solves of the widest geometry at once, one per core: shows how much the two
// cores slow each other down (shared caches, or cores that share a physical core).
void BM_TwoHeadSolves(benchmark::State& state) {
    auto seed = SeededModel(8);
    auto a = SeededModel(8), b = SeededModel(8);
    for (auto _ : state) {
        state.PauseTiming();
        a->HeadGrid = b->HeadGrid = seed->HeadGrid;
        state.ResumeTiming();
        std::thread other([&b] { b->SolveHeadLoss(); });
        a->SolveHeadLoss();
        other.join();
    }
}

BENCHMARK(BM_Solve<true>)
    ->Name("HeadLoss")
    ->ArgsProduct({{0, 8000}, {0, 1}})
    ->ArgNames({"left", "fast"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_Solve<false>)
    ->Name("StreamFunction")
    ->ArgsProduct({{0, 8000}, {0, 1}})
    ->ArgNames({"left", "fast"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK(BM_AfterSolves)->Arg(0)->Arg(8000)->ArgName("left")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TwoHeadSolves)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_WholeRun)
    ->ArgsProduct({{0, 8000}, {0, 1}})
    ->ArgNames({"left", "fast"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
