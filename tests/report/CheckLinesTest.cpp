// The check rows: verdicts against the requirement, the governing check, the tailwater's note.
#include "report/CheckLines.h"
#include "report/EmbedmentText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace verrask::report {
namespace {

const TCheckLine& Line(const std::vector<TCheckLine>& lines, const std::string& label) {
    static const TCheckLine none;
    auto it = std::find_if(lines.begin(), lines.end(),
                           [&](const TCheckLine& l) { return l.Label == label; });
    return it == lines.end() ? none : *it;
}

TEST(CheckLines, VerdictsFollowEachCriterionsTargetAndIndicativeFiguresHaveNone) {
    checks::TDesignChecks c;
    c.Exit.Fs = 4; // exactly its target passes
    c.Exit.Indicative = false;
    c.Prism.Fs = 1.4999L;         // just below 1.5 fails
    c.Prism.FsMin = 0.1L;         // far below, but grid-dependent: no verdict
    c.Ec7.UtilisationA = 1.0001L; // a utilisation over 1 fails
    c.Ec7.UtilisationB = 0.5L;
    c.Column.Reason = "no open surface";
    checks::TCheckSettings s;
    c.Governing = checks::GoverningCheck(c.Exit, c.Prism, c.Ec7, c.Column, s);
    std::vector<TCheckLine> lines = CheckLines(c, s);
    EXPECT_EQ(Line(lines, "Exit gradient").Verdict, TVerdict::Passes);
    EXPECT_EQ(Line(lines, "Exit gradient").Required, "FS >= 4");
    EXPECT_EQ(Line(lines, "Terzaghi prism").Verdict, TVerdict::Fails);
    EXPECT_EQ(Line(lines, "Critical prism").Verdict, TVerdict::None);
    EXPECT_NE(Line(lines, "Critical prism").Detail.find("indicative (grid-dependent)"),
              std::string::npos);
    EXPECT_EQ(Line(lines, "EC7 HYD (2.9a)").Verdict, TVerdict::Fails);
    EXPECT_EQ(Line(lines, "EC7 HYD (2.9b)").Verdict, TVerdict::Passes);
    const TCheckLine& column = Line(lines, "Heave column");
    EXPECT_EQ(column.Verdict, TVerdict::None);
    EXPECT_EQ(column.Value, "n/a");
    EXPECT_NE(column.Detail.find("(no open surface)"), std::string::npos);
    // Margins: prism 0.99993, 2.9a 0.9999 (1 / 1.0001), exit 1, 2.9b 2: 2.9a governs, first.
    EXPECT_EQ(lines[0].Label, "Governing check");
    EXPECT_EQ(GoverningSentence(c), "Governing check: EC7 HYD (2.9a), utilisation 1 (utilisation "
                                    "<= 1): fails");
    EXPECT_EQ(lines[0].Verdict, TVerdict::Fails);

    // At a blanket's end the exit gradient is a point value of the grid: no verdict, and it
    // cannot govern.
    c.Exit.Indicative = true;
    c.Exit.Fs = 0.5L;
    c.Governing = checks::GoverningCheck(c.Exit, c.Prism, c.Ec7, c.Column, s);
    EXPECT_EQ(c.Governing.Criterion, checks::TCriterion::Ec7a);
    lines = CheckLines(c, s);
    EXPECT_EQ(Line(lines, "Exit gradient FS").Verdict, TVerdict::None);
    EXPECT_EQ(Line(lines, "Exit gradient").Label, "");
}

TEST(CheckLines, TailwaterComesFromH2UnlessSetAndNeverBelowTheGround) {
    checks::TCheckSettings s;
    s.DownstreamHead = 1.5L;
    EXPECT_EQ(checks::EffectiveTailwater(s), 1.5L);
    s.DownstreamHead = -1;
    EXPECT_EQ(checks::EffectiveTailwater(s), 0);
    EXPECT_NE(TailwaterNote(s).find("not represent"), std::string::npos);
    s.Tailwater = 2;
    EXPECT_EQ(checks::EffectiveTailwater(s), 2);
    EXPECT_NE(TailwaterNote(s).find("set by the user"), std::string::npos);
}

TEST(EmbedmentText, OneRowIsSingularAndAnUpperBoundWithOneFullStop) {
    checks::TEmbedment e;
    e.Rows = 1;
    e.Depth = 0.12L;
    e.Interpolated = 0.0006L; // would be made up below one row: never shown
    EXPECT_EQ(EmbedmentSummary(e),
              "Even a wall of one row passes: the required embedment is at most 1 row = 0.12 m.");
    EXPECT_EQ(TrialSummary({1, 0.12L, 2, true, 0}), "1 row (0.12 m) passes");
    e.Rows = 3, e.FailingRows = 2, e.Depth = 0.36L, e.Interpolated = 0.3L;
    EXPECT_EQ(EmbedmentSummary(e), "Shallowest passing wall: 3 rows = 0.36 m; interpolated 0.3 m.");
}

} // namespace
} // namespace verrask::report
