// Trial walls for the embedment search (see TrialWalls.h).
#include "sheetpile/TrialWalls.h"

#include "sheetpile/RunResult.h"

#include <algorithm>
#include <cassert>
#include <utility>

namespace sheetpile {

TTrialWalls::TTrialWalls(verrask::section::TNodeResultPtr run, bool fastSolvers)
    : Run(std::move(run)), FastSolvers(fastSolvers) {
    for (auto& model : Models) {
        model = std::make_unique<TModel>();
        model->InitModel();
    }
}

verrask::section::TNodeResultPtr TTrialWalls::Solve(int worker, int rows) {
    assert(worker == 0 || worker == 1);
    assert(rows >= 1 && rows <= MaxPileRows);
    auto& t = Models[worker & 1];
    const verrask::section::TNodeResult& user = *Run;
    for (auto& row : t->HeadGrid) {
        std::fill(row.begin(), row.begin() + user.PileUpCol + 1, 0u);
        std::fill(row.begin() + user.PileUpCol + 1, row.end(), FullScale);
    }
    t->HeadDiff = user.HeadDiff;
    t->StratumDepth = user.StratumDepth;
    t->Permeability = user.Permeability;
    t->UnitWeightRatio = user.UnitWeightRatio;
    t->UseFastSolvers = FastSolvers;
    const long double D = user.StratumDepth, step = D / BaseRow;
    t->SetupGeometry(D, rows * step, (user.PileUpCol - user.LeftBlanketCol) * step,
                     (user.RightBlanketCol - user.PileDownCol) * step);
    t->SolveHeadLoss();
    return TrialResult(*t);
}

} // namespace sheetpile
