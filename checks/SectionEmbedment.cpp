// Required toe elevation of a section's walls (see SectionEmbedment.h).
#include "checks/SectionEmbedment.h"

#include "checks/SectionChecks.h"

#include <algorithm>
#include <cmath>

namespace verrask::checks {

namespace {

double Snapped(const section::TSection& s, double toe) {
    for (const section::TLayer& l : s.Layers)
        if (std::fabs(l.Bottom - toe) < Snap) return l.Bottom;
    return toe;
}

} // namespace

TSectionEmbedment SearchSectionEmbedment(const section::TSection& s, TCriterion criterion,
                                         const TCheckSettings& settings,
                                         const TSectionSolver& solve,
                                         const std::function<void(const TToeTrial&)>& progress) {
    TSectionEmbedment out;
    out.Criterion = criterion;
    out.Target = static_cast<double>(CriterionTarget(settings, criterion));
    if (s.Walls.empty()) {
        out.Note = "no wall to search";
        return out;
    }
    double lowestGround = s.Top();
    for (std::size_t w = 0; w < s.Walls.size(); ++w)
        lowestGround = std::min({lowestGround, s.Surface[w].Ground, s.Surface[w + 1].Ground});
    const double depth = s.Top() - s.Base(), step = Resolution * depth;

    // "" with the trial added, or why the toe could not be tried.
    auto trial = [&](double toe) -> std::string {
        section::TSection t = s;
        for (section::TWall& w : t.Walls) w.Toe = toe;
        section::TSectionResultPtr r;
        if (const std::string error = solve(t, r); !error.empty())
            return "a toe at " + std::to_string(toe) + " m was not solved: " + error;
        const long double value = SectionCriterionValue(RunSectionChecks(*r, settings), criterion);
        TToeTrial done{toe, static_cast<double>(value), false};
        if (std::isnan(done.Value)) {
            // Nothing flows, or nothing flows up out of the ground: nothing to heave.
            if (r->Q > 0)
                return "the criterion has no figure for a toe at " + std::to_string(toe) +
                       " m (indicative only, or no open outflow)";
            done.Passes = true;
        } else {
            done.Passes = SectionPasses(done.Value, criterion, out.Target);
        }
        out.Trials.push_back(done);
        if (progress) progress(done);
        return "";
    };

    double fail = lowestGround - step, pass = s.Base();
    if (!(fail > pass)) { // a ground within a step of the base: only the base to try
        if ((out.Note = trial(pass)) != "") return out;
        if (out.Trials.back().Passes) out.Toe = pass;
        out.Note = "the ground lies within the search's step of the base: only walls to the base "
                   "were tried";
        return out;
    }
    if ((out.Note = trial(fail)) != "") return out;
    if (out.Trials.back().Passes) {
        out.Toe = fail;
        out.Note = "the shallowest wall tried passes";
        return out;
    }
    if ((out.Note = trial(pass)) != "") return out;
    if (!out.Trials.back().Passes) {
        out.FailingToe = fail;
        out.Note = "not even walls to the base pass";
        return out;
    }
    std::string stopped; // a trial that could not be judged ends the search with what it found
    while (fail - pass > step) {
        const double mid = Snapped(s, (fail + pass) / 2);
        if (!(mid < fail && mid > pass)) break;
        if ((stopped = trial(mid)) != "") break;
        (out.Trials.back().Passes ? pass : fail) = mid;
    }
    out.Toe = pass;
    out.FailingToe = fail;
    if (!stopped.empty())
        out.Note = "the search stopped early: " + stopped;
    else if (pass == s.Base())
        out.Note = "only walls to the base pass (they cut the flow off)";
    return out;
}

} // namespace verrask::checks
