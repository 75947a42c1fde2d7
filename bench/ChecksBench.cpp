// The design checks after a run and the embedment search on the default geometry (wall time:
// the search solves two trial depths at a time on two threads).
#include "checks/DesignChecks.h"
#include "checks/EmbedmentSearch.h"
#include "sheetpile/RunResult.h"
#include "sheetpile/TrialWalls.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using sheetpile::TModel;
using verrask::checks::TCriterion;

// A completed run of the default inputs: D = 2, d = 1, H = 1, Y'/Yw = 1.
std::unique_ptr<TModel> DefaultRun() {
    auto m = std::make_unique<TModel>();
    m->InitModel();
    m->HeadDiff = 1;
    m->StratumDepth = 2;
    m->Permeability = 1e-5L;
    m->UnitWeightRatio = 1;
    m->SetupGeometry(2, 1, 0, 0);
    m->SolveHeadLoss();
    m->ComputeDischarge();
    return m;
}

void BM_DesignChecks(benchmark::State& state) {
    const auto run = sheetpile::RunResult(*DefaultRun(), false);
    for (auto _ : state)
        benchmark::DoNotOptimize(verrask::checks::RunDesignChecks(*run, {}).Prism.Fs);
}

// Argument: the criterion, 0 = terzaghi .. 4 = column.
void BM_EmbedmentSearch(benchmark::State& state) {
    const auto run = sheetpile::TrialResult(*DefaultRun());
    const auto criterion = static_cast<TCriterion>(state.range(0));
    std::size_t trials = 0;
    for (auto _ : state) {
        sheetpile::TTrialWalls walls(run, true); // fresh trial models, as every search makes
        trials = verrask::checks::SearchEmbedment(
                     *run, [&walls](int worker, int rows) { return walls.Solve(worker, rows); },
                     criterion, {})
                     .Trials.size();
    }
    state.counters["trials"] = static_cast<double>(trials);
}

} // namespace

BENCHMARK(BM_DesignChecks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EmbedmentSearch)
    ->DenseRange(0, 4)
    ->ArgName("criterion")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
