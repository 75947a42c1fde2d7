// Required embedment: the shallowest wall, in whole grid rows, that meets a chosen criterion.
//
// Computes: for a criterion (Terzaghi's prism FS >= target, EC7 HYD 2.9a or 2.9b utilisation
// <= target, FS_exit >= target, heave-column FS >= target; each its own target from the
// settings) the smallest PileRows in 1..49 that passes,
// all other inputs and the geometry's blankets kept, by a bracketing search that solves two trial
// depths a round at the same time on two threads: the first round splits the rows into thirds,
// the next ones try the two rows beside the depth interpolated from the bracket (at most three
// such rounds, then thirds again); the passing depth, the failing depth below it, a depth
// interpolated linearly between them in the criterion's margin (FS / target, or target /
// utilisation, taken as 0 for a wall of no depth; none when one row already passes, since the
// answer is then at most one row) and every trial's figure.
//
// Assumes: the margin grows with the wall's depth (true for a single wall in a homogeneous
// layer), so a bracket of a failing and a passing depth holds the answer. `solve` gives the
// user's run solved again with another wall depth (its head loss, markers and inputs), from a
// start state that does not depend on what ran before, so the answer depends on the inputs
// alone; it is called by two threads at a time, each with its own worker number.
//
// Holds: the user's run is only read; the trials are in increasing rows; Rows is 0 when no depth
// up to 49 rows passes, FailingRows is 0 when even a wall of one row passes; no trial is run (and
// Note says why) when Y'/Yw is not positive or the criterion is the exit gradient of a geometry
// with a downstream blanket, whose value there is grid-dependent. Progress is called on
// the calling thread after each trial; a set Cancel flag ends the search after the current round
// (Cancelled is then true and the result incomplete).
#pragma once

#include "checks/CheckSettings.h"
#include "checks/GoverningCheck.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace verrask::checks {

struct TEmbedmentTrial {
    int Rows = 0;
    long double Depth = 0;            // Rows x D / 50, m
    long double Value = NotAvailable; // the criterion's FS or utilisation
    bool Passes = false;
    std::uint64_t HeadPasses = 0; // passes of the trial's solve
};

struct TEmbedment {
    TCriterion Criterion = TCriterion::Terzaghi;
    long double Target = 1.5L;        // the criterion's target from the settings
    int Rows = 0;                     // shallowest passing rows, 0 if none passes
    long double Depth = NotAvailable; // its depth, m
    int FailingRows = 0;              // deepest failing rows below it, 0 if none was tried
    long double FailingDepth = NotAvailable;
    long double Interpolated = NotAvailable; // m; NaN when one row passes
    std::vector<TEmbedmentTrial> Trials;
    bool Cancelled = false;
    std::string Note; // "" or what the answer means at the ends of the range
};

struct TSearchControl {
    std::function<void(const TEmbedmentTrial&)> Progress; // may be empty
    const std::atomic<bool>* Cancel = nullptr;            // may be null
};

// The user's run solved again with a wall of `rows` rows (1..49) and everything else kept. The
// search calls worker 0 on its own thread and worker 1 on a second one at the same time; the
// calls of one worker never overlap.
using TTrialSolve = std::function<section::TNodeResultPtr(int worker, int rows)>;

// The criterion's figure for a solved run: FS or utilisation, NaN when it has none.
long double CriterionValue(const section::TNodeResult& m, TCriterion criterion,
                           const TCheckSettings& s);

TEmbedment SearchEmbedment(const section::TNodeResult& user, const TTrialSolve& solve,
                           TCriterion criterion, const TCheckSettings& s,
                           const TSearchControl& control = {});

} // namespace verrask::checks
