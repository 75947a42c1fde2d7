// Shared runs for the design-check tests. A solve takes tens of milliseconds in the optimised
// build but tens of seconds under the sanitizers, so the tests share one solved run of the default
// inputs and rescale it where only the units change.
#pragma once

#include "checks/EmbedmentSearch.h"
#include "sheetpile/RunResult.h"
#include "sheetpile/TrialWalls.h"
#include "tests/ModelFixtures.h"

#include <memory>

namespace verrask::checks::testing {

using sheetpile::TModel;

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
inline constexpr bool UnderSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
inline constexpr bool UnderSanitizer = true;
#else
inline constexpr bool UnderSanitizer = false;
#endif
#else
inline constexpr bool UnderSanitizer = false;
#endif

// A completed run of these inputs (lengths in m), the head loss solved from the start-up state.
inline std::unique_ptr<TModel> Solved(long double D, long double d, long double H,
                                      long double L = 0, long double R = 0) {
    auto m = sheetpile::testing::NewModel();
    // The same fields bit for bit; instrumented vector code is the slower one under sanitizers.
    m->UseFastSolvers = !UnderSanitizer;
    m->HeadDiff = H;
    m->StratumDepth = D;
    m->Permeability = 1e-5L;
    m->UnitWeightRatio = 1;
    m->SetupGeometry(D, d, L, R);
    m->SolveHeadLoss();
    m->RefineHead();
    m->RefineStream();
    m->ComputeDischarge();
    m->RenderNet(m->Nd, m->Nf);
    m->DrawStructure();
    m->ShowNetPicture();
    return m;
}

// The default inputs, solved once: D = 2 m, d = 1 m (d/D = 0.5), H = 1 m, Y'/Yw = 1.
inline const TModel& HalfDepthRun() {
    static const std::unique_ptr<TModel> run = Solved(2, 1, 1);
    return *run;
}

// A copy of a run with other units: the head-loss field in FullScale units depends only on the
// grid's geometry, which D and d scaled together keep.
inline std::unique_ptr<TModel> Rescaled(const TModel& run, long double D, long double H,
                                        long double k, long double ratio) {
    auto m = std::make_unique<TModel>(run);
    const long double d = run.PileRows * D / sheetpile::BaseRow;
    m->HeadDiff = H;
    m->StratumDepth = D;
    m->Permeability = k;
    m->UnitWeightRatio = ratio;
    m->SetupGeometry(D, d, 0, 0);
    m->ComputeDischarge();
    return m;
}

// The run as checks and reports read it.
inline section::TNodeResultPtr ResultOf(const TModel& m) {
    return sheetpile::RunResult(m);
}

// The embedment search of a run whose head loss is solved, its trials solved by the model.
inline TEmbedment Search(const TModel& user, TCriterion criterion, const TCheckSettings& s,
                         const TSearchControl& control = {}) {
    sheetpile::TTrialWalls trials(sheetpile::TrialResult(user), user.UseFastSolvers);
    return SearchEmbedment(
        *sheetpile::TrialResult(user),
        [&trials](int worker, int rows) { return trials.Solve(worker, rows); }, criterion, s,
        control);
}

} // namespace verrask::checks::testing
