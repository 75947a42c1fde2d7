// The session of the last completed run: a RUN that never completes leaves the last run as it
// was, and the results JSON carries the checks, and the search's answer only after a search.
#include "control/RunSession.h"
#include "tests/checks/CheckFixtures.h"

#include <gtest/gtest.h>

namespace verrask {
namespace {

TEST(RunSession, OnlyACompletedRunReplacesTheLastOneAndTheJsonCarriesTheSearch) {
    TRunSession session;
    TInputTexts first;
    first.WallDepth = std::string("1.5"); // (a literal trips a false -Wrestrict in GCC 12)
    session.RunStarted(first);
    EXPECT_FALSE(session.HasRun());
    session.RunCompleted();
    ASSERT_TRUE(session.HasRun());
    const std::string date = session.Date;
    EXPECT_FALSE(date.empty());

    TInputTexts refused;
    refused.WallDepth = std::string("-1"); // RUN pressed, then refused: never completed
    session.RunStarted(refused);
    EXPECT_EQ(session.Runs, 1);
    EXPECT_EQ(session.Inputs.WallDepth, "1.5");
    EXPECT_EQ(session.Date, date);

    const sheetpile::TModel& run = checks::testing::HalfDepthRun();
    const checks::TCheckSettings settings;
    const std::string plain = ResultsJson(session, run, ChecksOfRun(session, run, settings));
    EXPECT_NE(plain.find("\"checks\""), std::string::npos);
    EXPECT_EQ(plain.find("\"embedment\""), std::string::npos);
    checks::TEmbedment found;
    found.Rows = 20;
    found.Depth = 0.8L;
    const std::string searched =
        ResultsJson(session, run, ChecksOfRun(session, run, settings, found));
    EXPECT_NE(searched.find("\"embedment\""), std::string::npos);
}

} // namespace
} // namespace verrask
