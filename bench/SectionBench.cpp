// The section model whole (extent, grids refined to the accuracy, both solves): one homogeneous
// layer with one wall at the default accuracy, and three layers with two walls at 0.001.
#include "sectionmodel/SectionSolve.h"

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
void BM_SectionThreeLayersTwoWalls(benchmark::State& state) {
    TSection s;
    s.Layers = {{-4, 1e-4, 2.5e-5, 20, "sand"},
                {-6, 1e-6, 1e-6, 19, "silt"},
                {-14, 3e-4, 3e-4, 21, "gravel"}};
    s.Walls = {{-3, -8}, {3, -8}};
    s.Surface = {{0, 2, false, {}}, {-3, -3, false, {}}, {0, 2, false, {}}};
    s.Accuracy = 0.001;
    Solve(state, s);
}

} // namespace

BENCHMARK(BM_SectionOneLayerOneWall)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SectionThreeLayersTwoWalls)->Unit(benchmark::kMillisecond)->Iterations(2);
