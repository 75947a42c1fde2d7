// The section model whole (extent, grids refined to the accuracy, both solves, point values):
// one homogeneous layer with one wall at the default accuracy, and three layers with two walls
// at 0.001; and how one grid's two solves grow with the number of unknowns, 1e4 to 1e6 (peak
// memory: run one size per process under /usr/bin/time -v).
#include "sectionmodel/FiniteVolumeSolve.h"
#include "sectionmodel/SectionGrid.h"
#include "sectionmodel/SectionSolve.h"
#include "sectionmodel/VertexSolve.h"

#include <cmath>

#include <benchmark/benchmark.h>

namespace {

using namespace verrask::section;

void Solve(benchmark::State& state, const TSection& s) {
    std::size_t unknowns = 0;
    for (auto _ : state) {
        TSectionResultPtr r;
        if (!verrask::sectionmodel::SolveSection(s, r).empty()) state.SkipWithError("refused");
        unknowns = r ? r->Unknowns : 0;
    }
    state.counters["unknowns"] = static_cast<double>(unknowns);
}

// T = 10 m, s = 5 m, H = 3 m, k = 1e-4 m/s.
void BM_SectionOneLayerOneWall(benchmark::State& state) {
    TSection s;
    s.Layers = {{-10, 1e-4, 1e-4, 20, "sand"}};
    s.Walls = {{0, -5}};
    s.Surface = {{0, 3, false, {}}, {0, 0, false, {}}};
    Solve(state, s);
}

// Sand over silt over gravel, a cofferdam 6 m wide dug 3 m, toes in the gravel.
TSection Cofferdam() {
    TSection s;
    s.Layers = {{-4, 1e-4, 2.5e-5, 20, "sand"},
                {-6, 1e-6, 1e-6, 19, "silt"},
                {-14, 3e-4, 3e-4, 21, "gravel"}};
    s.Walls = {{-3, -8}, {3, -8}};
    s.Surface = {{0, 2, false, {}}, {-3, -3, false, {}}, {0, 2, false, {}}};
    return s;
}

void BM_SectionThreeLayersTwoWalls(benchmark::State& state) {
    TSection s = Cofferdam();
    s.Accuracy = 0.001;
    Solve(state, s);
}

// The three-layer cofferdam on one grid of about state.range(0) cells: the finite-volume and the
// vertex solve (analyse, factor, solve each).
void BM_SectionGridScaling(benchmark::State& state) {
    TSection s = Cofferdam();
    s.Extent = verrask::section::TExtent{-60, 60};
    const auto target = static_cast<double>(state.range(0));
    // Cells grow like 1 / spacing^2: a few secant steps on the logarithms find the spacing.
    double spacing = 1, cells = static_cast<double>(verrask::sectionmodel::GridCells(s, spacing));
    for (int step = 0; step < 8; ++step) {
        spacing *= std::sqrt(cells / target);
        cells = static_cast<double>(verrask::sectionmodel::GridCells(s, spacing));
    }
    const auto g = verrask::sectionmodel::BuildGrid(s, spacing);
    std::size_t unknowns = 0;
    for (auto _ : state) {
        const auto fv = verrask::sectionmodel::SolveFiniteVolumes(s, g);
        const auto v = verrask::sectionmodel::SolveVertexEnergy(s, g, fv, -3);
        benchmark::DoNotOptimize(v.Energy);
        unknowns = fv.Unknowns;
    }
    state.counters["unknowns"] = static_cast<double>(unknowns);
}

} // namespace

BENCHMARK(BM_SectionGridScaling)
    ->Unit(benchmark::kMillisecond)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Iterations(1);
BENCHMARK(BM_SectionOneLayerOneWall)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SectionThreeLayersTwoWalls)->Unit(benchmark::kMillisecond)->Iterations(2);
