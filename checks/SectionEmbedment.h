// Required embedment of a section's wall: the highest toe elevation that meets a criterion.
//
// Computes: for one wall its toe, for two walls both toes together (at one elevation), searched
// between just below the lowest ground beside the walls (the shallowest wall) and the base (a
// toe on the base cuts the flow off: nothing heaves) by bisection on the criterion's pass or
// fail, down to Resolution of the depth; each trial solves the whole section with the given
// solver and takes the criterion's figure over the section (SectionCriterionValue). A trial toe
// within Snap of a layer's bottom is put on it, so no trial makes a cell thinner than the grid
// merges.
//
// Assumes: the criterion's margin grows as the toe goes deeper (so a passing toe below a failing
// one brackets the answer); the solver is reentrant for different sections.
//
// Holds: Toe is the highest passing toe found (NaN when none passes, even on the base),
// FailingToe the lowest failing one above it (NaN when the shallowest already passes); the trials
// in the order run, each given to `progress` (if any) when done; Note says why no search was run,
// why it stopped early (a trial that could not be solved or judged: the bracket found so far is
// kept), or what the answer means at the ends.
#pragma once

#include "checks/GoverningCheck.h"
#include "section/SectionResult.h"

#include <functional>
#include <string>
#include <vector>

namespace verrask::checks {

// The search stops when passing and failing toes are this share of the depth apart.
inline constexpr double Resolution = 1.0 / 512;
// A trial toe this close to a layer's bottom (m) is put on it.
inline constexpr double Snap = 0.005;

using TSectionSolver =
    std::function<std::string(const section::TSection&, section::TSectionResultPtr&)>;

struct TToeTrial {
    double Toe = 0;                  // elevation of the walls' toes, m
    double Value = section::NoValue; // the criterion's figure
    bool Passes = false;
};

struct TSectionEmbedment {
    TCriterion Criterion = TCriterion::Terzaghi;
    double Target = 0;
    double Toe = section::NoValue;        // highest passing toe, m
    double FailingToe = section::NoValue; // lowest failing toe above it, m
    std::vector<TToeTrial> Trials;
    std::string Note; // "" or why there is no answer, or what it means
};

TSectionEmbedment
SearchSectionEmbedment(const section::TSection& s, TCriterion criterion,
                       const TCheckSettings& settings, const TSectionSolver& solve,
                       const std::function<void(const TToeTrial&)>& progress = {});

} // namespace verrask::checks
