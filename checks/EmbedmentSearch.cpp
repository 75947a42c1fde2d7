// Required embedment by a bracketing search over the wall's rows (see EmbedmentSearch.h).
#include "checks/EmbedmentSearch.h"

#include "checks/Ec7Hydraulic.h"
#include "checks/ExitGradient.h"
#include "checks/HeaveColumn.h"
#include "checks/TerzaghiPrism.h"

#include <algorithm>
#include <cmath>
#include <thread>
#include <utility>

namespace verrask::checks {

namespace {

// Rounds that place their probes by the estimated depth; later rounds split into thirds, so a
// margin far from linear cannot stretch the search.
constexpr int EstimatedRounds = 3;

// The rows to try next in the open interval (failing, passing), `high` 0 for a single row. The
// first round splits the interval into thirds. Later ones try the two rows beside the depth where
// the margin reaches 1, interpolated linearly between the bracket's ends (or, while nothing has
// passed, on the line through a wall of no depth and the deepest failing one).
std::pair<int, int> Probes(int failing, long double failingMargin, int passing,
                           long double passingMargin, int round) {
    const int span = passing - failing;
    if (span == 2) return {failing + 1, 0};
    long double estimate = NotAvailable;
    if (round >= 1 && round <= EstimatedRounds) {
        if (passing < section::BaseRow && Available(passingMargin) && Available(failingMargin) &&
            passingMargin > failingMargin)
            estimate = failing + (1 - failingMargin) / (passingMargin - failingMargin) * span;
        else if (passing == section::BaseRow && failing > 0 && failingMargin > 0)
            estimate = failing / failingMargin;
    }
    if (Available(estimate) && estimate > 0 && estimate < section::BaseRow) {
        const int low =
            std::clamp(static_cast<int>(std::floor(estimate)), failing + 1, passing - 2);
        return {low, low + 1};
    }
    const int low = failing + std::max(1, span / 3);
    return {low, failing + std::max(low - failing + 1, 2 * span / 3)};
}

TEmbedmentTrial RunTrial(const TTrialSolve& solve, int worker, int rows, TCriterion criterion,
                         const TCheckSettings& s, long double target) {
    const section::TNodeResultPtr t = solve(worker, rows);
    TEmbedmentTrial trial;
    trial.Rows = rows;
    trial.Depth = rows * GridStep(*t);
    trial.Value = CriterionValue(*t, criterion, s);
    trial.HeadPasses = t->HeadPasses;
    const long double margin = CriterionMargin(trial.Value, criterion, target);
    trial.Passes = Available(margin) && margin >= 1;
    return trial;
}

} // namespace

long double CriterionValue(const section::TNodeResult& m, TCriterion criterion,
                           const TCheckSettings& s) {
    switch (criterion) {
    case TCriterion::Terzaghi:
        return ComputeTerzaghiPrism(m).Fs;
    case TCriterion::Ec7a:
        return ComputeEc7Hydraulic(m, ComputeTerzaghiPrism(m), s).UtilisationA;
    case TCriterion::Ec7b:
        return ComputeEc7Hydraulic(m, ComputeTerzaghiPrism(m), s).UtilisationB;
    case TCriterion::Exit:
        return ComputeExitGradient(m).Fs;
    case TCriterion::Column:
        return ComputeHeaveColumn(m).Fs;
    }
    return NotAvailable;
}

TEmbedment SearchEmbedment(const section::TNodeResult& user, const TTrialSolve& solve,
                           TCriterion criterion, const TCheckSettings& s,
                           const TSearchControl& control) {
    TEmbedment e;
    e.Criterion = criterion;
    e.Target = CriterionTarget(s, criterion);
    if (!(CriticalGradient(user) > 0)) {
        e.Note = "Y'/Yw must be positive: no wall depth can pass";
        return e;
    }
    // Where a downstream blanket ends the exit gradient is singular: its grid value carries no
    // verdict, so no depth can be chosen by it.
    if (criterion == TCriterion::Exit && user.RightBlanketCol > user.PileDownCol) {
        e.Note = "the exit gradient at the end of a downstream blanket depends on the grid: no "
                 "embedment follows from it; choose the prism, EC7 HYD or the heave column";
        return e;
    }
    // Invariant: `failing` fails (0, a wall of no depth, by definition) and `passing` passes
    // (50, beyond the deepest wall, stands for "none known").
    int failing = 0, passing = section::BaseRow;
    long double failingMargin = 0, passingMargin = NotAvailable;
    int round = 0;
    while (passing - failing > 1) {
        if (control.Cancel && control.Cancel->load()) {
            e.Cancelled = true;
            break;
        }
        const std::pair<int, int> probes =
            Probes(failing, failingMargin, passing, passingMargin, round++);
        const int low = probes.first, high = probes.second;
        TEmbedmentTrial lowTrial, highTrial;
        std::thread helper;
        if (high)
            helper =
                std::thread([&] { highTrial = RunTrial(solve, 1, high, criterion, s, e.Target); });
        lowTrial = RunTrial(solve, 0, low, criterion, s, e.Target);
        if (helper.joinable()) helper.join();

        for (const TEmbedmentTrial* t : {&lowTrial, &highTrial}) {
            if (t->Rows == 0) continue;
            e.Trials.push_back(*t);
            if (control.Progress) control.Progress(*t);
        }
        const long double lowMargin = CriterionMargin(lowTrial.Value, criterion, e.Target);
        const long double highMargin = CriterionMargin(highTrial.Value, criterion, e.Target);
        if (lowTrial.Passes) {
            passing = low, passingMargin = lowMargin;
        } else if (high && highTrial.Passes) {
            failing = low, failingMargin = lowMargin;
            passing = high, passingMargin = highMargin;
        } else {
            failing = high ? high : low;
            failingMargin = high ? highMargin : lowMargin;
        }
    }
    std::sort(e.Trials.begin(), e.Trials.end(),
              [](const TEmbedmentTrial& a, const TEmbedmentTrial& b) { return a.Rows < b.Rows; });

    const long double step = GridStep(user);
    if (e.Cancelled) return e;
    if (passing == section::BaseRow) {
        e.FailingRows = failing;
        e.FailingDepth = failing * step;
        e.Note = "no wall depth up to 49 rows passes";
        return e;
    }
    e.Rows = passing;
    e.Depth = passing * step;
    e.FailingRows = failing;
    if (failing > 0)
        e.FailingDepth = failing * step;
    else
        e.Note = "even a wall of one row passes";
    // One passing row bounds the answer from above; a line to a wall of no depth would only
    // invent a depth below the grid's resolution.
    if (failing > 0 && Available(failingMargin) && Available(passingMargin) &&
        passingMargin > failingMargin) {
        const long double share = (1 - failingMargin) / (passingMargin - failingMargin);
        e.Interpolated = (failing + std::clamp(share, 0.0L, 1.0L) * (passing - failing)) * step;
    }
    return e;
}

} // namespace verrask::checks
