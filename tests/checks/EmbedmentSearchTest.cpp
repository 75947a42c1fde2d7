// The embedment search: its answer against the closed forms, its independence of what ran
// before, and that the user's model is left exactly as it was. Under the sanitizers a search
// takes minutes, so there only the test of the model left unchanged runs (it covers the threads
// and the memory of a whole search); the figures are checked in the optimised build.
#include "checks/EmbedmentSearch.h"
#include "tests/checks/CheckFixtures.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <memory>

namespace verrask::checks {
namespace {

// EXPECT_NEAR in extended precision (|a - b| <= tolerance).
#define EXPECT_CLOSE(a, b, tolerance)                                                              \
    EXPECT_LE(std::fabs((a) - (b)), (tolerance)) << "got " << (a) << ", want " << (b)

using sheetpile::TModel;
using sheetpile::testing::CoarseHash;
using sheetpile::testing::FineHash;
using testing::HalfDepthRun;
using testing::Search;
using testing::UnderSanitizer;

// Everything of a run a search could touch: fields, picture, counts, markers.
std::uint64_t Fingerprint(const TModel& m) {
    std::uint64_t h = CoarseHash(m.HeadGrid, m) ^ 3 * CoarseHash(m.StreamGrid, m) ^
                      5 * FineHash(m.FineHead, m) ^ 7 * FineHash(m.FineStream, m);
    for (int y = 0; y < m.ShownPicture.Height(); ++y)
        for (int x = 0; x < m.ShownPicture.Width(); ++x)
            h = h * 1099511628211ull ^ m.ShownPicture.GetPixel(x, y);
    for (long long v : {(long long)m.Nd, (long long)m.Nf, (long long)m.PileRows,
                        (long long)m.PileUpCol, (long long)m.LastCol, (long long)m.HeadPasses})
        h = h * 1099511628211ull ^ static_cast<std::uint64_t>(v);
    return h ^ static_cast<std::uint64_t>(m.ShapeFactor * 80);
}

// The default run after another history: any field a run may have left, here a scrambled one.
const TModel& ScrambledRun() {
    static const std::unique_ptr<TModel> run = [] {
        auto m = std::make_unique<TModel>(HalfDepthRun());
        for (int r = 1; r < sheetpile::BaseRow; ++r)
            for (int c = 0; c <= m->LastCol; ++c)
                m->HeadGrid[r][c] =
                    static_cast<std::uint32_t>((r * 7919u + c * 104729u) % sheetpile::FullScale);
        return m;
    }();
    return *run;
}

TEST(EmbedmentSearch, LeavesTheModelExactlyAsItWasWhateverRanBefore) {
    const TModel& user = ScrambledRun();
    const std::uint64_t before = Fingerprint(user);
    const TEmbedment scrambled = Search(user, TCriterion::Terzaghi, TCheckSettings{});
    EXPECT_EQ(Fingerprint(user), before);
    ASSERT_GT(scrambled.Rows, 0);
    if (UnderSanitizer) return;

    // The same inputs after the start-up history give the same trials, bit for bit.
    const TEmbedment clean = Search(HalfDepthRun(), TCriterion::Terzaghi, {});
    ASSERT_EQ(clean.Trials.size(), scrambled.Trials.size());
    for (std::size_t i = 0; i < clean.Trials.size(); ++i) {
        EXPECT_EQ(clean.Trials[i].Rows, scrambled.Trials[i].Rows);
        EXPECT_EQ(clean.Trials[i].Value, scrambled.Trials[i].Value);
        EXPECT_EQ(clean.Trials[i].HeadPasses, scrambled.Trials[i].HeadPasses);
    }
    EXPECT_EQ(clean.Interpolated, scrambled.Interpolated);
}

TEST(EmbedmentSearch, TerzaghiAndExitDepthsMatchTheClosedForms) {
    if (UnderSanitizer) GTEST_SKIP() << "figures are checked in the optimised build";
    int progressCalls = 0;
    TSearchControl control;
    control.Progress = [&](const TEmbedmentTrial&) { ++progressCalls; };
    const TEmbedment e = Search(HalfDepthRun(), TCriterion::Terzaghi, TCheckSettings{}, control);
    EXPECT_EQ(progressCalls, static_cast<int>(e.Trials.size()));

    // FS = i_c d / (C_o H) = 1.5 with C_o = 0.3509 at d/D ~ 0.26 (Harr's table: 0.3522 at 0.2,
    // 0.3500 at 0.3) gives d = 0.526 m; 3 % for the grid error, as in the design checks' tests.
    EXPECT_CLOSE(e.Interpolated, 1.5L * 0.3509L, 0.03L * 0.526L);
    ASSERT_GT(e.Rows, 1);
    EXPECT_EQ(e.FailingRows, e.Rows - 1);
    EXPECT_CLOSE(e.Depth, e.Rows * 0.04L, 1e-15L);
    EXPECT_GE(e.Interpolated, e.FailingDepth);
    EXPECT_LE(e.Interpolated, e.Depth);
    for (std::size_t i = 0; i < e.Trials.size(); ++i) {
        EXPECT_EQ(e.Trials[i].Passes, e.Trials[i].Rows >= e.Rows) << e.Trials[i].Rows;
        if (i) {
            EXPECT_LT(e.Trials[i - 1].Rows, e.Trials[i].Rows);
        }
    }

    // i_E = 0.3140 H / d near d/D = 0.24 (Harr's table: 0.3156 at 0.2, 0.3121 at 0.3), so
    // FS_exit = 1.5 needs d = 1.5 x 0.3140 = 0.471 m; 3 % for the grid error.
    TCheckSettings s;
    s.TargetExit = 1.5L;
    const TEmbedment x = Search(HalfDepthRun(), TCriterion::Exit, s);
    EXPECT_CLOSE(x.Interpolated, 0.471L, 0.03L * 0.471L);
}

TEST(EmbedmentSearch, EndsOfTheRangeAndCancel) {
    const TModel& user = HalfDepthRun();
    const std::atomic<bool> cancel{true};
    TSearchControl control;
    control.Cancel = &cancel;
    TEmbedment e = Search(user, TCriterion::Terzaghi, TCheckSettings{}, control);
    EXPECT_TRUE(e.Cancelled);
    EXPECT_TRUE(e.Trials.empty());

    // Under a downstream blanket the exit gradient is singular at its end: no depth is chosen
    // by it, and nothing is solved.
    auto blanket = sheetpile::testing::NewModel();
    blanket->UnitWeightRatio = 1;
    blanket->SetupGeometry(2, 1, 0, 1);
    e = Search(*blanket, TCriterion::Exit, TCheckSettings{});
    EXPECT_EQ(e.Rows, 0);
    EXPECT_TRUE(e.Trials.empty());
    EXPECT_NE(e.Note.find("grid"), std::string::npos);
    if (UnderSanitizer) GTEST_SKIP() << "the searches below are checked in the optimised build";

    TCheckSettings s;
    s.TargetTerzaghi = 1000; // no wall in the layer reaches it
    e = Search(user, TCriterion::Terzaghi, s);
    EXPECT_EQ(e.Rows, 0);
    EXPECT_EQ(e.FailingRows, 49);
    EXPECT_FALSE(Available(e.Interpolated));
    EXPECT_FALSE(e.Note.empty());

    s.TargetColumn = 0.01L; // a wall of one row already passes
    e = Search(user, TCriterion::Column, s);
    EXPECT_EQ(e.Rows, 1);
    EXPECT_EQ(e.FailingRows, 0);
    EXPECT_FALSE(Available(e.FailingDepth));
    // The answer is at most one row: no depth is made up between no wall and one row.
    EXPECT_FALSE(Available(e.Interpolated));
    EXPECT_FALSE(e.Note.empty());
}

} // namespace
} // namespace verrask::checks
