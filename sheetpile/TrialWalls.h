// Trial walls: a completed run solved again with another wall depth, as the embedment search
// asks for them.
//
// Computes: for a wall of `rows` rows (1..49), the head loss of the run's inputs and blankets,
// from one start state (0 in the columns up to the upstream wall face, FullScale from the
// downstream face on), with the geometry from SetupGeometry; the result holds the inputs, the
// markers, HeadGrid and HeadPasses.
//
// Assumes: `run` is a completed run's result. Each worker (0 and 1) has a model of its own, made
// with the trial walls and reused; the two workers may solve at the same time, but the calls of
// one worker must not overlap.
//
// Holds: a trial depends on the run's inputs and `rows` alone, never on an earlier trial.
#pragma once

#include "section/NodeResult.h"
#include "sheetpile/ModelState.h"

#include <memory>

namespace sheetpile {

class TTrialWalls {
  public:
    TTrialWalls(verrask::section::TNodeResultPtr run, bool fastSolvers);
    verrask::section::TNodeResultPtr Solve(int worker, int rows);

  private:
    verrask::section::TNodeResultPtr Run;
    bool FastSolvers;
    std::unique_ptr<TModel> Models[2];
};

} // namespace sheetpile
